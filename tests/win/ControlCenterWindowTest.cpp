// The control center's window: system menu, tooltips, icon, the about box and the help pages.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"
#include "ui/framework/ToolTip.h"

namespace tollward {
namespace {

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) {
    return 0;
  }
  BITMAP bitmap{};
  ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  for (HBITMAP owned : {info.hbmColor, info.hbmMask}) {
    if (owned != nullptr) {
      ::DeleteObject(owned);
    }
  }
  return bitmap.bmWidth;
}

using testing::ControlCenterTest;
using testing::FromTemplate;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

// WM_KEYF1, which the system sends for the F1 key and turns into WM_HELP for the window with the
// focus; the SDK headers do not name it.
constexpr UINT kKeyF1 = 0x004D;

class ControlCenterWindow : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
  }
};

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = {};
  ::GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
  return text;
}

int PositionOf(HMENU menu, UINT command) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    if (::GetMenuItemID(menu, i) == command) {
      return i;
    }
  }
  return -1;
}

HBITMAP CheckMarkPicture(HMENU menu, UINT command) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_CHECKMARKS;
  ::GetMenuItemInfoA(menu, command, FALSE, &info);
  return info.hbmpUnchecked == info.hbmpChecked ? info.hbmpUnchecked : nullptr;
}

HWND ToolTipOf(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char className[32] = {};
        ::GetClassNameA(hwnd, className, sizeof(className));
        if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && ::GetWindow(hwnd, GW_OWNER) == s->owner) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(ControlCenterWindow, SystemMenuOffersTheAboutBoxBeforeCloseAndTheIconIsTheProgramsOwn) {
  std::string aboutText;
  bool separatorBetween = false;
  bool picturesSet = false;
  bool sizeCommandsGreyed = false;
  std::string version;
  int bigWidth = 0;
  int smallWidth = 0;
  HICON dragIcon = nullptr;
  HWND main = nullptr;
  HWND window = nullptr;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window = controlCenter.hwnd();
    // The icons go with the window: measured while it is there.
    bigWidth = IconWidth(reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
    smallWidth =
        IconWidth(reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
    dragIcon = reinterpret_cast<HICON>(::SendMessageA(window, WM_QUERYDRAGICON, 0, 0));
    main = ui::CDialog::MainWindow();
    HMENU menu = ::GetSystemMenu(window, FALSE);
    const int close = PositionOf(menu, SC_CLOSE);
    ASSERT_GE(close, 2);
    aboutText = MenuText(menu, close - 2);
    separatorBetween = (::GetMenuState(menu, close - 1, MF_BYPOSITION) & MF_SEPARATOR) != 0 &&
                       ::GetMenuItemID(menu, close - 2) == IDM_ABOUTBOX;
    picturesSet = CheckMarkPicture(menu, IDM_ABOUTBOX) != nullptr &&
                  CheckMarkPicture(menu, SC_CLOSE) != nullptr;
    sizeCommandsGreyed = true;
    for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_RESTORE}) {
      sizeCommandsGreyed =
          sizeCommandsGreyed && (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    // The system passes its own bits in the low four; they do not change the command.
    controlCenter.Post(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3);
  });
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
    version = about.ItemText(IDC_ABOUT_VERSION);
    about.Click(IDOK);
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("&About Tollward...", aboutText);
  EXPECT_TRUE(separatorBetween);
  EXPECT_TRUE(picturesSet);
  EXPECT_TRUE(sizeCommandsGreyed);
  EXPECT_EQ("Tollward Version v1.01", version);

  const HICON program = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TOLLWARD));
  // The title bar and the task bar get the program's icon drawn in their own sizes.
  EXPECT_EQ(::GetSystemMetrics(SM_CXICON), bigWidth);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), smallWidth);
  EXPECT_EQ(program, dragIcon);
  EXPECT_EQ(window, main) << "dialogs without a parent belong to the control center";
  EXPECT_EQ(nullptr, ui::CDialog::MainWindow()) << "a closed window is no owner for dialogs";
}

TEST_F(ControlCenterWindow, TheAboutButtonShowsTheVersionInFrontOfTheDisabledControlCenter) {
  std::string version;
  bool ownerDisabled = false;
  bool enabledAgain = false;
  HWND window = nullptr;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window = controlCenter.hwnd();
    controlCenter.Click(IDC_ABOUT);
  });
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
    version = about.ItemText(IDC_ABOUT_VERSION);
    ownerDisabled = ::GetWindow(about.hwnd(), GW_OWNER) == window && !::IsWindowEnabled(window);
    about.Click(IDOK);
  });
  robot.Then([&] { enabledAgain = ::IsWindowEnabled(window) != FALSE; });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("Tollward Version v1.01", version);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(enabledAgain);
}

TEST_F(ControlCenterWindow, ElevenControlsHaveTheirTips) {
  struct Tip {
    int control;
    const char* text;
  };
  const Tip tips[] = {
      {IDC_BAD_AREAS, "define bad area codes that cannot be registered at all"},
      {IDC_OPTIONS, "edit program options"},
      {IDC_ABOUT, "display informations about Tollward application"},
      {IDC_UNREGISTERED_LIST, "RAS connections that are currently not certified by yourself"},
      {IDC_REGISTERED_LIST, "RAS connections that are currently certified by yourself"},
      {IDC_UNREGISTER, "unregister the selected connection"},
      {IDC_REGISTER, "register the selected connection"},
      {IDC_UNREGISTERED_PROPERTIES, "lets you edit the properties of the selected connection"},
      {IDC_REGISTERED_PROPERTIES, "lets you edit the properties of the selected connection"},
      {IDC_MONITOR, "start / stop background monitoring"},
      {IDC_REFRESH, "scan connections and refresh display"},
  };
  std::vector<std::string> texts;
  int count = 0;
  int initial = 0;
  int reshow = 0;
  int autoPop = 0;
  COLORREF background = 0;
  COLORREF text = 1;
  bool alwaysTip = false;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    ui::CToolTip tooltip;
    tooltip.Attach(ToolTipOf(controlCenter.hwnd()));
    ASSERT_NE(nullptr, tooltip.GetHwnd());
    count = tooltip.GetToolCount();
    for (const Tip& tip : tips) {
      texts.push_back(tooltip.GetToolText(::GetDlgItem(controlCenter.hwnd(), tip.control)));
    }
    initial = tooltip.GetDelayTime(TTDT_INITIAL);
    reshow = tooltip.GetDelayTime(TTDT_RESHOW);
    autoPop = tooltip.GetDelayTime(TTDT_AUTOPOP);
    background = static_cast<COLORREF>(tooltip.Send(TTM_GETTIPBKCOLOR));
    text = static_cast<COLORREF>(tooltip.Send(TTM_GETTIPTEXTCOLOR));
    alwaysTip = (::GetWindowLongA(tooltip, GWL_STYLE) & TTS_ALWAYSTIP) != 0;
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(11, count);
  ASSERT_EQ(std::size(tips), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(tips[i].text, texts[i]) << "control " << tips[i].control;
  }
  EXPECT_EQ(750, initial);
  EXPECT_EQ(250, reshow);
  EXPECT_EQ(3000, autoPop);
  EXPECT_EQ(RGB(224, 224, 255), background);
  EXPECT_EQ(RGB(0, 0, 0), text);
  EXPECT_TRUE(alwaysTip);
}

// The test's help folder has no pages, so each request tells which page it wanted.
TEST_F(ControlCenterWindow, HelpOpensTheControlCentersPageAndTheContentsForOtherWindows) {
  std::string fromButton;
  std::string fromKey;
  std::string fromAbout;
  HWND window = nullptr;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window = controlCenter.hwnd();
    controlCenter.Click(IDC_HELP_BUTTON);
  });
  robot.OnWindow(MessageBoxWith("help"), [&](RobotWindow& box) {
    fromButton = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] { ::PostMessageA(::GetDlgItem(window, IDC_REFRESH), kKeyF1, 0, 0); });
  robot.OnWindow(MessageBoxWith("help"), [&](RobotWindow& box) {
    fromKey = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] { RobotWindow(window).Click(IDC_ABOUT); });
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
    ::PostMessageA(::GetDlgItem(about.hwnd(), IDOK), kKeyF1, 0, 0);
  });
  robot.OnWindow(MessageBoxWith("help"), [&](RobotWindow& box) {
    fromAbout = box.MessageText();
    box.Click(IDOK);
  });
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [](RobotWindow& about) { about.Click(IDOK); });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  const std::string folder = helpDirectory();
  EXPECT_NE(std::string::npos, fromButton.find(folder + "control-center.html")) << fromButton;
  EXPECT_NE(std::string::npos, fromKey.find(folder + "control-center.html")) << fromKey;
  EXPECT_NE(std::string::npos, fromAbout.find(folder + "index.html")) << fromAbout;
}

}  // namespace
}  // namespace tollward
