// The stand-in's entry editor: a real modal dialog that writes the file on OK and only then.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/RasPhonebook.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/Robot.h"
#include "tools/rasemu/EntryEditorIds.h"

namespace tollward {
namespace {

using testing::ContainsInOrder;
using testing::Robot;
using testing::RobotWindow;
using testing::WindowMatch;

const WindowMatch kEditor = testing::WithCaption("Office - Phonebook Entry");

class RasEntryEditorTest : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    // What the editor wrote is read back through the service, the password too.
    RevealPasswords();
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
    WritePhonebook({"; kept", "[Office]", "Device=modem", "AreaCode=089",
                    "LocalPhoneNumber=1234567", "UserName=smith", "Password=secret", "[Home]",
                    "AreaCode=040"});
  }
  void TearDown() override {
    DestroyWindow(owner_);
    PhonebookFileTest::TearDown();
  }

  // Edits the entry while the robot drives the editor, and then waits for the editor to be gone:
  // one that the steps left open is reported and cancelled instead of hanging the test.
  bool EditEntry(const char* name, Robot& robot) {
    robot.When(
        "the editor to close",
        [&robot] {
          const std::vector<HWND> windows = robot.NewWindows();
          return std::none_of(windows.begin(), windows.end(), kEditor.test);
        },
        [] {});
    const bool edited = phonebook_.EditEntry(name, owner_);
    robot.RunUntilDone();
    return edited;
  }

  HWND owner_ = nullptr;
  CRasPhonebook phonebook_;
};

TEST_F(RasEntryEditorTest, OkWritesTheEditedValues) {
  struct {
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    std::string name, areaCode, number, userName, password;
    LONG passwordStyle = 0;
  } seen;
  Robot robot;
  robot.OnWindow(kEditor, [&](RobotWindow& editor) {
    seen.owner = editor.Owner();
    seen.ownerEnabled = IsWindowEnabled(owner_);
    seen.name = editor.ItemText(IDC_RASEMU_ENTRY_NAME);
    seen.areaCode = editor.ItemText(IDC_RASEMU_AREA_CODE);
    seen.number = editor.ItemText(IDC_RASEMU_LOCAL_NUMBER);
    seen.userName = editor.ItemText(IDC_RASEMU_USER_NAME);
    seen.password = editor.ItemText(IDC_RASEMU_PASSWORD);
    seen.passwordStyle = editor.ItemStyle(IDC_RASEMU_PASSWORD);
    editor.SetItemText(IDC_RASEMU_AREA_CODE, "0190");
    editor.SetItemText(IDC_RASEMU_LOCAL_NUMBER, "666");
    editor.SetItemText(IDC_RASEMU_USER_NAME, "jones");
    editor.SetItemText(IDC_RASEMU_PASSWORD, "n3w");
    editor.Click(IDOK);
  });

  ASSERT_TRUE(EditEntry("Office", robot));
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_EQ(seen.owner, owner_);
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_EQ(seen.name, "Office");
  EXPECT_EQ(seen.areaCode, "089");
  EXPECT_EQ(seen.number, "1234567");
  EXPECT_EQ(seen.userName, "smith");
  EXPECT_EQ(seen.password, "secret");
  EXPECT_TRUE(seen.passwordStyle & ES_PASSWORD);

  PhonebookDialParams dial;
  PhonebookEntryProperties props;
  ASSERT_TRUE(phonebook_.GetDialParams("Office", dial));
  ASSERT_TRUE(phonebook_.GetProperties("Office", props));
  EXPECT_EQ(props.areaCode, "0190");
  EXPECT_EQ(props.localPhoneNumber, "666");
  EXPECT_EQ(dial.userName, "jones");
  EXPECT_EQ(dial.password, "n3w");
  EXPECT_TRUE(ContainsInOrder(PhonebookLines(),
                              {"; kept", "[Office]", "Device=modem", "[Home]", "AreaCode=040"}))
      << PhonebookText();
}

TEST_F(RasEntryEditorTest, CancelWritesNothing) {
  const std::string before = PhonebookText();
  Robot robot;
  robot.OnWindow(kEditor, [](RobotWindow& editor) {
    editor.SetItemText(IDC_RASEMU_LOCAL_NUMBER, "0190666");
    editor.SetItemText(IDC_RASEMU_PASSWORD, "stolen");
    editor.Click(IDCANCEL);
  });
  ASSERT_TRUE(EditEntry("Office", robot));
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(PhonebookText(), before);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(RasEntryEditorTest, UnknownEntryOpensNoEditor) {
  bool opened = false;
  Robot robot;
  robot.OnWindow({"any window", [](HWND) { return true; }}, [&](RobotWindow& window) {
    opened = true;
    window.Command(IDCANCEL);
  });
  EXPECT_FALSE(phonebook_.EditEntry("Nowhere", owner_));
  EXPECT_FALSE(opened);
}

// When the file cannot be written the editor says so and stays open with what was typed.
TEST_F(RasEntryEditorTest, FailedWriteKeepsTheEditorOpen) {
  const std::string before = PhonebookText();
  HANDLE lock = INVALID_HANDLE_VALUE;
  std::string message, numberAfterFailure;
  HWND editor = nullptr;
  Robot robot;
  robot
      .OnWindow(kEditor,
                [&](RobotWindow& window) {
                  editor = window.hwnd();
                  lock = CreateFileA(phonebookPath().c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
                  window.SetItemText(IDC_RASEMU_LOCAL_NUMBER, "7777");
                  window.Click(IDOK);
                })
      .OnWindow(testing::AnyMessageBox(), [&](RobotWindow& box) {
        message = box.MessageText();
        numberAfterFailure = RobotWindow(editor).ItemText(IDC_RASEMU_LOCAL_NUMBER);
        CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
        box.Click(IDOK);
        RobotWindow(editor).Click(IDCANCEL);
      });
  ASSERT_TRUE(EditEntry("Office", robot));
  if (lock != INVALID_HANDLE_VALUE) {
    CloseHandle(lock);
  }
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_NE(message.find("could not be written"), std::string::npos) << message;
  EXPECT_EQ(numberAfterFailure, "7777");
  EXPECT_EQ(PhonebookText(), before);
}

}  // namespace
}  // namespace tollward
