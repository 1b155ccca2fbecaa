// The control center's expert actions end to end, through the RAS stand-in's phonebook file.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "options/Options.h"
#include "res/resource.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/win/ControlCenterFixture.h"
#include "tools/rasemu/EntryEditorIds.h"

namespace tollward {
namespace {

using testing::ContainsInOrder;
using testing::ControlCenterTest;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::ListColumn;
using testing::Robot;
using testing::RobotWindow;
using testing::WithCaption;
using Names = std::vector<std::string>;

constexpr int kExpertButtons[] = {IDC_UNREGISTERED_PROPERTIES, IDC_REGISTERED_PROPERTIES,
                                  IDC_UNREGISTERED_USER_PASS, IDC_REGISTERED_USER_PASS};
// Office ISDN, once the view has sorted the four entries by name.
constexpr int kOfficeRow = 2;

class ExpertActions : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
    RegisterWholePhonebook();
    testing::FakeCommandLine commandLine(ProgramCommandLine(""));
    COptions options(autostart_, commandLine);
    options.showExtendedFunctionality = true;
    std::string path = programDirectory() + "Tollward.ini";
    ASSERT_TRUE(options.Save(path));
  }

  // Queues the first steps: with the control center up, selects Office ISDN among the
  // registered entries and clicks the button.
  void ClickForOffice(Robot& robot, int button) {
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [this, button](RobotWindow& controlCenter) {
      window_ = controlCenter.hwnd();
      for (int id : kExpertButtons) {
        expertButtonsShown_ = expertButtonsShown_ && controlCenter.IsItemVisible(id);
      }
      enabledBeforeSelection_ = controlCenter.IsItemEnabled(button);
      controlCenter.SelectListItem(IDC_REGISTERED_LIST, kOfficeRow);
    });
    robot.Then([this, button] {
      enabledWithSelection_ = window().IsItemEnabled(button);
      window().Click(button);
    });
  }
  // Queues the step after the action and its refresh: closes the reports of manipulated
  // entries that the refresh shows, then reads both views.
  void ReadViewsAfterRefresh(Robot& robot) {
    robot.Then([this] {
      for (HWND report : DialogsFromTemplate(IDD_MANIPULATED_CONNECTION)) {
        reported_.push_back(RobotWindow(report).ItemText(IDC_ENTRY_NAME));
        RobotWindow(report).Click(IDOK);
      }
    });
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [this](RobotWindow& controlCenter) {
      unregistered_ = ListColumn(controlCenter, IDC_UNREGISTERED_LIST, 0);
      registered_ = ListColumn(controlCenter, IDC_REGISTERED_LIST, 0);
      selectionLeft_ = controlCenter.IsItemEnabled(IDC_REGISTERED_PROPERTIES) ||
                       controlCenter.IsItemEnabled(IDC_REGISTERED_USER_PASS);
    });
    ControlCenterTest::QueueQuitWithYes(robot);
  }
  void ExpectButtonsFollowedTheSelection() {
    EXPECT_TRUE(expertButtonsShown_);
    EXPECT_FALSE(enabledBeforeSelection_);
    EXPECT_TRUE(enabledWithSelection_);
    EXPECT_FALSE(selectionLeft_) << "the refill took the selection along";
  }
  RobotWindow window() const { return RobotWindow(window_); }

  HWND window_ = nullptr;
  bool expertButtonsShown_ = true;
  bool enabledBeforeSelection_ = true;
  bool enabledWithSelection_ = false;
  bool selectionLeft_ = true;
  Names reported_;
  Names unregistered_;
  Names registered_;
};

TEST_F(ExpertActions, ANewUserNameReachesPhonebookAndRegistrationSoTheEntryStaysRegistered) {
  std::string shownName;
  std::string shownUser;
  Robot robot;
  ClickForOffice(robot, IDC_REGISTERED_USER_PASS);
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    shownName = dialog.ItemText(IDC_ENTRY_NAME);
    shownUser = dialog.ItemText(IDC_USER_NAME);
    dialog.SetItemText(IDC_USER_NAME, "  jmueller ");
    dialog.Click(IDOK);
  });
  ReadViewsAfterRefresh(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ExpectButtonsFollowedTheSelection();
  EXPECT_EQ("Office ISDN", shownName);
  EXPECT_EQ("jmiller", shownUser);
  EXPECT_TRUE(ContainsInOrder(
      PhonebookLines(), {"[Office ISDN]", "UserName=jmueller", "Password=tu3Lk9", "[CityNet]"}))
      << PhonebookText();
  EXPECT_TRUE(reported_.empty()) << "the registration was changed with the phonebook";
  EXPECT_TRUE(unregistered_.empty());
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), registered_);

  CRASConnections stored(phonebook_);
  ASSERT_TRUE(stored.Load(storePath()));
  stored.ClearPath();
  const unsigned office = stored.Find("Office ISDN");
  ASSERT_NE(0u, office);
  EXPECT_STREQ("jmueller", stored.GetUserName(office));
  // The registration keeps what the service hands out, never the password itself.
  PhonebookDialParams live;
  ASSERT_TRUE(phonebook_.GetDialParams("Office ISDN", live));
  EXPECT_EQ(live.password, stored.GetPassword(office));
  EXPECT_STRNE("tu3Lk9", stored.GetPassword(office));
}

// The stand-in hides saved passwords as Windows does: the old one cannot be asked for.
TEST_F(ExpertActions, ANewPasswordNeedsNoOldOneAndTheEntryStaysRegistered) {
  bool oldLocked = false;
  std::string note;
  Robot robot;
  ClickForOffice(robot, IDC_REGISTERED_USER_PASS);
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS),
                 [](RobotWindow& dialog) { dialog.Click(IDC_CHANGE_PASSWORD); });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    oldLocked = !dialog.IsItemEnabled(IDC_OLD_PASSWORD);
    note = dialog.IsItemVisible(IDC_PASSWORDS_HIDDEN_NOTE)
               ? dialog.ItemText(IDC_PASSWORDS_HIDDEN_NOTE)
               : "";
    dialog.SetItemText(IDC_NEW_PASSWORD, "Zr5mq1");
    dialog.SetItemText(IDC_REPEAT_PASSWORD, "Zr5mq1");
    dialog.Click(IDOK);
  });
  ReadViewsAfterRefresh(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(oldLocked);
  EXPECT_EQ("Windows does not reveal saved passwords.", note);
  EXPECT_TRUE(ContainsInOrder(
      PhonebookLines(), {"[Office ISDN]", "UserName=jmiller", "Password=Zr5mq1", "[CityNet]"}))
      << PhonebookText();
  EXPECT_TRUE(reported_.empty()) << "the registration was changed with the phonebook";
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), registered_);
}

TEST_F(ExpertActions, PropertiesOpensTheEditorAndAChangedNumberEndsTheRegistration) {
  HWND editorOwner = nullptr;
  std::string shownNumber;
  Robot robot;
  ClickForOffice(robot, IDC_REGISTERED_PROPERTIES);
  robot.OnWindow(WithCaption("Office ISDN - Phonebook Entry"), [&](RobotWindow& editor) {
    editorOwner = editor.Owner();
    shownNumber = editor.ItemText(IDC_RASEMU_LOCAL_NUMBER);
    editor.SetItemText(IDC_RASEMU_LOCAL_NUMBER, "44881299");
    editor.Click(IDOK);
  });
  ReadViewsAfterRefresh(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ExpectButtonsFollowedTheSelection();
  EXPECT_EQ(window_, editorOwner);
  EXPECT_EQ("44881200", shownNumber);
  EXPECT_EQ(Names{"Office ISDN"}, reported_);
  EXPECT_EQ(Names{"Office ISDN"}, unregistered_);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "university dial-in"}), registered_);
}

}  // namespace
}  // namespace tollward
