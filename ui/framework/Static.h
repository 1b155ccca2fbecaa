// A static control (label, icon or picture) of a dialog, by its handle.
#pragma once

#include "ui/framework/Window.h"

namespace tollward::ui {

class CStatic : public CWindow {
 public:
  explicit CStatic(HWND hwnd = nullptr) : CWindow(hwnd) {}

  HICON GetIcon() const { return reinterpret_cast<HICON>(Send(STM_GETICON)); }
  HBITMAP SetBitmap(HBITMAP bitmap) const {
    return reinterpret_cast<HBITMAP>(
        Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
  HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(Send(STM_GETIMAGE, IMAGE_BITMAP)); }
};

}  // namespace tollward::ui
