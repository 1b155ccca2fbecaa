// Entries the program cannot check, over the stand-in, which converts names as the system's
// service does: one the phonebook cannot hand out, and a registered one that disappears.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::AnyMessageBox;
using testing::ControlCenterWindow;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::HiddenInTrayMonitoring;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

// "Work VPN" with a Cyrillic o, in the UTF-8 of the stand-in's file: the code page lacks it.
const char kCodePageReason[] =
    "\"W?rk VPN\": its name uses characters that this system's code page cannot express.";
const char kHomeGone[] = "no longer in the phonebook:\n\n\"Home\"";

// Office and Home registered; the phonebook as each step writes it.
class UncheckedEntry : public testing::ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    CRASConnections store(phonebook_);
    ASSERT_TRUE(store.Add(testing::MakeRecord("Office", "089", "1234567")));
    ASSERT_TRUE(store.Add(testing::MakeRecord("Home", "040", "555")));
    ASSERT_TRUE(store.Save(storePath()));
    store.ClearPath();
    Write("1234567", "555", false);
  }
  // Home only when it has a number; the unreadable entry on request.
  void Write(const char* officeNumber, const char* homeNumber, bool unreadable) {
    Names lines = {"[Office]", "AreaCode=089", std::string("LocalPhoneNumber=") + officeNumber};
    if (homeNumber != nullptr) {
      lines.insert(lines.end(),
                   {"[Home]", "AreaCode=040", std::string("LocalPhoneNumber=") + homeNumber});
    }
    if (unreadable) {
      lines.insert(lines.end(), {"[W\xD0\xBErk VPN]", "LocalPhoneNumber=666"});
    }
    WritePhonebook(lines);
  }
  // Starts into the tray, writes the change and lets a tick find it.
  void ChangeInTheTray(Robot& robot, std::function<void()> change) {
    robot.When(
        "the control center in the tray, monitoring",
        [this] { return HiddenInTrayMonitoring(window_ = ControlCenterWindow()); }, [] {});
    robot.Then([this, change] {
      change();
      ::PostMessageA(window_, WM_TIMER, 2, 0);
    });
  }
  // Every report and message box in turn, until the control center shows again.
  void See(Robot& robot, bool report, bool message = true) {
    if (report) {
      robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [this](RobotWindow& shown) {
        seen_.push_back(shown.ItemText(IDC_ENTRY_NAME) + " " +
                        shown.ItemText(IDC_ALTERED_LOCAL_NUMBER));
        shown.Click(IDOK);
      });
    }
    if (message) {
      robot.OnWindow(AnyMessageBox(), [this](RobotWindow& box) {
        seen_.push_back(box.MessageText());
        box.Click(IDOK);
      });
    }
    robot.When(
        "the control center shown",
        [this] {
          window_ = ControlCenterWindow();
          return window_ != nullptr && ::IsWindowVisible(window_) != FALSE;
        },
        [this] {
          RobotWindow controlCenter(window_);
          monitorOff_ = ::IsDlgButtonChecked(window_, IDC_MONITOR) == BST_UNCHECKED;
          unregistered_ = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
          registered_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
          registeredNumbers_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 2);
        });
  }
  void Run(Robot& robot, const char* switches) {
    robot.Then([this] { ::PostMessageA(window_, WM_COMMAND, IDCANCEL, 0); });
    robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
    MakeControlCenter(switches)->DoModal();
    EXPECT_TRUE(robot.Done()) << robot.Failures();
  }

  HWND window_ = nullptr;
  Names seen_;
  bool monitorOff_ = false;
  Names unregistered_;
  Names registered_;
  Names registeredNumbers_;
};

TEST_F(UncheckedEntry, AtTheStartAnAlteredEntryIsReportedAndOneMessageNamesTheUnreadable) {
  Write("0190666", "555", true);
  std::string refusal;
  Robot robot;
  See(robot, true);
  robot.Then([this] {
    RobotWindow(window_).SelectListItem(IDC_UNREGISTERED_LIST, 1);
    RobotWindow(window_).Command(IDC_REGISTER);
  });
  robot.OnWindow(AnyMessageBox(), [&](RobotWindow& box) {
    refusal = box.MessageText();
    box.Click(IDOK);
  });
  Run(robot, " /scan /nosplash");
  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("Office 0190666", seen_[0]);
  EXPECT_NE(std::string::npos, seen_[1].find(kCodePageReason)) << seen_[1];
  EXPECT_EQ((Names{"Office", "W?rk VPN"}), unregistered_);
  EXPECT_EQ(Names{"Home"}, registered_);
  EXPECT_NE(std::string::npos, refusal.find("cannot be registered")) << refusal;
}

TEST_F(UncheckedEntry, InTheTrayTheSameChangeBringsTheControlCenterBackWithTheMonitorOff) {
  Robot robot;
  ChangeInTheTray(robot, [this] { Write("0190666", "555", true); });
  See(robot, true);
  Run(robot, " /monitor /nosplash");
  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("Office 0190666", seen_[0]);
  EXPECT_NE(std::string::npos, seen_[1].find(kCodePageReason)) << seen_[1];
  EXPECT_TRUE(monitorOff_);
  EXPECT_EQ((Names{"Office", "W?rk VPN"}), unregistered_);
  EXPECT_EQ(Names{"Home"}, registered_);
}

TEST_F(UncheckedEntry, ARemovedRegisteredEntryIsSaidKeptAndReportedWhenItReturnsAltered) {
  Robot robot;
  ChangeInTheTray(robot, [this] { Write("1234567", nullptr, false); });
  See(robot, false);
  robot.Then([this] {
    Write("1234567", "0190555", false);
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  See(robot, true, false);
  Run(robot, " /monitor /nosplash");
  ASSERT_EQ(2u, seen_.size());
  EXPECT_NE(std::string::npos, seen_[0].find(kHomeGone)) << seen_[0];
  EXPECT_TRUE(monitorOff_);
  EXPECT_EQ("Home 0190555", seen_[1]);
  EXPECT_EQ(Names{"Home"}, unregistered_);
}

TEST_F(UncheckedEntry, ARemovedEntryBackUnchangedIsRegisteredAgainAndOnlyTheUserEndsIt) {
  Names whileGone;
  bool reportShown = true;
  Names numbersBack;
  std::string question;
  Robot robot;
  ChangeInTheTray(robot, [this] { Write("1234567", nullptr, false); });
  See(robot, false);
  robot.Then([&] {
    whileGone = registeredNumbers_;
    Write("1234567", "555", false);
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  robot.Then([&] {
    reportShown = !DialogsFromTemplate(IDD_MANIPULATED_CONNECTION).empty();
    numbersBack = ListColumn(RobotWindow(window_), IDC_REGISTERED_LIST, 2);
    Write("1234567", nullptr, false);
    RobotWindow(window_).Click(IDC_REFRESH);
  });
  robot.OnWindow(MessageBoxWith(kHomeGone), [](RobotWindow& box) { box.Click(IDOK); });
  robot.Then([this] {
    RobotWindow(window_).SelectListItem(IDC_REGISTERED_LIST, 0);
    RobotWindow(window_).Command(IDC_UNREGISTER);
  });
  robot.OnWindow(AnyMessageBox(), [&](RobotWindow& box) {
    question = box.MessageText();
    box.Click(IDYES);
  });
  robot.Then([this] { registered_ = ListColumn(RobotWindow(window_), IDC_REGISTERED_LIST, 0); });
  Run(robot, " /monitor /nosplash");
  EXPECT_EQ((Names{"(not in the phonebook)", "1234567"}), whileGone);
  EXPECT_FALSE(reportShown);
  EXPECT_EQ((Names{"555", "1234567"}), numbersBack);
  EXPECT_NE(std::string::npos, question.find("Unregister it all the same?")) << question;
  EXPECT_EQ(Names{"Office"}, registered_);
  EXPECT_EQ(Names{"Office"}, StoredNames());
}

}  // namespace
}  // namespace tollward
