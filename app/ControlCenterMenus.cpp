// The control center's owner-drawn menus: which menu draws and measures an item.
#include "app/ControlCenterDlg.h"

namespace tollward {

bool CControlCenterDlg::OnDrawItem(int id, const DRAWITEMSTRUCT* draw) {
  if (m_trayMenu.DrawItem(draw)) {
    return true;
  }
  if (m_activePopup != nullptr && m_activePopup->DrawItem(draw)) {
    return true;
  }
  return ui::CDialog::OnDrawItem(id, draw);
}

bool CControlCenterDlg::OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) {
  if (m_trayMenu.MeasureItem(measure)) {
    return true;
  }
  if (m_activePopup != nullptr && m_activePopup->MeasureItem(measure)) {
    return true;
  }
  return ui::CDialog::OnMeasureItem(id, measure);
}

}  // namespace tollward
