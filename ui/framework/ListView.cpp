// The list view calls that fill in a structure or read a text of unknown length.
#include "ui/framework/ListView.h"

#include <algorithm>
#include <vector>

#include "ui/framework/Dpi.h"

namespace tollward::ui {

int CListView::InsertColumn(int column, const char* heading, int width, int format) const {
  LVCOLUMNA info{};
  info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  info.fmt = format;
  info.cx = width;
  info.pszText = const_cast<char*>(heading != nullptr ? heading : "");
  info.iSubItem = column;
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
}

int CListView::InsertItem(int item, const char* text) const {
  LVITEMA info{};
  info.mask = LVIF_TEXT;
  info.iItem = item;
  info.pszText = const_cast<char*>(text != nullptr ? text : "");
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

bool CListView::SetItemText(int item, int subItem, const char* text) const {
  LVITEMA info{};
  info.iSubItem = subItem;
  info.pszText = const_cast<char*>(text != nullptr ? text : "");
  return Send(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

std::string CListView::GetItemText(int item, int subItem) const {
  // The control copies at most the buffer and says how much it copied, never the full length:
  // grow until the text no longer fills the buffer.
  for (size_t size = 260;; size *= 2) {
    std::vector<char> buffer(size);
    LVITEMA info{};
    info.iSubItem = subItem;
    info.pszText = buffer.data();
    info.cchTextMax = static_cast<int>(size);
    const auto copied =
        static_cast<size_t>(Send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)));
    if (copied + 1 < size || size >= 65536) {
      return std::string(buffer.data(), copied < size ? copied : size - 1);
    }
  }
}

bool CListView::SelectItem(int item) const {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state)) == FALSE) {
    return false;
  }
  SetSelectionMark(item);
  return true;
}

int CListView::HitTest(POINT point) const {
  LVHITTESTINFO info{};
  info.pt = point;
  return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

int CListView::FindItem(const char* text) const {
  LVFINDINFOA info{};
  info.flags = LVFI_STRING;
  info.psz = text != nullptr ? text : "";
  return static_cast<int>(
      Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)));
}

std::string CListView::GetColumnHeading(int column) const {
  char text[256] = {};
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = sizeof(text);
  Send(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  return std::string(text);
}

void CListView::FitColumn(int column, int widthAt96) const {
  // The header pads its text on both sides by about the width of three of its characters.
  const int padding = ScaleFor(m_hwnd, 16);
  const int heading = GetStringWidth(GetColumnHeading(column).c_str()) + padding;
  SetColumnWidth(column, std::max(ScaleFor(m_hwnd, widthAt96), heading));
}

void CListView::FocusFirstItemIfNone() const {
  if (GetItemCount() == 0 || Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0) {
    return;
  }
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED;
  state.state = LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

void CListView::SetColours(COLORREF background, bool highContrast) const {
  const COLORREF shown = highContrast ? ::GetSysColor(COLOR_WINDOW) : background;
  SetBkColor(shown);
  SetTextBkColor(shown);
  SetTextColor(highContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
}

}  // namespace tollward::ui
