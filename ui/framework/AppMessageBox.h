// The application's message box: captioned with the application's title, owned by its window.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

namespace tollward::ui {

// The caption of every application message box; the application sets it from its string table.
void SetAppTitle(const std::string& title);
const std::string& AppTitle();

// Shows text with the given MB_ style; the owner defaults to the thread's active window, so
// that the box stays in front of the dialog that caused it. Returns the button pressed.
int AppMessageBox(const char* text, UINT style, HWND owner = nullptr);

}  // namespace tollward::ui
