// The control center's life: start-up in the program's order, the splash, and the ways out.
#include "app/ControlCenterDlg.h"

#include "app/ReportingRASConnections.h"

#include "logic/QuitRules.h"
#include "logic/Registration.h"
#include "core/DamagedFile.h"
#include "core/GuardSequences.h"
#include "core/InterruptedSave.h"
#include "platform/win32/DirectoryPhonebookWatcher.h"
#include "platform/win32/ProcessCommandLine.h"
#include "platform/win32/RasPhonebook.h"
#include "platform/win32/RegistryAutostartStore.h"
#include "res/resource.h"
#include "ui/framework/AppMessageBox.h"
#include "ui/framework/Dpi.h"
#include "ui/dialogs/Help.h"
#include "ui/framework/MessageLoop.h"
#include "ui/framework/ResourceMessageBox.h"
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
      m_icon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TOLLWARD))),
      m_phonebook(services.phonebook),
      m_helpDirectory(services.helpDirectory),
      m_monitor(*this,
                ControlCenterScanParts{m_registered, m_unregistered, m_findings, m_storeBinding,
                                       services.phonebookWatcher, m_options,
                                       [this] { return MakeReportingList(m_phonebook, m_altered); },
                                       [this] { RefillConnectionLists(); },
                                       [this] { ShowPhonebookFindings(); }}) {}

CControlCenterDlg::~CControlCenterDlg() = default;

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
  PrepareToolTips();
  ShowWindowIcons(ui::DpiOf(m_hwnd));
  for (CEntryPane& pane : m_panes) {
    pane.Attach(m_hwnd);
  }

  LoadData();

  if (WantsSilentExit(m_switches, EntriesForTheUser())) {
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
  if (WantsMonitorAtStart(m_switches, EntriesForTheUser())) {
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
    ui::AppMessageBox(ui::FormatResString(IDS_FILES_RECOVERED, recovered.c_str()).c_str(),
                      MB_OK | MB_ICONINFORMATION);
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
    ui::AppMessageBox(ui::FormatResString(IDS_STORE_UNUSABLE, m_connectionFilePath.c_str()).c_str(),
                      MB_OK | MB_ICONEXCLAMATION);
  }
  ShowPhonebookFindings();
}

unsigned CControlCenterDlg::EntriesForTheUser() const {
  const auto unreadable = static_cast<unsigned>(m_unregistered.unreadable().size());
  return m_unregistered.GetCount() + unreadable + (m_findings.empty() ? 0u : 1u);
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

bool CControlCenterDlg::ConfirmQuit() {
  return ui::ResourceMessageBox(m_hwnd, IDS_CONFIRM_QUIT, IDS_CONFIRM_QUIT_TITLE,
                                MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

void CControlCenterDlg::OnOK() {
  Quit(WayOut::kDone);
}

void CControlCenterDlg::OnCancel() {
  Quit(WayOut::kCancel);
}

void CControlCenterDlg::Quit(WayOut way) {
  // The monitor keeps guarding from the tray; only its own switch or the quit ends it.
  if (QuitRules::GoesToTray(way, m_monitor.cycle().monitoring())) {
    Post(WM_SYSCOMMAND, SC_MINIMIZE, 1);
    return;
  }
  if (QuitRules::Asks(way) && !ConfirmQuit()) {
    return;
  }
  m_monitor.cycle().OnQuit();
  const EndSave saved =
      SaveEverything(m_registered, m_connectionFilePath, m_storeBinding, m_badAreaCodes, m_options);
  const QuitDecision decision = m_quit.AfterSave(way, saved);
  TellQuitNotice(decision.notice, saved);
  if (decision.end) {
    EndDialog(way == WayOut::kDone ? IDOK : IDCANCEL);
  }
}

std::string CControlCenterDlg::DescribeFailures(const EndSave& saved) {
  static constexpr UINT kNames[] = {IDS_DATA_REGISTRATIONS, IDS_DATA_BAD_AREAS, IDS_DATA_OPTIONS,
                                    IDS_DATA_ENTRY_DETAILS};
  std::string lines;
  for (const SaveFailure& failure : saved.failures) {
    lines += ui::FormatResString(IDS_SAVE_FAILURE_LINE,
                                 ui::LoadResString(kNames[static_cast<int>(failure.kind)]).c_str(),
                                 failure.path.c_str(), failure.reason.c_str());
  }
  return lines;
}

void CControlCenterDlg::TellQuitNotice(QuitNotice notice, const EndSave& saved) {
  UINT text = 0;
  UINT title = 0;
  UINT icon = MB_ICONEXCLAMATION;
  switch (notice) {
    case QuitNotice::kNone:
      return;
    case QuitNotice::kPhonebookUnchecked:
      text = IDS_PHONEBOOK_UNCHECKED;
      title = IDS_PHONEBOOK_UNCHECKED_TITLE;
      icon = MB_ICONINFORMATION;
      break;
    case QuitNotice::kNotSavedStaying:
      text = IDS_NOT_SAVED_STAYING;
      title = IDS_NOT_SAVED_TITLE;
      break;
    case QuitNotice::kNotKeptEnding:
      text = IDS_NOT_KEPT_ENDING;
      title = IDS_NOT_KEPT_TITLE;
      break;
  }
  const std::string message = ui::FormatResString(text, DescribeFailures(saved).c_str());
  ::MessageBoxA(m_hwnd, message.c_str(), ui::LoadResString(title).c_str(), MB_OK | icon);
}

// Asked before the session ends: everything is saved now, since the process may be ended at
// any moment after the answer, and the answer is always yes, without a question.
void CControlCenterDlg::OnQueryEndSession() {
  m_optionsSavedForSessionEnd =
      SaveEverything(m_registered, m_connectionFilePath, m_storeBinding, m_badAreaCodes, m_options)
          .failures.empty();
  m_optionsAtSessionEnd = OptionValues::Of(m_options);
}

// The session ends: what changed since the question is saved too (the data files are written
// only when they differ), then the program ends as by a quit, without a word.
void CControlCenterDlg::OnEndSession() {
  // No scan may start any more; the tray icon goes with the window.
  m_monitor.cycle().SetMonitoring(false);
  const bool optionsChanged =
      !m_optionsSavedForSessionEnd || OptionValues::Of(m_options) != m_optionsAtSessionEnd;
  SaveEverything(m_registered, m_connectionFilePath, m_storeBinding, m_badAreaCodes, m_options,
                 optionsChanged);
  EndDialog(IDCANCEL);
}

}  // namespace tollward
