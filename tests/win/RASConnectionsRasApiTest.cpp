// The connection list over the real RASAPI32 calls, answered by the stand-in from a phonebook file.
#include <gtest/gtest.h>

#include "core/ErrorTables.h"
#include "platform/win32/RasPhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/PhonebookFixture.h"

namespace tollward {
namespace {

using namespace connection_error;
using testing::ContainsInOrder;
using testing::NamesOf;
using testing::RecordingConnections;

class RASConnectionsRasApiTest : public testing::PhonebookFileTest {
 protected:
  // The list's own rules for passwords hold where the service reads them back as stored.
  void SetUp() override {
    PhonebookFileTest::SetUp();
    RevealPasswords();
  }

  CRasPhonebook phonebook_;
  RecordingConnections list_{phonebook_};
};

TEST_F(RASConnectionsRasApiTest, RetrieveTakesEveryEntryOfThePhonebookFile) {
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567", "UserName=smith",
                  "Password=secret", "[office]", "AreaCode=030", "[Home]", "AreaCode=040",
                  "LocalPhoneNumber=555", "[Mobile]", "LocalPhoneNumber=0171999", "UserName=me",
                  "Password=pw"});
  list_.SetPath(folder_.Path("Tollward.con").c_str());

  ASSERT_TRUE(list_.Retrieve());
  EXPECT_TRUE(list_.reported.empty());
  EXPECT_FALSE(list_.path());
  EXPECT_EQ(NamesOf(list_), (std::vector<std::string>{"Office", "office", "Home", "Mobile"}));

  const ConnectionRecord& office = list_.GetRecord(1);
  EXPECT_STREQ(office.szAreaCode, "089");
  EXPECT_STREQ(office.szLocalPhoneNumber, "1234567");
  EXPECT_STREQ(office.szUserName, "smith");
  EXPECT_STREQ(office.szPassword, "secret");
  EXPECT_STREQ(list_.GetUserName(3), "");
  EXPECT_STREQ(list_.GetPassword(3), "");
  EXPECT_STREQ(list_.GetLocalPhoneNumber(3), "555");
  EXPECT_STREQ(list_.GetAreaCode(4), "");
  EXPECT_STREQ(list_.GetLocalPhoneNumber(4), "0171999");
  EXPECT_STREQ(list_.GetPassword(4), "pw");
}

TEST_F(RASConnectionsRasApiTest, RetrieveOfAMissingOrEmptyPhonebookIsAnEmptyList) {
  list_.Add(testing::MakeRecord("stale"));
  ASSERT_TRUE(list_.Retrieve());
  EXPECT_EQ(list_.GetCount(), 0u);

  WritePhonebook({"; no entries yet"});
  ASSERT_TRUE(list_.Retrieve());
  EXPECT_EQ(list_.GetCount(), 0u);
  EXPECT_TRUE(list_.reported.empty());
}

// The stand-in lists a section that occurs twice twice, as the all-users and the user's phonebook
// together do, and a name outside the code page with '?', under which it then finds nothing. The
// list keeps what it could read and names the rest, without a report of its own.
TEST_F(RASConnectionsRasApiTest, RetrieveKeepsWhatItReadAndNamesWhatItCouldNot) {
  WritePhonebook({"[Office]", "LocalPhoneNumber=1", "[Home]", "[W\xD0\xBErk]", "[Office]",
                  "LocalPhoneNumber=2"});
  EXPECT_FALSE(list_.Retrieve());
  EXPECT_TRUE(list_.reported.empty());
  EXPECT_EQ(list_.errorCode(), kRetrieveIncomplete);
  EXPECT_EQ(NamesOf(list_), (std::vector<std::string>{"Office", "Home"}));
  EXPECT_STREQ(list_.GetLocalPhoneNumber(1), "1");
  EXPECT_EQ(list_.unreadable(),
            (std::vector<UnreadableEntry>{{"W?rk", UnreadableReason::kNameOutsideCodePage},
                                          {"Office", UnreadableReason::kDuplicateName}}));
}

TEST_F(RASConnectionsRasApiTest, SetWritesUserNameAndPasswordIntoTheFile) {
  WritePhonebook({"; kept", "[Office]", "AreaCode=089", "UserName=smith", "Password=secret",
                  "Device=modem", "[Home]", "UserName=family", "Password=home"});
  ASSERT_TRUE(list_.Retrieve());
  const unsigned office = list_.Find("Office");
  ASSERT_NE(office, 0u);

  ASSERT_TRUE(list_.Set(office, "jones", "n3w", true));
  EXPECT_TRUE(ContainsInOrder(
      PhonebookLines(), {"; kept", "[Office]", "AreaCode=089", "UserName=jones", "Password=n3w",
                         "Device=modem", "[Home]", "UserName=family", "Password=home"}))
      << PhonebookText();

  // An empty password keeps the stored one, in the file as in the list.
  ASSERT_TRUE(list_.Set(office, "brown", "", true));
  EXPECT_TRUE(ContainsInOrder(PhonebookLines(), {"UserName=brown", "Password=n3w"}))
      << PhonebookText();
  EXPECT_STREQ(list_.GetPassword(office), "n3w");

  // An empty user name with a password clears the stored user name.
  ASSERT_TRUE(list_.Set(office, "", "other", true));
  EXPECT_TRUE(ContainsInOrder(PhonebookLines(), {"UserName=", "Password=other"}))
      << PhonebookText();

  RecordingConnections again{phonebook_};
  ASSERT_TRUE(again.Retrieve());
  EXPECT_STREQ(again.GetUserName(office), "");
  EXPECT_STREQ(again.GetPassword(office), "other");
  EXPECT_TRUE(list_.reported.empty());
}

TEST_F(RASConnectionsRasApiTest, SetOfAnEntryGoneFromThePhonebookChangesNothing) {
  WritePhonebook({"[Office]", "UserName=smith", "Password=secret"});
  ASSERT_TRUE(list_.Retrieve());
  WritePhonebook({"[Home]"});
  const std::string before = PhonebookText();

  EXPECT_FALSE(list_.Set(1, "jones", "n3w", true));
  EXPECT_EQ(list_.reported, std::vector<ErrorCode>{kSetPhonebookFailed});
  EXPECT_STREQ(list_.GetUserName(1), "smith");
  EXPECT_STREQ(list_.GetPassword(1), "secret");
  EXPECT_EQ(PhonebookText(), before);
}

}  // namespace
}  // namespace tollward
