// Hands a control's color query from its parent dialog back to the object behind the control.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

// A control that paints in colors of its own answers the WM_CTLCOLOR* query that the platform
// sends to its parent. The framework's dialog asks the control's handler when its own
// OnMessage leaves the query alone.
class IControlColorHandler {
 public:
  // Prepares `dc` for painting the control and returns the background brush, or null to leave
  // the answer to the dialog's default.
  virtual HBRUSH CtlColor(HDC dc, UINT message) = 0;

 protected:
  ~IControlColorHandler() = default;
};

// Registers `handler` for the control; null removes whatever handler it has.
bool SetControlColorHandler(HWND control, IControlColorHandler* handler);
IControlColorHandler* GetControlColorHandler(HWND control);

// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC.
bool IsControlColorMessage(UINT message);

// The reflected answer for a query the parent received; false when no handler answered.
bool ReflectControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace tollward::ui
