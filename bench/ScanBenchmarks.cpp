// The cost of one phonebook read, of a scan and of the start-up check, at phonebook sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "bench/HeapCounter.h"
#include "bench/SamplePhonebook.h"
#include "core/GuardSequences.h"
#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"
#include "tests/fakes/CountingFileSystem.h"
#include "tests/fakes/TempDir.h"

namespace tollward::bench {
namespace {

constexpr std::size_t kBadAreaCodeCount = 50;

// Each step is timed by itself, so that restoring the lists between steps costs the step
// nothing; the clock is cheaper to read than pausing the benchmark's own timers.
template <typename Step>
double SecondsOf(Step&& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

// Building 100,000 entries costs more than many runs of a benchmark, and the runs of one size
// follow each other, so the last sample is kept.
SamplePhonebook& SampleFor(const benchmark::State& state) {
  static SamplePhonebook sample;
  static std::int64_t entries = -1;
  static std::int64_t changed = -1;
  if (state.range(0) != entries || state.range(1) != changed) {
    entries = state.range(0);
    changed = state.range(1);
    FillSamplePhonebook(
        static_cast<std::size_t>(entries),
        changed != 0 ? PhonebookState::kOnePercentChanged : PhonebookState::kUnchanged, sample);
  }
  return sample;
}

// The lists the program's scans make are silent here: nobody answers a dialog in a benchmark.
ReportingListFactory SilentLists(IPhonebook& phonebook) {
  return [&phonebook] { return std::make_unique<CRASConnections>(phonebook); };
}

// A list of the sample's registrations with their further properties, bound to no file.
void Register(const SamplePhonebook& sample, CRASConnections& list) {
  for (const ConnectionRecord& record : sample.registered) {
    list.Add(record);
    list.PutDetails(record.szEntryName, sample.details);
  }
}

// Writes the records to `path` as the program's store, with its details file; false when the
// store could not be written.
bool WriteStore(SamplePhonebook& sample, const std::vector<ConnectionRecord>& records,
                const std::string& path) {
  CRASConnections store(sample.phonebook);
  for (const ConnectionRecord& record : records) {
    store.Add(record);
    store.PutDetails(record.szEntryName, sample.details);
  }
  const bool saved = store.Save(path);
  store.ClearPath();
  return saved;
}

// A list bound to a path writes itself there when it goes; a benchmark's leftovers must not.
void Discard(std::optional<CRASConnections>& list) {
  if (list) {
    list->ClearPath();
    list.reset();
  }
}

// What every scan and start-up must end with, so that a broken check is never timed as fast.
bool SortedAsExpected(const SamplePhonebook& sample, bool sorted, CRASConnections& registered,
                      CRASConnections& unregistered) {
  return sorted && registered.GetCount() == sample.registered.size() - sample.altered &&
         unregistered.GetCount() == sample.altered + sample.added;
}

// One bare read of the whole phonebook, the list's release included; negative when it failed.
double TimedRead(SamplePhonebook& sample) {
  bool whole = false;
  const double seconds = SecondsOf([&] {
    CRASConnections live(sample.phonebook);
    whole = live.Retrieve() && live.GetCount() == sample.phonebook.size();
  });
  return whole ? seconds : -1;
}

// The monitor's scan: the report of manipulations, then the split of the registered list
// against a copy of itself. With `storeBound` the registered list is bound to a store file, as
// the program's is, and that copy saves the registrations as they stood before the scan. In the
// unchanged state the store already holds them, as it does in a program that scanned before; in
// the changed state the store is put back, untimed, to the registrations a scan before had
// left (without the altered entries), so that every timed scan has to write it.
void Scan(benchmark::State& state, bool storeBound) {
  SamplePhonebook& sample = SampleFor(state);
  testing::TempDir dir;
  const std::string storePath = dir.Path("Tollward.con");
  const std::string putBackPath = dir.Path("Tollward.con as a scan before left it");
  const bool changedState = state.range(1) != 0;
  CRASConnections master(sample.phonebook);
  Register(sample, master);
  if (storeBound) {
    std::vector<ConnectionRecord> before;
    for (const ConnectionRecord& record : sample.registered) {
      if (sample.phonebook.Find(record.szEntryName)->localPhoneNumber ==
          record.szLocalPhoneNumber) {
        before.push_back(record);
      }
    }
    if (!WriteStore(sample, sample.registered, storePath) ||
        !WriteStore(sample, before, putBackPath)) {
      state.SkipWithError("the store could not be written");
      return;
    }
  }
  // Outside the file system seam, so that only the scans' own replacements are counted.
  const auto putBack = [&] {
    if (storeBound && changedState) {
      std::filesystem::copy_file(putBackPath, storePath,
                                 std::filesystem::copy_options::overwrite_existing);
    }
  };
  const ReportingListFactory lists = SilentLists(sample.phonebook);
  CRASConnections unregistered(sample.phonebook);
  std::optional<CRASConnections> registered;
  // Each scan starts from the same registrations: the one before dropped the altered ones.
  const auto restore = [&] {
    Discard(registered);
    registered.emplace(master);
    if (storeBound) {
      registered->SetPath(storePath.c_str());
    }
  };

  // The heap is watched in a scan of its own, untimed, and once per size is enough.
  static std::map<std::tuple<bool, std::int64_t, std::int64_t>, std::int64_t> peaks;
  const auto size = std::make_tuple(storeBound, state.range(0), state.range(1));
  if (peaks.count(size) == 0) {
    restore();
    putBack();
    StartHeapWatch();
    const bool sorted = ScanAndResort(*registered, unregistered, lists);
    peaks[size] = StopHeapWatch();
    if (!SortedAsExpected(sample, sorted, *registered, unregistered)) {
      state.SkipWithError("the scan did not sort the phonebook as expected");
      Discard(registered);
      return;
    }
  }
  state.counters["peak_bytes"] = static_cast<double>(peaks[size]);

  // A bare read is timed beside every scan, first before it and then after it, so that the
  // ratio of the two is taken under the same load of the machine and the same state of caches.
  double readSeconds = 0;
  double scanSeconds = 0;
  bool readFirst = true;
  testing::CountingFileSystem counting;
  for (auto _ : state) {
    restore();
    putBack();
    double read = readFirst ? TimedRead(sample) : 0;
    bool sorted = false;
    const double scan = SecondsOf([&] {
      CScopedFileSystem scope(counting);
      sorted = ScanAndResort(*registered, unregistered, lists);
    });
    if (!readFirst) {
      read = TimedRead(sample);
    }
    readFirst = !readFirst;
    if (read < 0 || !SortedAsExpected(sample, sorted, *registered, unregistered)) {
      state.SkipWithError("the phonebook was not read or sorted as expected");
      break;
    }
    state.SetIterationTime(scan);
    readSeconds += read;
    scanSeconds += scan;
  }
  Discard(registered);
  state.counters["replaced"] = benchmark::Counter(static_cast<double>(counting.replaced.size()),
                                                  benchmark::Counter::kAvgIterations);
  state.counters["read_us"] =
      benchmark::Counter(readSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["ratio"] = readSeconds > 0 ? scanSeconds / readSeconds : 0;
}

void ScanInMemory(benchmark::State& state) {
  Scan(state, false);
}

void ScanWithStore(benchmark::State& state) {
  Scan(state, true);
}

// The start-up: the split against a store of the registrations, the push-out of bad areas,
// and the check of the store's records. The store is the one an earlier run left: its
// registrations in the order the split gives them, last first.
void StartUp(benchmark::State& state) {
  SamplePhonebook& sample = SampleFor(state);
  testing::TempDir dir;
  const std::string storePath = dir.Path("Tollward.con");
  std::vector<ConnectionRecord> lastFirst(sample.registered.rbegin(), sample.registered.rend());
  if (!WriteStore(sample, lastFirst, storePath)) {
    state.SkipWithError("the store could not be written");
    return;
  }
  CRASBadAreaCodes badAreas;
  for (const std::string& code : SampleBadAreaCodes(kBadAreaCodeCount)) {
    badAreas.Add(code.c_str());
  }
  const ReportingListFactory lists = SilentLists(sample.phonebook);
  std::optional<CRASConnections> registered;
  std::optional<CRASConnections> unregistered;
  testing::CountingFileSystem counting;
  for (auto _ : state) {
    Discard(registered);
    Discard(unregistered);
    registered.emplace(sample.phonebook);
    unregistered.emplace(sample.phonebook);
    bool sorted = false;
    state.SetIterationTime(SecondsOf([&] {
      CScopedFileSystem scope(counting);
      sorted = RunStartUpCheck(*registered, *unregistered, badAreas, storePath, lists) ==
               StoreBinding::kBound;
    }));
    if (!SortedAsExpected(sample, sorted, *registered, *unregistered)) {
      state.SkipWithError("the start-up did not sort the phonebook as expected");
      break;
    }
  }
  Discard(registered);
  Discard(unregistered);
  state.counters["replaced"] = benchmark::Counter(static_cast<double>(counting.replaced.size()),
                                                  benchmark::Counter::kAvgIterations);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"entries", "changed"})
      ->ArgsProduct({{10, 100, 1000, 10000, 100000}, {0, 1}})
      ->UseManualTime()
      ->Unit(benchmark::kMicrosecond);
}

BENCHMARK(ScanInMemory)->Apply(Sizes);
BENCHMARK(ScanWithStore)->Apply(Sizes);
BENCHMARK(StartUp)->Apply(Sizes);

}  // namespace
}  // namespace tollward::bench
