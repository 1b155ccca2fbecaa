// The control center's owner-drawn menus: which menu draws an item, and the lists' context menu.
#include "app/ControlCenterDlg.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"

namespace tollward {

bool CControlCenterDlg::OnDrawItem(int id, const DRAWITEMSTRUCT* draw) {
  if (m_monitor.DrawItem(draw)) {
    return true;
  }
  if (m_activePopup != nullptr && m_activePopup->DrawItem(draw)) {
    return true;
  }
  return ui::CDialog::OnDrawItem(id, draw);
}

bool CControlCenterDlg::OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) {
  if (m_monitor.MeasureItem(measure)) {
    return true;
  }
  if (m_activePopup != nullptr && m_activePopup->MeasureItem(measure)) {
    return true;
  }
  return ui::CDialog::OnMeasureItem(id, measure);
}

void CControlCenterDlg::ShowEntryMenu(bool atCursor, EntryView view) {
  POINT at{};
  if (atCursor) {
    ::GetCursorPos(&at);
  } else {
    const ui::CListView& control =
        view == EntryView::kUnregistered ? m_unregisteredView : m_registeredView;
    if (!control.IsWindow()) {
      return;
    }
    const int mark = control.GetSelectionMark();
    if (mark < 0) {
      return;
    }
    POINT item{};
    control.Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(mark), reinterpret_cast<LPARAM>(&item));
    const RECT frame = control.GetWindowRect();
    at = POINT{frame.left + item.x, frame.top + item.y};
  }

  // Made afresh each time, so its pictures live only while it is shown.
  ui::CBitmapMenu menu;
  if (!menu.LoadMenuResource(IDR_ENTRY_MENU)) {
    return;
  }
  menu.SetDpi(ui::DpiOf(m_hwnd));
  const EntryMenuPlan plan = PlanEntryMenu(view, m_options.showExtendedFunctionality);
  HMENU popup = menu.GetSubMenu(plan.popup);
  if (popup == nullptr) {
    return;
  }
  for (const EntryMenuPicture& item : plan.pictures) {
    menu.SetItemBitmap(item.command, item.picture);
  }
  for (unsigned command : plan.removedCommands) {
    ::RemoveMenu(popup, command, MF_BYCOMMAND);
  }
  if (plan.removeSeparator) {
    ::RemoveMenu(popup, plan.separatorPosition, MF_BYPOSITION);
  }
  m_activePopup = &menu;
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hwnd, nullptr);
  m_activePopup = nullptr;
}

// The mouse's own request has been answered by the right click already; only the keyboard's
// (Shift+F10, and the context-menu key where the system turns it into a request) comes without
// a position.
bool CControlCenterDlg::OnContextMenu(HWND window, LPARAM position) {
  const bool noPosition =
      static_cast<short>(LOWORD(position)) == -1 && static_cast<short>(HIWORD(position)) == -1;
  if (!noPosition) {
    return false;
  }
  if (window == m_unregisteredView.GetHwnd()) {
    ShowEntryMenu(false, EntryView::kUnregistered);
    return true;
  }
  if (window == m_registeredView.GetHwnd()) {
    ShowEntryMenu(false, EntryView::kRegistered);
    return true;
  }
  return false;
}

// The menu's commands run exactly what the buttons under the views run.
bool CControlCenterDlg::OnEntryCommand(int id) {
  const int button = ButtonForEntryCommand(static_cast<unsigned>(id));
  return button != 0 && OnCommand(button, BN_CLICKED, GetDlgItem(button));
}

}  // namespace tollward
