// The ends of the program: every way out saves what the run holds, and says what it could not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"
#include "options/Options.h"

namespace tollward {

// The user's ways out, each after the quit question, and the session's end, without one.
enum class WayOut {
  kDone,
  kCancel,    // Escape and the close box
  kShutdown,  // the tray menu's "Shutdown Tollward"
  kSessionEnd,
};

// kEntryDetails: the further properties of the registered entries, beside the store.
enum class DataKind { kRegistrations, kBadAreaCodes, kOptions, kEntryDetails };

struct SaveFailure {
  DataKind kind;
  std::string path;
  // The failing save's own text, such as "Save: unable to open file for writing.".
  std::string reason;
};

// What one save of everything came to.
struct EndSave {
  std::vector<SaveFailure> failures;
  // The store was written as start-up read it: no read of the phonebook has checked it yet.
  bool phonebookUnchecked = false;
};

// Saves the registrations to the store with their further properties, the bad area codes and
// the options, each to its file, without a message of their own: the caller tells the user. The
// registrations are written only where start-up bound them; a store that could not be used is a
// failure, since what was registered in this run cannot be kept. `saveOptions` false leaves the
// options file and the autostart value alone.
EndSave SaveEverything(CRASConnections& registered, const std::string& storePath,
                       StoreBinding binding, CRASBadAreaCodes& badAreas, COptions& options,
                       bool saveOptions = true);

// The program's last writes, once its window has gone, in the order they have always had: the
// options file and the autostart value, the bad area codes, the registrations into the store the
// list is bound to. None shows a message, and none of the three writes again when destroyed.
void SaveAtEnd(CRASConnections& registered, CRASBadAreaCodes& badAreas, COptions& options) noexcept;

// The option record's values, to tell whether they changed since they were saved.
struct OptionValues {
  std::uint32_t monitorInterval = 0;
  bool runMonitorAtStartup = false;
  bool runSilentCheckAtStart = false;
  bool minimizeOnMonitorStart = false;
  bool showExtendedFunctionality = false;
  bool flashTrayIconAfterScan = false;

  static OptionValues Of(const COptions& options);
  bool operator==(const OptionValues& other) const;
  bool operator!=(const OptionValues& other) const { return !(*this == other); }
};

// What the user is told once the saves are done.
enum class QuitNotice {
  kNone,
  // All saved; the phonebook could not be checked in this run.
  kPhonebookUnchecked,
  // A save failed: the program stays, so that nothing is lost.
  kNotSavedStaying,
  // A save failed again after the user was told: the program ends, naming what it did not keep.
  kNotKeptEnding,
};

struct QuitDecision {
  bool end = false;
  QuitNotice notice = QuitNotice::kNone;
};

class CQuitRules {
 public:
  // "done" while the monitor runs only hides the window into the tray.
  static bool GoesToTray(WayOut way, bool monitoring) { return way == WayOut::kDone && monitoring; }
  // The session's end is never held up by a question or a message.
  static bool Asks(WayOut way) { return way != WayOut::kSessionEnd; }

  // After the saves of a way out the user confirmed.
  QuitDecision AfterSave(WayOut way, const EndSave& saved);

 private:
  bool toldOfFailure_ = false;
};

}  // namespace tollward
