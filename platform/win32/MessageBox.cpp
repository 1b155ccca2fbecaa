// The one way the program puts a box before the user, and the models' error reports as such boxes.
#include "platform/win32/MessageBox.h"

#include "platform/ErrorBox.h"

namespace tollward {
namespace {

class Win32ErrorBox final : public IErrorBox {
 public:
  void Show(NativeWindow owner, const char* text, const char* caption, ErrorBoxIcon icon) override {
    const UINT iconStyle = icon == ErrorBoxIcon::kStop ? MB_ICONHAND : MB_ICONASTERISK;
    ShowMessageBox(static_cast<HWND>(owner), text, caption, MB_OK | MB_TOPMOST | iconStyle);
  }
};

bool g_messageBoxesHeld = false;

}  // namespace

void HoldMessageBoxes(bool held) {
  g_messageBoxesHeld = held;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  if (g_messageBoxesHeld) {
    return 0;
  }
  if (owner == nullptr) {
    owner = ::GetActiveWindow();
  }
  return ::MessageBoxA(owner, text != nullptr ? text : "", caption != nullptr ? caption : "",
                       style);
}

IErrorBox& SystemErrorBox() {
  static Win32ErrorBox box;
  return box;
}

}  // namespace tollward
