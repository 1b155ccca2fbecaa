// The autostart value: how the two start-up options are written to it and read back from it.
#include "options/Autostart.h"

#include "options/Options.h"

namespace tollward {
namespace {

constexpr char kScanSwitch[] = " /scan";
constexpr char kMonitorSwitch[] = " /monitor";

std::string LowerCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

std::string AutostartCommand(const std::string& programPath, const AutostartSwitches& switches) {
  std::string command =
      programPath.find(' ') != std::string::npos ? '"' + programPath + '"' : programPath;
  if (switches.silentCheck) {
    command += kScanSwitch;
  }
  if (switches.monitor) {
    command += kMonitorSwitch;
  }
  return command;
}

AutostartSwitches AutostartSwitchesIn(const std::string& valueData) {
  // The blank appended lets a switch at the very end match like one followed by another.
  const std::string text = LowerCaseAscii(std::string(valueData.c_str())) + ' ';
  AutostartSwitches found;
  found.silentCheck = text.find(std::string(kScanSwitch) + ' ') != std::string::npos;
  found.monitor = text.find(std::string(kMonitorSwitch) + ' ') != std::string::npos;
  return found;
}

void COptions::ReadAutostart() {
  try {
    std::string data;
    if (!autostart_.Read(data)) {
      runSilentCheckAtStart = false;
      runMonitorAtStartup = false;
      return;
    }
    const AutostartSwitches found = AutostartSwitchesIn(data);
    runSilentCheckAtStart = found.silentCheck;
    runMonitorAtStartup = found.monitor;
    if (!found.silentCheck && !found.monitor) {
      // A value that would start the program without any task only costs the user a start.
      autostart_.Delete();
    }
  } catch (...) {
    // Autostart is a convenience; failing to read it is as silent as a missing value.
  }
}

void COptions::WriteAutostart() {
  try {
    if (runSilentCheckAtStart || runMonitorAtStartup) {
      autostart_.Write(AutostartCommand(programPath, {runSilentCheckAtStart, runMonitorAtStartup}));
    } else {
      autostart_.Delete();
    }
  } catch (...) {
    // Silent like every other failure of the autostart value.
  }
}

}  // namespace tollward
