// The control center in the notification area: its icon, the icon's menu, and the window hiding
// there; what to show and when is the tray's rules' to say.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "logic/TrayState.h"
#include "ui/controls/BitmapMenu.h"
#include "ui/framework/TrayIcon.h"

namespace tollward {

class CTrayPresence final : public ITrayView {
 public:
  // The icon's mouse events arrive at the window as this message.
  static constexpr UINT kCallbackMessage = WM_APP + 10;

  explicit CTrayPresence(TrayTexts texts);

  CTrayState& state() { return state_; }
  const CTrayState& state() const { return state_; }

  // The menu and its pictures, for the window's DPI.
  void Prepare(HWND window);
  void SetDpi(unsigned dpi) { menu_.SetDpi(dpi); }
  // The menu's owner-drawn items; false for an item of another menu.
  bool DrawItem(const DRAWITEMSTRUCT* draw) const { return menu_.DrawItem(draw); }
  bool MeasureItem(MEASUREITEMSTRUCT* measure) const { return menu_.MeasureItem(measure); }
  // A mouse message of the icon, answered as the rules say for the monitor as it is.
  LRESULT OnNotify(WPARAM iconId, LPARAM mouseMessage, const MonitorStatus& status, bool busy);

  bool AddIcon(TrayPicture picture, const std::string& tip) override;
  bool RemoveIcon() override { return icon_.Remove(); }
  bool ChangeIcon(TrayPicture picture, const std::string& tip) override;
  bool ChangePicture(TrayPicture picture) override;
  void ShowWindow(bool shown) override;

 private:
  LRESULT OpenMenu(const MonitorStatus& status);

  HWND window_ = nullptr;
  ui::CTrayIcon icon_;
  ui::CBitmapMenu menu_;
  CTrayState state_;
};

}  // namespace tollward
