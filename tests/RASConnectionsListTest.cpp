// The connection list as a container: order, 1-based indexes, exact names, bad indexes, copies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/ErrorTables.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::RecordingConnections;

std::vector<std::string> Names(CRASConnections& list) {
  std::vector<std::string> names;
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    names.push_back(list.GetName(i));
  }
  return names;
}

TEST(ConnectionList, StartsEmptyWithoutPathOrError) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(list.Find(""), 0u);
  EXPECT_EQ(list.Find("Office"), 0u);
  EXPECT_EQ(list.GetPath(), nullptr);
  EXPECT_EQ(list.errorCode(), 0u);
  EXPECT_TRUE(list.reported.empty());
}

TEST(ConnectionList, AddKeepsOrderAndRefusesOnlyTheExactSameName) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("Office", "030", "123456", "anna", "secret")));
  ASSERT_TRUE(list.Add(MakeRecord("Home")));
  ASSERT_TRUE(list.Add(MakeRecord("office")));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Office", "Home", "office"}));

  EXPECT_FALSE(list.Add(MakeRecord("Home", "0190")));
  EXPECT_EQ(list.reported, std::vector<ErrorCode>{connection_error::kAddNameExists});
  EXPECT_EQ(list.errorText(), "Add: connection name already exists.");
  EXPECT_EQ(list.GetCount(), 3u);
  EXPECT_STREQ(list.GetAreaCode(2), "") << "the refused record must not replace the stored one";

  EXPECT_EQ(list.Find("Office"), 1u);
  EXPECT_EQ(list.Find("office"), 3u);
  EXPECT_EQ(list.Find("OFFICE"), 0u);
  EXPECT_EQ(list.Find("Offic"), 0u);
  EXPECT_EQ(list.Find(nullptr), 0u);

  EXPECT_STREQ(list.GetAreaCode(1), "030");
  EXPECT_STREQ(list.GetLocalPhoneNumber(1), "123456");
  EXPECT_STREQ(list.GetUserName(1), "anna");
  EXPECT_STREQ(list.GetPassword(1), "secret");
  const ConnectionRecord expected = MakeRecord("Office", "030", "123456", "anna", "secret");
  EXPECT_EQ(std::memcmp(&list.GetRecord(1), &expected, sizeof expected), 0);
}

TEST(ConnectionList, DeleteClosesTheGapAndFindFollowsTheNewIndexes) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  for (const char* name : {"A", "B", "C", "D"}) {
    ASSERT_TRUE(list.Add(MakeRecord(name)));
  }
  ASSERT_TRUE(list.Delete(2));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "C", "D"}));
  EXPECT_EQ(list.Find("B"), 0u);
  EXPECT_EQ(list.Find("C"), 2u);
  EXPECT_EQ(list.Find("D"), 3u);
  ASSERT_TRUE(list.Add(MakeRecord("B")));
  EXPECT_EQ(list.Find("B"), 4u);

  for (unsigned bad : {0u, 5u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(list.Delete(bad)) << bad;
  }
  EXPECT_EQ(list.reported, std::vector<ErrorCode>(3, connection_error::kDeleteUnhandled));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "C", "D", "B"}));

  while (list.GetCount() > 0) {
    ASSERT_TRUE(list.Delete(list.GetCount()));
  }
  EXPECT_EQ(list.Find("A"), 0u);
  ASSERT_TRUE(list.Add(MakeRecord("A"))) << "a deleted name may come back";
}

TEST(ConnectionList, ABadIndexGivesTheFallbacksAndReportsEachTime) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("Office", "030", "1", "u", "p")));
  using Getter = const char* (CRASConnections::*)(unsigned);
  for (Getter get : {&CRASConnections::GetName, &CRASConnections::GetAreaCode,
                     &CRASConnections::GetLocalPhoneNumber, &CRASConnections::GetUserName,
                     &CRASConnections::GetPassword}) {
    for (unsigned bad : {0u, 2u}) {
      EXPECT_STREQ((list.*get)(bad), "[*INVALID CONNECTION*]");
    }
  }
  EXPECT_EQ(list.reported.size(), 10u);
  EXPECT_EQ(list.errorText(), "Get: invalid item number (exceeds array bounds).");

  const ConnectionRecord zero{};
  for (unsigned bad : {0u, 2u}) {
    EXPECT_EQ(std::memcmp(&list.GetRecord(bad), &zero, sizeof zero), 0);
  }
  EXPECT_EQ(list.reported, std::vector<ErrorCode>(12, connection_error::kGetInvalidIndex));
}

TEST(ConnectionList, AnUnterminatedRecordIsStoredWithEveryFieldEndingInside) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ConnectionRecord wild;
  std::memset(&wild, 'x', sizeof wild);
  ASSERT_TRUE(list.Add(wild));
  EXPECT_EQ(std::strlen(list.GetName(1)), kEntryNameSize - 1);
  EXPECT_EQ(std::strlen(list.GetAreaCode(1)), kAreaCodeSize - 1);
  EXPECT_EQ(std::strlen(list.GetUserName(1)), kUserNameSize - 1);
  EXPECT_EQ(list.Find(std::string(kEntryNameSize - 1, 'x').c_str()), 1u);
}

TEST(ConnectionList, ACopyHasTheRecordsAndPathButNotTheErrorAndIsIndependent) {
  FakePhonebook phonebook;
  phonebook.Put("Office");
  RecordingConnections original(phonebook);
  ASSERT_TRUE(original.Add(MakeRecord("Office")));
  ASSERT_TRUE(original.Add(MakeRecord("Home")));
  original.SetPath("nowhere/Tollward.con");
  EXPECT_FALSE(original.Delete(7));

  CRASConnections copy(original);
  original.ClearPath();
  EXPECT_EQ(copy.errorCode(), 0u);
  EXPECT_STREQ(copy.GetPath(), "nowhere/Tollward.con");
  EXPECT_EQ(Names(copy), (std::vector<std::string>{"Office", "Home"}));

  ASSERT_TRUE(copy.Delete(2));
  EXPECT_EQ(original.GetCount(), 2u);
  EXPECT_EQ(original.Find("Home"), 2u);

  ASSERT_TRUE(copy.Set(1, "u", "p", true));
  EXPECT_EQ(phonebook.Find("Office")->userName, "u") << "the copy works on the same phonebook";
  EXPECT_STREQ(original.GetUserName(1), "");
  copy.ClearPath();
}

TEST(ConnectionList, HundredThousandRecordsAreAddedFoundAndDeletedCorrectly) {
  FakePhonebook phonebook;
  CRASConnections list(phonebook);
  constexpr unsigned kCount = 100000;
  for (unsigned i = 0; i < kCount; ++i) {
    ASSERT_TRUE(list.Add(MakeRecord(("Entry " + std::to_string(i)).c_str())));
  }
  ASSERT_FALSE(list.Add(MakeRecord("Entry 99999")));
  for (unsigned i = 0; i < kCount; i += 997) {
    ASSERT_EQ(list.Find(("Entry " + std::to_string(i)).c_str()), i + 1);
  }
  ASSERT_TRUE(list.Delete(50001));
  EXPECT_EQ(list.Find("Entry 50000"), 0u);
  EXPECT_EQ(list.Find("Entry 50001"), 50001u);
  EXPECT_EQ(list.Find("Entry 99999"), kCount - 1);
  EXPECT_EQ(list.Find("Entry 49999"), 50000u);
}

}  // namespace
}  // namespace tollward
