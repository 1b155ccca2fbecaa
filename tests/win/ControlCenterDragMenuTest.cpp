// Dragging entries between the control center's lists, and the lists' context menus.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "options/Options.h"
#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::FromTemplate;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using testing::WindowMatch;
using Names = std::vector<std::string>;

// Sorted rows: CityNet, Fast Access, Office ISDN, university dial-in.
constexpr int kFastAccessRow = 1;
constexpr int kOfficeRow = 2;
const Names kAllFour{"CityNet", "Fast Access", "Office ISDN", "university dial-in"};

WindowMatch PopupMenu() {
  return {"a popup menu", [](HWND hwnd) {
            char name[16] = {};
            ::GetClassNameA(hwnd, name, sizeof(name));
            return std::strcmp(name, "#32768") == 0;
          }};
}

POINT CenterOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class EntryDragAndMenu : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
  }
  void OnControlCenter(Robot& robot, std::function<void(RobotWindow&)> action) {
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [this, action](RobotWindow& found) {
      window_ = found.hwnd();
      action(found);
    });
  }
  RobotWindow window() const { return RobotWindow(window_); }
  HWND item(int id) const { return ::GetDlgItem(window_, id); }

  // Presses the button on a row of a list and moves the mouse with it, as a drag begins.
  void StartDrag(int list, int row) const {
    window().SelectListItem(list, row);
    RECT rect{LVIR_LABEL, 0, 0, 0};
    ::SendMessageA(item(list), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    const int x = rect.left + 10;
    const int y = (rect.top + rect.bottom) / 2;
    ::PostMessageA(item(list), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(item(list), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 30, y + 30));
  }
  // Releases the button over a point of the screen; the control center holds the mouse, so
  // the release reaches it in its own client coordinates.
  void Drop(POINT screen) const {
    ::ScreenToClient(window_, &screen);
    window().Post(WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y));
  }

  void EnableExpertFunctions() {
    testing::FakeCommandLine commandLine(ProgramCommandLine(""));
    COptions options(autostart_, commandLine);
    options.showExtendedFunctionality = true;
    std::string path = programDirectory() + kOptionsFileName;
    ASSERT_TRUE(options.Save(path));
  }

 private:
  HWND window_ = nullptr;
};

TEST_F(EntryDragAndMenu, OnlyADropOnTheOtherViewMovesTheEntry) {
  struct Place {
    const char* where;
    std::function<POINT()> point;
  };
  const std::vector<Place> nowhere = {
      {"the source view", [&] { return CenterOf(item(IDC_UNREGISTERED_LIST)); }},
      {"the target's header",
       [&] {
         return CenterOf(reinterpret_cast<HWND>(
             ::SendMessageA(item(IDC_REGISTERED_LIST), LVM_GETHEADER, 0, 0)));
       }},
      {"a button", [&] { return CenterOf(item(IDC_ABOUT)); }},
      {"outside the window", [&] {
         RECT rect{};
         ::GetWindowRect(window().hwnd(), &rect);
         return POINT{rect.right + 20, rect.bottom + 20};
       }}};
  bool capturedWhileDragging = true;
  bool dragCursor = true;
  std::vector<Names> unregisteredAfter;
  bool releasedAfterDrop = true;
  Names registeredAfterDrop;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow&) {});
  for (const Place& place : nowhere) {
    robot.Then([&] { StartDrag(IDC_UNREGISTERED_LIST, kOfficeRow); });
    robot.Then([&, point = place.point] {
      capturedWhileDragging = capturedWhileDragging && ::GetCapture() == window().hwnd();
      dragCursor = dragCursor && ::GetCursor() == ::LoadCursorA(::GetModuleHandleA(nullptr),
                                                                MAKEINTRESOURCEA(IDCUR_DRAG_ENTRY));
      Drop(point());
    });
    robot.Then([&] {
      unregisteredAfter.push_back(ListColumn(window(), IDC_UNREGISTERED_LIST, 0));
      releasedAfterDrop = releasedAfterDrop && ::GetCapture() == nullptr;
    });
  }
  robot.Then([&] { StartDrag(IDC_UNREGISTERED_LIST, kOfficeRow); });
  robot.Then([&] { Drop(CenterOf(item(IDC_REGISTERED_LIST))); });
  robot.Then([&] {
    registeredAfterDrop = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    // The way back, from the registered view onto the unregistered one.
    StartDrag(IDC_REGISTERED_LIST, 0);
  });
  robot.Then([&] { Drop(CenterOf(item(IDC_UNREGISTERED_LIST))); });
  ControlCenterTest::QueueQuitWithYes(robot);

  std::vector<Names> expected(nowhere.size(), kAllFour);
  auto controlCenter = MakeControlCenter(" /nosplash");
  controlCenter->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(capturedWhileDragging);
  EXPECT_TRUE(dragCursor);
  EXPECT_EQ(expected, unregisteredAfter);
  EXPECT_TRUE(releasedAfterDrop);
  EXPECT_EQ(Names{"Office ISDN"}, registeredAfterDrop);
  controlCenter.reset();
  EXPECT_TRUE(StoredNames().empty()) << "dragged back before the end";
}

TEST_F(EntryDragAndMenu, ADropIsRefusedForABadAreaCode) {
  WriteBadAreaCodes({"0190"});
  std::string refusal;
  Names unregistered;
  int registeredRows = -1;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow&) { StartDrag(IDC_UNREGISTERED_LIST, kFastAccessRow); });
  robot.Then([&] { Drop(CenterOf(item(IDC_REGISTERED_LIST))); });
  robot.OnWindow(MessageBoxWith("bad area code"), [&](RobotWindow& box) {
    refusal = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] {
    unregistered = ListColumn(window(), IDC_UNREGISTERED_LIST, 0);
    registeredRows = window().ListCount(IDC_REGISTERED_LIST);
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("This connection can't be registered, because it contains a bad area code.", refusal);
  EXPECT_EQ(kAllFour, unregistered);
  EXPECT_EQ(0, registeredRows);
}

// What the context-menu key showed: the menu's commands, whether it had a separator, and where.
struct ShownMenu {
  std::vector<UINT> commands;
  bool separator = false;
  bool ownerDrawn = true;
  POINT origin{};
};

ShownMenu ReadMenu(HWND menuWindow) {
  ShownMenu shown;
  HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
    shown.separator = shown.separator || (state & MF_SEPARATOR) != 0;
    shown.ownerDrawn = shown.ownerDrawn && (state & MF_OWNERDRAW) != 0;
    shown.commands.push_back(::GetMenuItemID(menu, i));
  }
  RECT rect{};
  ::GetWindowRect(menuWindow, &rect);
  shown.origin = POINT{rect.left, rect.top};
  return shown;
}

TEST_F(EntryDragAndMenu, TheContextMenuKeyShowsTheViewsCommandsAtTheSelectedItem) {
  ShownMenu plain;
  POINT expectedOrigin{};
  bool menuWithoutSelection = true;
  Names registeredAfterCommand;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kOfficeRow);
    POINT position{};
    ::SendMessageA(item(IDC_UNREGISTERED_LIST), LVM_GETITEMPOSITION, kOfficeRow,
                   reinterpret_cast<LPARAM>(&position));
    RECT frame{};
    ::GetWindowRect(item(IDC_UNREGISTERED_LIST), &frame);
    expectedOrigin = POINT{frame.left + position.x, frame.top + position.y};
    controlCenter.PressKey(IDC_UNREGISTERED_LIST, VK_APPS);
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    plain = ReadMenu(menu.hwnd());
    ::EndMenu();
  });
  // The registered view has no entry, so nothing is selected there.
  robot.Then([&] { window().PressKey(IDC_REGISTERED_LIST, VK_APPS); });
  robot.Then([&] {
    menuWithoutSelection = false;
    for (HWND shown : robot.NewWindows()) {
      menuWithoutSelection = menuWithoutSelection || PopupMenu().test(shown);
    }
    ::EndMenu();
    // The menu's command runs what the button under the view runs.
    window().Command(ID_ENTRY_REGISTER);
  });
  robot.Then([&] { registeredAfterCommand = ListColumn(window(), IDC_REGISTERED_LIST, 0); });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(std::vector<UINT>{ID_ENTRY_REGISTER}, plain.commands);
  EXPECT_FALSE(plain.separator);
  EXPECT_TRUE(plain.ownerDrawn);
  EXPECT_EQ(expectedOrigin.x, plain.origin.x);
  EXPECT_EQ(expectedOrigin.y, plain.origin.y);
  EXPECT_FALSE(menuWithoutSelection);
  EXPECT_EQ(Names{"Office ISDN"}, registeredAfterCommand);
}

// Shift+F10 and the context-menu key reach a window as a request without a position.
TEST_F(EntryDragAndMenu, AKeyboardsContextMenuRequestShowsTheMenuOfTheListWithASelection) {
  ShownMenu shown;
  bool menuWithoutSelection = true;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kOfficeRow);
    ::PostMessageA(item(IDC_UNREGISTERED_LIST), WM_CONTEXTMENU,
                   reinterpret_cast<WPARAM>(item(IDC_UNREGISTERED_LIST)), static_cast<LPARAM>(-1));
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    shown = ReadMenu(menu.hwnd());
    ::EndMenu();
  });
  robot.Then([&] {
    ::PostMessageA(item(IDC_REGISTERED_LIST), WM_CONTEXTMENU,
                   reinterpret_cast<WPARAM>(item(IDC_REGISTERED_LIST)), static_cast<LPARAM>(-1));
  });
  robot.Then([&] {
    menuWithoutSelection = false;
    for (HWND window : robot.NewWindows()) {
      menuWithoutSelection = menuWithoutSelection || PopupMenu().test(window);
    }
    ::EndMenu();
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(std::vector<UINT>{ID_ENTRY_REGISTER}, shown.commands);
  EXPECT_FALSE(menuWithoutSelection);
}

// A list that takes the focus without a selection shows it on its first row, selecting nothing.
TEST_F(EntryDragAndMenu, AFocusedListWithoutASelectionShowsWhereTheFocusIs) {
  RegisterWholePhonebook();
  int focusedRow = -1;
  int selected = -1;
  bool focusHidden = true;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow&) { ::SetFocus(item(IDC_REGISTERED_LIST)); });
  robot.Then([&] {
    focusedRow = static_cast<int>(::SendMessageA(item(IDC_REGISTERED_LIST), LVM_GETNEXTITEM,
                                                 static_cast<WPARAM>(-1), LVNI_FOCUSED));
    selected =
        static_cast<int>(::SendMessageA(item(IDC_REGISTERED_LIST), LVM_GETSELECTEDCOUNT, 0, 0));
    focusHidden = (::SendMessageA(window().hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(0, focusedRow);
  EXPECT_EQ(0, selected);
  EXPECT_FALSE(focusHidden);
}

TEST_F(EntryDragAndMenu, ARightClickShowsTheMenuAtTheCursorOnlyOverAnEntry) {
  auto rightClick = [&](POINT client) {
    POINT screen = client;
    ::ClientToScreen(item(IDC_UNREGISTERED_LIST), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(item(IDC_UNREGISTERED_LIST), WM_RBUTTONDOWN, MK_RBUTTON,
                   MAKELPARAM(client.x, client.y));
    ::PostMessageA(item(IDC_UNREGISTERED_LIST), WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  };
  ShownMenu overEntry;
  POINT cursor{};
  bool menuOverEmptyArea = true;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow&) {
    RECT row{LVIR_LABEL, 0, 0, 0};
    ::SendMessageA(item(IDC_UNREGISTERED_LIST), LVM_GETITEMRECT, kOfficeRow,
                   reinterpret_cast<LPARAM>(&row));
    rightClick(POINT{row.left + 20, (row.top + row.bottom) / 2});
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    overEntry = ReadMenu(menu.hwnd());
    ::GetCursorPos(&cursor);
    ::EndMenu();
  });
  robot.Then([&] {
    RECT client{};
    ::GetClientRect(item(IDC_UNREGISTERED_LIST), &client);
    rightClick(POINT{client.right / 2, client.bottom - 4});
  });
  robot.Then([&] {
    menuOverEmptyArea = false;
    for (HWND shown : robot.NewWindows()) {
      menuOverEmptyArea = menuOverEmptyArea || PopupMenu().test(shown);
    }
    ::EndMenu();
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(std::vector<UINT>{ID_ENTRY_REGISTER}, overEntry.commands);
  EXPECT_EQ(cursor.x, overEntry.origin.x);
  EXPECT_EQ(cursor.y, overEntry.origin.y);
  EXPECT_FALSE(menuOverEmptyArea);
}

TEST_F(EntryDragAndMenu, WithTheExpertFunctionsTheMenuHoldsAllThreeCommands) {
  EnableExpertFunctions();
  RegisterWholePhonebook();
  ShownMenu expert;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_REGISTERED_LIST, 0);
    controlCenter.PressKey(IDC_REGISTERED_LIST, VK_APPS);
  });
  robot.OnWindow(PopupMenu(), [&](RobotWindow& menu) {
    expert = ReadMenu(menu.hwnd());
    ::EndMenu();
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ((std::vector<UINT>{ID_ENTRY_UNREGISTER, 0, ID_ENTRY_REGISTERED_PROPERTIES,
                               ID_ENTRY_REGISTERED_USER_PASS}),
            expert.commands);
  EXPECT_TRUE(expert.separator);
}

}  // namespace
}  // namespace tollward
