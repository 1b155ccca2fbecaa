// The control center's system menu: the about item, the pictures of its items, and the
// commands a fixed-size window cannot do greyed.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/LoadedBitmap.h"

namespace tollward {

class CSystemMenu {
 public:
  void Prepare(HWND window);

 private:
  // The menu shows the pictures while the window lives.
  ui::CLoadedBitmap aboutItemBitmap_;
  ui::CLoadedBitmap closeItemBitmap_;
};

}  // namespace tollward
