// Whether the user chose a high-contrast scheme, in which the program's own colors give way.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

inline bool HighContrastOn() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace tollward::ui
