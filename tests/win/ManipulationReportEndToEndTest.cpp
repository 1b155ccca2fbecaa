// Manipulations found at the program's start and in a scan, shown in real reports over the
// stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/InteractiveRASConnections.h"
#include "core/GuardSequences.h"
#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/ControlCenterFixture.h"
#include "tests/win/FieldColors.h"
#include "ui/dialogs/ManipulatedConnectionDlg.h"
#include "ui/framework/ListView.h"

namespace tollward {
namespace {

using testing::ColorName;
using testing::ControlCenterTest;
using testing::FromTemplate;
using testing::ListColumn;
using testing::MakeRecord;
using testing::QueryFieldColors;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

// One report as the user saw it: each field's text and background color, and the masking.
struct SeenReport {
  std::map<int, std::string> text;
  std::map<int, std::string> color;
  bool passwordsMasked = false;
  bool earlierReportGone = true;
  // The rows of further properties, each as "name|registered|current".
  std::vector<std::string> furtherRows;
};

constexpr int kFields[] = {IDC_ENTRY_NAME,           IDC_REGISTERED_AREA_CODE,
                           IDC_ALTERED_AREA_CODE,    IDC_REGISTERED_LOCAL_NUMBER,
                           IDC_ALTERED_LOCAL_NUMBER, IDC_REGISTERED_USER_NAME,
                           IDC_ALTERED_USER_NAME,    IDC_REGISTERED_PASSWORD,
                           IDC_ALTERED_PASSWORD};

class ManipulationReportEndToEnd : public ControlCenterTest {
 protected:
  // The registrations below carry the passwords themselves, as a service that reveals them
  // hands them out.
  void SetUp() override {
    ControlCenterTest::SetUp();
    RevealPasswords();
  }

  // The store an earlier run left: these registrations, whatever the phonebook holds now.
  void Register(const std::vector<ConnectionRecord>& records) {
    CRASConnections store(phonebook_);
    for (const ConnectionRecord& record : records) {
      ASSERT_TRUE(store.Add(record));
    }
    ASSERT_TRUE(store.Save(storePath()));
    store.ClearPath();
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
        const ui::CListView further(::GetDlgItem(report.hwnd(), IDC_FURTHER_PROPERTIES));
        for (int row = 0; further.IsVisible() && row < further.GetItemCount(); ++row) {
          seen.furtherRows.push_back(further.GetItemText(row, 0) + "|" +
                                     further.GetItemText(row, 1) + "|" +
                                     further.GetItemText(row, 2));
        }
        seen.earlierReportGone = seen_.empty() || !::IsWindowVisible(lastReport_);
        lastReport_ = report.hwnd();
        seen_.push_back(seen);
        report.Click(IDOK);
      });
    }
  }

  // Starts the program, expecting `reports` reports before the control center shows; then
  // reads its two lists and quits.
  void Start(int reports) {
    Robot robot;
    ExpectReports(robot, reports);
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [this](RobotWindow& window) {
      unregisteredView_ = ListColumn(window, IDC_UNREGISTERED_LIST, 0);
      registeredView_ = ListColumn(window, IDC_REGISTERED_LIST, 0);
    });
    QueueQuitWithYes(robot);
    MakeControlCenter(" /nosplash")->DoModal();
    EXPECT_TRUE(robot.Done()) << robot.Failures();
  }

  std::vector<SeenReport> seen_;
  HWND lastReport_ = nullptr;
  Names unregisteredView_;
  Names registeredView_;
};

TEST_F(ManipulationReportEndToEnd, AStartShowsALocalNumberChangedInThePhonebookOnce) {
  Register({MakeRecord("Office", "089", "1234567", "smith", "secret"),
            MakeRecord("Home", "040", "555", "family", "home")});
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=0190666", "UserName=smith",
                  "Password=secret", "[Home]", "AreaCode=040", "LocalPhoneNumber=555",
                  "UserName=family", "Password=home"});
  Start(1);
  ASSERT_EQ(1u, seen_.size());

  const SeenReport& office = seen_[0];
  EXPECT_EQ("Office", office.text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("1234567", office.text.at(IDC_REGISTERED_LOCAL_NUMBER));
  EXPECT_EQ("0190666", office.text.at(IDC_ALTERED_LOCAL_NUMBER));
  EXPECT_EQ("089", office.text.at(IDC_REGISTERED_AREA_CODE));
  EXPECT_EQ("089", office.text.at(IDC_ALTERED_AREA_CODE));
  EXPECT_EQ("smith", office.text.at(IDC_ALTERED_USER_NAME));
  EXPECT_EQ("secret", office.text.at(IDC_REGISTERED_PASSWORD));
  EXPECT_EQ("grey", office.color.at(IDC_ENTRY_NAME));
  for (int id : {IDC_REGISTERED_LOCAL_NUMBER, IDC_ALTERED_LOCAL_NUMBER}) {
    EXPECT_EQ("red", office.color.at(id)) << id;
  }
  for (int id : {IDC_REGISTERED_AREA_CODE, IDC_ALTERED_AREA_CODE, IDC_REGISTERED_USER_NAME,
                 IDC_ALTERED_USER_NAME, IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD}) {
    EXPECT_EQ("green", office.color.at(id)) << id;
  }
  EXPECT_TRUE(office.passwordsMasked);
  // The manipulated entry is no longer taken as registered; the other one still is.
  EXPECT_EQ(Names{"Office"}, unregisteredView_);
  EXPECT_EQ(Names{"Home"}, registeredView_);
}

TEST_F(ManipulationReportEndToEnd, TwoManipulatedEntriesShowTwoReportsInTurnLastRegisteredFirst) {
  Register({MakeRecord("Office", "089", "1234567"), MakeRecord("Home", "040", "555"),
            MakeRecord("Mobile", "0171", "999")});
  WritePhonebook({"[Office]", "AreaCode=0190", "LocalPhoneNumber=1234567", "[Home]", "AreaCode=040",
                  "LocalPhoneNumber=555", "[Mobile]", "AreaCode=0171", "LocalPhoneNumber=0190999"});
  Start(2);
  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("Mobile", seen_[0].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("0190999", seen_[0].text.at(IDC_ALTERED_LOCAL_NUMBER));
  EXPECT_EQ("Office", seen_[1].text.at(IDC_ENTRY_NAME));
  EXPECT_TRUE(seen_[1].earlierReportGone);
  EXPECT_EQ("red", seen_[1].color.at(IDC_ALTERED_AREA_CODE));
  EXPECT_EQ("green", seen_[1].color.at(IDC_ALTERED_LOCAL_NUMBER));
}

TEST_F(ManipulationReportEndToEnd, UserNameChangedOnlyInLetterCaseIsShownRedOnlyBesideARealChange) {
  Register({MakeRecord("Office", "089", "1234567", "smith", "secret"),
            MakeRecord("Home", "040", "555", "family", "")});
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567", "UserName=SMITH",
                  "Password=secret", "[Home]", "AreaCode=040", "LocalPhoneNumber=555",
                  "UserName=Family", "Password=n3w"});
  Start(1);
  ASSERT_EQ(1u, seen_.size());

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
  EXPECT_EQ(Names{"Office"}, registeredView_);
}

TEST_F(ManipulationReportEndToEnd, AScanReportsFromTheRegistrationsItIsGivenLastFirst) {
  WritePhonebook({"[Office]", "AreaCode=0190", "LocalPhoneNumber=1234567", "[Home]", "AreaCode=040",
                  "LocalPhoneNumber=555", "UserName=Family"});
  CInteractiveRASConnections registered(phonebook_);
  CInteractiveRASConnections unregistered(phonebook_);
  ASSERT_TRUE(registered.Add(MakeRecord("Office", "089", "1234567")));
  ASSERT_TRUE(registered.Add(MakeRecord("Home", "040", "555", "family", "old")));
  Robot robot;
  ExpectReports(robot, 2);
  ScanAndResort(registered, unregistered,
                [this] { return std::make_unique<CInteractiveRASConnections>(phonebook_); });
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(2u, seen_.size());
  EXPECT_EQ("Home", seen_[0].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("old", seen_[0].text.at(IDC_REGISTERED_PASSWORD));
  EXPECT_EQ("", seen_[0].text.at(IDC_ALTERED_PASSWORD));
  EXPECT_EQ("Office", seen_[1].text.at(IDC_ENTRY_NAME));
  EXPECT_EQ("0190", seen_[1].text.at(IDC_ALTERED_AREA_CODE));
  EXPECT_EQ(0u, registered.GetCount());
}

TEST_F(ManipulationReportEndToEnd, AnEntryTheCheckDidNotFindShowsNoReport) {
  WritePhonebook({"[Office]", "AreaCode=089"});
  CInteractiveRASConnections current(phonebook_);
  ASSERT_TRUE(current.Retrieve());
  // The check's differences for an entry it did not find: the whole record, name and all.
  const ConnectionRecord gone = MakeRecord("Gone", "089", "1234567");
  Robot robot;
  ExpectReports(robot, 1);
  current.OnManipulatedConnection(gone, 1, gone);
  EXPECT_TRUE(seen_.empty());
}

// Over the stand-in as Windows answers since 2000: a saved password reads back as a handle.
class HiddenPasswordScan : public ControlCenterTest {};

TEST_F(HiddenPasswordScan, ARegisteredSavedPasswordStaysRegisteredUntilItIsRemoved) {
  WriteFourEntries();
  RegisterWholePhonebook();
  std::size_t reportsBeforeRemoval = 1;
  std::string reported, registeredPassword, currentPassword;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                 [](RobotWindow& controlCenter) { controlCenter.Click(IDC_REFRESH); });
  robot.Then([&] {
    reportsBeforeRemoval = testing::DialogsFromTemplate(IDD_MANIPULATED_CONNECTION).size();
    std::vector<std::string> lines = PhonebookLines();
    lines.erase(std::remove(lines.begin(), lines.end(), "Password=tu3Lk9"), lines.end());
    WritePhonebook(lines);
    RobotWindow(testing::ControlCenterWindow()).Click(IDC_REFRESH);
  });
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
    reported = report.ItemText(IDC_ENTRY_NAME);
    registeredPassword = report.ItemText(IDC_REGISTERED_PASSWORD);
    currentPassword = report.ItemText(IDC_ALTERED_PASSWORD);
    report.Click(IDOK);
  });
  QueueQuitWithYes(robot);
  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_EQ(0u, reportsBeforeRemoval);
  EXPECT_EQ("Office ISDN", reported);
  EXPECT_NE("", registeredPassword);
  EXPECT_NE("tu3Lk9", registeredPassword) << "the registration holds the handle";
  EXPECT_EQ("", currentPassword);
}

// The store of a run before the details file existed, an entry with its own name server, a
// script and a modem: the first start takes them without a report; once they change, the report
// names each, and the entry is listed unregistered.
TEST_F(ManipulationReportEndToEnd, ChangedNameServerScriptAndDeviceAreReportedAfterAQuietUpgrade) {
  Register({MakeRecord("Office", "089", "1234567"), MakeRecord("Home", "040", "555")});
  const auto phonebook = [this](const char* dns, const char* device, const char* script) {
    WritePhonebook({"[Office]", "IpNameAssign=2", std::string("IpDnsAddress=") + dns,
                    "MEDIA=serial", std::string("Device=") + device, "DEVICE=modem", "AreaCode=089",
                    "LocalPhoneNumber=1234567", "DEVICE=switch", std::string("Name=") + script,
                    "[Home]", "AreaCode=040", "LocalPhoneNumber=555"});
  };
  phonebook("192.168.1.1", "Standard Modem", "");
  Start(0);
  EXPECT_TRUE(seen_.empty());
  EXPECT_EQ((Names{"Home", "Office"}), registeredView_);

  phonebook("6.6.6.6", "Evil Modem", "C:\\evil.scp");
  Start(1);
  ASSERT_EQ(1u, seen_.size());
  EXPECT_EQ(
      (std::vector<std::string>{"Name server|192.168.1.1|6.6.6.6", "Dial script||C:\\evil.scp",
                                "Device|Standard Modem|Evil Modem"}),
      seen_[0].furtherRows);
  EXPECT_EQ("green", seen_[0].color.at(IDC_ALTERED_LOCAL_NUMBER));
  EXPECT_EQ(Names{"Office"}, unregisteredView_);
  EXPECT_EQ(Names{"Home"}, registeredView_);
}

}  // namespace
}  // namespace tollward
