// The control center's bad area code manager: the dialog, then the registered entries it rules out.
#include "app/ControlCenterDlg.h"
#include "core/GuardSequences.h"
#include "ui/dialogs/BadAreaCodesDlg.h"

namespace tollward {

void CControlCenterDlg::ManageBadAreaCodes() {
  // The dialog object outlives the re-check: its destruction saves the list, as it now stands.
  ui::CBadAreaCodesDlg dialog(m_badAreaCodes, m_helpDirectory);
  dialog.DoModal();
  MoveBadAreasToUnregistered(m_registered, m_badAreaCodes, m_unregistered);
  RefillConnectionLists();
  // An entry pushed out of the registrations needs the user: the window comes back.
  if (m_unregistered.GetCount() != 0 && m_monitor.inTray()) {
    RestoreFromTray();
  }
}

}  // namespace tollward
