// An edit field of a dialog, by its handle.
#pragma once

#include "ui/framework/Window.h"

namespace tollward::ui {

class CEdit : public CWindow {
 public:
  explicit CEdit(HWND hwnd = nullptr) : CWindow(hwnd) {}

  void SetLimitText(int characters) const { Send(EM_SETLIMITTEXT, characters); }
  int GetLimitText() const { return static_cast<int>(Send(EM_GETLIMITTEXT)); }
  void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
  void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
  bool IsReadOnly() const { return (::GetWindowLongA(m_hwnd, GWL_STYLE) & ES_READONLY) != 0; }
};

}  // namespace tollward::ui
