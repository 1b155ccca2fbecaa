// A tooltip control that shows tips for a dialog's controls; the dialog relays mouse messages.
#pragma once

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>

#include "ui/framework/Window.h"

namespace tollward::ui {

class CToolTip : public CWindow {
 public:
  CToolTip() = default;

  // Creates the control, owned by `owner` and destroyed with it.
  bool Create(HWND owner, DWORD style = TTS_ALWAYSTIP);
  // A tip for a control of the owner, shown while the mouse rests on it.
  bool AddTool(HWND control, const char* text) const;
  // Hands a message of the owner's loop to the control, which watches the mouse through them.
  void RelayEvent(const MSG* message) const {
    Send(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
  }
  void Activate(bool active) const { Send(TTM_ACTIVATE, active ? TRUE : FALSE); }
  // `which`: TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP.
  void SetDelayTime(DWORD which, int milliseconds) const {
    Send(TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
  }
  int GetDelayTime(DWORD which) const { return static_cast<int>(Send(TTM_GETDELAYTIME, which)); }
  void SetTipBkColor(COLORREF color) const { Send(TTM_SETTIPBKCOLOR, color); }
  void SetTipTextColor(COLORREF color) const { Send(TTM_SETTIPTEXTCOLOR, color); }
  int GetToolCount() const { return static_cast<int>(Send(TTM_GETTOOLCOUNT)); }
  // The tip text registered for a control, empty if it has none.
  std::string GetToolText(HWND control) const;
};

}  // namespace tollward::ui
