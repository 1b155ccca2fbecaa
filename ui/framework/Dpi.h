// The DPI a window is shown at and the system's sizes for it, on every system since Windows 7:
// the per-monitor calls are looked up, and without them the system DPI answers.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/DpiScale.h"

namespace tollward::ui {

// The DPI of the monitor the window is on (the system DPI for none).
unsigned DpiOf(HWND window);
// A system metric (SM_CXSMICON, ...) as the system gives it at `dpi`.
int SystemMetricForDpi(int index, unsigned dpi);
// The font the system draws menus with at `dpi`.
LOGFONTA MenuFontForDpi(unsigned dpi);
// The font of message boxes and status texts at `dpi`, the base of fonts the program makes.
LOGFONTA MessageFontForDpi(unsigned dpi);

inline int ScaleFor(HWND window, int pixelsAt96) {
  return ScaleForDpi(pixelsAt96, DpiOf(window));
}

}  // namespace tollward::ui
