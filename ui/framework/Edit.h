// An edit field of a dialog, by its handle.
#pragma once

#include "ui/framework/Window.h"

namespace tollward::ui {

class CEdit : public CWindow {
 public:
  explicit CEdit(HWND hwnd = nullptr) : CWindow(hwnd) {}

  void SetLimitText(int characters) const { Send(EM_SETLIMITTEXT, characters); }
  void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
};

}  // namespace tollward::ui
