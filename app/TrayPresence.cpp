// The control center in the notification area: its icon, the icon's menu, and the window hiding
// there.
#include "app/TrayPresence.h"

#include <utility>

#include "res/resource.h"
#include "ui/framework/Dpi.h"

namespace tollward {
namespace {

TrayMouse MouseOf(LPARAM message) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      return TrayMouse::kLeftDoubleClick;
    case WM_RBUTTONUP:
      return TrayMouse::kRightRelease;
    default:
      return TrayMouse::kOther;
  }
}

// A status line stays an item of its own command, shown but never chosen.
void SetStatusLine(HMENU popup, UINT id, const std::string& text) {
  ::ModifyMenuA(popup, id, MF_BYCOMMAND | MF_STRING | MF_DISABLED, id, text.c_str());
}

// Shared icons belong to the system, which frees them with the program.
HICON PictureIcon(TrayPicture picture) {
  UINT id = IDI_TRAY_IDLE;
  if (picture == TrayPicture::kMonitoring) {
    id = IDI_TRAY_MONITORING;
  } else if (picture == TrayPicture::kFlash) {
    id = IDI_TRAY_FLASH;
  }
  // The notification area shows small icons at the DPI of the task bar's monitor, which the
  // system DPI stands for.
  const unsigned dpi = ui::DpiOf(nullptr);
  return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_ICON, ui::SystemMetricForDpi(SM_CXSMICON, dpi),
                                         ui::SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
}

}  // namespace

CTrayPresence::CTrayPresence(TrayTexts texts) : state_(*this, std::move(texts)) {}

void CTrayPresence::Prepare(HWND window) {
  window_ = window;
  // Without the menu a right click on the icon shows nothing.
  if (!menu_.LoadMenuResource(IDR_TRAY_MENU)) {
    return;
  }
  ::SetMenuDefaultItem(menu_.GetSubMenu(0), 0, TRUE);
  menu_.SetDpi(ui::DpiOf(window));
  menu_.SetItemBitmap(ID_TRAY_RESTORE, IDB_MENU_RESTORE);
  menu_.SetItemBitmap(ID_TRAY_SCAN_NOW, IDB_MENU_SCAN);
  menu_.SetItemBitmap(ID_TRAY_MONITOR, IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON);
  menu_.SetItemBitmap(ID_TRAY_ABOUT, IDB_MENU_ABOUT);
  menu_.SetItemBitmap(ID_TRAY_SHUTDOWN, IDB_MENU_SHUTDOWN);
  menu_.SetItemBitmap(ID_TRAY_OPTIONS, IDB_MENU_PROPERTIES);
  menu_.SetItemBitmap(ID_TRAY_BAD_AREAS, IDB_MENU_BAD_AREAS);
}

LRESULT CTrayPresence::OnNotify(WPARAM iconId, LPARAM mouseMessage, const MonitorStatus& status,
                                bool busy) {
  switch (state_.OnTrayMouse(static_cast<unsigned>(iconId), MouseOf(mouseMessage), busy)) {
    case TrayMouseAction::kRestore:
      state_.RestoreFromTray();
      return 0;
    case TrayMouseAction::kOpenMenu:
      return OpenMenu(status);
    case TrayMouseAction::kNothing:
      break;
  }
  return 0;
}

LRESULT CTrayPresence::OpenMenu(const MonitorStatus& status) {
  HMENU popup = menu_.GetSubMenu(0);
  if (popup == nullptr) {
    return 1;
  }
  const TrayMenuState shown = state_.MenuState(status);
  ::CheckMenuItem(popup, ID_TRAY_MONITOR,
                  MF_BYCOMMAND | (shown.monitorChecked ? MF_CHECKED : MF_UNCHECKED));
  ::SetMenuDefaultItem(popup, 0, TRUE);
  if (!shown.countLine.empty()) {
    SetStatusLine(popup, ID_TRAY_MONITOR_COUNT, shown.countLine);
  }
  if (!shown.lastScanLine.empty()) {
    SetStatusLine(popup, ID_TRAY_LAST_SCAN, shown.lastScanLine);
  }
  if (!shown.statusActive) {
    ::EnableMenuItem(popup, ID_TRAY_MONITOR_COUNT, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(popup, ID_TRAY_LAST_SCAN, MF_BYCOMMAND | MF_GRAYED);
  }
  // Without the window in front the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(window_);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window_, nullptr);
  ::PostMessageA(window_, WM_NULL, 0, 0);
  return 0;
}

bool CTrayPresence::AddIcon(TrayPicture picture, const std::string& tip) {
  return icon_.Add(window_, CTrayState::kTrayIconId, kCallbackMessage, PictureIcon(picture), tip);
}

bool CTrayPresence::ChangeIcon(TrayPicture picture, const std::string& tip) {
  return icon_.Modify(PictureIcon(picture), tip);
}

bool CTrayPresence::ChangePicture(TrayPicture picture) {
  return icon_.ModifyIcon(PictureIcon(picture));
}

// Top-most while hidden, so that it comes back in front of whatever the user works in.
void CTrayPresence::ShowWindow(bool shown) {
  if (!shown) {
    ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    return;
  }
  ::SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetActiveWindow(window_);
  ::BringWindowToTop(window_);
}

}  // namespace tollward
