// Reads the colors a dialog's field paints in, by asking the dialog as the field itself does.
#include "tests/win/FieldColors.h"

#include <cstdio>

namespace tollward::testing {

FieldColors QueryFieldColors(HWND dialog, HWND field) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  // Marks that no answer would leave in place.
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkColor(dc, RGB(4, 5, 6));
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
      dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field)));
  FieldColors colors{brush, CLR_INVALID, ::GetTextColor(dc), ::GetBkColor(dc)};
  ::DeleteDC(dc);
  LOGBRUSH info{};
  if (brush != nullptr && ::GetObjectA(brush, sizeof(info), &info) == sizeof(info)) {
    colors.brushColor = info.lbColor;
  }
  return colors;
}

HFONT FontOf(HWND window) {
  return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
}

std::string ColorName(COLORREF color) {
  switch (color) {
    case RGB(208, 255, 208):
      return "green";
    case RGB(255, 208, 208):
      return "red";
    case RGB(192, 192, 192):
      return "grey";
    default: {
      char text[16];
      std::snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
      return text;
    }
  }
}

}  // namespace tollward::testing
