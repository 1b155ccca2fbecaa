// A message box whose text and caption are both entries of the string table.
#include "ui/framework/ResourceMessageBox.h"

#include "ui/framework/ResourceString.h"

namespace tollward::ui {

int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style) {
  const std::string text = LoadResString(textId);
  const std::string caption = LoadResString(captionId);
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace tollward::ui
