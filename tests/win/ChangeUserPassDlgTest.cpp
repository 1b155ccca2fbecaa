// The user name / password dialog from its real template: opening, the toggle, OK's answers.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>

#include "res/resource.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/FieldColors.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/ChangeUserPassDlg.h"

namespace tollward::ui {
namespace {

using testing::ColorName;
using testing::FontOf;
using testing::FromTemplate;
using testing::MessageBoxWith;
using testing::QueryFieldColors;
using testing::Robot;
using testing::RobotWindow;

constexpr int kPasswordFields[] = {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_REPEAT_PASSWORD};

class ChangeUserPassDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook_.Put("Office", "089", "1234", "smith", "secret");
    ASSERT_TRUE(list_.Add(testing::MakeRecord("Office", "089", "1234", "smith", "secret")));
    dialog_.SetConnections(&list_);
    dialog_.SetItem(1);
  }

  testing::FakePhonebook phonebook_;
  testing::RecordingConnections list_{phonebook_};
  CChangeUserPassDlg dialog_;
};

TEST_F(ChangeUserPassDlgTest, OpensOnTheEntryWithThePasswordsLockedUntilTheBoxIsSet) {
  struct {
    std::string name, userName;
    HWND focus = nullptr, userField = nullptr;
    bool lockedAtStart = false, openWhenSet = false, lockedAgain = false, noteShown = true;
    int limits[4] = {};
  } seen;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    seen.name = dialog.ItemText(IDC_ENTRY_NAME);
    seen.userName = dialog.ItemText(IDC_USER_NAME);
    seen.focus = ::GetFocus();
    seen.userField = ::GetDlgItem(dialog.hwnd(), IDC_USER_NAME);
    int i = 0;
    for (int id : {IDC_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_REPEAT_PASSWORD}) {
      seen.limits[i++] =
          static_cast<int>(::SendDlgItemMessageA(dialog.hwnd(), id, EM_GETLIMITTEXT, 0, 0));
    }
    seen.lockedAtStart = !dialog.IsChecked(IDC_CHANGE_PASSWORD);
    for (int id : kPasswordFields) {
      seen.lockedAtStart = seen.lockedAtStart && !dialog.IsItemEnabled(id);
    }
    dialog.Click(IDC_CHANGE_PASSWORD);
  });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    seen.openWhenSet = dialog.IsChecked(IDC_CHANGE_PASSWORD);
    // This phonebook reveals passwords, so the old one is asked for and needs no excuse.
    seen.noteShown = dialog.IsItemVisible(IDC_PASSWORDS_HIDDEN_NOTE);
    for (int id : kPasswordFields) {
      seen.openWhenSet = seen.openWhenSet && dialog.IsItemEnabled(id);
    }
    dialog.Click(IDC_CHANGE_PASSWORD);
  });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    seen.lockedAgain = true;
    for (int id : kPasswordFields) {
      seen.lockedAgain = seen.lockedAgain && !dialog.IsItemEnabled(id);
    }
    dialog.Click(IDCANCEL);
  });

  EXPECT_EQ(IDCANCEL, dialog_.DoModal());
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("Office", seen.name);
  EXPECT_EQ("smith", seen.userName);
  EXPECT_EQ(seen.userField, seen.focus);
  for (int limit : seen.limits) {
    EXPECT_EQ(CChangeUserPassDlg::kFieldLimit, limit);
  }
  EXPECT_TRUE(seen.lockedAtStart);
  EXPECT_TRUE(seen.openWhenSet);
  EXPECT_FALSE(seen.noteShown);
  EXPECT_TRUE(seen.lockedAgain);
  EXPECT_TRUE(phonebook_.setDialParamsCalls.empty()) << "Cancel writes nothing";
}

TEST_F(ChangeUserPassDlgTest, TheEntryNameIsBlackOnGreyInItsOwnFont) {
  ASSERT_TRUE(dialog_.Create());
  const testing::FieldColors name = QueryFieldColors(dialog_, IDC_ENTRY_NAME);
  EXPECT_EQ("grey", ColorName(name.brushColor));
  EXPECT_EQ(RGB(0, 0, 0), name.text);
  LOGFONTA font{};
  ASSERT_NE(0, ::GetObjectA(FontOf(dialog_.GetDlgItem(IDC_ENTRY_NAME)), sizeof(font), &font));
  EXPECT_EQ(16, font.lfHeight);
  EXPECT_EQ(8, font.lfWidth);
}

// A differing repetition keeps the dialog open for a fresh try; a wrong old password then ends it
// as cancelled. Each message is the dialog's own, with the exclamation icon.
TEST_F(ChangeUserPassDlgTest, OkAnswersABadFormWithItsMessageAndStaysOrCloses) {
  struct Box {
    std::string text, caption;
    HWND owner = nullptr;
    HICON icon = nullptr;
  } mismatch, wrongOld;
  struct {
    std::string oldPassword, newPassword, repeated;
    HWND focus = nullptr, newField = nullptr;
  } afterMismatch;
  HWND dialogWindow = nullptr;
  const auto read = [](Box& box, RobotWindow& window) {
    box = {window.MessageText(), window.Caption(), window.Owner(), window.MessageIcon()};
    window.Click(IDOK);
  };
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    dialogWindow = dialog.hwnd();
    dialog.Click(IDC_CHANGE_PASSWORD);
    dialog.SetItemText(IDC_OLD_PASSWORD, "secret");
    dialog.SetItemText(IDC_NEW_PASSWORD, "fresh");
    dialog.SetItemText(IDC_REPEAT_PASSWORD, "Fresh");
    dialog.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("does not match"), [&](RobotWindow& box) { read(mismatch, box); });
  robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& dialog) {
    afterMismatch = {dialog.ItemText(IDC_OLD_PASSWORD), dialog.ItemText(IDC_NEW_PASSWORD),
                     dialog.ItemText(IDC_REPEAT_PASSWORD), ::GetFocus(),
                     ::GetDlgItem(dialog.hwnd(), IDC_NEW_PASSWORD)};
    dialog.SetItemText(IDC_OLD_PASSWORD, "SECRET");
    dialog.SetItemText(IDC_NEW_PASSWORD, "fresh");
    dialog.SetItemText(IDC_REPEAT_PASSWORD, "fresh");
    dialog.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("old (original) password"),
                 [&](RobotWindow& box) { read(wrongOld, box); });

  EXPECT_EQ(IDCANCEL, dialog_.DoModal());
  ASSERT_TRUE(robot.Done()) << robot.Failures();
  const HICON exclamation = ::LoadIconA(nullptr, IDI_EXCLAMATION);
  EXPECT_EQ(mismatch.text,
            "The repeated password entry does not match the first entry. Play it save and "
            "reenter both passwords!");
  EXPECT_EQ(mismatch.caption, "Password repetition does not match");
  EXPECT_EQ(mismatch.owner, dialogWindow);
  EXPECT_EQ(mismatch.icon, exclamation);
  EXPECT_EQ(afterMismatch.oldPassword, "secret");
  EXPECT_EQ(afterMismatch.newPassword, "");
  EXPECT_EQ(afterMismatch.repeated, "");
  EXPECT_EQ(afterMismatch.focus, afterMismatch.newField);
  EXPECT_EQ(wrongOld.caption, "Invalid original password");
  EXPECT_EQ(wrongOld.text.rfind("The old (original) password for the connection is invalid.", 0),
            0u);
  EXPECT_EQ(wrongOld.owner, dialogWindow);
  EXPECT_EQ(wrongOld.icon, exclamation);
  EXPECT_TRUE(phonebook_.setDialParamsCalls.empty());
  EXPECT_STREQ(list_.GetPassword(1), "secret");
}

// The list may change while the dialog is open: OK finds its entry again by name, or says that
// it is gone and writes nothing.
TEST_F(ChangeUserPassDlgTest, OkWritesToTheEntryOfItsNameWhereverTheListNowHoldsIt) {
  for (const bool gone : {false, true}) {
    SCOPED_TRACE(gone ? "gone" : "moved");
    CChangeUserPassDlg dialog;
    dialog.SetConnections(&list_);
    dialog.SetItem(list_.Find("Office"));
    std::string caption;
    Robot robot;
    robot.OnWindow(FromTemplate(IDD_CHANGE_USER_PASS), [&](RobotWindow& shown) {
      const ConnectionRecord office = list_.GetRecord(list_.Find("Office"));
      list_.Delete(list_.Find("Office"));
      list_.Add(testing::MakeRecord("Home", "030", "987", "jones", "pw"));
      if (!gone) {
        list_.Add(office);
      }
      shown.SetItemText(IDC_USER_NAME, "miller");
      shown.Click(IDOK);
    });
    robot.OnWindow(MessageBoxWith("Office"), [&](RobotWindow& box) {
      caption = box.Caption();
      box.Click(IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(gone ? "Connection not found" : "", caption);
    EXPECT_STREQ("jones", list_.GetUserName(list_.Find("Home")));
    ASSERT_EQ(gone ? 0u : 1u, phonebook_.setDialParamsCalls.size());
    if (!gone) {
      EXPECT_EQ("Office", phonebook_.setDialParamsCalls[0].entryName);
      EXPECT_STREQ("miller", list_.GetUserName(list_.Find("Office")));
    }
    phonebook_.setDialParamsCalls.clear();
    list_.Delete(list_.Find("Home"));
  }
}

}  // namespace
}  // namespace tollward::ui
