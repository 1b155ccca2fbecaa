// The per-monitor DPI calls of Windows 10, looked up at run time, with the system DPI behind them.
#include "ui/framework/Dpi.h"

#include <initializer_list>

#include "ui/framework/Handles.h"

namespace tollward::ui {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Function>
Function User32Function(const char* name) {
  static HMODULE user32 = ::GetModuleHandleA("user32.dll");
  return user32 != nullptr
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)))
             : nullptr;
}

unsigned SystemDpi() {
  const CScreenContext screen = ScreenContext();
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<unsigned>(dpi) : kBaseDpi;
}

LOGFONTA Narrow(const LOGFONTW& wide) {
  LOGFONTA font{};
  font.lfHeight = wide.lfHeight;
  font.lfWidth = wide.lfWidth;
  font.lfEscapement = wide.lfEscapement;
  font.lfOrientation = wide.lfOrientation;
  font.lfWeight = wide.lfWeight;
  font.lfItalic = wide.lfItalic;
  font.lfUnderline = wide.lfUnderline;
  font.lfStrikeOut = wide.lfStrikeOut;
  font.lfCharSet = wide.lfCharSet;
  font.lfOutPrecision = wide.lfOutPrecision;
  font.lfClipPrecision = wide.lfClipPrecision;
  font.lfQuality = wide.lfQuality;
  font.lfPitchAndFamily = wide.lfPitchAndFamily;
  ::WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr,
                        nullptr);
  return font;
}

// The system's non-client fonts at `dpi`; the ANSI call knows only the system DPI, so its
// heights are scaled when the per-monitor call is missing.
NONCLIENTMETRICSA NonClientMetrics(unsigned dpi) {
  NONCLIENTMETRICSA metrics{};
  if (auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi")) {
    NONCLIENTMETRICSW wide{};
    wide.cbSize = sizeof(wide);
    if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof(wide), &wide, 0, dpi) != FALSE) {
      metrics.lfMenuFont = Narrow(wide.lfMenuFont);
      metrics.lfMessageFont = Narrow(wide.lfMessageFont);
      return metrics;
    }
  }
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == FALSE) {
    metrics = NONCLIENTMETRICSA{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &metrics.lfMenuFont);
    metrics.lfMessageFont = metrics.lfMenuFont;
  }
  const unsigned system = SystemDpi();
  for (LOGFONTA* font : {&metrics.lfMenuFont, &metrics.lfMessageFont}) {
    font->lfHeight = ::MulDiv(font->lfHeight, static_cast<int>(dpi), static_cast<int>(system));
  }
  return metrics;
}

}  // namespace

unsigned DpiOf(HWND window) {
  if (window != nullptr) {
    if (auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
      const UINT dpi = forWindow(window);
      if (dpi != 0) {
        return dpi;
      }
    }
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, unsigned dpi) {
  if (auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi")) {
    return forDpi(index, dpi);
  }
  return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

LOGFONTA MenuFontForDpi(unsigned dpi) {
  return NonClientMetrics(dpi).lfMenuFont;
}

LOGFONTA MessageFontForDpi(unsigned dpi) {
  return NonClientMetrics(dpi).lfMessageFont;
}

}  // namespace tollward::ui
