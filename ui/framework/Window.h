// A window handle with the few calls every window class of the program needs; owns nothing.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

namespace tollward::ui {

// Where a window of the given size goes to be centerd on `area` while staying inside `bounds`
// (the work area of the monitor), so that a large window is never pushed off the screen.
POINT CenteredOrigin(const RECT& window, const RECT& area, const RECT& bounds);

class CWindow {
 public:
  explicit CWindow(HWND hwnd = nullptr) : m_hwnd(hwnd) {}

  HWND GetHwnd() const { return m_hwnd; }
  operator HWND() const { return m_hwnd; }
  void Attach(HWND hwnd) { m_hwnd = hwnd; }
  HWND Detach() {
    HWND hwnd = m_hwnd;
    m_hwnd = nullptr;
    return hwnd;
  }
  bool IsWindow() const { return m_hwnd != nullptr && ::IsWindow(m_hwnd) != FALSE; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hwnd, message, wParam, lParam);
  }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hwnd, message, wParam, lParam) != FALSE;
  }
  // A command as a click of the control `id` would send it, but queued behind what is pending.
  bool PostCommand(int id, int code = BN_CLICKED) const {
    return Post(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(id)));
  }

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hwnd, id); }
  std::string GetText() const;
  bool SetText(const char* text) const { return ::SetWindowTextA(m_hwnd, text) != FALSE; }
  std::string GetItemText(int id) const { return CWindow(GetDlgItem(id)).GetText(); }
  bool SetItemText(int id, const char* text) const {
    return ::SetDlgItemTextA(m_hwnd, id, text) != FALSE;
  }

  bool Show(int command) const { return ::ShowWindow(m_hwnd, command) != FALSE; }
  bool IsVisible() const { return ::IsWindowVisible(m_hwnd) != FALSE; }
  bool Enable(bool enable) const { return ::EnableWindow(m_hwnd, enable ? TRUE : FALSE) != FALSE; }
  bool IsEnabled() const { return ::IsWindowEnabled(m_hwnd) != FALSE; }
  bool ShowItem(int id, bool show) const {
    return ::ShowWindow(GetDlgItem(id), show ? SW_SHOW : SW_HIDE) != FALSE;
  }
  bool EnableItem(int id, bool enable) const {
    return ::EnableWindow(GetDlgItem(id), enable ? TRUE : FALSE) != FALSE;
  }

  UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
    return ::SetTimer(m_hwnd, id, milliseconds, nullptr);
  }
  bool KillTimer(UINT_PTR id) const { return ::KillTimer(m_hwnd, id) != FALSE; }

  RECT GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hwnd, &rect);
    return rect;
  }
  // Above all windows that are not top-most themselves, without moving or resizing.
  bool SetTopmost() const {
    return ::SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
  }
  // Centers on `alternateOwner`, else on the visible owner, else on the monitor's work area.
  bool CenterWindow(HWND alternateOwner = nullptr) const;
  void SetIcons(HICON bigIcon, HICON smallIcon) const {
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  }
  bool Destroy() {
    HWND hwnd = Detach();
    return hwnd != nullptr && ::DestroyWindow(hwnd) != FALSE;
  }

 protected:
  HWND m_hwnd;
};

}  // namespace tollward::ui
