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
  EXPECT_TRUE(SameRecord(reference.manipulations[0].checked, cases[1].checked));
  EXPECT_TRUE(SameRecord(reference.manipulations[0].differences, cases[1].differences));

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

class Split : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook_.Put("Office", "0190", "555 12", "Anna", "Secret");
    phonebook_.Put("Home", "030", "1");
    phonebook_.Put("Fresh");
    ASSERT_TRUE(registered_.Add(MakeRecord("Home", "030", "1")));
    ASSERT_TRUE(registered_.Add(MakeRecord("Gone")));
    ASSERT_TRUE(registered_.Add(kOffice));
    ASSERT_TRUE(unregistered_.Add(MakeRecord("earlier")));
    ASSERT_TRUE(registered_.Save(path_));
    unregistered_.SetPath(dir_.Path("never.con").c_str());
  }

  TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  RecordingConnections registered_{phonebook_};
  RecordingConnections unregistered_{phonebook_};
};

TEST_F(Split, SortsTheLiveEntriesLastFirstAgainstACopyThatRewritesTheStore) {
  const auto storeBefore = ReadBytes(path_);
  phonebook_.Put("Home", "030", "2");  // manipulated
  phonebook_.Put("Home2", "030", "1");
  ASSERT_TRUE(registered_.SplitPhonebook(registered_, &unregistered_));
  EXPECT_EQ(NamesOf(registered_), (Names{"Office"}));
  EXPECT_EQ(NamesOf(unregistered_), (Names{"Home2", "Fresh", "Home"}));
  EXPECT_FALSE(unregistered_.path());
  EXPECT_EQ(registered_.path(), path_);
  EXPECT_EQ(ReadBytes(path_), storeBefore) << "the copy writes the registrations as they were";
}

TEST_F(Split, AFailedPhonebookReadLeavesBothListsAsTheyWere) {
  const Names registered = NamesOf(registered_);
  phonebook_.failEnumerate = true;
  EXPECT_FALSE(registered_.SplitPhonebook(registered_, &unregistered_));
  phonebook_.failEnumerate = false;
  phonebook_.Find("Home")->failProperties = true;  // an entry that cannot be read is no answer
  EXPECT_FALSE(registered_.SplitPhonebook(registered_, &unregistered_));
  EXPECT_EQ(NamesOf(registered_), registered);
  EXPECT_EQ(NamesOf(unregistered_), (Names{"earlier"}));
  EXPECT_TRUE(unregistered_.path());
}

TEST_F(Split, ManipulationsAreReportedLastRegisteredFirstAndOnlyForLiveEntries) {
  phonebook_.Put("Home", "030", "1", "eve");
  phonebook_.Put("Office", "0190", "555 12", "Anna", "Other");
  RecordingConnections live(phonebook_);
  ASSERT_TRUE(live.ReportManipulations(registered_));
  ASSERT_EQ(live.manipulations.size(), 2u);
  EXPECT_STREQ(live.manipulations[0].checked.szEntryName, "Office");
  EXPECT_STREQ(live.manipulations[0].differences.szPassword, "Other");
  EXPECT_STREQ(live.manipulations[1].checked.szEntryName, "Home");
  EXPECT_EQ(live.manipulations[1].index, 2u) << "the entry's place in the phonebook";
  EXPECT_STREQ(live.manipulations[1].differences.szUserName, "eve");
  EXPECT_EQ(live.GetCount(), 0u);
  EXPECT_EQ(registered_.GetCount(), 3u);

  phonebook_.failEnumerate = true;
  EXPECT_FALSE(live.ReportManipulations(registered_));
  EXPECT_EQ(live.manipulations.size(), 2u);
}

TEST_F(Split, TheStoreCheckKeepsTheRegistrationsWhoseEntryIsGone) {
  RecordingConnections check(phonebook_);
  ASSERT_TRUE(check.CheckRegisteredFile(path_));
  EXPECT_EQ(NamesOf(check), (Names{"Gone"}));
  EXPECT_TRUE(check.manipulations.empty());
  EXPECT_FALSE(check.path()) << "the check never writes the store";

  phonebook_.Put("Gone");
  phonebook_.Put("Office", "0190", "555 13", "Anna", "Secret");
  ASSERT_TRUE(check.CheckRegisteredFile(path_));
  EXPECT_EQ(check.GetCount(), 0u) << "every stored entry is in the phonebook";
  ASSERT_EQ(check.manipulations.size(), 1u);
  EXPECT_STREQ(check.manipulations[0].differences.szLocalPhoneNumber, "555 13");

  EXPECT_FALSE(check.CheckRegisteredFile(dir_.Path("missing.con")));
  EXPECT_TRUE(check.reported.empty()) << "a missing store is not the user's error";
}

TEST_F(Split, BadAreasMoveLastFirstOrAreDroppedWithoutATargetList) {
  CRASBadAreaCodes codes;
  ASSERT_TRUE(codes.Add("0190"));
  ASSERT_TRUE(codes.Add("03"));
  ASSERT_TRUE(registered_.RemoveBadAreas(codes, &unregistered_));
  EXPECT_EQ(NamesOf(registered_), (Names{"Gone"}));
  EXPECT_EQ(NamesOf(unregistered_), (Names{"earlier", "Office", "Home"}));

  ASSERT_TRUE(registered_.Add(MakeRecord("Home", "030")));
  ASSERT_TRUE(registered_.Add(MakeRecord("Mobile", "0", "190")));
  ASSERT_TRUE(registered_.RemoveBadAreas(codes, nullptr));
  EXPECT_EQ(NamesOf(registered_), (Names{"Gone"}));

  // A record the target list refuses is dropped all the same, with the user told so.
  ASSERT_TRUE(registered_.Add(MakeRecord("Home", "030")));
  ASSERT_TRUE(registered_.RemoveBadAreas(codes, &unregistered_));
  EXPECT_EQ(NamesOf(registered_), (Names{"Gone"}));
  EXPECT_EQ(registered_.reported, (std::vector<ErrorCode>{kRemoveBadAreasCannotMove}));
  EXPECT_EQ(unregistered_.reported, (std::vector<ErrorCode>{kAddNameExists}));
}

}  // namespace
}  // namespace tollward
