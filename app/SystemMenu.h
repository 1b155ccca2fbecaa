// The control center's system menu: the about item, the pictures of its items, and the
// commands a fixed-size window cannot do greyed.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/Handles.h"

namespace tollward {

class CSystemMenu {
 public:
  void Prepare(HWND window);

 private:
  // The menu shows the pictures while the window lives.
  ui::CBitmap aboutItemBitmap_;
  ui::CBitmap closeItemBitmap_;
};

}  // namespace tollward
