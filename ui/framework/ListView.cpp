// The list view calls that fill in a structure or read a text of unknown length.
#include "ui/framework/ListView.h"

#include <algorithm>
#include <vector>

#include "ui/framework/Dpi.h"
#include "ui/framework/Handles.h"

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

bool CListView::SetItemData(int item, LPARAM data) const {
  LVITEMA info{};
  info.mask = LVIF_PARAM;
  info.lParam = data;
  return SetItem(item, info);
}

bool CListView::SetItem(int item, LVITEMA& info) const {
  info.iItem = item;
  return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
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

void CListView::FillWithLastColumn() const {
  const int count = GetColumnCount();
  if (count == 0) {
    return;
  }
  RECT client{};
  ::GetClientRect(m_hwnd, &client);
  int used = 0;
  for (int column = 0; column + 1 < count; ++column) {
    used += GetColumnWidth(column);
  }
  // The scroll bar may come with the items; its room is kept free from the start.
  const bool scrolls = (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
  const int bar = scrolls ? 0 : SystemMetricForDpi(SM_CXVSCROLL, DpiOf(m_hwnd));
  const int padding = ScaleFor(m_hwnd, 16);
  const int heading = GetStringWidth(GetColumnHeading(count - 1).c_str()) + padding;
  SetColumnWidth(count - 1, std::max(heading, static_cast<int>(client.right) - used - bar));
}

void CListView::SetSmallIcons(const UINT* icons, size_t count, int size) const {
  CImageList list(
      ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(count), 0));
  if (!list) {
    return;
  }
  for (size_t i = 0; i < count; ++i) {
    // The list keeps a copy of the picture, not the icon.
    ::ImageList_AddIcon(list.get(), LoadResourceIcon(icons[i], size).get());
  }
  // The view owns the list from now on, and hands back the one it had, which is ours again.
  HIMAGELIST shown = list.release();
  CImageList previous(reinterpret_cast<HIMAGELIST>(
      Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(shown))));
  if (previous.get() == shown) {
    previous.release();
  }
}

bool CListView::SetItemImage(int item, int image) const {
  LVITEMA info{};
  info.mask = LVIF_IMAGE;
  info.iImage = image;
  return SetItem(item, info);
}

int CListView::GetItemImage(int item) const {
  LVITEMA info{};
  info.mask = LVIF_IMAGE;
  info.iItem = item;
  return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE ? info.iImage : -1;
}

bool CListView::IsItemTextCut(int item, int column) const {
  RECT cell{};
  cell.top = column;
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  if (Send(LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&cell)) == FALSE) {
    return false;
  }
  // The view keeps a margin on both sides of a cell's text.
  const int margin = ScaleFor(m_hwnd, 12);
  return GetStringWidth(GetItemText(item, column).c_str()) + margin > cell.right - cell.left;
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

void CListView::SetColors(COLORREF background, bool highContrast) const {
  const COLORREF shown = highContrast ? ::GetSysColor(COLOR_WINDOW) : background;
  SetBkColor(shown);
  SetTextBkColor(shown);
  SetTextColor(highContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
}

}  // namespace tollward::ui
