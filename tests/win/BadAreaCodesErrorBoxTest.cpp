// The bad area code list's reports as real message boxes, owned by the window that set itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/RASBadAreaCodes.h"

namespace tollward {
namespace {

// What the timer saw of each box before it closed it.
struct SeenBox {
  int count = 0;
  std::string text;
  HWND owner = nullptr;
  HICON icon = nullptr;
} seen;

BOOL CALLBACK ReadIcon(HWND child, LPARAM) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    return TRUE;
  }
  seen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

BOOL CALLBACK ReadAndCloseBox(HWND window, LPARAM) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  if (std::string(text) != "CRASBadAreaCodes error" || !IsWindowVisible(window)) {
    return TRUE;
  }
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  ++seen.count;
  seen.text = text;
  seen.owner = GetWindow(window, GW_OWNER);
  EnumChildWindows(window, ReadIcon, 0);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// The message box runs its own loop, which still delivers this thread's timers.
void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), ReadAndCloseBox, 0);
}

TEST(BadAreaCodesErrorBox, AReportIsAMessageBoxOwnedByTheWindowWithTheFailuresIcon) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
  {
    CRASBadAreaCodes list;
    list.ownerWindow = owner;
    EXPECT_FALSE(list.Delete("0190"));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.text, "Delete: invalid item (name not found).");
    EXPECT_EQ(seen.owner, owner);
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_ASTERISK));

    EXPECT_STREQ(list.Get(0), "???");
    EXPECT_EQ(seen.count, 2);
    EXPECT_EQ(seen.text, "Get: invalid item number (exceeds array bounds).");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
  }
  EXPECT_EQ(seen.count, 2) << "the failed save on destruction showed a box";
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tollward
