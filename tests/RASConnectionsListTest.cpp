// The connection list as a container: order, 1-based indexes, exact names, bad indexes, copies.
#include <gtest/gtest.h>

#include <cstring>
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
using Names = std::vector<std::string>;

TEST(ConnectionList, AddAppendsFindIsExactAndDeleteKeepsTheRestInOrder) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  EXPECT_EQ(list.Find("A"), 0u);
  for (const char* name : {"A", "B", "a", "D"}) {
    ASSERT_TRUE(list.Add(MakeRecord(name, name)));
  }
  EXPECT_FALSE(list.Add(MakeRecord("B", "0190")));
  EXPECT_EQ(list.reported, std::vector<ErrorCode>{kAddNameExists});
  EXPECT_STREQ(list.GetAreaCode(2), "B") << "the refused record must not replace the stored one";
  EXPECT_EQ(list.Find("a"), 3u);
  EXPECT_EQ(list.Find("Aa"), 0u);

  ASSERT_TRUE(list.Delete(2));
  EXPECT_EQ(NamesOf(list), (Names{"A", "a", "D"}));
  EXPECT_EQ(list.Find("B"), 0u);
  EXPECT_EQ(list.Find("D"), 3u) << "indexes after the gap move up";
  ASSERT_TRUE(list.Add(MakeRecord("B")));
  EXPECT_EQ(list.Find("B"), 4u);

  for (unsigned bad : {0u, 5u}) {
    EXPECT_FALSE(list.Delete(bad));
  }
  EXPECT_EQ(list.reported,
            (std::vector<ErrorCode>{kAddNameExists, kDeleteUnhandled, kDeleteUnhandled}));
  EXPECT_EQ(NamesOf(list), (Names{"A", "a", "D", "B"}));
  while (list.GetCount() > 0) {
    ASSERT_TRUE(list.Delete(1));
  }
  EXPECT_EQ(list.Find("B"), 0u);
}

TEST(ConnectionList, ABadIndexGivesTheFallbacksAndReportsEachTime) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(MakeRecord("Office", "030", "1", "u", "p")));
  using Getter = const char* (CRASConnections::*)(unsigned);
  for (Getter get : {&CRASConnections::GetName, &CRASConnections::GetAreaCode,
                     &CRASConnections::GetLocalPhoneNumber, &CRASConnections::GetUserName,
                     &CRASConnections::GetPassword}) {
    EXPECT_STREQ((list.*get)(0), "[*INVALID CONNECTION*]");
    EXPECT_STREQ((list.*get)(2), "[*INVALID CONNECTION*]");
  }
  const ConnectionRecord zero{};
  EXPECT_EQ(std::memcmp(&list.GetRecord(0), &zero, sizeof zero), 0);
  EXPECT_EQ(list.reported, std::vector<ErrorCode>(11, kGetInvalidIndex));
}

TEST(ConnectionList, AnUnterminatedRecordIsStoredWithEveryFieldEndingInside) {
  FakePhonebook phonebook;
  CRASConnections list(phonebook);
  ConnectionRecord wild;
  std::memset(&wild, 'x', sizeof wild);
  ASSERT_TRUE(list.Add(wild));
  EXPECT_EQ(std::strlen(list.GetName(1)), kEntryNameSize - 1);
  EXPECT_EQ(std::strlen(list.GetAreaCode(1)), kAreaCodeSize - 1);
  EXPECT_EQ(list.Find(std::string(kEntryNameSize - 1, 'x').c_str()), 1u);
}

TEST(ConnectionList, ACopyTakesRecordsAndPathNotTheErrorAndSharesThePhonebook) {
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
  EXPECT_EQ(copy.path(), std::string("nowhere/Tollward.con"));
  ASSERT_TRUE(copy.Delete(2));
  EXPECT_EQ(NamesOf(original), (Names{"Office", "Home"}));
  ASSERT_TRUE(copy.Set(1, "u", "p", true));
  EXPECT_EQ(phonebook.Find("Office")->userName, "u");
  copy.ClearPath();
}

}  // namespace
}  // namespace tollward
