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
using testing::RecordingConnections;
using Codes = std::vector<ErrorCode>;

std::vector<std::string> Names(CRASConnections& list) {
  std::vector<std::string> names;
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    names.push_back(list.GetName(i));
  }
  return names;
}

TEST(Retrieve, AnEmptyPhonebookIsAnEmptyListAndNoError) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("stale")));
  EXPECT_TRUE(list.Retrieve());
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_TRUE(list.reported.empty());
  EXPECT_EQ(phonebook.enumerateCalls, 0u) << "nothing to enumerate after a count of 0";
}

TEST(Retrieve, TakesEveryEntryInPhonebookOrderAndForgetsThePath) {
  FakePhonebook phonebook;
  phonebook.Put("Zeta", "030", "555 12", "anna", "pw");
  phonebook.Put("alpha");
  phonebook.Put("Alpha", "", "0190123", "", "");
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("stale")));
  list.SetPath("somewhere/Tollward.con");

  ASSERT_TRUE(list.Retrieve());
  EXPECT_TRUE(list.reported.empty());
  EXPECT_EQ(list.GetPath(), nullptr);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Zeta", "alpha", "Alpha"}));
  EXPECT_STREQ(list.GetAreaCode(1), "030");
  EXPECT_STREQ(list.GetLocalPhoneNumber(1), "555 12");
  EXPECT_STREQ(list.GetUserName(1), "anna");
  EXPECT_STREQ(list.GetPassword(1), "pw");
  EXPECT_STREQ(list.GetAreaCode(3), "");
  EXPECT_STREQ(list.GetLocalPhoneNumber(3), "0190123");
}

TEST(Retrieve, TextsLongerThanTheirFieldsAreCut) {
  FakePhonebook phonebook;
  phonebook.Put(std::string(300, 'n'), std::string(20, '1'), std::string(200, '2'),
                std::string(300, 'u'), std::string(300, 'p'));
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Retrieve());
  EXPECT_EQ(list.GetName(1), std::string(256, 'n'));
  EXPECT_EQ(list.GetAreaCode(1), std::string(10, '1'));
  EXPECT_EQ(list.GetLocalPhoneNumber(1), std::string(128, '2'));
  EXPECT_EQ(list.GetUserName(1), std::string(256, 'u'));
  EXPECT_EQ(list.GetPassword(1), std::string(256, 'p'));
}

TEST(Retrieve, EntriesThatCannotBeTakenAreSkippedWithTheirCodesThenSix) {
  struct Case {
    const char* what;
    void (*arm)(FakePhonebook&);
    Codes codes;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"dial params of B",
       [](FakePhonebook& pb) { pb.Find("B")->failDialParams = true; },
       Codes{kRetrieveDialParams, kRetrieveIncomplete},
       {"A", "C"}},
      {"properties of A",
       [](FakePhonebook& pb) { pb.Find("A")->failProperties = true; },
       Codes{kRetrieveProperties, kRetrieveIncomplete},
       {"B", "C"}},
      {"dial params of A, properties of C",
       [](FakePhonebook& pb) {
         pb.Find("A")->failDialParams = true;
         pb.Find("C")->failProperties = true;
       },
       Codes{kRetrieveDialParams, kRetrieveProperties, kRetrieveIncomplete},
       {"B"}},
      {"enumeration",
       [](FakePhonebook& pb) { pb.failEnumerate = true; },
       Codes{kRetrieveEnumeration},
       {}},
      {"an entry added after counting",
       [](FakePhonebook& pb) { pb.countSkew = -1; },
       Codes{kRetrieveEnumeration},
       {}},
  };
  for (const Case& c : cases) {
    FakePhonebook phonebook;
    for (const char* name : {"A", "B", "C"}) {
      phonebook.Put(name);
    }
    c.arm(phonebook);
    RecordingConnections list(phonebook);
    EXPECT_FALSE(list.Retrieve()) << c.what;
    EXPECT_EQ(list.reported, c.codes) << c.what;
    EXPECT_EQ(Names(list), c.names) << c.what;
  }
}

TEST(Retrieve, NamesThatBecomeEqualInTheirFieldAreTakenOnce) {
  FakePhonebook phonebook;
  phonebook.Put(std::string(256, 'n') + "-first", "1");
  phonebook.Put(std::string(256, 'n') + "-second", "2");
  RecordingConnections list(phonebook);
  EXPECT_FALSE(list.Retrieve());
  EXPECT_EQ(list.reported, (Codes{kAddNameExists, kRetrieveAdd, kRetrieveIncomplete}));
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_STREQ(list.GetAreaCode(1), "1");
}

TEST(Retrieve, AHundredThousandEntriesArriveInOrder) {
  FakePhonebook phonebook;
  constexpr unsigned kCount = 100000;
  for (unsigned i = 0; i < kCount; ++i) {
    phonebook.Put("Entry " + std::to_string(kCount - i), "0", std::to_string(i));
  }
  CRASConnections list(phonebook);
  ASSERT_TRUE(list.Retrieve());
  ASSERT_EQ(list.GetCount(), kCount);
  EXPECT_STREQ(list.GetName(1), "Entry 100000");
  EXPECT_STREQ(list.GetLocalPhoneNumber(kCount), "99999");
  EXPECT_EQ(list.Find("Entry 1"), kCount);
}

class SetCredentials : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook.Put("Office", "030", "1", "anna", "old-secret");
    ASSERT_TRUE(list.Retrieve());
  }
  std::string User() { return list.GetUserName(1); }
  std::string Password() { return list.GetPassword(1); }

  FakePhonebook phonebook;
  RecordingConnections list{phonebook};
};

TEST_F(SetCredentials, TextsUpTo256CharactersAreTakenLongerOnesAreRefused) {
  const std::string longest(256, 'a');
  const std::string tooLong(257, 'b');
  EXPECT_TRUE(list.Set(1, longest.c_str(), longest.c_str(), true));
  EXPECT_EQ(User(), longest);
  EXPECT_EQ(phonebook.Find("Office")->password, longest);

  EXPECT_FALSE(list.Set(1, tooLong.c_str(), "x", true));
  EXPECT_FALSE(list.Set(1, "x", tooLong.c_str(), true));
  EXPECT_EQ(list.reported, (Codes{kSetTooLong, kSetTooLong}));
  EXPECT_EQ(list.errorText(), "Set: string too long.");
  EXPECT_EQ(User(), longest);
  EXPECT_EQ(phonebook.setDialParamsCalls.size(), 1u);
}

TEST_F(SetCredentials, AnEmptyPasswordKeepsTheStoredOneAndWritesItToThePhonebook) {
  EXPECT_TRUE(list.Set(1, "bert", "", true));
  EXPECT_EQ(User(), "bert");
  EXPECT_EQ(Password(), "old-secret");
  ASSERT_EQ(phonebook.setDialParamsCalls.size(), 1u);
  EXPECT_EQ(phonebook.setDialParamsCalls[0].entryName, "Office");
  EXPECT_EQ(phonebook.setDialParamsCalls[0].userName, "bert");
  EXPECT_EQ(phonebook.setDialParamsCalls[0].password, "old-secret");
}

TEST_F(SetCredentials, AnEmptyUserNameClearsTheStoredOne) {
  EXPECT_TRUE(list.Set(1, nullptr, "new-secret", true));
  EXPECT_EQ(User(), "");
  EXPECT_EQ(Password(), "new-secret");
  EXPECT_EQ(phonebook.Find("Office")->userName, "");
  EXPECT_EQ(phonebook.Find("Office")->password, "new-secret");
}

TEST_F(SetCredentials, BothEmptyChangesNothingAnywhere) {
  EXPECT_TRUE(list.Set(1, "", nullptr, true));
  EXPECT_EQ(User(), "anna");
  EXPECT_TRUE(phonebook.setDialParamsCalls.empty());
}

TEST_F(SetCredentials, ARefusalLeavesRecordAndPhonebookAsTheyWere) {
  phonebook.Find("Office")->failSetDialParams = true;
  EXPECT_FALSE(list.Set(1, "bert", "pw", true));
  EXPECT_FALSE(list.Set(0, "bert", "pw", true));
  EXPECT_FALSE(list.Set(2, "bert", "pw", false));
  EXPECT_EQ(list.reported, (Codes{kSetPhonebookFailed, kGetInvalidIndex, kGetInvalidIndex}));
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(User(), "anna");
  EXPECT_EQ(Password(), "old-secret");
  EXPECT_EQ(phonebook.Find("Office")->userName, "anna");
}

TEST_F(SetCredentials, WithoutThePhonebookUpdateOnlyTheRecordChanges) {
  EXPECT_TRUE(list.Set(1, "bert", "pw", false));
  EXPECT_EQ(User(), "bert");
  EXPECT_EQ(Password(), "pw");
  EXPECT_TRUE(phonebook.setDialParamsCalls.empty());
}

TEST(EditPhonebookEntry, OpensTheEditorForTheNamedEntryAndPassesItsResult) {
  FakePhonebook phonebook;
  phonebook.Put("Office");
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Retrieve());
  int owner = 0;
  phonebook.editor = [](testing::FakeEntry& entry) {
    entry.areaCode = "0190";
    return true;
  };
  EXPECT_TRUE(list.EditPhonebookEntry("Office", &owner));
  ASSERT_EQ(phonebook.editEntryCalls.size(), 1u);
  EXPECT_EQ(phonebook.editEntryCalls[0].owner, &owner);
  EXPECT_STREQ(list.GetAreaCode(1), "") << "the list is refreshed by its owner, not here";

  phonebook.editor = [](testing::FakeEntry&) { return false; };
  EXPECT_FALSE(list.EditPhonebookEntry("Office", &owner));
  EXPECT_FALSE(list.EditPhonebookEntry("Missing", &owner));
  EXPECT_FALSE(list.EditPhonebookEntry(nullptr, &owner));
  EXPECT_TRUE(list.reported.empty());
}

}  // namespace
}  // namespace tollward
