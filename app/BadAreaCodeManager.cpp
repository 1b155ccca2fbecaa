// The bad area code manager: the dialog, then the registered entries it rules out.
#include "app/BadAreaCodeManager.h"

#include "app/ControlCenterEnds.h"
#include "core/GuardSequences.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/dialogs/BadAreaCodesDlg.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void ManageBadAreaCodes(HWND owner, CRASBadAreaCodes& codes, EntryPanes& panes,
                        CControlCenterMonitor& monitor) {
  CRASConnections& registered = PaneOf(panes, EntryView::kRegistered).entries();
  CRASConnections& unregistered = PaneOf(panes, EntryView::kUnregistered).entries();
  // Opened from the tray too: while it runs, the icon starts no second manager or quit, and
  // scans wait.
  CBusyScope managing(monitor.cycle());
  {
    // The dialog object outlives the re-check: its destruction saves the list, as it now stands.
    ui::CBadAreaCodesDlg dialog(codes);
    dialog.DoModal();
    MoveBadAreasToUnregistered(registered, codes, unregistered);
    RefillPanes(panes);
  }
  // An entry pushed out of the registrations needs the user: the window comes back.
  if (unregistered.GetCount() != 0 && monitor.inTray()) {
    monitor.RestoreFromTray();
  }
  // The closing save shows nothing. Asked again, a list that was written finds its file as it
  // is and writes nothing; one that was not says why.
  if (!codes.path().has_value()) {
    return;
  }
  CHeldReports quiet(codes);
  if (!codes.Save()) {
    EndSave failed;
    failed.failures.push_back({DataKind::kBadAreaCodes, *codes.path(), codes.errorText()});
    const std::string message = ui::FormatResString(
        IDS_BAD_AREAS_NOT_SAVED, CControlCenterEnds::DescribeFailures(failed).c_str());
    ShowMessageBox(owner, message.c_str(), ui::LoadResString(IDS_NOT_SAVED_TITLE).c_str(),
                   MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace tollward
