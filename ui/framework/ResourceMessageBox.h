// A message box whose text and caption are both entries of the string table.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

// Shows string `textId` captioned with string `captionId`, owned by `owner`. Returns the button.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style);

}  // namespace tollward::ui
