// The checks of a user name / password change: trimming, their order, what is written, what stays.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "logic/CredentialsChange.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::RecordingConnections;
using Message = CredentialsMessage;
using End = CredentialsDialogEnd;

struct Written {
  std::string userName;
  std::string password;
};

struct Case {
  const char* what;
  CredentialsForm form;
  Message message;
  End end;
  // What the phonebook receives; none when nothing may be written.
  std::optional<Written> written;
  bool retype = false;
};

TEST(CredentialsChange, EachFormEndsInItsMessageItsWriteAndItsWayOut) {
  const Case cases[] = {
      {"user name of blanks only",
       {" \t ", true, "secret", "new", "new"},
       Message::kInvalidUserName,
       End::kStayOpen,
       std::nullopt},
      {"blanks around the user name go",
       {"  anna b \t\r\n", false, "", "", ""},
       Message::kNone,
       End::kCloseOk,
       Written{"anna b", "secret"}},
      {"without the password box the fields are ignored",
       {"anna", false, "wrong", "a", "b"},
       Message::kNone,
       End::kCloseOk,
       Written{"anna", "secret"}},
      {"wrong old password",
       {"anna", true, "secre", "new", "new"},
       Message::kWrongOldPassword,
       End::kCloseCancelled,
       std::nullopt},
      {"old password in another letter case",
       {"anna", true, "Secret", "new", "new"},
       Message::kWrongOldPassword,
       End::kCloseCancelled,
       std::nullopt},
      {"a wrong old password wins over a bad repetition",
       {"anna", true, "x", "a", "b"},
       Message::kWrongOldPassword,
       End::kCloseCancelled,
       std::nullopt},
      {"repetition differs",
       {"anna", true, "secret", "neu", "new"},
       Message::kRepetitionMismatch,
       End::kStayOpen,
       std::nullopt,
       true},
      {"repetition differs in letter case only",
       {"anna", true, "secret", "New", "new"},
       Message::kRepetitionMismatch,
       End::kStayOpen,
       std::nullopt,
       true},
      {"both new passwords empty",
       {"anna", true, "secret", "", ""},
       Message::kInvalidNewPassword,
       End::kStayOpen,
       std::nullopt},
      {"new passwords of blanks only",
       {"anna", true, "secret", "  ", " "},
       Message::kInvalidNewPassword,
       End::kStayOpen,
       std::nullopt},
      {"all fields trimmed before use",
       {" anna ", true, " secret\t", " fresh ", "fresh  "},
       Message::kNone,
       End::kCloseOk,
       Written{"anna", "fresh"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePhonebook phonebook;
    phonebook.Put("Office", "089", "1234", "smith", "secret");
    RecordingConnections list(phonebook);
    ASSERT_TRUE(list.Add(MakeRecord("Office", "089", "1234", "smith", "secret")));

    const CredentialsOutcome outcome = CCredentialsChange(list, 1).Apply(c.form);

    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.retypeNewPassword, c.retype);
    if (c.written) {
      ASSERT_EQ(phonebook.setDialParamsCalls.size(), 1u);
      EXPECT_EQ(phonebook.setDialParamsCalls[0].entryName, "Office");
      EXPECT_EQ(phonebook.setDialParamsCalls[0].userName, c.written->userName);
      EXPECT_EQ(phonebook.setDialParamsCalls[0].password, c.written->password);
      EXPECT_STREQ(list.GetUserName(1), c.written->userName.c_str());
      EXPECT_STREQ(list.GetPassword(1), c.written->password.c_str());
    } else {
      EXPECT_TRUE(phonebook.setDialParamsCalls.empty());
      EXPECT_STREQ(list.GetUserName(1), "smith");
      EXPECT_STREQ(list.GetPassword(1), "secret");
    }
    EXPECT_TRUE(list.reported.empty());
  }
}

// Where the phonebook hands out a handle for a saved password, the list holds that handle: no
// old password is checked, and after a write the list holds what the phonebook now hands out.
TEST(CredentialsChange, WhereThePhonebookHidesPasswordsNoOldOneIsAskedFor) {
  const struct {
    const char* what;
    const char* saved;  // the entry's password before
    CredentialsForm form;
    Message message;
    const char* savedAfter;
  } cases[] = {
      {"user name alone", "secret", {"anna", false, "", "", ""}, Message::kNone, "secret"},
      {"old field ignored", "secret", {"anna", true, "x", "new", "new"}, Message::kNone, "new"},
      {"first password", "", {"anna", true, "", "new", "new"}, Message::kNone, "new"},
      {"repetition",
       "secret",
       {"anna", true, "", "new", "neu"},
       Message::kRepetitionMismatch,
       "secret"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakePhonebook phonebook;
    phonebook.hidesPasswords = true;
    phonebook.Put("Office", "089", "1234", "smith", c.saved);
    RecordingConnections list(phonebook);
    ASSERT_TRUE(list.Retrieve());

    EXPECT_EQ(CCredentialsChange(list, 1).Apply(c.form).message, c.message);

    EXPECT_EQ(phonebook.Find("Office")->password, c.savedAfter);
    PhonebookDialParams handedOut;
    ASSERT_TRUE(phonebook.GetDialParams("Office", handedOut));
    EXPECT_EQ(list.GetPassword(1), handedOut.password);
  }
}

// Trimmed input can never equal a stored password that begins or ends with white space.
TEST(CredentialsChange, AStoredPasswordWithOuterBlanksCannotBeConfirmed) {
  FakePhonebook phonebook;
  phonebook.Put("Office", "089", "1234", "smith", " pw ");
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("Office", "089", "1234", "smith", " pw ")));

  const CredentialsOutcome outcome =
      CCredentialsChange(list, 1).Apply({"smith", true, " pw ", "n", "n"});

  EXPECT_EQ(outcome.message, Message::kWrongOldPassword);
  EXPECT_TRUE(phonebook.setDialParamsCalls.empty());
}

}  // namespace
}  // namespace tollward
