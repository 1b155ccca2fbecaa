// A save cut off between removing a data file and renaming its new version: the next start-up
// takes the file from that version, or keeps the version aside, and never writes over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/DamagedFile.h"
#include "core/GuardSequences.h"
#include "core/InterruptedSave.h"
#include "options/Options.h"
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
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::string>;

class InterruptedSave : public ::testing::Test {
 protected:
  Bytes StoreOf(const std::vector<const char*>& names) {
    const std::string scratch = dir_.Path("scratch.con");
    CRASConnections list(phonebook_);
    for (const char* name : names) {
      EXPECT_TRUE(list.Add(MakeRecord(name, "089", "1")));
    }
    EXPECT_TRUE(list.Save(scratch));
    list.ClearPath();
    return ReadBytes(scratch);
  }
  DataFileTest StoreLoads() {
    return [this](const std::string& path) {
      CRASConnections list(phonebook_);
      const bool loaded = list.Load(path);
      list.ClearPath();
      return loaded;
    };
  }

  TempDir dir_;
  const std::string store_ = dir_.Path("Tollward.con");
  const std::string newVersion_ = store_ + ".new";
  FakePhonebook phonebook_;
};

TEST_F(InterruptedSave, TheStartUpTakesACompleteNewVersionAndKeepsABrokenOneAside) {
  const Bytes office = StoreOf({"Office"});
  const Bytes officeAndHome = StoreOf({"Office", "Home"});
  const Bytes cutShort(officeAndHome.begin(), officeAndHome.end() - 100);
  struct Case {
    const char* what;
    const Bytes* store;       // null: missing
    const Bytes* newVersion;  // null: missing
    bool newVersionHeld;      // another program holds the new version open
    bool recovered;
    StoreBinding binding;
    Names registered;
    Names storedAfter;
    const Bytes* damagedAfter;  // null: no copy kept aside
  };
  const std::vector<Case> cases = {
      {"only a complete new version",
       nullptr,
       &officeAndHome,
       false,
       true,
       StoreBinding::kBound,
       {"Home", "Office"},
       {"Home", "Office"},
       nullptr},
      {"only a new version cut short",
       nullptr,
       &cutShort,
       false,
       false,
       StoreBinding::kBound,
       {},
       {},
       &cutShort},
      {"the store beside a leftover new version",
       &office,
       &officeAndHome,
       false,
       false,
       StoreBinding::kBound,
       {"Office"},
       {"Office"},
       nullptr},
      {"neither", nullptr, nullptr, false, false, StoreBinding::kBound, {}, {}, nullptr},
      {"only a new version another program holds",
       nullptr,
       &officeAndHome,
       true,
       false,
       StoreBinding::kStoreUnusable,
       {},
       {},
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(dir_.root());
    std::filesystem::create_directories(dir_.root());
    if (c.store != nullptr) {
      WriteBytes(store_, *c.store);
    }
    if (c.newVersion != nullptr) {
      WriteBytes(newVersion_, *c.newVersion);
    }
    phonebook_.Put("Office", "089", "1");
    phonebook_.Put("Home", "089", "1");
    FaultyFileSystem faulty;
    if (c.newVersionHeld) {
      faulty.heldByAnother = newVersion_;
    }
    {
      ScopedFileSystem scope(faulty);
      EXPECT_EQ(c.recovered, RecoverInterruptedSave(store_, StoreLoads()));
      CRASConnections registered(phonebook_);
      CRASConnections unregistered(phonebook_);
      CRASBadAreaCodes badAreas;
      EXPECT_EQ(c.binding, RunStartUpCheck(registered, unregistered, badAreas, store_,
                                           ReportingListFactory{}));
      EXPECT_EQ(c.registered, NamesOf(registered));
    }
    if (c.binding == StoreBinding::kBound) {
      CRASConnections stored(phonebook_);
      EXPECT_TRUE(stored.Load(store_));
      stored.ClearPath();
      Names names = NamesOf(stored);
      std::sort(names.begin(), names.end());
      EXPECT_EQ(c.storedAfter, names);
    } else {
      EXPECT_FALSE(FileExists(store_));
    }
    if (c.recovered) {
      EXPECT_FALSE(FileExists(newVersion_)) << "moved into the store's place";
    }
    if (c.damagedAfter != nullptr) {
      EXPECT_EQ(*c.damagedAfter, ReadBytes(DamagedCopyPath(store_, 1)));
    } else {
      EXPECT_FALSE(FileExists(DamagedCopyPath(store_, 1)));
    }
    if (c.newVersionHeld) {
      EXPECT_EQ(*c.newVersion, ReadBytes(newVersion_)) << "never written over";
    }
  }
}

TEST_F(InterruptedSave, AnOptionsFileCountsAsCompleteOnlyWithItsWholeRecord) {
  const std::string options = dir_.Path("Tollward.ini");
  const Bytes record = {'O', 'p', 't', 'i',  'o',  'n', 's', ':', 0, 0, 0, 0,
                        0,   0,   0,   0xF0, 0x3F, 15,  0,   0,   0, 0, 1, 1};
  WriteBytes(options + ".new", Bytes(record.begin(), record.end() - 1));
  EXPECT_FALSE(RecoverInterruptedSave(options, &COptions::IsCompleteFile));
  EXPECT_FALSE(FileExists(options));
  WriteBytes(options + ".new", record);
  EXPECT_TRUE(RecoverInterruptedSave(options, &COptions::IsCompleteFile));
  EXPECT_EQ(record, ReadBytes(options));
  EXPECT_FALSE(FileExists(options + ".new"));
}

}  // namespace
}  // namespace tollward
