// The control center's ways out and the program's end: the quit question, the saves, what the
// user is told of them, the session's end, and the last writes once the window has gone.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"
#include "logic/QuitRules.h"
#include "options/Options.h"
#include "ui/framework/Dialog.h"

namespace tollward {

class CControlCenterMonitor;

// What the ways out save, lent by the control center. The store's path and binding are read at
// each save: start-up and the scans set them.
struct ControlCenterSaves {
  CRASConnections& registered;
  const std::string& storePath;
  const StoreBinding& storeBinding;
  CRASBadAreaCodes& badAreas;
  COptions& options;
};

class CControlCenterEnds {
 public:
  // The monitor is asked only when a way out is taken, so it may be built after this object.
  CControlCenterEnds(ui::CDialog& window, CControlCenterMonitor& monitor, ControlCenterSaves saves)
      : window_(window), monitor_(monitor), saves_(saves) {}

  // Each way out saves everything after the quit question and ends only when that worked, or
  // when the user quits again after being told what could not be saved.
  void Quit(WayOut way);
  void OnQueryEndSession();
  void OnEndSession();
  // The program's last writes, once the window has gone; the members write nothing afterwards.
  void SaveAtEnd() noexcept;

  // One line for each save that failed: the data, its file and why.
  static std::string DescribeFailures(const EndSave& saved);

 private:
  bool ConfirmQuit() const;
  void TellQuitNotice(QuitNotice notice, const EndSave& saved) const;
  EndSave SaveAll(bool saveOptions = true);

  ui::CDialog& window_;
  CControlCenterMonitor& monitor_;
  ControlCenterSaves saves_;
  CQuitRules quit_;
  bool optionsSavedForSessionEnd_ = false;
  OptionValues optionsAtSessionEnd_;
};

}  // namespace tollward
