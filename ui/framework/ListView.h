// A list view control of a dialog, by its handle; the report-view calls the program uses.
#pragma once

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>

#include "ui/framework/Window.h"

namespace tollward::ui {

class CListView : public CWindow {
 public:
  explicit CListView(HWND hwnd = nullptr) : CWindow(hwnd) {}

  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  int GetSelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
  // The item last selected, or -1.
  int GetSelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int item) const {
    return static_cast<int>(Send(LVM_SETSELECTIONMARK, 0, item));
  }
  int GetColumnCount() const {
    return static_cast<int>(::SendMessageA(GetHeader(), HDM_GETITEMCOUNT, 0, 0));
  }
  HWND GetHeader() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

  // The index of the new column or item, -1 on failure.
  int InsertColumn(int column, const char* heading, int width, int format = LVCFMT_LEFT) const;
  int InsertItem(int item, const char* text) const;
  // The item's own value, kept with it whatever the view's sorting does to its position.
  bool SetItemData(int item, LPARAM data) const;
  bool SetItemText(int item, int subItem, const char* text) const;
  std::string GetItemText(int item, int subItem) const;
  // Selects and focuses the item and makes it the selection mark, as a click does.
  bool SelectItem(int item) const;
  // The item under a point in client coordinates, or -1.
  int HitTest(POINT point) const;
  // The first item whose column 0 reads `text`, compared as the control does (ignoring case).
  int FindItem(const char* text) const;

  int GetColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column));
  }
  bool SetColumnWidth(int column, int width) const {
    return Send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != FALSE;
  }
  // Pixels of `text` in the view's font.
  int GetStringWidth(const char* text) const {
    return static_cast<int>(Send(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
  }
  // The column's heading, as the header shows it.
  std::string GetColumnHeading(int column) const;
  // `widthAt96` pixels at the view's DPI, and never narrower than the column's heading.
  void FitColumn(int column, int widthAt96) const;
  // The last column takes what the others leave of the view's width beside a vertical scroll
  // bar, so that no horizontal one is needed; never less than its heading.
  void FillWithLastColumn() const;
  // Without a focused item a view that has the focus shows nowhere where it is: the first item
  // then takes the focus (not the selection).
  void FocusFirstItemIfNone() const;
  // Pastel colors as given, or the system's window colors in a high-contrast scheme, where
  // the user's own text color would stand on the pastel.
  void SetColors(COLORREF background, bool highContrast) const;

  // Replaces the view's small image list by one of these icons at `size` pixels; the view owns
  // the list and destroys it with itself.
  void SetSmallIcons(const UINT* icons, size_t count, int size) const;
  bool SetItemImage(int item, int image) const;
  int GetItemImage(int item) const;
  // Whether the column shows the item's text only in part.
  bool IsItemTextCut(int item, int column) const;

  bool DeleteItem(int item) const { return Send(LVM_DELETEITEM, item) != FALSE; }
  bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != FALSE; }
  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  bool SetBkColor(COLORREF color) const { return Send(LVM_SETBKCOLOR, 0, color) != FALSE; }
  COLORREF GetBkColor() const { return static_cast<COLORREF>(Send(LVM_GETBKCOLOR)); }
  bool SetTextBkColor(COLORREF color) const { return Send(LVM_SETTEXTBKCOLOR, 0, color) != FALSE; }
  COLORREF GetTextBkColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR)); }
  bool SetTextColor(COLORREF color) const { return Send(LVM_SETTEXTCOLOR, 0, color) != FALSE; }
  // While false, changes are not painted; call it around a refill to avoid flicker.
  void SetRedraw(bool redraw) const { Send(WM_SETREDRAW, redraw ? TRUE : FALSE); }

 private:
  // Sets the fields that `info`'s mask names on the item.
  bool SetItem(int item, LVITEMA& info) const;
};

}  // namespace tollward::ui
