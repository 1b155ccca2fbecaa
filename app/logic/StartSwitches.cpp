// The three switches of the program's own command line and what they decide at start-up.
#include "app/logic/StartSwitches.h"

#include <algorithm>

namespace tollward {
namespace {

// ASCII only: the switches are ASCII, and a lowered byte of another code page could never
// make a blank or a slash appear where there was none.
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

StartSwitches ReadStartSwitches(const std::string& commandLine) {
  // The appended blank lets a switch at the very end of the line match like any other.
  std::string line = commandLine + ' ';
  std::transform(line.begin(), line.end(), line.begin(), AsciiLower);
  const auto has = [&line](const char* text) { return line.find(text) != std::string::npos; };
  StartSwitches switches;
  switches.scan = has(" /scan ");
  switches.monitor = has(" /monitor ");
  switches.noSplash = has(" /nosplash ");
  return switches;
}

bool WantsSilentExit(const StartSwitches& switches, unsigned unregisteredCount) {
  return switches.scan && unregisteredCount == 0 && !switches.monitor;
}

bool WantsMonitorAtStart(const StartSwitches& switches, unsigned unregisteredCount) {
  return switches.monitor && unregisteredCount == 0;
}

}  // namespace tollward
