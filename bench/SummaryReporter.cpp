// Prints the benchmarks as they run and, at the end, the table of ratios, growth and peak memory.
#include "bench/SummaryReporter.h"

#include <cstdio>
#include <set>

#include "core/ConnectionRecord.h"

namespace tollward::bench {
namespace {

// Scan <= 3 reads at every size, linear growth up to the largest, and a scan's extra memory
// within a few times the records it works on.
constexpr double kRatioGoal = 3.0;
constexpr double kGrowthGoal = 11.0;
constexpr double kPeakGoal = 4.0;
constexpr std::int64_t kLargest = 100000;

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
    Take(key, measurement);
    fromMedian_[key] = median;
  }
}

const Measurement* SummaryReporter::Find(const std::string& name, std::int64_t entries,
                                         std::int64_t changed) const {
  const auto found = measured_.find(Key{name, entries, changed});
  return found == measured_.end() ? nullptr : &found->second;
}

bool SummaryReporter::PrintState(std::ostream& out, std::int64_t changed) const {
  std::set<std::int64_t> sizes;
  for (const auto& entry : measured_) {
    if (std::get<2>(entry.first) == changed) {
      sizes.insert(std::get<1>(entry.first));
    }
  }
  if (sizes.empty()) {
    return true;
  }
  bool met = true;
  out << (changed != 0 ? "\n1 % of the entries altered or new (at least one)\n"
                       : "\nAll entries registered and unchanged\n");
  out << "  entries      one read       scan  scan/read  growth"
         "  |  scan with store  scan/read  growth  |    start-up  growth\n";
  std::int64_t previous = -1;
  for (const std::int64_t entries : sizes) {
    std::string line = Format("%9.0f", static_cast<double>(entries));
    for (const char* name : {"ScanInMemory", "ScanWithStore", "StartUp"}) {
      const bool inMemory = std::string(name) == "ScanInMemory";
      const Measurement* now = Find(name, entries, changed);
      const Measurement* before = Find(name, previous, changed);
      if (!inMemory) {
        line += "  |";
      }
      if (now == nullptr) {
        line += std::string(inMemory ? 41 : 34, ' ');
        continue;
      }
      if (inMemory) {
        line += now->readSeconds >= 0 ? Milliseconds(now->readSeconds) : std::string(13, ' ');
      }
      line += Milliseconds(now->seconds);
      if (now->ratio >= 0) {
        line += Format("  ratio %4.2f", now->ratio);
        met = met && (!inMemory || now->ratio <= kRatioGoal);
      }
      if (before != nullptr) {
        const double growth = now->seconds / before->seconds;
        line += Format("  %6.1f", growth);
        met = met && (!inMemory || entries != kLargest || growth <= kGrowthGoal);
      } else {
        line += std::string(8, ' ');
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
    met = met && times <= kPeakGoal;
  }
  return met;
}

void SummaryReporter::PrintSummary(std::ostream& out) const {
  out << "\nWall-clock medians; 'ratio' is a scan's time over a bare read's, both timed in turn\n"
         "in the same run; growth is t(N) / t(N/10).\n";
  const bool unchangedMet = PrintState(out, 0);
  const bool changedMet = PrintState(out, 1);
  out << "\nGoals for the scan in memory (ratio <= " << Format("%.0f", kRatioGoal)
      << " at every size, growth to " << kLargest << " <= " << Format("%.0f", kGrowthGoal)
      << ", peak <= " << Format("%.0f", kPeakGoal)
      << " x the records): " << (unchangedMet && changedMet ? "met" : "MISSED") << "\n";
}

}  // namespace tollward::bench
