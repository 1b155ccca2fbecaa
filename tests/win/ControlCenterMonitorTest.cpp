// The monitor and the tray through the real control center: the start into the tray, the ticks,
// the tray menu, Refresh, and the icon's end.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <shellapi.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::ControlCenterWindow;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using testing::WindowMatch;
using Names = std::vector<std::string>;

constexpr UINT kTrayCallback = CControlCenterDlg::kTrayCallbackMessage;

// Only a registered icon can be modified.
bool TrayIconShown(HWND owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = 1;
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool HiddenInTrayMonitoring(HWND window) {
  return window != nullptr && !::IsWindowVisible(window) &&
         ::IsDlgButtonChecked(window, IDC_MONITOR) == BST_CHECKED && TrayIconShown(window);
}

WindowMatch PopupMenu() {
  return {"a popup menu", [](HWND hwnd) {
            char name[16] = {};
            ::GetClassNameA(hwnd, name, sizeof(name));
            return std::string(name) == "#32768";
          }};
}

// What the test reads of an open tray menu.
struct MenuSeen {
  bool monitorChecked = false;
  std::string countLine;
  std::string lastScanLine;
  UINT countState = 0;
  UINT lastScanState = 0;
};

MenuSeen ReadMenu(HWND menuWindow) {
  HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  MenuSeen seen;
  char text[128] = {};
  seen.monitorChecked = (::GetMenuState(menu, ID_TRAY_MONITOR, MF_BYCOMMAND) & MF_CHECKED) != 0;
  ::GetMenuStringA(menu, ID_TRAY_MONITOR_COUNT, text, sizeof(text), MF_BYCOMMAND);
  seen.countLine = text;
  ::GetMenuStringA(menu, ID_TRAY_LAST_SCAN, text, sizeof(text), MF_BYCOMMAND);
  seen.lastScanLine = text;
  seen.countState = ::GetMenuState(menu, ID_TRAY_MONITOR_COUNT, MF_BYCOMMAND);
  seen.lastScanState = ::GetMenuState(menu, ID_TRAY_LAST_SCAN, MF_BYCOMMAND);
  return seen;
}

std::string LastScanLine() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char line[64] = {};
  wsprintfA(line, "   (last scan at %02u:%02uh)", now.wHour, now.wMinute);
  return line;
}

class Monitoring : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
    RegisterWholePhonebook();
  }
  // Waits for the start by " /monitor " to end in the tray.
  void WaitForTray(Robot& robot) {
    robot.When(
        "the control center hidden in the tray, monitoring",
        [this] { return HiddenInTrayMonitoring(window_ = ControlCenterWindow()); }, [] {});
  }
  void PostToWindow(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    ::PostMessageA(window_, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

TEST_F(Monitoring, ScanAndMonitorEndInTheTrayWhoseMenuShowsTheMonitorAndShutdownAsksFirst) {
  MenuSeen running;
  MenuSeen stopped;
  bool stillInTrayAfterNo = false;
  Robot robot;
  WaitForTray(robot);
  robot.Then([&] {
    // A clean tick keeps the monitor running in the tray.
    ::SendMessageA(window_, WM_TIMER, 2, 0);
    PostToWindow(kTrayCallback, 1, WM_RBUTTONUP);
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    running = ReadMenu(menu.hwnd());
    ::EndMenu();
  });
  // Once the menu's own loop has ended.
  robot.Then([&] {
    PostToWindow(WM_COMMAND, ID_TRAY_MONITOR);
    PostToWindow(kTrayCallback, 1, WM_RBUTTONUP);
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    stopped = ReadMenu(menu.hwnd());
    ::EndMenu();
  });
  robot.Then([&] {
    PostToWindow(WM_COMMAND, ID_TRAY_MONITOR);
    PostToWindow(WM_COMMAND, ID_TRAY_SHUTDOWN);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDNO); });
  robot.Then([&] {
    stillInTrayAfterNo = HiddenInTrayMonitoring(window_);
    PostToWindow(WM_COMMAND, ID_TRAY_SHUTDOWN);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  {
    auto controlCenter = MakeControlCenter(" /scan /monitor /nosplash");
    EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  }
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_TRUE(running.monitorChecked);
  EXPECT_EQ("   (1 monitorings performed)", running.countLine);
  EXPECT_EQ(LastScanLine(), running.lastScanLine);
  for (UINT state : {running.countState, running.lastScanState}) {
    EXPECT_EQ(static_cast<UINT>(MF_DISABLED), state & (MF_DISABLED | MF_GRAYED));
  }
  // Switched off by the menu: the counter went back to 0, the lines keep their texts, greyed.
  EXPECT_FALSE(stopped.monitorChecked);
  EXPECT_EQ(running.countLine, stopped.countLine);
  EXPECT_EQ(running.lastScanLine, stopped.lastScanLine);
  for (UINT state : {stopped.countState, stopped.lastScanState}) {
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), state & MF_GRAYED);
  }
  EXPECT_TRUE(stillInTrayAfterNo) << "No leaves the icon and the hidden window as they were";
  EXPECT_FALSE(TrayIconShown(window_)) << "no dead icon after the end";
}

TEST_F(Monitoring, ATickThatFindsANewEntryBringsTheWindowBackWithTheMessage) {
  std::string caption;
  bool shown = false;
  bool iconLeft = true;
  bool monitorChecked = true;
  Names unregistered;
  Robot robot;
  WaitForTray(robot);
  robot.Then([&] {
    std::vector<std::string> lines = PhonebookLines();
    lines.insert(lines.end(), {"[Intruder]", "AreaCode=0900", "LocalPhoneNumber=666"});
    WritePhonebook(lines);
    PostToWindow(WM_TIMER, 2);
  });
  robot.OnWindow(MessageBoxWith("The Tollward Monitor has detected one or more currently "
                                "unregistered connections."),
                 [&](RobotWindow& box) {
                   caption = box.Caption();
                   shown = ::IsWindowVisible(window_) != FALSE;
                   iconLeft = TrayIconShown(window_);
                   monitorChecked = ::IsDlgButtonChecked(window_, IDC_MONITOR) == BST_CHECKED;
                   unregistered = ListColumn(RobotWindow(window_), IDC_UNREGISTERED_LIST, 0);
                   box.Click(IDOK);
                 });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("Unregistered connection(s) detected", caption);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(iconLeft);
  EXPECT_FALSE(monitorChecked);
  EXPECT_EQ((Names{"Intruder"}), unregistered);
}

TEST_F(Monitoring, RefreshReportsAChangedEntryThenListsItAndTheMonitorRefusesToStart) {
  std::string reported;
  Names unregistered;
  std::string refusal;
  bool checkedAfterRefusal = true;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    std::vector<std::string> lines = PhonebookLines();
    for (std::string& line : lines) {
      if (line == "LocalPhoneNumber=19231770") {
        line = "LocalPhoneNumber=0190555";
      }
    }
    WritePhonebook(lines);
    controlCenter.Click(IDC_REFRESH);
  });
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
    reported = report.ItemText(IDC_ENTRY_NAME);
    report.Click(IDOK);
  });
  robot.Then([&] {
    RobotWindow controlCenter(ControlCenterWindow());
    unregistered = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    controlCenter.Click(IDC_MONITOR);
  });
  robot.OnWindow(MessageBoxWith("You cannot start the monitor"), [&](RobotWindow& box) {
    refusal = box.Caption();
    box.Click(IDOK);
  });
  robot.Then(
      [&] { checkedAfterRefusal = RobotWindow(ControlCenterWindow()).IsChecked(IDC_MONITOR); });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("CityNet", reported);
  EXPECT_EQ((Names{"CityNet"}), unregistered);
  EXPECT_EQ("Unregistered connections", refusal);
  EXPECT_FALSE(checkedAfterRefusal) << "the button springs back";
}

}  // namespace
}  // namespace tollward
