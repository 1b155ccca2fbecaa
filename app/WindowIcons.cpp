// The control center's icons: the title bar's and the task bar's, drawn for the window's DPI,
// and the one a minimized window of the old shells shows.
#include "app/WindowIcons.h"

#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/Window.h"

namespace tollward {

CWindowIcons::CWindowIcons()
    : sharedIcon_(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TOLLWARD))) {}

void CWindowIcons::Show(HWND window, unsigned dpi) {
  bigIcon_ = ui::LoadResourceIcon(IDI_TOLLWARD, ui::SystemMetricForDpi(SM_CXICON, dpi));
  smallIcon_ = ui::LoadResourceIcon(IDI_TOLLWARD, ui::SystemMetricForDpi(SM_CXSMICON, dpi));
  ui::CWindow(window).SetIcons(bigIcon_ ? bigIcon_.get() : sharedIcon_,
                               smallIcon_ ? smallIcon_.get() : sharedIcon_);
}

// A minimized window of the old shells showed its client area as the icon.
bool CWindowIcons::PaintIconic(HWND window) const {
  if (!::IsIconic(window)) {
    return false;
  }
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window, &paint);
  ::SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client{};
  ::GetClientRect(window, &client);
  const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, sharedIcon_);
  ::EndPaint(window, &paint);
  return true;
}

}  // namespace tollward
