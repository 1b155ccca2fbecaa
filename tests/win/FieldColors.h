// Reads the colors a dialog's field paints in, by asking the dialog as the field itself does.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

namespace tollward::testing {

struct FieldColors {
  HBRUSH brush;         // null: the dialog left the answer to the platform's defaults
  COLORREF brushColor;  // CLR_INVALID without a brush
  COLORREF text;        // as the answer left the device context
  COLORREF background;
};

// The answer to the WM_CTLCOLORSTATIC query that a read-only edit sends before it paints.
FieldColors QueryFieldColors(HWND dialog, HWND field);
inline FieldColors QueryFieldColors(HWND dialog, int id) {
  return QueryFieldColors(dialog, ::GetDlgItem(dialog, id));
}

HFONT FontOf(HWND window);

// "red", "green", "grey" for the report's colors, else the hex value; for readable failures.
std::string ColorName(COLORREF color);

}  // namespace tollward::testing
