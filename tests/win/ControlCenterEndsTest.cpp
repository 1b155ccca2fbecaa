// What the run registered survives its end: log-off, a store that cannot be written at the tray's
// shutdown, a tick while the user name dialog edits an entry, and a start before the phonebook.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <algorithm>
#include <string>
#include <vector>

#include "options/Options.h"
#include "res/resource.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::AnyMessageBox;
using testing::ContainsInOrder;
using testing::ControlCenterTest;
using testing::ControlCenterWindow;
using testing::FromTemplate;
using testing::HiddenInTrayMonitoring;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::ReadBytes;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

const Names kAllFour = {"CityNet", "Fast Access", "Office ISDN", "university dial-in"};

class WaysOut : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
  }
  void TearDown() override {
    if (held_ != INVALID_HANDLE_VALUE) {
      ::CloseHandle(held_);
    }
    ControlCenterTest::TearDown();
  }
  // As another program may hold a file: open, and shared with nobody.
  void Hold(const std::string& path) {
    held_ = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  void LetGo() {
    ::CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }
  Names SortedStoredNames() {
    Names names = StoredNames();
    std::sort(names.begin(), names.end());
    return names;
  }
  void ShowExpertButtons() {
    testing::FakeCommandLine commandLine(ProgramCommandLine(""));
    COptions options(autostart_, commandLine);
    options.showExtendedFunctionality = true;
    std::string path = programDirectory() + "Tollward.ini";
    ASSERT_TRUE(options.Save(path));
  }

  HWND window_ = nullptr;
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(WaysOut, TheSessionsEndKeepsWhatWasRegisteredAndAsksNothing) {
  LRESULT answer = FALSE;
  Names storedAtQuestion;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window_ = controlCenter.hwnd();
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, 2);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.Then([&] {
    RobotWindow(window_).SelectListItem(IDC_UNREGISTERED_LIST, 0);
    RobotWindow(window_).Click(IDC_REGISTER);
  });
  robot.Then([&] {
    answer = ::SendMessageA(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    storedAtQuestion = SortedStoredNames();
    ::SendMessageA(window_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  });
  robot.OnWindow(AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_FALSE(robot.Done()) << "no question and no message";
  EXPECT_EQ(TRUE, answer) << "the session may end";
  EXPECT_EQ((Names{"CityNet", "Office ISDN"}), storedAtQuestion);
  EXPECT_EQ((Names{"CityNet", "Office ISDN"}), SortedStoredNames());
}

// As the installer ends a running program: the session's end reaches the control center while
// a dialog it opened is still open.
TEST_F(WaysOut, TheSessionsEndWithTheOptionsOpenEndsTheProgramAndKeepsTheStore) {
  bool optionsGone = false;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window_ = controlCenter.hwnd();
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, 2);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.Then([&] { RobotWindow(window_).Click(IDC_OPTIONS); });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [&](RobotWindow& options) {
    ::SendMessageA(window_, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    ::SendMessageA(window_, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    optionsGone = !::IsWindowVisible(options.hwnd());
  });
  robot.OnWindow(AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_FALSE(robot.Done()) << "no question and no message";
  EXPECT_TRUE(optionsGone);
  EXPECT_EQ(Names{"Office ISDN"}, SortedStoredNames());
}

TEST_F(WaysOut, TheSessionsEndOverTheBadAreaCodeManagerShowsNoBoxThoughItsSaveFails) {
  bool managerGone = false;
  bool blocked = false;
  std::string box;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window_ = controlCenter.hwnd();
    controlCenter.Click(IDC_BAD_AREAS);
  });
  robot.OnWindow(FromTemplate(IDD_BAD_AREA_CODES), [&](RobotWindow& manager) {
    manager.SetItemText(IDC_BAD_AREA_CODE, "0190");
    manager.Click(IDC_ADD_BAD_AREA);
    // A folder in the bad area file's place: its save fails, and would say so.
    const std::string file = programDirectory() + "Tollward.bac";
    ::DeleteFileA(file.c_str());
    blocked = ::CreateDirectoryA(file.c_str(), nullptr) != FALSE;
    ::SendMessageA(window_, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    ::SendMessageA(window_, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    managerGone = !::IsWindowVisible(manager.hwnd());
  });
  robot.OnWindow(AnyMessageBox(), [&](RobotWindow& shown) {
    box = shown.MessageText();
    shown.Click(IDOK);
  });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_TRUE(blocked);
  EXPECT_EQ("", box);
  EXPECT_TRUE(managerGone);
}

TEST_F(WaysOut, TheTraysShutdownWithAStoreThatCannotBeWrittenSaysSoAndStays) {
  RegisterWholePhonebook();
  std::string message;
  bool shownAfterMessage = false;
  Robot robot;
  robot.When(
      "the control center in the tray",
      [&] { return HiddenInTrayMonitoring(ControlCenterWindow()); },
      [&] {
        window_ = ControlCenterWindow();
        Hold(storePath());
        ::PostMessageA(window_, WM_COMMAND, ID_TRAY_SHUTDOWN, 0);
      });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(MessageBoxWith("could not be saved"), [&](RobotWindow& box) {
    message = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] {
    shownAfterMessage = ::IsWindowVisible(window_) != FALSE;
    LetGo();
    RobotWindow(window_).PressKey(0, VK_ESCAPE);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });

  auto controlCenter = MakeControlCenter(" /monitor /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_FALSE(robot.Done()) << "the second try saved, so nothing more was said";
  EXPECT_NE(std::string::npos, message.find(storePath())) << message;
  EXPECT_NE(std::string::npos, message.find("stays open")) << message;
  EXPECT_TRUE(shownAfterMessage) << "back from the tray, to be quit again";
  EXPECT_EQ(kAllFour, SortedStoredNames());
}

// A tick while the dialog is open, after the phonebook changed its order, would sort the lists
// anew under the dialog; OK must still write to the entry the dialog shows, and to no other.
TEST_F(WaysOut, ATickWhileTheUserNameDialogIsOpenCannotRedirectItsChange) {
  RegisterWholePhonebook();
  ShowExpertButtons();
  std::string shownName;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window_ = controlCenter.hwnd();
    controlCenter.Click(IDC_MONITOR);
  });
  robot.Then([&] {
    RobotWindow(window_).SelectListItem(IDC_REGISTERED_LIST, 2);
    RobotWindow(window_).Click(IDC_REGISTERED_USER_PASS);
  });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    shownName = dialog.ItemText(IDC_ENTRY_NAME);
    // The same entries, last first.
    WritePhonebook({"[Fast Access]", "AreaCode=0190", "LocalPhoneNumber=870870",
                    "[university dial-in]", "AreaCode=0761", "LocalPhoneNumber=2034567",
                    "[CityNet]", "AreaCode=030", "LocalPhoneNumber=19231770", "[Office ISDN]",
                    "AreaCode=089", "LocalPhoneNumber=44881200", "UserName=jmiller",
                    "Password=tu3Lk9"});
    ::PostMessageA(window_, WM_TIMER, 2, 0);
  });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    dialog.SetItemText(IDC_USER_NAME, "jmueller");
    dialog.Click(IDOK);
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("Office ISDN", shownName);
  EXPECT_TRUE(
      ContainsInOrder(PhonebookLines(), {"[Office ISDN]", "UserName=jmueller", "Password=tu3Lk9"}))
      << PhonebookText();
  const std::vector<std::string> lines = PhonebookLines();
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "UserName=jmueller")) << PhonebookText();
}

// At log-on the service may not be up yet: the phonebook cannot be read at start-up.
TEST_F(WaysOut, AStartBeforeThePhonebookKeepsTheRegistrationsForTheFirstRefreshAndDone) {
  RegisterWholePhonebook();
  Hold(phonebookPath());
  Names registeredAtStart;
  Names registeredAfterRefresh;
  Names unregisteredAfterRefresh;
  Robot robot;
  robot.OnWindow(MessageBoxWith("could not read the list of entries"),
                 [](RobotWindow& box) { box.Click(IDOK); });
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& controlCenter) {
    window_ = controlCenter.hwnd();
    registeredAtStart = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
    LetGo();
    std::vector<std::string> lines = PhonebookLines();
    lines.insert(lines.end(), {"[Intruder]", "AreaCode=0900", "LocalPhoneNumber=666"});
    WritePhonebook(lines);
    controlCenter.Click(IDC_REFRESH);
  });
  robot.Then([&] {
    RobotWindow controlCenter(window_);
    registeredAfterRefresh = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
    unregisteredAfterRefresh = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, 0);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.Then([&] { RobotWindow(window_).Click(IDOK); });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDOK, controlCenter->DoModal());
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_FALSE(robot.Done()) << "the phonebook was checked, so done had nothing to say";
  EXPECT_EQ(kAllFour, registeredAtStart) << "the store's records stand for the registrations";
  EXPECT_EQ(kAllFour, registeredAfterRefresh);
  EXPECT_EQ(Names{"Intruder"}, unregisteredAfterRefresh);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Intruder", "Office ISDN", "university dial-in"}),
            SortedStoredNames());
}

}  // namespace
}  // namespace tollward
