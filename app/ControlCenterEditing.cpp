// The control center's expert actions: the platform's entry editor and the user name / password
// dialog for the entry selected in either view, each followed by a refresh.
#include "app/ControlCenterDlg.h"
#include "res/resource.h"
#include "ui/dialogs/ChangeUserPassDlg.h"

namespace tollward {

bool CControlCenterDlg::OnEditCommand(int id) {
  switch (id) {
    case IDC_UNREGISTERED_PROPERTIES:
      EditSelectedEntry(m_unregisteredView);
      return true;
    case IDC_REGISTERED_PROPERTIES:
      EditSelectedEntry(m_registeredView);
      return true;
    case IDC_UNREGISTERED_USER_PASS:
      EditSelectedCredentials(m_unregisteredView);
      return true;
    case IDC_REGISTERED_USER_PASS:
      EditSelectedCredentials(m_registeredView);
      return true;
    default:
      return false;
  }
}

CRASConnections& CControlCenterDlg::ListOf(const ui::CListView& view) {
  return view.GetHwnd() == m_unregisteredView.GetHwnd()
             ? static_cast<CRASConnections&>(m_unregistered)
             : static_cast<CRASConnections&>(m_registered);
}

void CControlCenterDlg::EditSelectedEntry(const ui::CListView& view) {
  const std::string name = SelectedName(view);
  if (name.empty()) {
    return;
  }
  // A scan while the editor is open would sort the lists under it; ticks wait for the refresh.
  BusyScope editing(m_monitor.cycle());
  // The editor reports its own failures; whatever it did, the scan shows the phonebook as it
  // is now.
  ListOf(view).EditPhonebookEntry(name.c_str(), m_hwnd);
  RefreshAfterEdit();
}

void CControlCenterDlg::EditSelectedCredentials(const ui::CListView& view) {
  ui::CChangeUserPassDlg dialog;
  const std::string name = SelectedName(view);
  if (name.empty()) {
    return;
  }
  CRASConnections& list = ListOf(view);
  const unsigned item = list.Find(name.c_str());
  if (item == 0) {
    return;
  }
  dialog.SetConnections(&list);
  dialog.SetItem(item);
  // No scan may sort the lists while the dialog edits one of their entries.
  BusyScope editing(m_monitor.cycle());
  dialog.DoModal();
  RefreshAfterEdit();
}

void CControlCenterDlg::RefreshAfterEdit() {
  // The same scan as the Refresh button, so it counts, marks its time and keeps the tray away.
  m_monitor.Refresh();
  // The refill took the selections along.
  UpdateUnregisteredButtons();
  UpdateRegisteredButtons();
}

}  // namespace tollward
