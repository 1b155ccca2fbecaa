// The one way the program puts a box before the user: the system's message box.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward {

// Shows `text` under `caption` with the buttons and icon of the MB_ `style`, owned by `owner`;
// without an owner the thread's active window owns it, so that the box stays in front of the
// window that caused it. A null text or caption is empty. Returns the button pressed; never throws.
// The models' error boxes (ErrorBox.h) are these boxes with OK only, above other windows, and the
// icon of the error's kind.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// Once the session has ended nobody is left to answer, and the system may end the process at any
// moment: while held, ShowMessageBox shows nothing and returns 0, no button.
void HoldMessageBoxes(bool held);

}  // namespace tollward
