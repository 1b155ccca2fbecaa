// The window handle's calls that are more than one line: text of any length and centring.
#include "ui/framework/Window.h"

#include <algorithm>
#include <vector>

namespace tollward::ui {

POINT CenteredOrigin(const RECT& window, const RECT& area, const RECT& bounds) {
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  LONG x = area.left + ((area.right - area.left) - width) / 2;
  LONG y = area.top + ((area.bottom - area.top) - height) / 2;
  // The right and bottom edges first, so that a window larger than the bounds keeps its caption
  // and its left edge on the screen.
  x = std::max(std::min(x, bounds.right - width), bounds.left);
  y = std::max(std::min(y, bounds.bottom - height), bounds.top);
  return POINT{x, y};
}

std::string CWindow::GetText() const {
  const int length = ::GetWindowTextLengthA(m_hwnd);
  if (length <= 0) {
    return std::string();
  }
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int copied = ::GetWindowTextA(m_hwnd, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<size_t>(std::max(copied, 0)));
}

bool CWindow::CenterWindow(HWND alternateOwner) const {
  if (m_hwnd == nullptr) {
    return false;
  }
  HWND reference = alternateOwner;
  if (reference == nullptr) {
    reference = ::GetWindow(m_hwnd, GW_OWNER);
    if (reference != nullptr && (!::IsWindowVisible(reference) || ::IsIconic(reference))) {
      reference = nullptr;
    }
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  HMONITOR handle =
      ::MonitorFromWindow(reference != nullptr ? reference : m_hwnd, MONITOR_DEFAULTTOPRIMARY);
  if (!::GetMonitorInfoA(handle, &monitor)) {
    return false;
  }
  RECT area = monitor.rcWork;
  if (reference != nullptr) {
    ::GetWindowRect(reference, &area);
  }
  const POINT origin = CenteredOrigin(GetWindowRect(), area, monitor.rcWork);
  return ::SetWindowPos(m_hwnd, nullptr, origin.x, origin.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

}  // namespace tollward::ui
