// The program's main window: the two panes of phonebook entries, and every long-lived object of
// the program.
#pragma once

#include "platform/win32/WinApi.h"

#include <memory>
#include <optional>
#include <string>

#include "app/ControlCenterEnds.h"
#include "app/ControlCenterMonitor.h"
#include "app/ControlCenterTips.h"
#include "app/EntryPane.h"
#include "app/InteractiveOptions.h"
#include "app/InteractiveRASConnections.h"
#include "app/SystemMenu.h"
#include "app/WindowIcons.h"
#include "logic/EntryReasons.h"
#include "logic/QuitRules.h"
#include "logic/PhonebookMessage.h"
#include "logic/StartSwitches.h"
#include "core/RASBadAreaCodes.h"
#include "platform/AutostartStore.h"
#include "platform/CommandLine.h"
#include "platform/Phonebook.h"
#include "platform/PhonebookWatcher.h"
#include "ui/controls/BitmapMenu.h"
#include "ui/dialogs/SplashDlg.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/Handles.h"

namespace tollward {

extern const char kConnectionStoreName[];
extern const char kBadAreaFileName[];

// What the control center works on. The program passes the system's own; a test passes a
// phonebook file of its own, an autostart value in memory, a command line that places the
// program (and so its data files) in a fresh folder, and a folder without help pages.
struct ControlCenterServices {
  IPhonebook& phonebook;
  // Tells the monitor of changes to the phonebook's files between its ticks.
  IPhonebookWatcher& phonebookWatcher;
  IAutostartStore& autostart;
  const ICommandLine& commandLine;
  // With its trailing backslash.
  std::string helpDirectory;
};

ControlCenterServices SystemServices();

// Run modally for the whole life of the program. Its destruction makes the program's last
// writes, before any member goes: the option record, then the bad area codes, then the
// registered list into the store.
class CControlCenterDlg : public ui::CDialog {
 public:
  // Ends the splash window.
  static constexpr UINT_PTR kSplashTimer = 1;
  static constexpr UINT kSplashMilliseconds = 900;
  // Ends the pause between the silent check and its quit question.
  static constexpr UINT_PTR kSilentExitTimer = 4;
  static constexpr UINT kSilentExitMilliseconds = 750;
  static constexpr UINT kTrayCallbackMessage = CTrayPresence::kCallbackMessage;
  static constexpr UINT kPhonebookChangedMessage = CControlCenterMonitor::kPhonebookChangedMessage;

  explicit CControlCenterDlg(const ControlCenterServices& services = SystemServices());
  ~CControlCenterDlg() override;

  void SetSwitches(const StartSwitches& switches);
  // Every timer of the monitor starts here, so that a test's subclass sees the periods.
  virtual bool StartMonitorTimer(unsigned id, std::uint32_t milliseconds);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  // "done": hides into the tray while the monitor runs; otherwise quits.
  void OnOK() override;
  // Escape and the close box: quits.
  void OnCancel() override;
  // Its own topic; the contents for a window without a topic that passed F1 on (the about box).
  std::optional<UINT> HelpTopic(HWND asking) const override;
  // The tray menu's items first, then those of the context menu being tracked.
  bool OnDrawItem(int id, const DRAWITEMSTRUCT* draw) override;
  bool OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG* message) override;
  void OnDpiChanged(unsigned dpi) override;

 private:
  // Start-up, in the order the program runs them.
  void ShowSplash();
  void EndSplash();
  // A data file that only the new version of an interrupted save holds is taken from it.
  void RecoverInterruptedSaves();
  void LoadData();
  void PauseBeforeSilentExit();

  // The window.
  void EditOptions();
  void ShowAbout();

  CInteractiveRASConnections m_registered;
  CInteractiveRASConnections m_unregistered;
  CRASBadAreaCodes m_badAreaCodes;
  CAlteredRegistrations m_altered;
  CInteractiveOptions m_options;
  // At the places of their roles (EntryView).
  EntryPanes m_panes;
  // The monitor's is cleared once it has taken the window into the tray.
  StartSwitches m_switches;
  bool m_pausing = false;
  CWindowIcons m_icons;
  CControlCenterTips m_tips;
  std::string m_connectionFilePath;
  // Becomes kBound once a scan has read the phonebook after a start-up that could not.
  StoreBinding m_storeBinding = StoreBinding::kPhonebookUnread;
  // The ways out, and the last writes when this window object goes.
  CControlCenterEnds m_ends;
  // What the last scan, or the start-up, could not check.
  PhonebookFindings m_findings;
  CSystemMenu m_systemMenu;
  IPhonebook& m_phonebook;
  std::unique_ptr<ui::CSplashDlg> m_splash;
  // The monitor and the tray; first to go, since it works on the lists above.
  CControlCenterMonitor m_monitor;
};

}  // namespace tollward
