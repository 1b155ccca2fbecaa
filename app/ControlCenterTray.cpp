// The control center in the notification area: its icon, hiding into it and coming back, and
// the icon's menu.
#include "app/ControlCenterDlg.h"
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

}  // namespace

void CControlCenterDlg::PrepareTrayMenu() {
  // Without the menu a right click on the icon shows nothing.
  if (!m_trayMenu.LoadMenuResource(IDR_TRAY_MENU)) {
    return;
  }
  ::SetMenuDefaultItem(m_trayMenu.GetSubMenu(0), 0, TRUE);
  m_trayMenu.SetDpi(ui::DpiOf(m_hwnd));
  m_trayMenu.SetItemBitmap(ID_TRAY_RESTORE, IDB_MENU_RESTORE);
  m_trayMenu.SetItemBitmap(ID_TRAY_SCAN_NOW, IDB_MENU_SCAN);
  m_trayMenu.SetItemBitmap(ID_TRAY_MONITOR, IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON);
  m_trayMenu.SetItemBitmap(ID_TRAY_ABOUT, IDB_MENU_ABOUT);
  m_trayMenu.SetItemBitmap(ID_TRAY_SHUTDOWN, IDB_MENU_SHUTDOWN);
  m_trayMenu.SetItemBitmap(ID_TRAY_OPTIONS, IDB_MENU_PROPERTIES);
  m_trayMenu.SetItemBitmap(ID_TRAY_BAD_AREAS, IDB_MENU_BAD_AREAS);
}

LRESULT CControlCenterDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  switch (m_monitor.OnTrayMouse(static_cast<unsigned>(iconId), MouseOf(mouseMessage))) {
    case TrayMouseAction::kRestore:
      RestoreFromTray();
      return 0;
    case TrayMouseAction::kOpenMenu:
      return OpenTrayMenu();
    case TrayMouseAction::kNothing:
      break;
  }
  return 0;
}

LRESULT CControlCenterDlg::OpenTrayMenu() {
  HMENU popup = m_trayMenu.GetSubMenu(0);
  if (popup == nullptr) {
    return 1;
  }
  const TrayMenuState state = m_monitor.MenuState();
  ::CheckMenuItem(popup, ID_TRAY_MONITOR,
                  MF_BYCOMMAND | (state.monitorChecked ? MF_CHECKED : MF_UNCHECKED));
  ::SetMenuDefaultItem(popup, 0, TRUE);
  if (!state.countLine.empty()) {
    SetStatusLine(popup, ID_TRAY_MONITOR_COUNT, state.countLine);
  }
  if (!state.lastScanLine.empty()) {
    SetStatusLine(popup, ID_TRAY_LAST_SCAN, state.lastScanLine);
  }
  if (!state.statusActive) {
    ::EnableMenuItem(popup, ID_TRAY_MONITOR_COUNT, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(popup, ID_TRAY_LAST_SCAN, MF_BYCOMMAND | MF_GRAYED);
  }
  // Without the window in front the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(m_hwnd);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, m_hwnd, nullptr);
  Post(WM_NULL);
  return 0;
}

bool CControlCenterDlg::OnTrayCommand(int id) {
  switch (id) {
    case ID_TRAY_RESTORE:
      RestoreFromTray();
      return true;
    case ID_TRAY_SCAN_NOW:
      m_monitor.OnMonitorTick();
      return true;
    case ID_TRAY_MONITOR:
      m_monitor.OnMonitorMenuItem();
      return true;
    // The menu does what the control center's buttons do.
    case ID_TRAY_BAD_AREAS:
      return OnCommand(IDC_BAD_AREAS, BN_CLICKED, GetDlgItem(IDC_BAD_AREAS));
    case ID_TRAY_OPTIONS:
      return OnCommand(IDC_OPTIONS, BN_CLICKED, GetDlgItem(IDC_OPTIONS));
    case ID_TRAY_ABOUT:
      return OnCommand(IDC_ABOUT, BN_CLICKED, GetDlgItem(IDC_ABOUT));
    case ID_TRAY_SHUTDOWN:
      Quit(WayOut::kShutdown);
      return true;
    default:
      return false;
  }
}

bool CControlCenterDlg::MinimizeToTray() {
  return m_monitor.MinimizeToTray();
}

bool CControlCenterDlg::RestoreFromTray() {
  return m_monitor.RestoreFromTray();
}

bool CControlCenterDlg::AddTrayIcon() {
  return m_trayIcon.Add(m_hwnd, MonitorCycle::kTrayIconId, kTrayCallbackMessage,
                        TrayPictureIcon(TrayPicture::kIdle), m_monitor.TrayTip(false));
}

// Shared icons belong to the system, which frees them with the program.
HICON CControlCenterDlg::TrayPictureIcon(TrayPicture picture) const {
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

// Top-most while hidden, so that it comes back in front of whatever the user works in.
void CControlCenterDlg::HideIntoTray() {
  ::SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
}

void CControlCenterDlg::ShowFromTray() {
  ::SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetActiveWindow(m_hwnd);
  ::BringWindowToTop(m_hwnd);
}

}  // namespace tollward
