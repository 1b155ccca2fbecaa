// Manipulations found at start-up and in a scan over the stand-in's phonebook, shown in real
// reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/GuardSequences.h"
#include "platform/win32/RasPhonebook.h"
#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/FieldColors.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/ManipulatedConnectionDlg.h"

namespace tollward {
namespace {

using testing::ColorName;
using testing::FromTemplate;
using testing::MakeRecord;
using testing::QueryFieldColors;
using testing::Robot;
using testing::RobotWindow;

// The list that reports to the user, as the program's interactive list does.
class ReportingConnections : public CRASConnections {
 public:
  ReportingConnections(IPhonebook& phonebook, int& shown)
      : CRASConnections(phonebook), shown_(shown) {}
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override {
    if (ui::ShowManipulatedConnection(*this, checked, index, differences)) {
      ++shown_;
    }
  }

 private:
  int& shown_;
};

// One report as the user saw it: each field's text and background colour, and the masking.
struct SeenReport {
  std::map<int, std::string> text;
  std::map<int, std::string> color;
  bool passwordsMasked = false;
  bool earlierReportGone = true;
};

constexpr int kFields[] = {IDC_ENTRY_NAME,           IDC_REGISTERED_AREA_CODE,
                           IDC_ALTERED_AREA_CODE,    IDC_REGISTERED_LOCAL_NUMBER,
                           IDC_ALTERED_LOCAL_NUMBER, IDC_REGISTERED_USER_NAME,
                           IDC_ALTERED_USER_NAME,    IDC_REGISTERED_PASSWORD,
                           IDC_ALTERED_PASSWORD};

class ManipulationReportEndToEnd : public testing::PhonebookFileTest {
 protected:
  void Register(const std::vector<ConnectionRecord>& records) {
    CRASConnections store(phonebook_);
    for (const ConnectionRecord& record : records) {
      ASSERT_TRUE(store.Add(record));
    }
    ASSERT_TRUE(store.Save(storePath_));
    store.ClearPath();
  }

  ReportingListFactory Factory() {
    return [this] { return std::make_unique<ReportingConnections>(phonebook_, shown_); };
  }

  // Reads and closes each of `count` reports in turn.
  void ExpectReports(Robot& robot, int count) {
    for (int i = 0; i < count; ++i) {
      robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [this](RobotWindow& report) {
        SeenReport seen;
        for (int id : kFields) {
          seen.text[id] = report.ItemText(id);
          seen.color[id] = ColorName(QueryFieldColors(report.hwnd(), id).brushColor);
        }
        seen.passwordsMasked = true;
        for (int id : {IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD}) {
          seen.passwordsMasked =
              seen.passwordsMasked &&
              ::SendDlgItemMessageA(report.hwnd(), id, EM_GETPASSWORDCHAR, 0, 0) != 0;
        }
        seen.earlierReportGone = seen_.empty() || !::IsWindowVisible(lastReport_);
        lastReport_ = report.hwnd();
        seen_.push_back(seen);
        report.Click(IDOK);
      });
    }
  }

  bool StartUp() {
    return RunStartUpCheck(registered_, unregistered_, badAreas_, storePath_, Factory());
  }

  const std::string storePath_ = folder_.Path("Tollward.con");
  RasPhonebook phonebook_;
  CRASBadAreaCodes badAreas_;
  CRASConnections registered_{phonebook_};
  CRASConnections unregistered_{phonebook_};
  int shown_ = 0;
  std::vector<SeenReport> seen_;
  HWND lastReport_ = nullptr;
};

TEST_F(ManipulationReportEndToEnd, StartUpShowsALocalNumberChangedInThePhonebookOnce) {
  Register({MakeRecord("Office", "089", "1234567", "smith", "secret"),
            MakeRecord("Home", "040", "555", "family", "home")});
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=0190666", "UserName=smith",
                  "Password=secret", "[Home]", "AreaCode=040", "LocalPhoneNumber=555",
                  "UserName=family", "Password=home"});
  Robot robot;
  ExpectReports(robot, 1);
  StartUp();
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(1, shown_);

  const SeenReport& office = seen_[0];
  EXPECT_EQ("Office", office.text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("1234567", office.text.at(IDC_REGISTERED_LOCAL_NUMBER));
  EXPECT_EQ("0190666", office.text.at(IDC_ALTERED_LOCAL_NUMBER));
  EXPECT_EQ("089", office.text.at(IDC_ALTERED_AREA_CODE));
  EXPECT_EQ("smith", office.text.at(IDC_REGISTERED_USER_NAME));
  EXPECT_EQ("secret", office.text.at(IDC_ALTERED_PASSWORD));
  EXPECT_EQ("grey", office.color.at(IDC_ENTRY_NAME));
  for (int id : {IDC_REGISTERED_LOCAL_NUMBER, IDC_ALTERED_LOCAL_NUMBER}) {
    EXPECT_EQ("red", office.color.at(id)) << id;
  }
  for (int id : {IDC_REGISTERED_AREA_CODE, IDC_ALTERED_AREA_CODE, IDC_REGISTERED_USER_NAME,
                 IDC_ALTERED_USER_NAME, IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD}) {
    EXPECT_EQ("green", office.color.at(id)) << id;
  }
  EXPECT_TRUE(office.passwordsMasked);
  // The manipulated entry is no longer registered; the other one still is.
  EXPECT_EQ(0u, registered_.Find("Office"));
  EXPECT_NE(0u, unregistered_.Find("Office"));
  EXPECT_NE(0u, registered_.Find("Home"));
}

TEST_F(ManipulationReportEndToEnd, TwoManipulatedEntriesShowTwoReportsInTurnLastRegisteredFirst) {
  Register({MakeRecord("Office", "089", "1234567"), MakeRecord("Home", "040", "555"),
            MakeRecord("Mobile", "0171", "999")});
  WritePhonebook({"[Office]", "AreaCode=0190", "LocalPhoneNumber=1234567", "[Home]", "AreaCode=040",
                  "LocalPhoneNumber=555", "[Mobile]", "AreaCode=0171", "LocalPhoneNumber=0190999"});
  Robot robot;
  ExpectReports(robot, 2);
  StartUp();
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(2, shown_);
  EXPECT_EQ("Mobile", seen_[0].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("Office", seen_[1].text.at(IDC_ENTRY_NAME));
  EXPECT_TRUE(seen_[1].earlierReportGone);
  EXPECT_EQ("red", seen_[1].color.at(IDC_ALTERED_AREA_CODE));
  EXPECT_EQ("green", seen_[1].color.at(IDC_ALTERED_LOCAL_NUMBER));

  // A scan finds them again, in the same order, from the registrations it is given.
  ASSERT_TRUE(registered_.Add(MakeRecord("Office", "089", "1234567")));
  ASSERT_TRUE(registered_.Add(MakeRecord("Mobile", "0171", "999")));
  seen_.clear();
  shown_ = 0;
  Robot scanRobot;
  ExpectReports(scanRobot, 2);
  ScanAndResort(registered_, unregistered_, Factory());
  ASSERT_TRUE(scanRobot.Done()) << scanRobot.Failures();
  ASSERT_EQ(2, shown_);
  EXPECT_EQ("Mobile", seen_[0].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("Office", seen_[1].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("0190999", seen_[0].text.at(IDC_ALTERED_LOCAL_NUMBER));
}

TEST_F(ManipulationReportEndToEnd, UserNameChangedOnlyInLetterCaseIsShownRedOnlyBesideARealChange) {
  Register({MakeRecord("Office", "089", "1234567", "smith", "secret"),
            MakeRecord("Home", "040", "555", "family", "")});
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567", "UserName=SMITH",
                  "Password=secret", "[Home]", "AreaCode=040", "LocalPhoneNumber=555",
                  "UserName=Family", "Password=n3w"});
  Robot robot;
  ExpectReports(robot, 1);
  StartUp();
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(1, shown_);

  const SeenReport& home = seen_[0];
  EXPECT_EQ("Home", home.text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("family", home.text.at(IDC_REGISTERED_USER_NAME));
  EXPECT_EQ("Family", home.text.at(IDC_ALTERED_USER_NAME));
  EXPECT_EQ("", home.text.at(IDC_REGISTERED_PASSWORD));
  EXPECT_EQ("n3w", home.text.at(IDC_ALTERED_PASSWORD));
  for (int id : {IDC_REGISTERED_USER_NAME, IDC_ALTERED_USER_NAME, IDC_REGISTERED_PASSWORD,
                 IDC_ALTERED_PASSWORD}) {
    EXPECT_EQ("red", home.color.at(id)) << id;
  }
  EXPECT_EQ("green", home.color.at(IDC_ALTERED_AREA_CODE));
  EXPECT_TRUE(home.passwordsMasked);
  // The letter case alone keeps the entry registered.
  EXPECT_NE(0u, registered_.Find("Office"));
}

}  // namespace
}  // namespace tollward
