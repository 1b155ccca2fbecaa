// The stand-in's entry editor: a real modal dialog that writes the file on OK and only then.
#include <gtest/gtest.h>

#include "platform/win32/RasPhonebook.h"
#include "tests/win/DialogRobot.h"
#include "tests/win/PhonebookFixture.h"
#include "tools/rasemu/EntryEditorIds.h"

namespace tollward {
namespace {

using testing::Click;
using testing::ContainsInOrder;
using testing::DialogRobot;
using testing::ItemText;
using testing::SetItemText;

class RasEntryEditorTest : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
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

  HWND owner_ = nullptr;
  RasPhonebook phonebook_;
};

TEST_F(RasEntryEditorTest, OkWritesTheEditedValues) {
  struct {
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    std::string name, areaCode, number, userName, password;
    LONG_PTR passwordStyle = 0;
  } seen;
  DialogRobot robot({[&](HWND dialog) {
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ownerEnabled = IsWindowEnabled(owner_);
    seen.name = ItemText(dialog, IDC_RASEMU_ENTRY_NAME);
    seen.areaCode = ItemText(dialog, IDC_RASEMU_AREA_CODE);
    seen.number = ItemText(dialog, IDC_RASEMU_LOCAL_NUMBER);
    seen.userName = ItemText(dialog, IDC_RASEMU_USER_NAME);
    seen.password = ItemText(dialog, IDC_RASEMU_PASSWORD);
    seen.passwordStyle = GetWindowLongPtrA(GetDlgItem(dialog, IDC_RASEMU_PASSWORD), GWL_STYLE);
    SetItemText(dialog, IDC_RASEMU_AREA_CODE, "0190");
    SetItemText(dialog, IDC_RASEMU_LOCAL_NUMBER, "666");
    SetItemText(dialog, IDC_RASEMU_USER_NAME, "jones");
    SetItemText(dialog, IDC_RASEMU_PASSWORD, "n3w");
    Click(dialog, IDOK);
  }});

  ASSERT_TRUE(phonebook_.EditEntry("Office", owner_));
  EXPECT_EQ(robot.stepsTaken(), 1u);
  EXPECT_FALSE(robot.gaveUp());

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
  DialogRobot robot({[](HWND dialog) {
    SetItemText(dialog, IDC_RASEMU_LOCAL_NUMBER, "0190666");
    SetItemText(dialog, IDC_RASEMU_PASSWORD, "stolen");
    Click(dialog, IDCANCEL);
  }});
  ASSERT_TRUE(phonebook_.EditEntry("Office", owner_));
  EXPECT_EQ(robot.stepsTaken(), 1u);
  EXPECT_FALSE(robot.gaveUp());
  EXPECT_EQ(PhonebookText(), before);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(RasEntryEditorTest, UnknownEntryOpensNoEditor) {
  DialogRobot robot({[](HWND dialog) { Click(dialog, IDCANCEL); }});
  EXPECT_FALSE(phonebook_.EditEntry("Nowhere", owner_));
  EXPECT_EQ(robot.stepsTaken(), 0u);
}

// When the file cannot be written the editor says so and stays open with what was typed.
TEST_F(RasEntryEditorTest, FailedWriteKeepsTheEditorOpen) {
  const std::string before = PhonebookText();
  HANDLE lock = INVALID_HANDLE_VALUE;
  std::string message, numberAfterFailure;
  HWND editor = nullptr;
  DialogRobot robot({
      [&](HWND dialog) {
        editor = dialog;
        lock = CreateFileA(phonebookPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        SetItemText(dialog, IDC_RASEMU_LOCAL_NUMBER, "7777");
        Click(dialog, IDOK);
      },
      [&](HWND box) {
        message = ItemText(box, 0xFFFF);
        numberAfterFailure = ItemText(editor, IDC_RASEMU_LOCAL_NUMBER);
        CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
        Click(box, IDOK);
        Click(editor, IDCANCEL);
      },
  });
  ASSERT_TRUE(phonebook_.EditEntry("Office", owner_));
  if (lock != INVALID_HANDLE_VALUE) {
    CloseHandle(lock);
  }
  EXPECT_EQ(robot.stepsTaken(), 2u);
  EXPECT_FALSE(robot.gaveUp());
  EXPECT_NE(message.find("could not be written"), std::string::npos) << message;
  EXPECT_EQ(numberAfterFailure, "7777");
  EXPECT_EQ(PhonebookText(), before);
}

}  // namespace
}  // namespace tollward
