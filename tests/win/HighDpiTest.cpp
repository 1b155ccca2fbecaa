// The program at 150 and 200 %: the same checks run in this process at the display's DPI, and
// in a copy of this test program started at each larger DPI of the prefix.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"
#include "ui/controls/BitmapMenu.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/Handles.h"
#include "ui/framework/ListView.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::FromTemplate;
using testing::Robot;
using testing::RobotWindow;

// The DPI the process was started for: the copy at a larger DPI is told it, and first makes
// sure that it runs at it.
unsigned ExpectedDpi() {
  const char* asked = std::getenv("TOLLWARD_EXPECTED_DPI");
  return asked != nullptr ? static_cast<unsigned>(std::atoi(asked)) : ui::DpiOf(nullptr);
}

SIZE TextExtent(HWND window, const std::string& text) {
  HDC dc = ::GetDC(window);
  HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, 0, 0};
  ::DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  ::SelectObject(dc, previous);
  ::ReleaseDC(window, dc);
  return SIZE{rect.right, rect.bottom};
}

// What of a label's or a button's width is left for its text.
int RoomForText(HWND control, unsigned dpi) {
  RECT client{};
  ::GetClientRect(control, &client);
  char name[32] = {};
  ::GetClassNameA(control, name, sizeof(name));
  if (::lstrcmpiA(name, "Button") != 0) {
    return client.right;
  }
  const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
    const bool pushLike = (::GetWindowLongA(control, GWL_STYLE) & BS_PUSHLIKE) != 0;
    return client.right -
           (pushLike ? ui::ScaleForDpi(4, dpi)
                     : ui::SystemMetricForDpi(SM_CXMENUCHECK, dpi) + ui::ScaleForDpi(4, dpi));
  }
  // A group box's caption starts a little way in and may run up to its right edge.
  return client.right - ui::ScaleForDpi(type == BS_GROUPBOX ? 8 : 4, dpi);
}

TEST(AtTheDisplaysDpi, TheProcessRunsAtTheDpiItWasStartedFor) {
  EXPECT_EQ(ExpectedDpi(), ui::DpiOf(nullptr));
}

TEST(AtTheDisplaysDpi, EveryDialogShowsItsLabelsAndButtonTextsWhole) {
  const unsigned dpi = ui::DpiOf(nullptr);
  for (UINT id : {IDD_CONTROL_CENTER, IDD_ABOUTBOX, IDD_OPTIONS, IDD_BAD_AREA_CODES,
                  IDD_MANIPULATED_CONNECTION, IDD_CHANGE_USER_PASS}) {
    SCOPED_TRACE(id);
    ui::CDialog dialog(id);
    ASSERT_TRUE(dialog.Create());
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      char name[32] = {};
      ::GetClassNameA(child, name, sizeof(name));
      const LONG style = ::GetWindowLongA(child, GWL_STYLE);
      const bool label = ::lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
      const bool button = ::lstrcmpiA(name, "Button") == 0 && (style & BS_ICON) == 0;
      const std::string text = ui::CWindow(child).GetText();
      // Hidden controls (the control center's default and Cancel buttons) show no text.
      if ((!label && !button) || text.empty() || (style & WS_VISIBLE) == 0) {
        continue;
      }
      EXPECT_LE(TextExtent(child, text).cx, RoomForText(child, dpi)) << text;
    }
  }
}

TEST(AtTheDisplaysDpi, MenuItemsAreAsTallAsTheirTextWithPicturesOfTheDpi) {
  const unsigned dpi = ui::DpiOf(nullptr);
  ui::CBitmapMenu menu;
  ASSERT_TRUE(menu.LoadMenuResource(IDR_TRAY_MENU));
  menu.SetDpi(dpi);
  ASSERT_TRUE(menu.SetItemBitmap(ID_TRAY_RESTORE, IDB_MENU_RESTORE));
  const SIZE picture = ui::BitmapSize(menu.Item(ID_TRAY_RESTORE)->normalBitmap());
  // Drawn for the scale, never stretched: at least the 13 pixels of 100 % grown with the DPI,
  // give or take the rounding of the sets.
  EXPECT_GE(picture.cy, ui::ScaleForDpi(13, dpi) - 1);

  const LOGFONTA menuFont = ui::MenuFontForDpi(dpi);
  HFONT font = ::CreateFontIndirectA(&menuFont);
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, font);
  SIZE text{};
  const std::string& label = menu.Item(ID_TRAY_RESTORE)->text();
  ::GetTextExtentPoint32A(screen, label.c_str(), static_cast<int>(label.size()), &text);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(font);

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = ID_TRAY_RESTORE;
  ASSERT_TRUE(menu.MeasureItem(&measure));
  EXPECT_GE(static_cast<int>(measure.itemHeight), text.cy);
  EXPECT_GE(static_cast<int>(measure.itemHeight), picture.cy);
  EXPECT_GE(static_cast<int>(measure.itemWidth), text.cx + picture.cx);
}

TEST(AtTheDisplaysDpi, TheAboutBoxsBannerFillsItsPlaceDrawnForTheDpi) {
  ui::CAboutDlg about;
  ASSERT_TRUE(about.Create());
  HWND picture = about.GetDlgItem(IDC_DIALOG_PICTURE);
  const auto bitmap =
      reinterpret_cast<HBITMAP>(::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  RECT room{};
  ::GetClientRect(picture, &room);
  const SIZE size = ui::BitmapSize(bitmap);
  EXPECT_EQ(room.right, size.cx);
  EXPECT_EQ(room.bottom, size.cy);
  // Left of its word the banner is dark blue from top to bottom: a picture that failed to load
  // would be black or empty there.
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, bitmap);
  const COLORREF middle = ::GetPixel(dc, size.cx / 10, size.cy / 2);
  ::SelectObject(dc, previous);
  ::DeleteDC(dc);
  EXPECT_GT(GetBValue(middle), GetRValue(middle) + 20) << std::hex << middle;
}

class AtTheDisplaysDpiCenter : public ControlCenterTest {};

TEST_F(AtTheDisplaysDpiCenter, EveryListColumnIsAtLeastAsWideAsItsHeading) {
  WriteFourEntries();
  std::vector<std::string> cut;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    for (int id : {IDC_UNREGISTERED_LIST, IDC_REGISTERED_LIST}) {
      const ui::CListView view(::GetDlgItem(controlCenter.hwnd(), id));
      for (int column = 0; column < view.GetColumnCount(); ++column) {
        const std::string heading = view.GetColumnHeading(column);
        if (view.GetColumnWidth(column) < view.GetStringWidth(heading.c_str())) {
          cut.push_back(heading);
        }
      }
    }
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(std::vector<std::string>{}, cut);
}

// A move to a monitor of twice the DPI: the window takes the size the system suggests, and the
// tray menu's items are measured with the pictures drawn for 200 %.
TEST_F(AtTheDisplaysDpiCenter, AMoveToAMonitorOfAnotherDpiResizesTheWindowAndItsMenuItems) {
  WriteFourEntries();
  RECT before{}, after{};
  RECT suggested{};
  UINT itemHeight = 0;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    ::GetWindowRect(controlCenter.hwnd(), &before);
    suggested = RECT{before.left, before.top, before.left + 2 * (before.right - before.left),
                     before.top + 2 * (before.bottom - before.top)};
    ::SendMessageA(controlCenter.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(controlCenter.hwnd(), &after);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = ID_TRAY_RESTORE;
    ::SendMessageA(controlCenter.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    itemHeight = measure.itemHeight;
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(suggested.right - suggested.left, after.right - after.left);
  EXPECT_EQ(suggested.bottom - suggested.top, after.bottom - after.top);
  // The 26-pixel picture of 200 % with room above and below.
  EXPECT_GE(itemHeight, 26u + 2);
}

// Sets the prefix's DPI for the processes started while it lives, and puts the old one back.
class LogPixels {
 public:
  explicit LogPixels(DWORD dpi) {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof(previous_);
    had_ = ::RegQueryValueExA(key_, "LogPixels", nullptr, nullptr,
                              reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS;
    ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                     sizeof(dpi));
  }
  ~LogPixels() {
    if (had_) {
      ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                       sizeof(previous_));
    } else {
      ::RegDeleteValueA(key_, "LogPixels");
    }
    ::RegCloseKey(key_);
  }
  LogPixels(const LogPixels&) = delete;
  LogPixels& operator=(const LogPixels&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool had_ = false;
};

// Runs this program's checks above in a copy started at `dpi`; its output joins this one's.
DWORD RunChecksAt(unsigned dpi) {
  LogPixels scope(dpi);
  const std::string value = std::to_string(dpi);
  ::SetEnvironmentVariableA("TOLLWARD_EXPECTED_DPI", value.c_str());
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string commandLine = '"' + std::string(exe) + "\" --gtest_filter=AtTheDisplaysDpi*";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
  ::SetEnvironmentVariableA("TOLLWARD_EXPECTED_DPI", nullptr);
  if (!started) {
    return static_cast<DWORD>(-1);
  }
  DWORD code = static_cast<DWORD>(-2);
  if (::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &code);
  } else {
    ::TerminateProcess(process.hProcess, 99);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

TEST(HighDpi, AtOneAndAHalfAndTwiceTheDpiTheChecksPassToo) {
  for (unsigned dpi : {144u, 192u}) {
    EXPECT_EQ(0u, RunChecksAt(dpi)) << "the checks at " << dpi << " DPI failed (output above)";
  }
}

}  // namespace
}  // namespace tollward
