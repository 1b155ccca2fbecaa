// The control center's start-up: the first start, the splash, and the silent check of "/scan".
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"
#include "ui/framework/ListView.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

std::string ColumnHeading(const ui::CListView& view, int column) {
  char text[64] = {};
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = sizeof(text);
  view.Send(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  return text;
}

// What the test reads of a list view's set-up.
struct ViewSetUp {
  Names headings;
  std::vector<int> widths;
  // The view's width beside a vertical scroll bar.
  int room = 0;
  COLORREF background = 0;
  COLORREF textBackground = 0;
  DWORD extendedStyle = 0;
};

ViewSetUp ReadSetUp(const RobotWindow& window, int id) {
  const ui::CListView view(::GetDlgItem(window.hwnd(), id));
  ViewSetUp seen;
  for (int column = 0; column < view.GetColumnCount(); ++column) {
    seen.headings.push_back(ColumnHeading(view, column));
    seen.widths.push_back(static_cast<int>(view.Send(LVM_GETCOLUMNWIDTH, column)));
  }
  RECT client{};
  ::GetClientRect(view, &client);
  const bool scrolls = (::GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL) != 0;
  seen.room = client.right - (scrolls ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
  seen.background = view.GetBkColor();
  seen.textBackground = view.GetTextBkColor();
  seen.extendedStyle = view.GetExtendedStyle();
  return seen;
}

TEST_F(ControlCenterTest, AFirstStartListsEveryEntryAsUnregisteredSortedByName) {
  WriteFourEntries();
  Names names;
  Names areaCodes;
  Names numbers;
  int registeredRows = -1;
  bool anyEntryButtonEnabled = true;
  bool anyExpertButtonShown = true;
  ViewSetUp unregistered;
  ViewSetUp registered;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    names = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    areaCodes = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 1);
    numbers = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 2);
    registeredRows = controlCenter.ListCount(IDC_REGISTERED_LIST);
    unregistered = ReadSetUp(controlCenter, IDC_UNREGISTERED_LIST);
    registered = ReadSetUp(controlCenter, IDC_REGISTERED_LIST);
    anyEntryButtonEnabled = false;
    for (int id :
         {IDC_REGISTER, IDC_UNREGISTER, IDC_UNREGISTERED_PROPERTIES, IDC_REGISTERED_PROPERTIES,
          IDC_UNREGISTERED_USER_PASS, IDC_REGISTERED_USER_PASS}) {
      anyEntryButtonEnabled = anyEntryButtonEnabled || controlCenter.IsItemEnabled(id);
    }
    anyExpertButtonShown = false;
    for (int id : {IDC_UNREGISTERED_PROPERTIES, IDC_REGISTERED_PROPERTIES,
                   IDC_UNREGISTERED_USER_PASS, IDC_REGISTERED_USER_PASS}) {
      anyExpertButtonShown = anyExpertButtonShown || controlCenter.IsItemVisible(id);
    }
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  {
    auto controlCenter = MakeControlCenter(" /nosplash");
    EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  }
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), names);
  EXPECT_EQ((Names{"030", "0190", "089", "0761"}), areaCodes);
  EXPECT_EQ((Names{"19231770", "870870", "44881200", "2034567"}), numbers);
  EXPECT_EQ(0, registeredRows);
  EXPECT_FALSE(anyEntryButtonEnabled) << "nothing is selected yet";
  EXPECT_FALSE(anyExpertButtonShown) << "the expert functions are off by default";

  for (const ViewSetUp* seen : {&unregistered, &registered}) {
    EXPECT_EQ((Names{"Connection", "Area Code", "Local Phone Number"}), seen->headings);
    // At 96 DPI the name and the area code as ever; the number takes the rest of the view, so
    // that no horizontal scroll bar is needed.
    ASSERT_EQ(3u, seen->widths.size());
    EXPECT_EQ(140, seen->widths[0]);
    EXPECT_EQ(80, seen->widths[1]);
    EXPECT_EQ(seen->room, seen->widths[0] + seen->widths[1] + seen->widths[2]);
    const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
    EXPECT_EQ(wanted, seen->extendedStyle & wanted);
  }
  EXPECT_EQ(RGB(255, 208, 208), unregistered.background);
  EXPECT_EQ(RGB(255, 208, 208), unregistered.textBackground);
  EXPECT_EQ(RGB(208, 255, 208), registered.background);
  EXPECT_EQ(RGB(208, 255, 208), registered.textBackground);

  // The end wrote the three files of a first start: the options, no bad area codes, and a store
  // without registrations.
  EXPECT_EQ(24u, testing::ReadBytes(programDirectory() + "Tollward.ini").size());
  EXPECT_TRUE(testing::FileExists(programDirectory() + "Tollward.bac"));
  EXPECT_EQ(28u, testing::ReadBytes(storePath()).size());
}

// Real ticks of timer 1 are held back, so that only the test's own tick can end the splash,
// however slowly the machine starts the control center.
class TickedControlCenter : public CControlCenterDlg {
 public:
  using CControlCenterDlg::CControlCenterDlg;
  bool splashTickAllowed = false;

 protected:
  void OnTimer(UINT_PTR id) override {
    if (id == kSplashTimer && !splashTickAllowed) {
      return;
    }
    CControlCenterDlg::OnTimer(id);
  }
};

TEST_F(ControlCenterTest, TheSplashLastsUntilTimerOneAndNoSplashShowsNone) {
  WriteFourEntries();
  for (const char* switches : {"", " /NOSPLASH"}) {
    SCOPED_TRACE(switches);
    auto controlCenter = MakeControlCenter<TickedControlCenter>(switches);
    std::vector<HWND> splashes;
    bool splashTopmost = false;
    size_t splashesAfterTick = 1;
    Robot robot;
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& window) {
      splashes = DialogsFromTemplate(IDD_SPLASH);
      splashTopmost = !splashes.empty() && ::IsWindowVisible(splashes[0]) &&
                      (::GetWindowLongA(splashes[0], GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      controlCenter->splashTickAllowed = true;
      window.Post(WM_TIMER, CControlCenterDlg::kSplashTimer);
    });
    robot.Then([&] { splashesAfterTick = DialogsFromTemplate(IDD_SPLASH).size(); });
    ControlCenterTest::QueueQuitWithYes(robot);
    controlCenter->DoModal();
    EXPECT_TRUE(robot.Done()) << robot.Failures();
    const bool wanted = *switches == '\0';
    EXPECT_EQ(wanted ? 1u : 0u, splashes.size());
    EXPECT_EQ(wanted, splashTopmost);
    EXPECT_EQ(0u, splashesAfterTick);
  }
}

class SilentCheck : public ControlCenterTest {
 protected:
  // Ends the pause before the quit question as its timer would.
  void EndPause(Robot& robot, const CControlCenterDlg& controlCenter) {
    robot.When(
        "the pause before the quit question", [&] { return controlCenter.GetHwnd() != nullptr; },
        [&] {
          ::PostMessageA(controlCenter.GetHwnd(), WM_TIMER, CControlCenterDlg::kSilentExitTimer, 0);
        });
  }
};

TEST_F(SilentCheck, NothingUnregisteredAsksToQuitFirstAndYesEndsUnseen) {
  WriteFourEntries();
  RegisterWholePhonebook();
  auto controlCenter = MakeControlCenter(" /scan /nosplash");
  bool shownAtQuestion = true;
  std::string caption;
  Robot robot;
  EndPause(robot, *controlCenter);
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [&](RobotWindow& box) {
    shownAtQuestion = ::IsWindowVisible(controlCenter->GetHwnd()) != FALSE;
    caption = box.Caption();
    box.Click(IDYES);
  });
  EXPECT_EQ(IDOK, controlCenter->DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_FALSE(shownAtQuestion);
  EXPECT_EQ("Quit Tollward?", caption);
  // Rewritten from the registered list, which the start-up sort fills from the last phonebook
  // entry to the first: the order tells that "done" saved it.
  EXPECT_EQ((Names{"Fast Access", "university dial-in", "CityNet", "Office ISDN"}), StoredNames());
}

TEST_F(SilentCheck, NoToTheQuestionGoesOnWithTheRegisteredEntriesListed) {
  WriteFourEntries();
  RegisterWholePhonebook();
  auto controlCenter = MakeControlCenter(" /scan /nosplash");
  Names registered;
  Robot robot;
  EndPause(robot, *controlCenter);
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [&](RobotWindow& box) { box.Click(IDNO); });
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& window) {
    registered = ListColumn(window, IDC_REGISTERED_LIST, 0);
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), registered);
}

TEST_F(SilentCheck, AnUnregisteredEntryOpensTheControlCenterWithoutAQuestion) {
  WriteFourEntries();
  RegisterWholePhonebook();
  // The registered entries stay: one that went would be said before the control center shows.
  std::vector<std::string> lines = PhonebookLines();
  lines.insert(lines.end(), {"[Newcomer]", "AreaCode=0900", "LocalPhoneNumber=1"});
  WritePhonebook(lines);
  Names unregistered;
  size_t boxesBefore = 1;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& window) {
    unregistered = ListColumn(window, IDC_UNREGISTERED_LIST, 0);
    boxesBefore = robot.NewWindows().size() - 1;
  });
  ControlCenterTest::QueueQuitWithYes(robot);
  MakeControlCenter(" /scan /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(Names{"Newcomer"}, unregistered);
  EXPECT_EQ(0u, boxesBefore);
}

}  // namespace
}  // namespace tollward
