// The control center's views' notifications, each handed to its pane.
#include "app/ControlCenterDlg.h"

namespace tollward {

bool CControlCenterDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
  result = 0;
  for (CEntryPane& pane : m_panes) {
    if (pane.OnNotify(id, header, result, OtherPane(m_panes, pane))) {
      return true;
    }
  }
  return false;
}

}  // namespace tollward
