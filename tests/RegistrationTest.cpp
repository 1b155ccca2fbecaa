// Registering and unregistering an entry, and what "done" may write to the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/Registration.h"
#include "core/DamagedFile.h"
#include "core/ErrorTables.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::MakeRecord;
using testing::NamesOf;
using testing::ReadBytes;
using testing::RecordingConnections;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::vector<std::string>;

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(unregistered_.Add(MakeRecord("Office", "089", "123456", "smith", "secret")));
    ASSERT_TRUE(unregistered_.Add(MakeRecord("Hotline", "0190", "555")));
    ASSERT_TRUE(unregistered_.Add(MakeRecord("Home", "030", "987")));
    ASSERT_TRUE(badAreas_.Add("0190"));
  }

  FakePhonebook phonebook_;
  RecordingConnections unregistered_{phonebook_};
  RecordingConnections registered_{phonebook_};
  CRASBadAreaCodes badAreas_;
};

TEST_F(Registration, RegisteringMovesTheWholeRecordAndUnregisteringMovesItBack) {
  EXPECT_EQ(MoveOutcome::kMoved, RegisterEntry("Office", unregistered_, registered_, badAreas_));
  EXPECT_EQ(Names{"Office"}, NamesOf(registered_));
  EXPECT_EQ((Names{"Hotline", "Home"}), NamesOf(unregistered_));
  EXPECT_STREQ("123456", registered_.GetLocalPhoneNumber(1));
  EXPECT_STREQ("smith", registered_.GetUserName(1));
  EXPECT_STREQ("secret", registered_.GetPassword(1));

  EXPECT_EQ(MoveOutcome::kMoved, UnregisterEntry("Office", registered_, unregistered_));
  EXPECT_EQ(0u, registered_.GetCount());
  EXPECT_EQ((Names{"Hotline", "Home", "Office"}), NamesOf(unregistered_));
  EXPECT_STREQ("secret", unregistered_.GetPassword(3));
  EXPECT_TRUE(unregistered_.reported.empty());
  EXPECT_TRUE(registered_.reported.empty());
}

TEST_F(Registration, ABadAreaCodeIsRefusedAndNothingMoves) {
  EXPECT_EQ(MoveOutcome::kBadAreaCode,
            RegisterEntry("Hotline", unregistered_, registered_, badAreas_));
  EXPECT_EQ(0u, registered_.GetCount());
  EXPECT_EQ((Names{"Office", "Hotline", "Home"}), NamesOf(unregistered_));

  // The code counts across the area code and the number written together.
  ASSERT_TRUE(unregistered_.Add(MakeRecord("Split", "01", "90123")));
  EXPECT_EQ(MoveOutcome::kBadAreaCode,
            RegisterEntry("Split", unregistered_, registered_, badAreas_));

  // Unregistering knows no such test: a registration made before the code was listed can
  // always be taken back.
  ASSERT_TRUE(registered_.Add(MakeRecord("Old hotline", "0190", "1")));
  EXPECT_EQ(MoveOutcome::kMoved, UnregisterEntry("Old hotline", registered_, unregistered_));
}

TEST_F(Registration, UnknownOrEmptyNamesMoveNothing) {
  for (const char* name : {"", "office", "Offic", "Nowhere"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(MoveOutcome::kNoEntry, RegisterEntry(name, unregistered_, registered_, badAreas_));
    EXPECT_EQ(MoveOutcome::kNoEntry, UnregisterEntry(name, registered_, unregistered_));
  }
  EXPECT_EQ(3u, unregistered_.GetCount());
  EXPECT_EQ(0u, registered_.GetCount());
  EXPECT_TRUE(unregistered_.reported.empty());
}

TEST_F(Registration, ARefusedAddLeavesBothListsAsTheyWere) {
  ASSERT_TRUE(registered_.Add(MakeRecord("Home", "030", "111")));
  EXPECT_EQ(MoveOutcome::kNotAdded, RegisterEntry("Home", unregistered_, registered_, badAreas_));
  EXPECT_EQ(std::vector<ErrorCode>{connection_error::kAddNameExists}, registered_.reported);
  EXPECT_EQ((Names{"Office", "Hotline", "Home"}), NamesOf(unregistered_));
  EXPECT_EQ(Names{"Home"}, NamesOf(registered_));
  EXPECT_STREQ("111", registered_.GetLocalPhoneNumber(1));
}

class StoreAtQuit : public ::testing::Test {
 protected:
  ReportingListFactory Silent() {
    return [this] { return std::make_unique<CRASConnections>(phonebook_); };
  }
  // A store that holds "Office" and "Home", written by an earlier run.
  void WriteStore() {
    CRASConnections earlier(phonebook_);
    ASSERT_TRUE(earlier.Add(MakeRecord("Office", "089", "123456")));
    ASSERT_TRUE(earlier.Add(MakeRecord("Home", "030", "987")));
    ASSERT_TRUE(earlier.Save(store_));
  }
  Names Stored() {
    CRASConnections stored(phonebook_);
    stored.Load(store_);
    stored.ClearPath();
    return NamesOf(stored);
  }

  TempDir dir_;
  const std::string store_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  CRASBadAreaCodes badAreas_;
};

// At log-on the service may not be up: the store's records stand for the registrations, bound
// to the store, until a scan reads the phonebook and sorts against them as usual.
TEST_F(StoreAtQuit, AfterAStartUpThatCouldNotReadThePhonebookTheStoreKeepsAndGainsRegistrations) {
  WriteStore();
  const std::vector<unsigned char> before = ReadBytes(store_);
  phonebook_.Put("Office", "089", "123456");
  phonebook_.Put("Work", "040", "55");
  phonebook_.failEnumerate = true;
  {
    RecordingConnections registered(phonebook_);
    RecordingConnections unregistered(phonebook_);
    EXPECT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
              StoreBinding::kPhonebookUnread);
    EXPECT_EQ((Names{"Office", "Home"}), NamesOf(registered));
    EXPECT_EQ(store_, registered.path());

    EXPECT_TRUE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kPhonebookUnread));
    EXPECT_EQ(before, ReadBytes(store_)) << "saved as it was";
    EXPECT_TRUE(registered.reported.empty());

    phonebook_.failEnumerate = false;
    ASSERT_TRUE(ScanAndResort(registered, unregistered, Silent()));
    ASSERT_EQ(MoveOutcome::kMoved, RegisterEntry("Work", unregistered, registered, badAreas_));
  }
  EXPECT_EQ((Names{"Office", "Home", "Work"}), Stored())
      << "Home is gone from the phonebook, and kept until the user ends it";
}

TEST_F(StoreAtQuit, AfterASoundStartUpDoneWritesTheRegistrationsAsTheyAreNow) {
  WriteStore();
  phonebook_.Put("Office", "089", "123456");
  phonebook_.Put("Home", "030", "987");
  phonebook_.Put("Work", "040", "55");
  RecordingConnections registered(phonebook_);
  RecordingConnections unregistered(phonebook_);
  ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
            StoreBinding::kBound);
  ASSERT_EQ(MoveOutcome::kMoved, UnregisterEntry("Home", registered, unregistered));
  ASSERT_EQ(MoveOutcome::kMoved, RegisterEntry("Work", unregistered, registered, badAreas_));

  EXPECT_TRUE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kBound));
  EXPECT_EQ((Names{"Office", "Work"}), Stored());
  EXPECT_EQ(28u + 2u * 911u, ReadBytes(store_).size());
}

TEST_F(StoreAtQuit, AFailedSaveKeepsTheProgramRunning) {
  phonebook_.Put("Office", "089", "123456");
  RecordingConnections registered(phonebook_);
  RecordingConnections unregistered(phonebook_);
  ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
            StoreBinding::kBound);
  // The store's folder is gone: the save cannot even open its file.
  const std::string unreachable = dir_.Path("gone") + "/Tollward.con";
  EXPECT_FALSE(SaveRegistrationsForQuit(registered, unreachable, StoreBinding::kBound));
  EXPECT_EQ(std::vector<ErrorCode>{connection_error::kSaveOpen}, registered.reported);
  EXPECT_FALSE(FileExists(unreachable));
}

TEST_F(StoreAtQuit, AfterAStartUpThatCouldNotUseTheStoreDoneReportsAFailedSaveAndWritesNothing) {
  struct Unusable {
    const char* what;
    std::function<void(FaultyFileSystem&)> spoil;
  };
  const std::vector<Unusable> cases = {
      {"held by another program", [&](FaultyFileSystem& fs) { fs.heldByAnother = store_; }},
      {"damaged, and no copy can be kept aside",
       [&](FaultyFileSystem&) {
         WriteBytes(store_, {'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'e'});
         std::filesystem::create_directory(DamagedCopyPath(store_, 1) + ".new");
       }},
  };
  for (const Unusable& unusable : cases) {
    SCOPED_TRACE(unusable.what);
    WriteStore();
    phonebook_.Put("Office", "089", "123456");
    phonebook_.Put("Work", "040", "55");
    FaultyFileSystem faulty;
    unusable.spoil(faulty);
    const std::vector<unsigned char> before = ReadBytes(store_);
    {
      RecordingConnections registered(phonebook_);
      RecordingConnections unregistered(phonebook_);
      {
        CScopedFileSystem scope(faulty);
        EXPECT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
                  StoreBinding::kStoreUnusable);
      }
      EXPECT_EQ((Names{"Work", "Office"}), NamesOf(unregistered));
      EXPECT_FALSE(registered.path());
      ASSERT_EQ(MoveOutcome::kMoved, RegisterEntry("Work", unregistered, registered, badAreas_));
      // Even once the store can be read again: this run's list holds none of its registrations.
      EXPECT_FALSE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kStoreUnusable));
      EXPECT_EQ(std::vector<ErrorCode>{connection_error::kSaveOpen}, registered.reported);
    }
    EXPECT_EQ(before, ReadBytes(store_));
    std::filesystem::remove_all(DamagedCopyPath(store_, 1) + ".new");
    std::filesystem::remove(store_);
  }
}

}  // namespace
}  // namespace tollward
