// The font the color field paints in, without Win32, so that its choices are tested natively.
#pragma once

#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

// A positive height asks for that cell height; 600 is semi-bold; 1 is the platform's default
// character set; every other choice is left to the platform.
constexpr FontParameters ColorFieldFont(int cellHeight, int averageWidth) {
  return FontParameters{cellHeight, averageWidth, 0, 0, 600, false, false, false, 1, 0, 0, 0,
                        0,          nullptr};
}

}  // namespace tollward::ui
