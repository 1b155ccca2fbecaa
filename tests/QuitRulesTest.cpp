// Every way out of the program: what it saves, what it tells, and whether the program ends.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "logic/QuitRules.h"
#include "logic/Registration.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/OptionsFixture.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::InstalledProgram;
using testing::MakeRecord;
using testing::NamesOf;
using testing::RecordingConnections;
using Names = std::vector<std::string>;
using Kinds = std::set<DataKind>;

constexpr QuitNotice kNone = QuitNotice::kNone;
constexpr QuitNotice kUnchecked = QuitNotice::kPhonebookUnchecked;
constexpr QuitNotice kStaying = QuitNotice::kNotSavedStaying;
constexpr QuitNotice kEnding = QuitNotice::kNotKeptEnding;

TEST(QuitRules, EveryWayOutSavesEverythingAndEndsOnlyWhenThatWorkedOrTheUserQuitsAgain) {
  struct Row {
    WayOut way;
    bool saveFails;
    bool phonebookRead;
    bool asks;
    // The first attempt, and, if the program stayed, the second.
    bool firstEnds;
    QuitNotice first;
    QuitNotice second;
    // Only the file of the entries' further properties cannot be written.
    bool detailsHeld = false;
  };
  const WayOut kDone = WayOut::kDone, kCancel = WayOut::kCancel, kShutdown = WayOut::kShutdown,
               kSession = WayOut::kSessionEnd;
  const std::vector<Row> rows = {
      {kDone, false, true, true, true, kNone, kNone},
      {kDone, false, false, true, true, kUnchecked, kNone},
      {kDone, true, true, true, false, kStaying, kEnding},
      {kDone, true, false, true, false, kStaying, kEnding},
      {kCancel, false, true, true, true, kNone, kNone},
      {kCancel, false, false, true, true, kUnchecked, kNone},
      {kCancel, true, true, true, false, kStaying, kEnding},
      {kCancel, true, false, true, false, kStaying, kEnding},
      {kShutdown, false, true, true, true, kNone, kNone},
      {kShutdown, false, false, true, true, kUnchecked, kNone},
      {kShutdown, true, true, true, false, kStaying, kEnding},
      {kShutdown, true, false, true, false, kStaying, kEnding},
      {kSession, false, true, false, true, kNone, kNone},
      {kSession, false, false, false, true, kNone, kNone},
      {kSession, true, true, false, true, kNone, kNone},
      {kSession, true, false, false, true, kNone, kNone},
      {kDone, false, true, true, false, kStaying, kEnding, true},
      {kSession, false, true, false, true, kNone, kNone, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "way " << static_cast<int>(row.way) << ", save fails "
                                      << row.saveFails << ", phonebook read " << row.phonebookRead
                                      << ", details held " << row.detailsHeld);
    InstalledProgram program;
    const std::string store = program.directory() + "Tollward.con";
    const std::string bac = program.directory() + "Tollward.bac";
    FakePhonebook phonebook;
    {
      CRASConnections earlier(phonebook);
      ASSERT_TRUE(earlier.Add(MakeRecord("Office", "089", "1")));
      ASSERT_TRUE(earlier.Save(store));
    }
    phonebook.Put("Office", "089", "1");
    phonebook.Put("Work", "040", "2");
    phonebook.failEnumerate = !row.phonebookRead;
    {
      RecordingConnections registered(phonebook);
      RecordingConnections unregistered(phonebook);
      CRASBadAreaCodes badAreas;
      LoadBadAreaCodes(badAreas, bac);
      ASSERT_TRUE(badAreas.Add("0190"));
      testing::RecordingOptions options = program.Options();
      const StoreBinding binding =
          RunStartUpCheck(registered, unregistered, badAreas, store, ReportingListFactory{});
      if (row.phonebookRead) {
        ASSERT_EQ(MoveOutcome::kMoved, RegisterEntry("Work", unregistered, registered, badAreas));
      }
      EXPECT_FALSE(CQuitRules::GoesToTray(row.way, false));
      EXPECT_EQ(row.way == kDone, CQuitRules::GoesToTray(row.way, true));
      EXPECT_EQ(row.asks, CQuitRules::Asks(row.way));

      CQuitRules rules;
      FaultyFileSystem faulty;
      faulty.failCreate = row.saveFails;
      if (row.detailsHeld) {
        faulty.heldForWriting = program.directory() + "Tollward.det";
      }
      EndSave saved;
      {
        CScopedFileSystem scope(faulty);
        saved = SaveEverything(registered, store, binding, badAreas, options);
      }
      EXPECT_TRUE(registered.reported.empty() && program.reports.empty()) << "the caller tells";
      Kinds failed;
      for (const SaveFailure& failure : saved.failures) {
        failed.insert(failure.kind);
        EXPECT_EQ(failure.reason, row.detailsHeld ? "SaveToArchive: write error."
                                                  : "Save: unable to open file for writing.");
        EXPECT_EQ(failure.kind == DataKind::kEntryDetails, failure.path == faulty.heldForWriting);
      }
      // An unchanged store is left alone, so only a changed one can fail.
      const Kinds expectedFailures =
          row.detailsHeld  ? Kinds{DataKind::kEntryDetails}
          : !row.saveFails ? Kinds{}
          : row.phonebookRead
              ? Kinds{DataKind::kRegistrations, DataKind::kBadAreaCodes, DataKind::kOptions}
              : Kinds{DataKind::kBadAreaCodes, DataKind::kOptions};
      EXPECT_EQ(expectedFailures, failed);

      QuitDecision decision = rules.AfterSave(row.way, saved);
      EXPECT_EQ(row.firstEnds, decision.end);
      EXPECT_EQ(row.first, decision.notice);
      if (!decision.end) {
        {
          CScopedFileSystem scope(faulty);
          saved = SaveEverything(registered, store, binding, badAreas, options);
        }
        decision = rules.AfterSave(row.way, saved);
        EXPECT_TRUE(decision.end) << "asked once more, the user may still quit";
        EXPECT_EQ(row.second, decision.notice);
      }
      if (!row.saveFails) {
        CRASConnections stored(phonebook);
        ASSERT_TRUE(stored.Load(store));
        stored.ClearPath();
        const Names expected = row.phonebookRead ? Names{"Office", "Work"} : Names{"Office"};
        EXPECT_EQ(expected, NamesOf(stored));
        EXPECT_TRUE(FileExists(bac) && FileExists(program.optionsFile()));
      }
      // What the destructions write next is not this test's matter.
      registered.ClearPath();
      badAreas.ClearPath();
    }
  }
}

// What the members' destructions wrote is written before they go, silently; the destructions
// then write nothing, not even what changed after, nor what failed before.
TEST(QuitRules, TheLastWritesAreSilentAndLeaveTheDestructionsNothingToWrite) {
  using testing::ReadBytes;
  for (const bool failing : {false, true}) {
    SCOPED_TRACE(failing ? "every write fails" : "the writes go through");
    InstalledProgram program;
    const std::string store = program.directory() + "Tollward.con";
    const std::string bac = program.directory() + "Tollward.bac";
    FakePhonebook phonebook;
    std::vector<std::vector<unsigned char>> written;
    {
      RecordingConnections registered(phonebook);
      ASSERT_TRUE(registered.Add(MakeRecord("Office", "089", "1")));
      registered.SetPath(store.c_str());
      CRASBadAreaCodes badAreas;
      badAreas.Load(bac);
      ASSERT_TRUE(badAreas.Add("0190"));
      testing::RecordingOptions options = program.Options();
      ASSERT_TRUE(options.SetMonitorInterval(60));
      options.runSilentCheckAtStart = true;
      {
        FaultyFileSystem faulty;
        faulty.failCreate = failing;
        CScopedFileSystem scope(faulty);
        SaveAtEnd(registered, badAreas, options);
      }
      EXPECT_TRUE(registered.reported.empty() && program.reports.empty());
      EXPECT_EQ(program.store.Text(), program.programPath() + " /scan");
      written = {ReadBytes(store), ReadBytes(bac), ReadBytes(program.optionsFile())};
      EXPECT_EQ(written[0].empty(), failing);
      EXPECT_EQ(written[2].empty(), failing);

      ASSERT_TRUE(registered.Add(MakeRecord("Work", "040", "2")) && badAreas.Add("0900"));
      ASSERT_TRUE(options.SetMonitorInterval(5));
      options.runSilentCheckAtStart = false;
    }
    EXPECT_EQ(written, (std::vector<std::vector<unsigned char>>{ReadBytes(store), ReadBytes(bac),
                                                                ReadBytes(program.optionsFile())}));
    EXPECT_EQ(program.store.Text(), program.programPath() + " /scan");
  }
}

}  // namespace
}  // namespace tollward
