// The checks of the live phonebook against registered records, one operation at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/ErrorTables.h"
#include "core/RASBadAreaCodes.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using namespace connection_error;
using testing::FakePhonebook;
using testing::MakeRecord;
using testing::NamesOf;
using testing::ReadBytes;
using testing::RecordingConnections;
using testing::TempDir;
using Names = std::vector<std::string>;

bool SameRecord(const ConnectionRecord& a, const ConnectionRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

const ConnectionRecord kOffice = MakeRecord("Office", "0190", "555 12", "Anna", "Secret");

TEST(CheckConnection, ComparesTheFourValuesAsWholeTextsLetterCaseAside) {
  FakePhonebook phonebook;
  RecordingConnections reference(phonebook);
  ASSERT_TRUE(reference.Add(MakeRecord("Home")));
  ASSERT_TRUE(reference.Add(kOffice));
  struct Case {
    ConnectionRecord checked;
    bool same;
    ConnectionRecord differences;
  };
  const Case cases[] = {
      {MakeRecord("Office", "0190", "555 12", "ANNA", "secret"), true, MakeRecord("")},
      {MakeRecord("Office", "0190 ", "555 12", "Anna", "Secret"), false, MakeRecord("", "0190")},
      {MakeRecord("Office", "0190", "55512", "Anna", "Secret!"), false,
       MakeRecord("", "", "555 12", "", "Secret")},
      {MakeRecord("Office", "", "", "", ""), false,
       MakeRecord("", "0190", "555 12", "Anna", "Secret")},
  };
  for (const Case& c : cases) {
    ConnectionRecord differences;
    std::memset(&differences, 'x', sizeof differences);
    EXPECT_EQ(reference.CheckConnection(c.checked, differences, true), c.same);
    EXPECT_TRUE(SameRecord(differences, c.differences)) << c.checked.szAreaCode;
  }
  ASSERT_EQ(reference.manipulations.size(), 3u) << "one report for each differing entry";
  EXPECT_EQ(reference.manipulations[0].index, 2u);

  // Names are exact: an unknown one is copied whole and never reported; nor is anything when
  // no report is asked for.
  ConnectionRecord differences;
  const ConnectionRecord renamed = MakeRecord("office", "0190", "555 12", "Anna", "Secret");
  EXPECT_FALSE(reference.CheckConnection(renamed, differences, true));
  EXPECT_TRUE(SameRecord(differences, renamed));
  EXPECT_FALSE(reference.CheckConnection(cases[1].checked, differences, false));
  EXPECT_EQ(reference.manipulations.size(), 3u);
  EXPECT_TRUE(reference.reported.empty());
}

TEST(CheckRegisteredFile, LeavesTheStoredRecordsWhoseEntryIsGoneAndNeverWritesTheStore) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  FakePhonebook phonebook;
  {
    CRASConnections store(phonebook);
    ASSERT_TRUE(store.Add(MakeRecord("Gone")) && store.Add(kOffice) && store.Save(path));
  }
  const auto bytes = ReadBytes(path);
  phonebook.Put("Office", "0190", "555 13", "Anna", "Secret");
  RecordingConnections check(phonebook);
  ASSERT_TRUE(check.CheckRegisteredFile(path));
  EXPECT_EQ(NamesOf(check), (Names{"Gone"}));
  ASSERT_EQ(check.manipulations.size(), 1u);
  EXPECT_STREQ(check.manipulations[0].differences.szLocalPhoneNumber, "555 13");

  phonebook.Put("Gone");
  ASSERT_TRUE(check.CheckRegisteredFile(path));
  EXPECT_EQ(check.GetCount(), 0u) << "every stored entry is in the phonebook";
  EXPECT_FALSE(check.CheckRegisteredFile(dir.Path("missing.con")));
  EXPECT_TRUE(check.reported.empty()) << "a missing store is not the user's error";
  EXPECT_FALSE(check.path());
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(CheckConnection, AFieldWithoutTerminatorIsComparedOnlyInsideItsField) {
  FakePhonebook phonebook;
  RecordingConnections reference(phonebook);
  ASSERT_TRUE(reference.Add(MakeRecord("Office", "0190019001", "5", "Anna", "Secret")));
  ConnectionRecord checked = MakeRecord("Office", "", "5", "anna", "secret");
  std::memset(checked.szAreaCode, '0', kAreaCodeSize);  // the whole field, no terminator
  ConnectionRecord differences;
  EXPECT_FALSE(reference.CheckConnection(checked, differences, false));
  EXPECT_STREQ(differences.szAreaCode, "0190019001");
  EXPECT_STREQ(differences.szUserName, "") << "only the area code differs";
  std::memcpy(checked.szAreaCode, "0190019001", kAreaCodeSize);
  EXPECT_TRUE(reference.CheckConnection(checked, differences, false));
}

TEST(SplitPhonebook, AgainstAnotherListLeavesThatListAndItsStoreAsTheyWere) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  FakePhonebook phonebook;
  RecordingConnections registered(phonebook);
  ASSERT_TRUE(registered.Add(kOffice) && registered.Add(MakeRecord("Home", "030")));
  ASSERT_TRUE(registered.Save(path));
  const auto bytes = ReadBytes(path);
  phonebook.Put("Office", "0190", "555 12", "ANNA", "Secret");
  phonebook.Put("Home", "089");
  phonebook.Put("New");

  RecordingConnections split(phonebook);
  RecordingConnections other(phonebook);
  ASSERT_TRUE(split.SplitPhonebook(registered, &other));
  EXPECT_EQ(NamesOf(split), (Names{"Office"}));
  EXPECT_STREQ(split.GetUserName(1), "ANNA") << "the live record, not the registered one";
  EXPECT_EQ(NamesOf(other), (Names{"New", "Home"}));
  EXPECT_EQ(NamesOf(registered), (Names{"Office", "Home"}));
  EXPECT_EQ(registered.path(), path);
  EXPECT_EQ(ReadBytes(path), bytes);

  phonebook.failEnumerate = true;
  EXPECT_FALSE(split.SplitPhonebook(registered, &other));
  EXPECT_EQ(NamesOf(split), (Names{"Office"}));
  EXPECT_EQ(NamesOf(other), (Names{"New", "Home"}));
  registered.ClearPath();
}

TEST(SplitPhonebook, AgainstItselfKeepsTheUnchangedLiveRecordsLastFirstAndFindsThemByName) {
  FakePhonebook phonebook;
  RecordingConnections registered(phonebook);
  RecordingConnections other(phonebook);
  for (const char* name : {"A", "B", "C", "D", "E", "F"}) {
    phonebook.Put(name, "030", name);
    ASSERT_TRUE(registered.Add(MakeRecord(name, "030", name)));
  }
  for (const char* name : {"A", "C", "D", "F"}) {
    phonebook.Put(name, "089", name);  // most of the list changed: its room is handed back too
  }
  phonebook.Put("E", "030", "E", "eve");  // a live value the registration lacks

  ASSERT_TRUE(registered.SplitPhonebook(registered, &other));
  EXPECT_EQ(NamesOf(registered), (Names{"B"}));
  EXPECT_EQ(NamesOf(other), (Names{"F", "E", "D", "C", "A"}));

  phonebook.Put("E", "030", "E");
  for (const char* name : {"A", "C", "D", "F"}) {
    phonebook.Put(name, "030", name);
  }
  ASSERT_TRUE(registered.Add(MakeRecord("E", "030", "E")));
  ASSERT_TRUE(registered.SplitPhonebook(registered, &other));
  EXPECT_EQ(NamesOf(registered), (Names{"E", "B"}));
  EXPECT_EQ(registered.Find("B"), 2u);
  EXPECT_EQ(registered.Find("A"), 0u);
  EXPECT_FALSE(registered.Add(MakeRecord("E"))) << "the kept records are known by name";
  EXPECT_EQ(std::string(registered.GetUserName(1)), "");
}

TEST(RemoveBadAreas, WithoutATargetListDropsOtherwiseMovesAndSaysWhenTheTargetRefuses) {
  FakePhonebook phonebook;
  CRASBadAreaCodes codes;
  ASSERT_TRUE(codes.Add("0190"));
  RecordingConnections registered(phonebook);
  RecordingConnections unregistered(phonebook);
  ASSERT_TRUE(registered.Add(MakeRecord("Home", "030")) && registered.Add(kOffice) &&
              registered.Add(MakeRecord("Mobile", "0", "190")));
  ASSERT_TRUE(registered.RemoveBadAreas(codes, nullptr));
  EXPECT_EQ(NamesOf(registered), (Names{"Home"}));

  ASSERT_TRUE(registered.Add(kOffice) && unregistered.Add(kOffice));
  ASSERT_TRUE(registered.RemoveBadAreas(codes, &unregistered));
  EXPECT_EQ(NamesOf(registered), (Names{"Home"})) << "dropped all the same";
  EXPECT_EQ(registered.reported, (std::vector<ErrorCode>{kRemoveBadAreasCannotMove}));
}

}  // namespace
}  // namespace tollward
