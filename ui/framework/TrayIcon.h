// The one icon of a window in the notification area; it goes with its owner however that ends.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "platform/win32/UniqueHandle.h"

namespace tollward::ui {

// What the shell knows the icon by: its window and its number there.
struct TrayRegistration {
  HWND owner = nullptr;
  UINT id = 0;
  bool operator==(const TrayRegistration& other) const {
    return owner == other.owner && id == other.id;
  }
};

// Asks the shell once to take the icon away.
void RemoveFromTray(TrayRegistration registration);

class CTrayIcon {
 public:
  // Registers the icon for the window; mouse events arrive there as `callbackMessage`.
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip);
  // Picture and tip; a tip longer than the notification area takes is cut.
  bool Modify(HICON icon, const std::string& tip);
  bool ModifyIcon(HICON icon);
  // True when no icon is left registered; one the shell would not take away stays registered,
  // to be removed again.
  bool Remove();
  bool IsAdded() const { return static_cast<bool>(registration_); }

 private:
  CUniqueHandle<TrayRegistration, &RemoveFromTray> registration_;
};

}  // namespace tollward::ui
