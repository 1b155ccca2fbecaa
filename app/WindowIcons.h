// The control center's icons: the title bar's and the task bar's, drawn for the window's DPI,
// and the one a minimized window of the old shells shows.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/Handles.h"

namespace tollward {

class CWindowIcons {
 public:
  CWindowIcons();

  // Loads the big and the small icon in the sizes of `dpi` and gives them to `window`; the
  // shared icon serves where a size cannot be loaded.
  void Show(HWND window, unsigned dpi);
  // WM_PAINT: false unless the window is minimized.
  bool PaintIconic(HWND window) const;
  // WM_QUERYDRAGICON's answer.
  HICON DragIcon() const { return sharedIcon_; }

 private:
  HICON sharedIcon_;
  ui::CIcon bigIcon_;
  ui::CIcon smallIcon_;
};

}  // namespace tollward
