// The connection list against the live phonebook: Retrieve, Set and the entry editor.
#include <gtest/gtest.h>

#include <string>

#include "core/ErrorTables.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

using namespace connection_error;
using testing::FakePhonebook;
using testing::MakeRecord;
using testing::NamesOf;
using testing::RecordingConnections;
using Codes = std::vector<ErrorCode>;
using Names = std::vector<std::string>;

TEST(Retrieve, ReplacesTheListByThePhonebookInItsOrderAndForgetsThePath) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("stale")));
  list.SetPath("somewhere/Tollward.con");
  EXPECT_TRUE(list.Retrieve()) << "an empty phonebook is no error";
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_FALSE(list.path());

  phonebook.Put("Zeta", "030", "555 12", "anna", "pw");
  phonebook.Put("alpha");
  phonebook.Put(std::string(300, 'A'), std::string(20, '1'), std::string(200, '2'),
                std::string(300, 'u'), std::string(300, 'p'));
  ASSERT_TRUE(list.Retrieve());
  EXPECT_TRUE(list.reported.empty());
  EXPECT_EQ(NamesOf(list), (Names{"Zeta", "alpha", std::string(256, 'A')}));
  EXPECT_STREQ(list.GetAreaCode(1), "030");
  EXPECT_STREQ(list.GetLocalPhoneNumber(1), "555 12");
  EXPECT_STREQ(list.GetUserName(1), "anna");
  EXPECT_STREQ(list.GetPassword(1), "pw");
  // Longer texts are cut to their fields.
  EXPECT_EQ(list.GetAreaCode(3), std::string(10, '1'));
  EXPECT_EQ(list.GetLocalPhoneNumber(3), std::string(128, '2'));
  EXPECT_EQ(list.GetUserName(3), std::string(256, 'u'));
  EXPECT_EQ(list.GetPassword(3), std::string(256, 'p'));
}

TEST(Retrieve, EntriesThatCannotBeTakenAreSkippedAndTheirCodesKeptForTheScansOneMessage) {
  struct Case {
    const char* what;
    void (*arm)(FakePhonebook&);
    Codes codes;
    Names names;
  };
  const std::string longName(256, 'n');
  const Case cases[] = {
      {"dial params of b",
       [](FakePhonebook& pb) { pb.Find("b")->failDialParams = true; },
       Codes{kRetrieveDialParams, kRetrieveIncomplete},
       {"B", "c"}},
      {"dial params of B, properties of c",
       [](FakePhonebook& pb) {
         pb.Find("B")->failDialParams = true;
         pb.Find("c")->failProperties = true;
       },
       Codes{kRetrieveDialParams, kRetrieveProperties, kRetrieveIncomplete},
       {"b"}},
      {"two names equal once cut to their field",
       [](FakePhonebook& pb) {
         pb.Put(std::string(256, 'n') + "1");
         pb.Put(std::string(256, 'n') + "2");
       },
       Codes{kAddNameExists, kRetrieveAdd, kRetrieveIncomplete},
       {"B", "b", "c", longName}},
      {"enumeration",
       [](FakePhonebook& pb) { pb.failEnumerate = true; },
       Codes{kRetrieveEnumeration},
       {}},
      {"an entry added after counting",
       [](FakePhonebook& pb) { pb.countSkew = -1; },
       Codes{kRetrieveEnumeration},
       {}},
      // A phonebook that cannot be read counts no entries; that must not pass for an empty one.
      {"a count of none from a phonebook that cannot be read",
       [](FakePhonebook& pb) {
         pb.countSkew = -3;
         pb.failEnumerate = true;
       },
       Codes{kRetrieveEnumeration},
       {}},
  };
  for (const Case& c : cases) {
    FakePhonebook phonebook;
    for (const char* name : {"B", "b", "c"}) {
      phonebook.Put(name);
    }
    c.arm(phonebook);
    RecordingConnections list(phonebook);
    EXPECT_FALSE(list.Retrieve()) << c.what;
    EXPECT_TRUE(list.reported.empty()) << c.what;
    EXPECT_EQ(list.errorCode(), c.codes.back()) << c.what;
    EXPECT_EQ(NamesOf(list), c.names) << c.what;
  }
}

TEST(Retrieve, AHundredThousandEntriesArriveInOrderAndAreFound) {
  FakePhonebook phonebook;
  constexpr unsigned kCount = 100000;
  for (unsigned i = 0; i < kCount; ++i) {
    phonebook.Put("Entry " + std::to_string(kCount - i), "0", std::to_string(i));
  }
  CRASConnections list(phonebook);
  ASSERT_TRUE(list.Retrieve());
  ASSERT_EQ(list.GetCount(), kCount);
  EXPECT_STREQ(list.GetLocalPhoneNumber(kCount), "99999");
  for (unsigned i = 1; i <= kCount; i += 997) {
    ASSERT_EQ(list.Find(("Entry " + std::to_string(i)).c_str()), kCount + 1 - i);
  }
  ASSERT_TRUE(list.Delete(1));
  EXPECT_EQ(list.Find("Entry 1"), kCount - 1);
}

class SetCredentials : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook.Put("Office", "030", "1", "anna", "old");
    ASSERT_TRUE(list.Retrieve());
  }
  void Expect(const char* user, const char* password) {
    EXPECT_STREQ(list.GetUserName(1), user);
    EXPECT_STREQ(list.GetPassword(1), password);
    EXPECT_EQ(phonebook.Find("Office")->userName, user);
    EXPECT_EQ(phonebook.Find("Office")->password, password);
  }

  FakePhonebook phonebook;
  RecordingConnections list{phonebook};
};

TEST_F(SetCredentials, TextsUpTo256CharactersAreTakenLongerOnesAreRefused) {
  const std::string longest(256, 'a');
  const std::string tooLong(257, 'b');
  EXPECT_TRUE(list.Set(1, longest.c_str(), longest.c_str(), true));
  EXPECT_FALSE(list.Set(1, tooLong.c_str(), "x", true));
  EXPECT_FALSE(list.Set(1, "x", tooLong.c_str(), true));
  EXPECT_EQ(list.reported, (Codes{kSetTooLong, kSetTooLong}));
  Expect(longest.c_str(), longest.c_str());
}

TEST_F(SetCredentials, AnEmptyPasswordKeepsTheStoredOneAndWritesItToThePhonebook) {
  EXPECT_TRUE(list.Set(1, "bert", "", true));
  Expect("bert", "old");
  EXPECT_EQ(phonebook.setDialParamsCalls.back().password, "old");
}

TEST_F(SetCredentials, AnEmptyUserNameClearsTheStoredOneBothEmptyChangeNothing) {
  EXPECT_TRUE(list.Set(1, "", nullptr, true));
  EXPECT_TRUE(phonebook.setDialParamsCalls.empty());
  Expect("anna", "old");
  EXPECT_TRUE(list.Set(1, nullptr, "new", true));
  Expect("", "new");
}

TEST_F(SetCredentials, ARefusalLeavesRecordAndPhonebookAsTheyWere) {
  phonebook.Find("Office")->failSetDialParams = true;
  EXPECT_FALSE(list.Set(1, "bert", "pw", true));
  EXPECT_FALSE(list.Set(0, "bert", "pw", true));
  EXPECT_FALSE(list.Set(2, "bert", "pw", false));
  EXPECT_EQ(list.reported, (Codes{kSetPhonebookFailed, kGetInvalidIndex, kGetInvalidIndex}));
  Expect("anna", "old");

  EXPECT_TRUE(list.Set(1, "bert", "pw", false)) << "without the update only the record changes";
  EXPECT_STREQ(list.GetUserName(1), "bert");
  EXPECT_EQ(phonebook.Find("Office")->userName, "anna");
}

TEST(EditPhonebookEntry, OpensTheEditorForTheNamedEntryAndPassesItsResult) {
  FakePhonebook phonebook;
  phonebook.Put("Office");
  CRASConnections list(phonebook);
  int owner = 0;
  phonebook.editor = [](testing::FakeEntry&) { return true; };
  EXPECT_TRUE(list.EditPhonebookEntry("Office", &owner));
  phonebook.editor = [](testing::FakeEntry&) { return false; };
  EXPECT_FALSE(list.EditPhonebookEntry("Office", &owner));
  EXPECT_FALSE(list.EditPhonebookEntry("Missing", &owner));
  ASSERT_EQ(phonebook.editEntryCalls.size(), 3u);
  EXPECT_EQ(phonebook.editEntryCalls[0].entryName, "Office");
  EXPECT_EQ(phonebook.editEntryCalls[0].owner, &owner);
}

}  // namespace
}  // namespace tollward
