// The control center's life: start-up in the program's order, the splash, and the ways out.
#include "app/ControlCenterDlg.h"

#include "app/FindingsMessage.h"
#include "app/ReportingRASConnections.h"

#include "logic/QuitRules.h"
#include "logic/Registration.h"
#include "core/DamagedFile.h"
#include "core/GuardSequences.h"
#include "core/InterruptedSave.h"
#include "platform/win32/DirectoryPhonebookWatcher.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/ProcessCommandLine.h"
#include "platform/win32/RasPhonebook.h"
#include "platform/win32/RegistryAutostartStore.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/dialogs/Help.h"
#include "ui/framework/MessageLoop.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

const char kConnectionStoreName[] = "Tollward.con";
const char kBadAreaFileName[] = "Tollward.bac";

ControlCenterServices SystemServices() {
  return ControlCenterServices{SystemPhonebook(), SystemPhonebookWatcher(), SystemAutostartStore(),
                               SystemCommandLine(), ui::HelpDirectory()};
}

CControlCenterDlg::CControlCenterDlg(const ControlCenterServices& services)
    : ui::CDialog(IDD_CONTROL_CENTER),
      m_registered(services.phonebook),
      m_unregistered(services.phonebook),
      m_options(services.autostart, services.commandLine),
      m_panes{CEntryPane(EntryView::kUnregistered, m_unregistered,
                         PaneContext{m_badAreaCodes, m_altered, m_options}),
              CEntryPane(EntryView::kRegistered, m_registered,
                         PaneContext{m_badAreaCodes, m_altered, m_options})},
      m_ends(*this, m_monitor,
             ControlCenterSaves{m_registered, m_connectionFilePath, m_storeBinding, m_badAreaCodes,
                                m_options}),
      m_phonebook(services.phonebook),
      m_monitor(*this,
                ControlCenterScanParts{m_registered, m_unregistered, m_findings, m_storeBinding,
                                       services.phonebookWatcher, m_options,
                                       [this] { return MakeReportingList(m_phonebook, m_altered); },
                                       [this] { RefillPanes(m_panes); },
                                       [this] { ShowPhonebookFindings(m_hwnd, m_findings); }}) {
  // The help of every dialog of the program, this one's and those it opens.
  ui::InstallHelp(services.helpDirectory);
}

// The members' last writes are made here, in their own order, before any member goes.
CControlCenterDlg::~CControlCenterDlg() {
  m_ends.SaveAtEnd();
}

void CControlCenterDlg::SetSwitches(const StartSwitches& switches) {
  m_switches = switches;
}

bool CControlCenterDlg::OnInitDialog() {
  // Secondary dialogs opened without a parent belong to this window.
  SetMainWindow(m_hwnd);
  if (!m_switches.noSplash) {
    ShowSplash();
  }
  m_monitor.Prepare();
  m_systemMenu.Prepare(m_hwnd);
  m_tips.Prepare(m_hwnd);
  m_icons.Show(m_hwnd, ui::DpiOf(m_hwnd));
  for (CEntryPane& pane : m_panes) {
    pane.Attach(m_hwnd);
  }

  LoadData();

  if (WantsSilentExit(m_switches, EntriesForTheUser(m_unregistered, m_findings))) {
    PauseBeforeSilentExit();
    OnOK();
    // A Yes ends the program before the control center was ever shown.
    if (IsEnding()) {
      return true;
    }
  }

  for (CEntryPane& pane : m_panes) {
    pane.Fill();
  }
  for (const CEntryPane& pane : m_panes) {
    pane.ShowExpertButtons();
  }
  // Handled once the window runs: the Monitor button's own handling starts it into the tray.
  if (WantsMonitorAtStart(m_switches, EntriesForTheUser(m_unregistered, m_findings))) {
    ::CheckDlgButton(m_hwnd, IDC_MONITOR, BST_CHECKED);
    PostCommand(IDC_MONITOR);
  }
  return true;
}

void CControlCenterDlg::ShowSplash() {
  m_splash = std::make_unique<ui::CSplashDlg>();
  if (!m_splash->Create()) {
    m_splash.reset();
    return;
  }
  m_splash->Show(SW_SHOW);
  SetTimer(kSplashTimer, kSplashMilliseconds);
}

void CControlCenterDlg::EndSplash() {
  KillTimer(kSplashTimer);
  // The object's destruction takes its window along.
  m_splash.reset();
}

void CControlCenterDlg::RecoverInterruptedSaves() {
  const std::string& directory = m_options.GetProgramDirectory();
  IPhonebook& phonebook = m_phonebook;
  const struct {
    std::string path;
    DataFileTest complete;
  } files[] = {
      {directory + kConnectionStoreName,
       [&phonebook](const std::string& path) {
         CRASConnections store(phonebook);
         const bool loaded = store.Load(path);
         store.ClearPath();
         return loaded;
       }},
      {CRASConnections::DetailsPathFor(directory + kConnectionStoreName),
       [](const std::string& path) {
         CEntryDetailsStore details;
         return details.Load(path) == DetailsLoad::kLoaded;
       }},
      {directory + kBadAreaFileName,
       [](const std::string& path) {
         CRASBadAreaCodes codes;
         const bool loaded = codes.Load(path);
         codes.ClearPath();
         return loaded;
       }},
      {m_options.GetOptionsFilePath(), &COptions::IsCompleteFile},
  };
  std::string recovered;
  for (const auto& file : files) {
    if (RecoverInterruptedSave(file.path, file.complete)) {
      recovered += file.path + "\n";
    }
  }
  // Said once: the next start finds the files in their places.
  if (!recovered.empty()) {
    ShowMessageBox(nullptr, ui::FormatResString(IDS_FILES_RECOVERED, recovered.c_str()).c_str(),
                   ui::AppTitle().c_str(), MB_OK | MB_ICONINFORMATION);
  }
}

void CControlCenterDlg::LoadData() {
  RecoverInterruptedSaves();
  if (m_options.OptionsFileExists("")) {
    m_options.Load();
  } else {
    // A broken new version of a missing options file is kept before a save writes over it.
    KeepDamagedFile(m_options.GetOptionsFilePath());
  }
  const std::string& directory = m_options.GetProgramDirectory();
  // A missing or damaged file is not shown: the list has no owner window outside its dialog.
  LoadBadAreaCodes(m_badAreaCodes, directory + kBadAreaFileName);

  m_connectionFilePath = directory + kConnectionStoreName;
  m_storeBinding = RunStartUpCheck(
      m_registered, m_unregistered, m_badAreaCodes, m_connectionFilePath,
      [this] { return MakeReportingList(m_phonebook, m_altered); },
      [this] { m_monitor.cycle().MarkFirstCheck(); }, &m_findings);
  // Said once, now: without it the user would register entries that "done" cannot keep.
  if (m_storeBinding == StoreBinding::kStoreUnusable) {
    ShowMessageBox(nullptr,
                   ui::FormatResString(IDS_STORE_UNUSABLE, m_connectionFilePath.c_str()).c_str(),
                   ui::AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
  ShowPhonebookFindings(m_hwnd, m_findings);
}

// The pause keeps the messages flowing, so that the splash still ends on time, while the
// control center itself stays hidden.
void CControlCenterDlg::PauseBeforeSilentExit() {
  if (SetTimer(kSilentExitTimer, kSilentExitMilliseconds) == 0) {
    return;
  }
  m_pausing = true;
  MSG message{};
  while (m_pausing && ui::NextMessage(message)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  m_pausing = false;
  KillTimer(kSilentExitTimer);
}

void CControlCenterDlg::OnTimer(UINT_PTR id) {
  switch (id) {
    case kSplashTimer:
      EndSplash();
      break;
    case kSilentExitTimer:
      KillTimer(kSilentExitTimer);
      m_pausing = false;
      break;
    default:
      m_monitor.cycle().OnTimer(static_cast<unsigned>(id));
      break;
  }
}

bool CControlCenterDlg::StartMonitorTimer(unsigned id, std::uint32_t milliseconds) {
  return SetTimer(id, milliseconds) != 0;
}

void CControlCenterDlg::OnOK() {
  m_ends.Quit(WayOut::kDone);
}

void CControlCenterDlg::OnCancel() {
  m_ends.Quit(WayOut::kCancel);
}

}  // namespace tollward
