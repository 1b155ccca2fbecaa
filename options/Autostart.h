// The autostart value's text: the program followed by the switches it is to be started with.
#pragma once

#include <string>

namespace tollward {

struct AutostartSwitches {
  bool silentCheck = false;  // " /scan"
  bool monitor = false;      // " /monitor"
};

// The program path, then " /scan" and " /monitor" as chosen, in that order. A path with a blank
// is quoted: unquoted, the system would try "C:\Program.exe" before the real program, and the
// program's own command-line reading would cut the path at the blank.
std::string AutostartCommand(const std::string& programPath, const AutostartSwitches& switches);

// The switches found in a value as read: its text up to the first zero, ignoring letter case.
// A switch counts only with a blank before it and a blank or the end after it, the way the
// program reads its own command line at start-up.
AutostartSwitches AutostartSwitchesIn(const std::string& valueData);

}  // namespace tollward
