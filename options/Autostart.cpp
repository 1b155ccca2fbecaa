// The autostart value: how the two start-up options are written to it and read back from it.
#include "options/Autostart.h"

#include "core/AsciiText.h"
#include "options/Options.h"
#include "options/ProgramLocation.h"

namespace tollward {
namespace {

constexpr char kScanSwitch[] = " /scan";
constexpr char kMonitorSwitch[] = " /monitor";

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
  const std::string text = AsciiLowered(std::string(valueData.c_str())) + ' ';
  AutostartSwitches found;
  found.silentCheck = text.find(std::string(kScanSwitch) + ' ') != std::string::npos;
  found.monitor = text.find(std::string(kMonitorSwitch) + ' ') != std::string::npos;
  return found;
}

// The machine's value comes first; the user's counts only when the machine has none that this
// user may read.
void COptions::ReadAutostart() {
  try {
    runSilentCheckAtStart = false;
    runMonitorAtStartup = false;
    for (const AutostartList list : {AutostartList::kMachine, AutostartList::kUser}) {
      std::string data;
      if (!autostart_.Read(list, data)) {
        continue;
      }
      const AutostartSwitches found = AutostartSwitchesIn(data);
      if (found.silentCheck || found.monitor) {
        runSilentCheckAtStart = found.silentCheck;
        runMonitorAtStartup = found.monitor;
        return;
      }
      // A value that would start the program without any task only costs the user a start.
      autostart_.Delete(list);
    }
  } catch (...) {
    // Autostart is a convenience; failing to read it is as silent as a missing value.
  }
}

// A program in a folder that its user can write must not be started for everyone: whoever
// writes there would run code as the next administrator to log on.
void COptions::WriteAutostart() {
  try {
    if (runSilentCheckAtStart || runMonitorAtStartup) {
      const std::string command =
          AutostartCommand(programPath, {runSilentCheckAtStart, runMonitorAtStartup});
      const bool administratorsOnly =
          LiesUnder(programPath, autostart_.AdministratorsProgramFolders());
      if (administratorsOnly && autostart_.Write(AutostartList::kMachine, command)) {
        autostart_.Delete(AutostartList::kUser);
      } else if (autostart_.Delete(AutostartList::kMachine)) {
        autostart_.Write(AutostartList::kUser, command);
      } else {
        // The machine's value starts the program already; the user's would start it twice.
        autostart_.Delete(AutostartList::kUser);
        // An administrator's value for a program in the program folders is his to keep; one
        // for a program anywhere else is the danger itself.
        if (!administratorsOnly) {
          MachineAutostartLeft();
        }
      }
    } else {
      autostart_.Delete(AutostartList::kUser);
      if (!autostart_.Delete(AutostartList::kMachine)) {
        MachineAutostartLeft();
      }
    }
  } catch (...) {
    // Nothing more can be done without the rights to either list.
  }
}

void COptions::MachineAutostartLeft() {
  if (!machineAutostartReported_) {
    machineAutostartReported_ = true;
    ReportMachineAutostartLeft();
  }
}

}  // namespace tollward
