// The bad area code list's reports as real message boxes, owned by the window that set itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/RASBadAreaCodes.h"

namespace tollward {
namespace {

// What the timer saw of the box before it closed it.
struct SeenBox {
  int count = 0;
  std::string text;
  HWND owner = nullptr;
  HICON icon = nullptr;
};

SeenBox seen;

BOOL CALLBACK FindIcon(HWND child, LPARAM result) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    return TRUE;
  }
  *reinterpret_cast<HICON*>(result) =
      reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

BOOL CALLBACK ReadAndCloseBox(HWND window, LPARAM) {
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (std::string(caption) != "CRASBadAreaCodes error" || !IsWindowVisible(window)) {
    return TRUE;
  }
  char text[512] = {};
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  ++seen.count;
  seen.text = text;
  seen.owner = GetWindow(window, GW_OWNER);
  EnumChildWindows(window, FindIcon, reinterpret_cast<LPARAM>(&seen.icon));
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// The message box runs its own loop, which still delivers this thread's timers.
void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), ReadAndCloseBox, 0);
}

TEST(BadAreaCodesErrorBox, AReportIsAMessageBoxOwnedByTheWindowWithTheFailuresIcon) {
  HWND owner = CreateWindowExA(0, "STATIC", "bad area codes", WS_POPUP | WS_VISIBLE, 10, 10, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
  ASSERT_NE(timer, 0u);
  {
    CRASBadAreaCodes list;
    list.ownerWindow = owner;

    seen = SeenBox{};
    EXPECT_FALSE(list.Delete("0190"));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.text, "Delete: invalid item (name not found).");
    EXPECT_EQ(seen.owner, owner);
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_ASTERISK));

    seen = SeenBox{};
    EXPECT_STREQ(list.Get(0), "???");
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.text, "Get: invalid item number (exceeds array bounds).");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));

    // Leaving with no path fails on destruction, and that must not show a box.
    seen = SeenBox{};
  }
  EXPECT_EQ(seen.count, 0);
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tollward
