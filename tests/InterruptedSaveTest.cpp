// A save cut off between removing a data file and renaming its new version: the next start-up
// takes the file from that version, or keeps the version aside, and never writes over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

using namespace testing;
using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::string>;

TEST(InterruptedSave, TheStartUpTakesACompleteNewVersionAndKeepsABrokenOneAside) {
  TempDir dir;
  FakePhonebook phonebook;
  phonebook.Put("Office", "089", "1");
  phonebook.Put("Home", "089", "1");
  const std::string store = dir.Path("Tollward.con");
  const std::string newVersion = store + ".new";
  const auto storeOf = [&](const Names& names) {
    CRASConnections list(phonebook);
    for (const std::string& name : names) {
      list.Add(MakeRecord(name.c_str(), "089", "1"));
    }
    list.Save(dir.Path("scratch"));
    list.ClearPath();
    return ReadBytes(dir.Path("scratch"));
  };
  const Bytes office = storeOf({"Office"});
  const Bytes both = storeOf({"Office", "Home"});
  const Bytes cutShort(both.begin(), both.end() - 100);
  const DataFileTest loads = [&](const std::string& path) {
    CRASConnections list(phonebook);
    const bool loaded = list.Load(path);
    list.ClearPath();
    return loaded;
  };
  struct Case {
    const char* what;
    const Bytes* store;       // null: missing
    const Bytes* newVersion;  // null: missing
    bool held;                // another program holds the new version open
    bool recovered;
    StoreBinding binding;
    Names registered;
    Bytes damaged;  // what is kept aside
  };
  const std::vector<Case> cases = {
      {"a complete new version",
       nullptr,
       &both,
       false,
       true,
       StoreBinding::kBound,
       {"Home", "Office"},
       {}},
      {"a new version cut short",
       nullptr,
       &cutShort,
       false,
       false,
       StoreBinding::kBound,
       {},
       cutShort},
      {"the store and a leftover",
       &office,
       &both,
       false,
       false,
       StoreBinding::kBound,
       {"Office"},
       {}},
      {"a held new version", nullptr, &both, true, false, StoreBinding::kStoreUnusable, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(store);
    std::filesystem::remove(DamagedCopyPath(store, 1));
    if (c.store != nullptr) {
      WriteBytes(store, *c.store);
    }
    WriteBytes(newVersion, *c.newVersion);
    FaultyFileSystem faulty;
    faulty.heldByAnother = c.held ? newVersion : "";
    CScopedFileSystem scope(faulty);
    EXPECT_EQ(c.recovered, RecoverInterruptedSave(store, loads));
    CRASConnections registered(phonebook);
    CRASConnections unregistered(phonebook);
    CRASBadAreaCodes badAreas;
    EXPECT_EQ(c.binding, RunStartUpCheck(registered, unregistered, badAreas, store, {}));
    Names names = NamesOf(registered);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(c.registered, names);
    EXPECT_EQ(c.damaged, ReadBytes(DamagedCopyPath(store, 1)));
    if (c.held) {
      EXPECT_EQ(both, ReadBytes(newVersion)) << "never written over";
    }
  }
}

TEST(InterruptedSave, AnOptionsFileIsTakenOnlyWithItsWholeRecord) {
  TempDir dir;
  const std::string options = dir.Path("Tollward.ini");
  const Bytes record = {'O', 'p', 't', 'i',  'o',  'n', 's', ':', 0, 0, 0, 0,
                        0,   0,   0,   0xF0, 0x3F, 15,  0,   0,   0, 0, 1, 1};
  WriteBytes(options + ".new", Bytes(record.begin(), record.end() - 1));
  EXPECT_FALSE(RecoverInterruptedSave(options, &COptions::IsCompleteFile));
  WriteBytes(options + ".new", record);
  EXPECT_TRUE(RecoverInterruptedSave(options, &COptions::IsCompleteFile));
  EXPECT_EQ(record, ReadBytes(options));
}

}  // namespace
}  // namespace tollward
