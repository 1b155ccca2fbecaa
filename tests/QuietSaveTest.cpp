// The store and the bad-area file are written only when what a save would write is not already
// on the disk; the disk, not a remembered image, is what counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/Registration.h"
#include "core/EntryDetailsStore.h"
#include "core/GuardSequences.h"
#include "core/RASBadAreaCodes.h"
#include "tests/fakes/CountingFileSystem.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::CountingFileSystem;
using testing::FakePhonebook;
using testing::FileExists;
using testing::MakeRecord;
using testing::ReadBytes;
using testing::RecordingConnections;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;

// A data file's owner, saving its own content to a path.
struct DataFile {
  const char* name;
  std::function<bool(const std::string&)> save;
};

std::vector<DataFile> DataFiles(FakePhonebook& phonebook) {
  return {
      {"Tollward.con",
       [&phonebook](const std::string& path) {
         RecordingConnections list(phonebook);
         list.Add(MakeRecord("Office", "030", "123 456", "anna", "secret"));
         list.Add(MakeRecord("Home", "0190", "1"));
         const bool saved = list.Save(path);
         list.ClearPath();
         return saved && list.reported.empty();
       }},
      {"Tollward.bac",
       [](const std::string& path) {
         CRASBadAreaCodes list;
         list.Add("0190");
         list.Add("0900123456");
         const bool saved = list.Save(path);
         list.ClearPath();
         return saved;
       }},
      {"Tollward.det",
       [](const std::string& path) {
         CEntryDetailsStore store;
         EntryDetails details;
         details.script = "C:\\dial.scp";
         store.Put("Office", details);
         return store.Save(path);
       }},
  };
}

// What another program may have done to the file since the last save.
struct Meddling {
  const char* what;
  std::function<void(const std::string&, const Bytes&)> apply;
  bool written;
};

std::vector<Meddling> Meddlings() {
  return {
      {"nothing", [](const std::string&, const Bytes&) {}, false},
      {"one byte changed",
       [](const std::string& path, Bytes bytes) {
         bytes.back() ^= 1;
         WriteBytes(path, bytes);
       },
       true},
      {"cut short",
       [](const std::string& path, Bytes bytes) {
         bytes.pop_back();
         WriteBytes(path, bytes);
       },
       true},
      {"a byte appended",
       [](const std::string& path, Bytes bytes) {
         bytes.push_back(0);
         WriteBytes(path, bytes);
       },
       true},
      {"emptied", [](const std::string& path, const Bytes&) { WriteBytes(path, {}); }, true},
      {"removed", [](const std::string& path, const Bytes&) { std::filesystem::remove(path); },
       true},
  };
}

TEST(QuietSave, ASaveReplacesTheFileOnlyWhenTheDiskDoesNotHoldItsBytes) {
  FakePhonebook phonebook;
  for (const DataFile& file : DataFiles(phonebook)) {
    SCOPED_TRACE(file.name);
    TempDir dir;
    const std::string path = dir.Path(file.name);
    const std::string reference = dir.Path(std::string("reference ") + file.name);
    ASSERT_TRUE(file.save(reference));
    const Bytes bytes = ReadBytes(reference);
    for (const Meddling& meddling : Meddlings()) {
      ASSERT_TRUE(file.save(path));
      meddling.apply(path, bytes);
      CountingFileSystem counting;
      {
        CScopedFileSystem scope(counting);
        EXPECT_TRUE(file.save(path)) << meddling.what;
      }
      EXPECT_EQ(counting.replaced.size(), meddling.written ? 1u : 0u) << meddling.what;
      EXPECT_EQ(counting.flushes, meddling.written ? 1u : 0u) << meddling.what;
      EXPECT_EQ(ReadBytes(path), bytes) << meddling.what;
      EXPECT_FALSE(FileExists(path + ".new")) << meddling.what;
    }
  }
}

class QuietSequences : public ::testing::Test {
 protected:
  ReportingListFactory Silent() {
    return [this] { return std::make_unique<CRASConnections>(phonebook_); };
  }
  // The files one call replaced.
  std::size_t Replacements(const std::function<void()>& step) {
    CountingFileSystem counting;
    CScopedFileSystem scope(counting);
    step();
    return counting.replaced.size();
  }
  // How often one call replaced the store itself; its details file follows the further
  // properties, which are written in the order of the names, not of the split.
  std::size_t StoreReplacements(const std::function<void()>& step) {
    CountingFileSystem counting;
    CScopedFileSystem scope(counting);
    step();
    return static_cast<std::size_t>(
        std::count(counting.replaced.begin(), counting.replaced.end(), store_));
  }
  // The bytes a save of the list writes, to a file of its own.
  Bytes SavedForm(const CRASConnections& list) {
    CRASConnections copy(list);
    const std::string path = dir_.Path("saved form");
    std::filesystem::remove(path);
    EXPECT_TRUE(copy.Save(path));
    copy.ClearPath();
    return ReadBytes(path);
  }

  TempDir dir_;
  const std::string store_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  CRASBadAreaCodes badAreas_;
};

TEST_F(QuietSequences, ScansReplaceTheStoreOnlyWhenTheRegistrationsChanged) {
  for (const char* name : {"Office", "Home", "Work"}) {
    phonebook_.Put(name, "030", name);
  }
  RecordingConnections registered(phonebook_);
  RecordingConnections unregistered(phonebook_);
  ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
            StoreBinding::kBound);
  ASSERT_EQ(RegisterEntry("Office", unregistered, registered, badAreas_), MoveOutcome::kMoved);
  ASSERT_EQ(RegisterEntry("Home", unregistered, registered, badAreas_), MoveOutcome::kMoved);
  const auto scan = [&] { ASSERT_TRUE(ScanAndResort(registered, unregistered, Silent())); };

  // The scan's copy writes the registrations as they stood before it: the two just made.
  Bytes expected = SavedForm(registered);
  EXPECT_EQ(StoreReplacements(scan), 1u);
  EXPECT_EQ(ReadBytes(store_), expected);
  for (int clean = 0; clean < 2; ++clean) {
    // The first of these writes the order the split gave, last first; then nothing changes.
    expected = SavedForm(registered);
    EXPECT_EQ(clean == 0 ? StoreReplacements(scan) : Replacements(scan), clean == 0 ? 1u : 0u)
        << clean;
    EXPECT_EQ(ReadBytes(store_), expected);
  }

  // The scan that finds a manipulation drops it from the list; the store follows one scan late.
  phonebook_.Put("Home", "0190", "Home");
  EXPECT_EQ(StoreReplacements(scan), 0u);
  expected = SavedForm(registered);
  EXPECT_EQ(StoreReplacements(scan), 1u);
  EXPECT_EQ(ReadBytes(store_), expected);
  EXPECT_EQ(StoreReplacements(scan), 0u);
  EXPECT_TRUE(registered.reported.empty());

  // Written again however the store was spoilt behind the program's back.
  for (const Meddling& meddling : Meddlings()) {
    meddling.apply(store_, expected);
    EXPECT_EQ(StoreReplacements(scan), meddling.written ? 1u : 0u) << meddling.what;
    EXPECT_EQ(ReadBytes(store_), expected) << meddling.what;
  }
  registered.ClearPath();
}

TEST_F(QuietSequences, AStartUpWithNothingChangedReplacesNoFile) {
  for (const char* name : {"Office", "Home", "Work", "Fax"}) {
    phonebook_.Put(name, "030", name);
  }
  // An earlier run registered three entries, scanned once and ended by "done".
  {
    RecordingConnections registered(phonebook_);
    RecordingConnections unregistered(phonebook_);
    ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
              StoreBinding::kBound);
    for (const char* name : {"Fax", "Office", "Work"}) {
      ASSERT_EQ(RegisterEntry(name, unregistered, registered, badAreas_), MoveOutcome::kMoved);
    }
    ASSERT_TRUE(ScanAndResort(registered, unregistered, Silent()));
    ASSERT_TRUE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kBound));
  }
  const Bytes store = ReadBytes(store_);
  const auto startUp = [&] {
    RecordingConnections registered(phonebook_);
    RecordingConnections unregistered(phonebook_);
    ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
              StoreBinding::kBound);
    ASSERT_TRUE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kBound));
  };
  EXPECT_EQ(Replacements(startUp), 0u);
  EXPECT_EQ(ReadBytes(store_), store);

  // A manipulated entry: the split's result and then the store as it was loaded.
  phonebook_.Put("Work", "0190", "Work");
  EXPECT_LE(StoreReplacements([&] {
              RecordingConnections registered(phonebook_);
              RecordingConnections unregistered(phonebook_);
              ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Silent()),
                        StoreBinding::kBound);
              registered.ClearPath();
            }),
            2u);
  EXPECT_EQ(ReadBytes(store_), store) << "the start-up leaves the store as it was loaded";
}

}  // namespace
}  // namespace tollward
