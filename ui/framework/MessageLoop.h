// The one way the program's message loops wait for the next message of the thread.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

// Waits for the next message of any window of the thread. False when the loop must end: on an
// error, or on WM_QUIT, which is posted again so that the outermost loop sees it too.
inline bool NextMessage(MSG& message) {
  const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
  if (got == 0) {
    ::PostQuitMessage(static_cast<int>(message.wParam));
  }
  return got > 0;
}

}  // namespace tollward::ui
