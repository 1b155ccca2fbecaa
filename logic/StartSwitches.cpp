// The three switches of the program's own command line and what they decide at start-up.
#include "logic/StartSwitches.h"

#include "core/AsciiText.h"

namespace tollward {

StartSwitches ReadStartSwitches(const std::string& commandLine) {
  // The appended blank lets a switch at the very end of the line match like any other.
  const std::string line = AsciiLowered(commandLine + ' ');
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

unsigned EntriesForTheUser(const CRASConnections& unregistered, const PhonebookFindings& findings) {
  const auto unreadable = static_cast<unsigned>(unregistered.unreadable().size());
  return unregistered.GetCount() + unreadable + (findings.empty() ? 0u : 1u);
}

}  // namespace tollward
