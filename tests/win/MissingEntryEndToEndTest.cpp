// A registered entry removed from the phonebook while the monitor runs in the tray, put back,
// and ended by the user, over the stand-in.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::AnyMessageBox;
using testing::ControlCenterTest;
using testing::ControlCenterWindow;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::HiddenInTrayMonitoring;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MakeRecord;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

const char kHomeGone[] = "no longer in the phonebook:\n\n\"Home\"";

class MissingEntry : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    CRASConnections store(phonebook_);
    ASSERT_TRUE(store.Add(MakeRecord("Office", "089", "1234567")));
    ASSERT_TRUE(store.Add(MakeRecord("Home", "040", "555")));
    ASSERT_TRUE(store.Save(storePath()));
    store.ClearPath();
    WriteEntries("555");
  }
  // Office, and Home with this number unless none is given.
  void WriteEntries(const char* homeNumber) {
    Names lines = {"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567"};
    if (homeNumber != nullptr) {
      lines.insert(lines.end(),
                   {"[Home]", "AreaCode=040", std::string("LocalPhoneNumber=") + homeNumber});
    }
    WritePhonebook(lines);
  }
  // Starts into the tray, removes Home and lets a tick find it gone.
  void RemoveHomeInTheTray(Robot& robot) {
    robot.When(
        "the control center in the tray, monitoring",
        [this] { return HiddenInTrayMonitoring(window_ = ControlCenterWindow()); }, [] {});
    robot.Then([this] {
      WriteEntries(nullptr);
      ::PostMessageA(window_, WM_TIMER, 2, 0);
    });
    robot.OnWindow(MessageBoxWith(kHomeGone), [](RobotWindow& box) { box.Click(IDOK); });
    robot.When(
        "the control center back", [this] { return ::IsWindowVisible(window_) != FALSE; },
        [this] {
          RobotWindow controlCenter(window_);
          backWithMonitorOff_ = ::IsDlgButtonChecked(window_, IDC_MONITOR) == BST_UNCHECKED;
          registeredWhileGone_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
          numbersWhileGone_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 2);
        });
  }
  void Quit(Robot& robot) {
    robot.Then([this] { ::PostMessageA(window_, WM_COMMAND, IDCANCEL, 0); });
    robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  }
  void ExpectSaidAndKept() {
    EXPECT_TRUE(backWithMonitorOff_);
    EXPECT_EQ((Names{"Home", "Office"}), registeredWhileGone_);
    EXPECT_EQ((Names{"(not in the phonebook)", "1234567"}), numbersWhileGone_);
  }

  HWND window_ = nullptr;
  bool backWithMonitorOff_ = false;
  Names registeredWhileGone_;
  Names numbersWhileGone_;
};

TEST_F(MissingEntry, RemovedItIsSaidAndKeptAndBackWithAnotherNumberItIsReported) {
  std::string reported;
  Names unregistered;
  Robot robot;
  RemoveHomeInTheTray(robot);
  robot.Then([this] {
    WriteEntries("0190555");
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
    reported = report.ItemText(IDC_ENTRY_NAME) + " " + report.ItemText(IDC_ALTERED_LOCAL_NUMBER);
    report.Click(IDOK);
  });
  robot.Then([&] { unregistered = ListColumn(RobotWindow(window_), IDC_UNREGISTERED_LIST, 0); });
  Quit(robot);
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ExpectSaidAndKept();
  EXPECT_EQ("Home 0190555", reported);
  EXPECT_EQ(Names{"Home"}, unregistered);
}

TEST_F(MissingEntry, BackUnchangedItIsRegisteredAgainAndOnlyTheUserEndsIt) {
  bool reportShown = true;
  Names registeredBack;
  std::string question;
  Names registeredAfter;
  Robot robot;
  RemoveHomeInTheTray(robot);
  robot.Then([this] {
    WriteEntries("555");
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  robot.Then([&] {
    reportShown = !DialogsFromTemplate(IDD_MANIPULATED_CONNECTION).empty();
    registeredBack = ListColumn(RobotWindow(window_), IDC_REGISTERED_LIST, 2);
    WriteEntries(nullptr);
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  robot.OnWindow(MessageBoxWith(kHomeGone), [](RobotWindow& box) { box.Click(IDOK); });
  robot.Then([this] {
    RobotWindow controlCenter(window_);
    controlCenter.SelectListItem(IDC_REGISTERED_LIST, 0);
    controlCenter.Command(IDC_UNREGISTER);
  });
  robot.OnWindow(AnyMessageBox(), [&](RobotWindow& box) {
    question = box.MessageText();
    box.Click(IDYES);
  });
  robot.Then([&] { registeredAfter = ListColumn(RobotWindow(window_), IDC_REGISTERED_LIST, 0); });
  Quit(robot);
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ExpectSaidAndKept();
  EXPECT_FALSE(reportShown);
  EXPECT_EQ((Names{"555", "1234567"}), registeredBack);
  EXPECT_NE(std::string::npos, question.find("Unregister it all the same?")) << question;
  EXPECT_EQ(Names{"Office"}, registeredAfter);
  EXPECT_EQ(Names{"Office"}, StoredNames());
}

}  // namespace
}  // namespace tollward
