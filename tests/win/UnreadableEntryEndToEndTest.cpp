// An entry the phonebook lists but cannot hand out, at the start and in the tray, over the
// stand-in, which converts names as the system's service does.
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
using testing::FromTemplate;
using testing::HiddenInTrayMonitoring;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MakeRecord;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

// "Work VPN" with a Cyrillic o, in the UTF-8 of the stand-in's file: the code page lacks it.
const char kCyrillicName[] = "W\xD0\xBErk VPN";
const char kListedName[] = "W?rk VPN";
const char kCodePageReason[] =
    "\"W?rk VPN\": its name uses characters that this system's code page cannot express.";

class UnreadableEntry : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    CRASConnections store(phonebook_);
    ASSERT_TRUE(store.Add(MakeRecord("Office", "089", "1234567")));
    ASSERT_TRUE(store.Add(MakeRecord("Home", "040", "555")));
    ASSERT_TRUE(store.Save(storePath()));
    store.ClearPath();
  }
  void WritePhonebookWith(const char* officeNumber, bool unreadable) {
    Names lines = {"[Office]", "AreaCode=089", std::string("LocalPhoneNumber=") + officeNumber,
                   "[Home]",   "AreaCode=040", "LocalPhoneNumber=555"};
    if (unreadable) {
      lines.insert(lines.end(), {std::string("[") + kCyrillicName + "]", "AreaCode=0190",
                                 "LocalPhoneNumber=666"});
    }
    WritePhonebook(lines);
  }
  // Every message box and report until the control center shows, in order.
  void SeeReportThenMessage(Robot& robot) {
    robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [this](RobotWindow& report) {
      seen_.push_back("report " + report.ItemText(IDC_ENTRY_NAME));
      report.Click(IDOK);
    });
    robot.OnWindow(AnyMessageBox(), [this](RobotWindow& box) {
      seen_.push_back(box.MessageText());
      box.Click(IDOK);
    });
  }
  void ReadLists(HWND window) {
    RobotWindow controlCenter(window);
    unregistered_ = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
    numbers_ = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 2);
    registered_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
  }

  Names seen_;
  Names unregistered_;
  Names numbers_;
  Names registered_;
};

TEST_F(UnreadableEntry, AtTheStartTheAlteredEntryIsReportedAndOneMessageNamesTheUnreadable) {
  WritePhonebookWith("0190666", true);
  std::string refusal;
  Robot robot;
  SeeReportThenMessage(robot);
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& window) {
    ReadLists(window.hwnd());
    window.SelectListItem(IDC_UNREGISTERED_LIST, 1);
    window.Command(IDC_REGISTER);
  });
  robot.OnWindow(AnyMessageBox(), [&](RobotWindow& box) {
    refusal = box.MessageText();
    box.Click(IDOK);
  });
  QueueQuitWithYes(robot);
  MakeControlCenter(" /scan /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("report Office", seen_[0]);
  EXPECT_NE(std::string::npos, seen_[1].find(kCodePageReason)) << seen_[1];
  EXPECT_EQ((Names{"Office", kListedName}), unregistered_);
  EXPECT_EQ((Names{"0190666", "(not readable)"}), numbers_);
  EXPECT_EQ(Names{"Home"}, registered_);
  EXPECT_NE(std::string::npos, refusal.find("cannot be registered")) << refusal;
  EXPECT_EQ((Names{"Home"}), StoredNames()) << "what the quit's save kept";
}

TEST_F(UnreadableEntry, InTheTrayTheSameChangeBringsTheControlCenterBackWithTheMonitorOff) {
  WritePhonebookWith("1234567", false);
  HWND window = nullptr;
  bool monitoringAfter = true;
  Robot robot;
  robot.When(
      "the control center in the tray, monitoring",
      [&] { return HiddenInTrayMonitoring(window = ControlCenterWindow()); }, [] {});
  robot.Then([&] {
    WritePhonebookWith("0190666", true);
    ::PostMessageA(window, WM_TIMER, 2, 0);
  });
  SeeReportThenMessage(robot);
  robot.When(
      "the control center shown", [&] { return ::IsWindowVisible(window) != FALSE; },
      [&] {
        ReadLists(window);
        monitoringAfter = ::IsDlgButtonChecked(window, IDC_MONITOR) == BST_CHECKED;
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("report Office", seen_[0]);
  EXPECT_NE(std::string::npos, seen_[1].find(kCodePageReason)) << seen_[1];
  EXPECT_FALSE(monitoringAfter);
  EXPECT_EQ((Names{"Office", kListedName}), unregistered_);
  EXPECT_EQ(Names{"Home"}, registered_);
}

}  // namespace
}  // namespace tollward
