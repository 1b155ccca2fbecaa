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
  FillConnectionList(m_unregisteredView, m_unregistered, kNoColour);
  FillConnectionList(m_registeredView, m_registered, kNoColour);
}

}  // namespace tollward
