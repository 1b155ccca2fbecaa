// The application's message box: captioned with the application's title, owned by its window.
#include "ui/framework/AppMessageBox.h"

namespace tollward::ui {
namespace {
std::string& Title() {
  static std::string title = "Tollward";
  return title;
}
}  // namespace

void SetAppTitle(const std::string& title) {
  Title() = title;
}

const std::string& AppTitle() {
  return Title();
}

int AppMessageBox(const char* text, UINT style, HWND owner) {
  if (owner == nullptr) {
    owner = GetActiveWindow();
  }
  return MessageBoxA(owner, text != nullptr ? text : "", Title().c_str(), style);
}

}  // namespace tollward::ui
