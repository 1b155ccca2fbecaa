// The control center's owner-drawn menus: the tray's, then the context menu a pane is tracking.
#include "app/ControlCenterDlg.h"
#include "res/resource.h"

namespace tollward {

bool CControlCenterDlg::OnDrawItem(int id, const DRAWITEMSTRUCT* draw) {
  if (m_monitor.DrawItem(draw)) {
    return true;
  }
  for (const CEntryPane& pane : m_panes) {
    if (pane.DrawMenuItem(draw)) {
      return true;
    }
  }
  return ui::CDialog::OnDrawItem(id, draw);
}

bool CControlCenterDlg::OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) {
  if (m_monitor.MeasureItem(measure)) {
    return true;
  }
  for (const CEntryPane& pane : m_panes) {
    if (pane.MeasureMenuItem(measure)) {
      return true;
    }
  }
  return ui::CDialog::OnMeasureItem(id, measure);
}

}  // namespace tollward
