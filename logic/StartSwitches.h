// The three switches of the program's own command line and what they decide at start-up.
#pragma once

#include <string>

#include "core/EntryStatus.h"
#include "core/RASConnections.h"

namespace tollward {

struct StartSwitches {
  bool scan = false;      // " /scan ": check silently and end again if nothing is unregistered
  bool monitor = false;   // " /monitor ": start the monitor in the tray
  bool noSplash = false;  // " /nosplash ": no splash window
};

// Reads the whole command line as the system gives it, program path and quotes included. A
// switch counts when it stands between blanks (the end of the line counts as one), in any
// letter case; so the autostart value's "path /scan /monitor" sets both, while "/scan/monitor",
// "-scan" or a tab before the slash set nothing.
StartSwitches ReadStartSwitches(const std::string& commandLine);

// The unregistered entries, the unreadable included, and one more while the last check left
// something to tell: what keeps the silent check from ending and the monitor from starting.
unsigned EntriesForTheUser(const CRASConnections& unregistered, const PhonebookFindings& findings);

// The silent check ends the program right after start-up only when it found nothing
// unregistered and the monitor is not to start, which would need the program to stay.
bool WantsSilentExit(const StartSwitches& switches, unsigned unregisteredCount);

// " /monitor " starts the monitor at once, unless an unregistered entry needs the user first.
bool WantsMonitorAtStart(const StartSwitches& switches, unsigned unregisteredCount);

}  // namespace tollward
