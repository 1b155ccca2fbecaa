// Why an entry is red: the picture and the tip of each row, and the question before an entry
// that a report showed as altered is registered again.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"
#include "ui/framework/ListView.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::FromTemplate;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

// The lists' pictures in the order of the reasons.
constexpr int kNewPicture = 0;
constexpr int kAlteredPicture = 1;
constexpr int kBadAreaPicture = 2;
constexpr int kNotReadablePicture = 3;
constexpr int kMissingPicture = 4;

// The tooltip of the control center, as the mouse would show it over the point of the screen.
std::string TipAt(HWND controlCenter, HWND list, POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  HWND tooltip = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM found) {
        char name[32] = {};
        ::GetClassNameA(hwnd, name, sizeof(name));
        if (::lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
          *reinterpret_cast<HWND*>(found) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tooltip));
  char text[1024] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = controlCenter;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = text;
  ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

POINT RowCenter(HWND list, int row) {
  RECT rect{LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
  POINT center{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ::ClientToScreen(list, &center);
  return center;
}

class EntryReasons : public ControlCenterTest {};

TEST_F(EntryReasons, EachRowSaysWhyItIsRedAndAnAlteredEntryIsRegisteredOnlyAfterAQuestion) {
  WriteFourEntries();
  RegisterWholePhonebook();
  WriteBadAreaCodes({"0190"});
  // Another program points Office ISDN elsewhere, removes the university's entry and adds one
  // of its own.
  WritePhonebook({"[Office ISDN]", "AreaCode=089", "LocalPhoneNumber=90090090", "UserName=jmiller",
                  "Password=tu3Lk9", "[CityNet]", "AreaCode=030", "LocalPhoneNumber=19231770",
                  "[Fast Access]", "AreaCode=0190", "LocalPhoneNumber=870870", "[Dialer]",
                  "AreaCode=0900", "LocalPhoneNumber=5551234",
                  // "Work" with a Cyrillic o, in the stand-in's UTF-8: the code page lacks it.
                  "[W\xD0\xBErk]", "AreaCode=040", "LocalPhoneNumber=1"});
  HWND window = nullptr;
  Names unregistered;
  std::vector<int> pictures;
  std::vector<int> registeredPictures;
  std::string alteredTip, newTip, cutTip, missingTip, question;
  Names registeredAfterNo, registeredAfterYes;
  auto list = [&] { return ::GetDlgItem(window, IDC_UNREGISTERED_LIST); };
  auto row = [&](const char* name) { return ui::CListView(list()).FindItem(name); };
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION),
                 [](RobotWindow& report) { report.Click(IDOK); });
  robot.OnWindow(MessageBoxWith("W?rk"), [](RobotWindow& box) { box.Click(IDOK); });
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window = controlCenter.hwnd();
    unregistered = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    for (int i = 0; i < static_cast<int>(unregistered.size()); ++i) {
      pictures.push_back(ui::CListView(list()).GetItemImage(i));
    }
    const HWND registeredList = ::GetDlgItem(window, IDC_REGISTERED_LIST);
    for (int i = 0; i < controlCenter.ListCount(IDC_REGISTERED_LIST); ++i) {
      registeredPictures.push_back(ui::CListView(registeredList).GetItemImage(i));
    }
    missingTip = TipAt(
        window, registeredList,
        RowCenter(registeredList, ui::CListView(registeredList).FindItem("university dial-in")));
    alteredTip = TipAt(window, list(), RowCenter(list(), row("Office ISDN")));
    newTip = TipAt(window, list(), RowCenter(list(), row("Dialer")));
    // A number that its column cuts shows whole in the tip.
    ::SendMessageA(list(), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(20, 0));
    cutTip = TipAt(window, list(), RowCenter(list(), row("Dialer")));
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, row("Office ISDN"));
    controlCenter.Click(IDC_REGISTER);
  });
  robot.OnWindow(MessageBoxWith("was changed after you registered it"), [&](RobotWindow& box) {
    question = box.MessageText();
    box.Click(IDNO);
  });
  robot.Then([&] {
    registeredAfterNo = ListColumn(RobotWindow(window), IDC_REGISTERED_LIST, 0);
    // A double click asks the same.
    testing::DoubleClickRow(RobotWindow(window), IDC_UNREGISTERED_LIST, row("Office ISDN"));
  });
  robot.OnWindow(MessageBoxWith("was changed after you registered it"),
                 [](RobotWindow& box) { box.Click(IDYES); });
  robot.Then([&] { registeredAfterYes = ListColumn(RobotWindow(window), IDC_REGISTERED_LIST, 0); });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  // Sorted by name: the new entry, the bad area code, the altered entry, the unreadable one.
  EXPECT_EQ((Names{"Dialer", "Fast Access", "Office ISDN", "W?rk"}), unregistered);
  EXPECT_EQ((std::vector<int>{kNewPicture, kBadAreaPicture, kAlteredPicture, kNotReadablePicture}),
            pictures);
  // The registered view: CityNet as it was, the university's entry missing.
  EXPECT_EQ((std::vector<int>{I_IMAGENONE, kMissingPicture}), registeredPictures);
  EXPECT_EQ(ui::LoadResString(IDS_REASON_MISSING), missingTip);
  EXPECT_EQ(ui::LoadResString(IDS_REASON_ALTERED), alteredTip);
  EXPECT_EQ(ui::LoadResString(IDS_REASON_NEW), newTip);
  EXPECT_EQ(ui::LoadResString(IDS_REASON_NEW) + "\nLocal Phone Number: 5551234", cutTip);
  // Both values are shown; the passwords only as changed or not.
  EXPECT_NE(std::string::npos, question.find("44881200")) << question;
  EXPECT_NE(std::string::npos, question.find("90090090")) << question;
  EXPECT_NE(std::string::npos, question.find(ui::LoadResString(IDS_PASSWORD_UNCHANGED)));
  EXPECT_EQ((Names{"CityNet", "university dial-in"}), registeredAfterNo);
  EXPECT_EQ((Names{"CityNet", "Office ISDN", "university dial-in"}), registeredAfterYes);
}

}  // namespace
}  // namespace tollward
