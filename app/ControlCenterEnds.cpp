// The control center's ways out and the program's end: the quit question, the saves, what the
// user is told of them, the session's end, and the last writes once the window has gone.
#include "app/ControlCenterEnds.h"

#include "app/ControlCenterMonitor.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void CControlCenterEnds::Quit(WayOut way) {
  // The monitor keeps guarding from the tray; only its own switch or the quit ends it.
  if (CQuitRules::GoesToTray(way, monitor_.cycle().monitoring())) {
    window_.Post(WM_SYSCOMMAND, SC_MINIMIZE, 1);
    return;
  }
  if (CQuitRules::Asks(way) && !ConfirmQuit()) {
    return;
  }
  monitor_.cycle().OnQuit();
  const EndSave saved = SaveAll();
  const QuitDecision decision = quit_.AfterSave(way, saved);
  TellQuitNotice(decision.notice, saved);
  if (decision.end) {
    window_.EndDialog(way == WayOut::kDone ? IDOK : IDCANCEL);
  }
}

// Asked before the session ends: everything is saved now, since the process may be ended at
// any moment after the answer, and the answer is always yes, without a question.
void CControlCenterEnds::OnQueryEndSession() {
  optionsSavedForSessionEnd_ = SaveAll().failures.empty();
  optionsAtSessionEnd_ = OptionValues::Of(saves_.options);
}

// The session ends: what changed since the question is saved too (the data files are written
// only when they differ), then the program ends as by a quit, without a word.
void CControlCenterEnds::OnEndSession() {
  // No scan may start any more; the tray icon goes with the window.
  monitor_.cycle().SetMonitoring(false);
  SaveAll(!optionsSavedForSessionEnd_ || OptionValues::Of(saves_.options) != optionsAtSessionEnd_);
  window_.EndDialog(IDCANCEL);
}

void CControlCenterEnds::SaveAtEnd() noexcept {
  tollward::SaveAtEnd(saves_.registered, saves_.badAreas, saves_.options);
}

std::string CControlCenterEnds::DescribeFailures(const EndSave& saved) {
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

bool CControlCenterEnds::ConfirmQuit() const {
  return ShowMessageBox(window_.GetHwnd(), ui::LoadResString(IDS_CONFIRM_QUIT).c_str(),
                        ui::LoadResString(IDS_CONFIRM_QUIT_TITLE).c_str(),
                        MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

void CControlCenterEnds::TellQuitNotice(QuitNotice notice, const EndSave& saved) const {
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
  ShowMessageBox(window_.GetHwnd(), message.c_str(), ui::LoadResString(title).c_str(),
                 MB_OK | icon);
}

EndSave CControlCenterEnds::SaveAll(bool saveOptions) {
  return SaveEverything(saves_.registered, saves_.storePath, saves_.storeBinding, saves_.badAreas,
                        saves_.options, saveOptions);
}

}  // namespace tollward
