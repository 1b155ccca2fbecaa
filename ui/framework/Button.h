// A push button, check box or icon button of a dialog, by its handle.
#pragma once

#include "ui/framework/Window.h"

namespace tollward::ui {

class CButton : public CWindow {
 public:
  explicit CButton(HWND hwnd = nullptr) : CWindow(hwnd) {}

  bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
  HICON SetIcon(HICON icon) const {
    return reinterpret_cast<HICON>(Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  }
};

}  // namespace tollward::ui
