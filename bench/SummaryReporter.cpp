// Prints the benchmarks as they run and, at the end, the table of ratios, growth and peak memory.
#include "bench/SummaryReporter.h"

#include <cstdio>
#include <set>

#include "core/ConnectionRecord.h"

namespace tollward::bench {
namespace {

// A scan, in memory or with the store, at most 3 bare reads at every size; a scan's peak memory
// under 1.5 times the records it works on.
constexpr double kRatioGoal = 3.0;
constexpr double kPeakGoal = 1.5;
// Linear growth of the scan in memory up to the largest size.
constexpr double kGrowthGoal = 11.0;
constexpr std::int64_t kLargest = 100000;
// A start-up with a change writes the split's result and then puts the store back as it loaded:
// twice each for the store and its details file.
constexpr double kChangedStartUpReplacements = 4.0;

std::int64_t ArgumentOf(const std::string& arguments, const std::string& name) {
  const std::size_t at = arguments.find(name + ":");
  return at == std::string::npos ? -1 : std::stoll(arguments.substr(at + name.size() + 1));
}

double CounterOf(const benchmark::BenchmarkReporter::Run& run, const char* name) {
  const auto found = run.counters.find(name);
  return found == run.counters.end() ? -1 : found->second.value;
}

std::string Format(const char* format, double value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Milliseconds(double seconds) {
  return Format(seconds >= 0.1 ? "%10.1f ms" : "%10.3f ms", seconds * 1e3);
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) {
      continue;
    }
    const Key key{run.run_name.function_name, ArgumentOf(run.run_name.args, "entries"),
                  ArgumentOf(run.run_name.args, "changed")};
    if (!median && fromMedian_[key]) {
      continue;  // a median, once there, is never replaced by one repetition
    }
    Measurement measurement;
    measurement.seconds =
        run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    const double readMicroseconds = CounterOf(run, "read_us");
    measurement.readSeconds = readMicroseconds < 0 ? -1 : readMicroseconds * 1e-6;
    measurement.ratio = CounterOf(run, "ratio");
    measurement.peakBytes = CounterOf(run, "peak_bytes");
    measurement.replaced = CounterOf(run, "replaced");
    Take(key, measurement);
    fromMedian_[key] = median;
  }
}

const Measurement* SummaryReporter::Find(const std::string& name, std::int64_t entries,
                                         std::int64_t changed) const {
  const auto found = measured_.find(Key{name, entries, changed});
  return found == measured_.end() ? nullptr : &found->second;
}

void SummaryReporter::PrintState(std::ostream& out, std::int64_t changed, Goals& goals) const {
  std::set<std::int64_t> sizes;
  for (const auto& entry : measured_) {
    if (std::get<2>(entry.first) == changed) {
      sizes.insert(std::get<1>(entry.first));
    }
  }
  if (sizes.empty()) {
    return;
  }
  out << (changed != 0 ? "\n1 % of the entries altered or new (at least one)\n"
                       : "\nAll entries registered and unchanged\n");
  out << "  entries      one read       scan  scan/read  growth"
         "  |  scan with store  scan/read  growth  files"
         "  |    start-up  growth  files\n";
  std::int64_t previous = -1;
  for (const std::int64_t entries : sizes) {
    std::string line = Format("%9.0f", static_cast<double>(entries));
    for (const char* name : {"ScanInMemory", "ScanWithStore", "StartUp"}) {
      const std::string benchmark = name;
      const bool inMemory = benchmark == "ScanInMemory";
      const Measurement* now = Find(name, entries, changed);
      const Measurement* before = Find(name, previous, changed);
      if (!inMemory) {
        line += "  |";
      }
      if (now == nullptr) {
        line += std::string(inMemory ? 41 : benchmark == "StartUp" ? 27 : 41, ' ');
        continue;
      }
      if (inMemory) {
        line += now->readSeconds >= 0 ? Milliseconds(now->readSeconds) : std::string(13, ' ');
      }
      line += Milliseconds(now->seconds);
      if (now->ratio >= 0) {
        line += Format("  ratio %4.2f", now->ratio);
        if (inMemory) {
          goals.inMemoryRatio = goals.inMemoryRatio && now->ratio <= kRatioGoal;
        } else if (changed == 0) {
          goals.unchangedStoreRatio = goals.unchangedStoreRatio && now->ratio <= kRatioGoal;
        }
      }
      if (before != nullptr) {
        const double growth = now->seconds / before->seconds;
        line += Format("  %6.1f", growth);
        if (inMemory && entries == kLargest) {
          goals.inMemoryGrowth = goals.inMemoryGrowth && growth <= kGrowthGoal;
        }
      } else {
        line += std::string(8, ' ');
      }
      if (!inMemory) {
        line += Format("  %5.2f", now->replaced);
        const bool scan = benchmark == "ScanWithStore";
        bool& goal =
            scan ? (changed == 0 ? goals.unchangedScanWrites : goals.changedScanWrites)
                 : (changed == 0 ? goals.unchangedStartUpWrites : goals.changedStartUpWrites);
        const double allowed = changed == 0 ? 0 : scan ? 1 : kChangedStartUpReplacements;
        // A scan that changed the store replaces it exactly once; a start-up at most twice each.
        goal = goal && now->replaced >= 0 &&
               (scan && changed != 0 ? now->replaced == allowed : now->replaced <= allowed);
      }
    }
    out << line << "\n";
    previous = entries;
  }

  const std::int64_t largest = *sizes.rbegin();
  const double ownSize = static_cast<double>(largest) * kConnectionRecordSize;
  for (const char* name : {"ScanInMemory", "ScanWithStore"}) {
    const Measurement* scan = Find(name, largest, changed);
    if (scan == nullptr || scan->peakBytes < 0) {
      continue;
    }
    const double times = scan->peakBytes / ownSize;
    out << "  peak memory of a "
        << (std::string(name) == "ScanInMemory" ? "scan" : "scan with store") << " at " << largest
        << " entries: " << Format("%.1f MB", scan->peakBytes / 1e6)
        << " above the lists it starts from, " << Format("%.2f", times)
        << " x the records' own size (" << Format("%.1f MB", ownSize / 1e6) << ")\n";
    if (std::string(name) == "ScanInMemory") {
      goals.inMemoryPeak = goals.inMemoryPeak && times < kPeakGoal;
    }
  }
}

void SummaryReporter::PrintSummary(std::ostream& out) const {
  out << "\nWall-clock medians; 'ratio' is a scan's time over a bare read's, both timed in turn\n"
         "in the same run; growth is t(N) / t(N/10); 'files' is how many files a scan or a\n"
         "start-up replaced, on average.\n";
  Goals goals;
  PrintState(out, 0, goals);
  PrintState(out, 1, goals);
  const auto verdict = [](bool met) { return met ? "met" : "missed"; };
  out << "\nGoals (sizes and states left out of the run are not judged):\n"
      << "  unchanged phonebook, scan with store <= " << Format("%.0f", kRatioGoal)
      << " bare reads at every size: " << verdict(goals.unchangedStoreRatio) << "\n"
      << "  unchanged phonebook, scan with store replaces 0 files: "
      << verdict(goals.unchangedScanWrites) << "\n"
      << "  changed phonebook, exactly 1 store replacement per scan that changed it: "
      << verdict(goals.changedScanWrites) << "\n"
      << "  start-up, unchanged phonebook and intact store, replaces 0 files: "
      << verdict(goals.unchangedStartUpWrites) << "\n"
      << "  start-up with a change replaces no more than "
      << Format("%.0f", kChangedStartUpReplacements)
      << " files: " << verdict(goals.changedStartUpWrites) << "\n"
      << "  scan in memory <= " << Format("%.0f", kRatioGoal)
      << " bare reads at every size: " << verdict(goals.inMemoryRatio) << "\n"
      << "  scan in memory, peak under " << Format("%.1f", kPeakGoal)
      << " x the records' own size: " << verdict(goals.inMemoryPeak) << "\n"
      << "  scan in memory, growth to " << kLargest << " entries <= " << Format("%.0f", kGrowthGoal)
      << ": " << verdict(goals.inMemoryGrowth) << "\n";
}

}  // namespace tollward::bench
