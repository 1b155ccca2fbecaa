// Prints the benchmarks as they run and, at the end, the table of ratios, growth and peak memory.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace tollward::bench {

// One benchmark at one size: the median of its repetitions, or its single run.
struct Measurement {
  double seconds = 0;
  // Of the scans only: the bare read timed beside them, their ratio, the scan's peak memory.
  double readSeconds = -1;
  double ratio = -1;
  double peakBytes = -1;
  // Of the benchmarks with a store: the files replaced per timed run.
  double replaced = -1;
};

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // Benchmark name, entries, phonebook state (0 unchanged, 1 with 1 % changed).
  using Key = std::tuple<std::string, std::int64_t, std::int64_t>;

  void ReportRuns(const std::vector<Run>& runs) override;
  void Take(const Key& key, const Measurement& measurement) { measured_[key] = measurement; }
  // A line per size and phonebook state with each ratio, growth and count of replaced files,
  // the peak of a scan at the largest size, and a line per goal saying whether it is met.
  // Sizes missing from the run are left out.
  void PrintSummary(std::ostream& out) const;

 private:
  const Measurement* Find(const std::string& name, std::int64_t entries,
                          std::int64_t changed) const;
  // Each goal, judged over the sizes and states that ran.
  struct Goals {
    bool unchangedStoreRatio = true;
    bool unchangedScanWrites = true;
    bool changedScanWrites = true;
    bool unchangedStartUpWrites = true;
    bool changedStartUpWrites = true;
    bool inMemoryRatio = true;
    bool inMemoryPeak = true;
    bool inMemoryGrowth = true;
  };
  // The table of one phonebook state; marks in `goals` what it misses.
  void PrintState(std::ostream& out, std::int64_t changed, Goals& goals) const;

  std::map<Key, Measurement> measured_;
  std::map<Key, bool> fromMedian_;
};

}  // namespace tollward::bench
