// The control center's bad area code manager: the dialog, then the registered entries it rules out.
#include "app/ControlCenterDlg.h"
#include "core/GuardSequences.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/dialogs/BadAreaCodesDlg.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void CControlCenterDlg::ManageBadAreaCodes() {
  // Opened from the tray too: while it runs, the icon starts no second manager or quit, and
  // scans wait.
  BusyScope managing(m_monitor.cycle());
  {
    // The dialog object outlives the re-check: its destruction saves the list, as it now stands.
    ui::CBadAreaCodesDlg dialog(m_badAreaCodes, m_helpDirectory);
    dialog.DoModal();
    MoveBadAreasToUnregistered(m_registered, m_badAreaCodes, m_unregistered);
    RefillPanes(m_panes);
  }
  // An entry pushed out of the registrations needs the user: the window comes back.
  if (m_unregistered.GetCount() != 0 && m_monitor.inTray()) {
    m_monitor.RestoreFromTray();
  }
  // The closing save shows nothing. Asked again, a list that was written finds its file as it
  // is and writes nothing; one that was not says why.
  if (!m_badAreaCodes.path().has_value()) {
    return;
  }
  HeldReports quiet(m_badAreaCodes);
  if (!m_badAreaCodes.Save()) {
    EndSave failed;
    failed.failures.push_back(
        {DataKind::kBadAreaCodes, *m_badAreaCodes.path(), m_badAreaCodes.errorText()});
    const std::string message = ui::FormatResString(
        IDS_BAD_AREAS_NOT_SAVED, CControlCenterEnds::DescribeFailures(failed).c_str());
    ShowMessageBox(m_hwnd, message.c_str(), ui::LoadResString(IDS_NOT_SAVED_TITLE).c_str(),
                   MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace tollward
