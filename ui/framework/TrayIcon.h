// The one icon of a window in the notification area; it goes with its owner however that ends.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

namespace tollward::ui {

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon() { Remove(); }
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Registers the icon for the window; mouse events arrive there as `callbackMessage`.
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip);
  // Picture and tip; a tip longer than the notification area takes is cut.
  bool Modify(HICON icon, const std::string& tip);
  bool ModifyIcon(HICON icon);
  // True when no icon is left registered.
  bool Remove();
  bool IsAdded() const { return m_added; }

 private:
  HWND m_owner = nullptr;
  UINT m_id = 0;
  bool m_added = false;
};

}  // namespace tollward::ui
