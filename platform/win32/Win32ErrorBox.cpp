// Error reports as the system's message box, owned by the window the report belongs to.
#include "platform/win32/WinApi.h"

#include "platform/ErrorBox.h"

namespace tollward {
namespace {

class Win32ErrorBox final : public IErrorBox {
 public:
  void Show(NativeWindow owner, const char* text, const char* caption, ErrorBoxIcon icon) override {
    const UINT iconStyle = icon == ErrorBoxIcon::kStop ? MB_ICONHAND : MB_ICONASTERISK;
    MessageBoxA(static_cast<HWND>(owner), text != nullptr ? text : "",
                caption != nullptr ? caption : "", MB_OK | MB_TOPMOST | iconStyle);
  }
};

}  // namespace

IErrorBox& SystemErrorBox() {
  static Win32ErrorBox box;
  return box;
}

}  // namespace tollward
