// The monitor and the tray through the real control center: the start into the tray, the ticks,
// a change of the phonebook file between them, the tray menu, Refresh, and the icon's end.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

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
using testing::HiddenInTrayMonitoring;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using testing::TrayIconShown;
using testing::WindowMatch;
using Names = std::vector<std::string>;

constexpr UINT kTrayCallback = CControlCenterDlg::kTrayCallbackMessage;

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
  // Every command with a picture is drawn by the program.
  bool picturesOwnerDrawn = true;
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
  for (UINT id : {ID_TRAY_RESTORE, ID_TRAY_SCAN_NOW, ID_TRAY_MONITOR, ID_TRAY_BAD_AREAS,
                  ID_TRAY_OPTIONS, ID_TRAY_ABOUT, ID_TRAY_SHUTDOWN}) {
    seen.picturesOwnerDrawn =
        seen.picturesOwnerDrawn && (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_OWNERDRAW) != 0;
  }
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
  EXPECT_TRUE(running.picturesOwnerDrawn && stopped.picturesOwnerDrawn);
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

// The manager opened from the tray: a code that rules out no registered entry leaves the window
// in the tray; one that does brings it back with the entry among the unregistered.
TEST_F(Monitoring, TheTraysBadAreaManagerBringsTheWindowBackOnlyForAnEntryItRulesOut) {
  bool inTrayAfterHarmlessCode = false;
  bool shownAfterBadCode = false;
  Names unregistered;
  Robot robot;
  for (const char* code : {"0900", "0190"}) {
    WaitForTray(robot);
    robot.Then([&] { PostToWindow(WM_COMMAND, ID_TRAY_BAD_AREAS); });
    robot.OnWindow(FromTemplate(IDD_BAD_AREA_CODES), [code](RobotWindow& manager) {
      manager.SetItemText(IDC_BAD_AREA_CODE, code);
      manager.Click(IDC_ADD_BAD_AREA);
      manager.Click(IDOK);
    });
    robot.When(
        "the manager closed", [] { return DialogsFromTemplate(IDD_BAD_AREA_CODES).empty(); },
        [&, code] {
          if (std::string(code) == "0900") {
            inTrayAfterHarmlessCode = HiddenInTrayMonitoring(window_);
          } else {
            shownAfterBadCode = ::IsWindowVisible(window_) != FALSE;
            unregistered = ListColumn(RobotWindow(window_), IDC_UNREGISTERED_LIST, 0);
          }
        });
  }
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(inTrayAfterHarmlessCode);
  EXPECT_TRUE(shownAfterBadCode);
  EXPECT_EQ((Names{"Fast Access"}), unregistered);
}

// Another program holds the phonebook open without sharing it, so every read of it fails: the
// lists and the store stay, but the monitor stops and says that nothing could be checked.
TEST_F(Monitoring, ATickWhosePhonebookReadFailsLeavesBothListsAndTheStoreAsTheyWere) {
  std::vector<unsigned char> storeBefore;
  HANDLE lock = INVALID_HANDLE_VALUE;
  std::vector<std::string> messages;
  Names registered;
  Names unregistered;
  bool shownMonitorOff = false;
  Robot robot;
  WaitForTray(robot);
  robot.Then([&] {
    storeBefore = testing::ReadBytes(storePath());
    lock =
        ::CreateFileA(phonebookPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    PostToWindow(WM_TIMER, 2);
  });
  robot.OnWindow(testing::AnyMessageBox(), [&](RobotWindow& box) {
    messages.push_back(box.MessageText());
    box.Click(IDOK);
  });
  robot.Then([&] {
    RobotWindow controlCenter(window_);
    registered = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
    unregistered = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    shownMonitorOff =
        ::IsWindowVisible(window_) && ::IsDlgButtonChecked(window_, IDC_MONITOR) == BST_UNCHECKED;
    ::CloseHandle(lock);
    lock = INVALID_HANDLE_VALUE;
    PostToWindow(WM_COMMAND, ID_TRAY_SHUTDOWN);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  if (lock != INVALID_HANDLE_VALUE) {
    ::CloseHandle(lock);
  }
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(0u, messages[0].find("Tollward could not read the list of entries")) << messages[0];
  EXPECT_TRUE(shownMonitorOff);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), registered);
  EXPECT_TRUE(unregistered.empty());
  EXPECT_EQ(storeBefore, testing::ReadBytes(storePath()));
}

TEST_F(Monitoring, ANumberChangedInThePhonebookFileIsFoundWithoutWaitingForTheTick) {
  std::string reported;
  std::string caption;
  bool shown = false;
  Names unregistered;
  Robot robot;
  WaitForTray(robot);
  // No timer message: the interval is a quarter of an hour, far beyond the robot's patience.
  robot.Then([&] {
    std::vector<std::string> lines = PhonebookLines();
    for (std::string& line : lines) {
      if (line == "LocalPhoneNumber=19231770") {
        line = "LocalPhoneNumber=0190555";
      }
    }
    WritePhonebook(lines);
  });
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
    reported = report.ItemText(IDC_ENTRY_NAME);
    report.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("The Tollward Monitor has detected one or more currently "
                                "unregistered connections."),
                 [&](RobotWindow& box) {
                   caption = box.Caption();
                   shown = ::IsWindowVisible(window_) != FALSE;
                   unregistered = ListColumn(RobotWindow(window_), IDC_UNREGISTERED_LIST, 0);
                   box.Click(IDOK);
                 });
  ControlCenterTest::QueueQuitWithYes(robot);
  WatchPhonebook();
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("CityNet", reported);
  EXPECT_EQ("Unregistered connection(s) detected", caption);
  EXPECT_TRUE(shown);
  EXPECT_EQ((Names{"CityNet"}), unregistered);
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

// On many machines the user's phonebook folder is made only by the first connection of his own,
// which may come long after the monitor started; another program can make it just as well.
TEST_F(ControlCenterTest, APhonebookFolderMadeAfterTheMonitorStartedIsWatchedAtOnce) {
  const std::string connections = folder_.Path("Connections");
  const std::string pbk = connections + "\\Pbk";
  ASSERT_TRUE(::CreateDirectoryA(connections.c_str(), nullptr));
  const std::string phonebook = pbk + "\\rasphone.pbk";
  ::SetEnvironmentVariableA("RASPHONE_PBK", phonebook.c_str());
  watcher_ = std::make_unique<CDirectoryPhonebookWatcher>(std::vector<std::string>{phonebook});
  Names unregistered;
  Robot robot;
  robot.When(
      "the control center hidden in the tray, monitoring",
      [] { return HiddenInTrayMonitoring(ControlCenterWindow()); },
      [&] {
        // No timer message: the interval is a quarter of an hour.
        ASSERT_TRUE(::CreateDirectoryA(pbk.c_str(), nullptr));
        testing::WriteBytes(phonebook, {'[', 'I', 'n', 't', 'r', 'u', 'd', 'e', 'r', ']'});
      });
  robot.OnWindow(MessageBoxWith("The Tollward Monitor has detected one or more currently "
                                "unregistered connections."),
                 [&](RobotWindow& box) {
                   unregistered =
                       ListColumn(RobotWindow(ControlCenterWindow()), IDC_UNREGISTERED_LIST, 0);
                   box.Click(IDOK);
                 });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ((Names{"Intruder"}), unregistered);
}

}  // namespace
}  // namespace tollward
