// The start-up check, the scan and the bad-area move, played through on an in-memory phonebook.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/DamagedFile.h"
#include "core/ErrorTables.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::FileExists;
using testing::MakeRecord;
using testing::NamesOf;
using testing::ReadBytes;
using testing::RecordingConnections;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Log = std::vector<std::string>;
using Names = std::vector<std::string>;

// The fresh list a sequence makes; it lives shorter than the test, so it logs elsewhere.
class LoggingList : public CRASConnections {
 public:
  LoggingList(IPhonebook& phonebook, Log& log) : CRASConnections(phonebook), log_(log) {}
  void ReportError() override { log_.push_back("error " + std::to_string(errorCode())); }
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord&) override {
    log_.push_back(std::string(checked.szEntryName) + " at " + std::to_string(index));
  }

 private:
  Log& log_;
};

class Sequences : public ::testing::Test {
 protected:
  ReportingListFactory Factory() {
    return [this] { return std::make_unique<LoggingList>(phonebook_, log_); };
  }
  Names Stored() {
    CRASConnections store(phonebook_);
    store.Load(path_);
    store.ClearPath();
    return NamesOf(store);
  }
  void Register(const std::vector<ConnectionRecord>& records) {
    for (const ConnectionRecord& record : records) {
      ASSERT_TRUE(registered_.Add(record));
    }
    ASSERT_TRUE(registered_.Save(path_));
  }
  bool StartUp() {
    return RunStartUpCheck(registered_, unregistered_, badAreas_, path_, Factory()) ==
           StoreBinding::kBound;
  }

  TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  Log log_;
  CRASBadAreaCodes badAreas_;
  RecordingConnections registered_{phonebook_};
  RecordingConnections unregistered_{phonebook_};
};

TEST_F(Sequences, StartUpWithoutAStoreLeavesEveryEntryUnregisteredAndCreatesAnEmptyStore) {
  phonebook_.Put("Office");
  phonebook_.Put("Home");
  ASSERT_TRUE(StartUp());
  EXPECT_EQ(registered_.GetCount(), 0u);
  EXPECT_EQ(NamesOf(unregistered_), (Names{"Home", "Office"}));
  EXPECT_EQ(ReadBytes(path_).size(), 28u);
  EXPECT_EQ(registered_.path(), path_);
  EXPECT_TRUE(log_.empty());
  EXPECT_FALSE(FileExists(DamagedCopyPath(path_, 1))) << "a missing store is not damaged";
}

TEST_F(Sequences, StartUpSortsPushesOutBadAreasAndReportsFromTheStoreAsItWas) {
  Register({MakeRecord("Office", "0190", "1"), MakeRecord("Home", "030", "2"),
            MakeRecord("Work", "089", "3"), MakeRecord("Gone")});
  registered_.ClearRecords();
  registered_.ClearPath();
  phonebook_.Put("Office", "0190", "1");
  phonebook_.Put("Home", "030", "2", "eve");
  phonebook_.Put("Work", "089", "3");
  phonebook_.Put("New");
  ASSERT_TRUE(badAreas_.Add("0190"));
  // The first check is marked after the sort and the bad-area move, before its report.
  Names registeredAtMark;
  size_t reportsAtMark = 99;
  ASSERT_EQ(RunStartUpCheck(registered_, unregistered_, badAreas_, path_, Factory(),
                            [&] {
                              registeredAtMark = NamesOf(registered_);
                              reportsAtMark = log_.size();
                            }),
            StoreBinding::kBound);
  EXPECT_EQ(registeredAtMark, (Names{"Work", "Gone"}));
  EXPECT_EQ(reportsAtMark, 0u);
  EXPECT_EQ(NamesOf(registered_), (Names{"Work", "Gone"})) << "a gone entry stays registered";
  EXPECT_EQ(NamesOf(unregistered_), (Names{"New", "Home", "Office"}));
  EXPECT_EQ(log_, (Log{"Home at 2"}));
  EXPECT_EQ(Stored(), (Names{"Office", "Home", "Work", "Gone"}))
      << "the store changes at the registered list's next save";
}

TEST_F(Sequences, AnUnreadableStoreIsKeptAsideOnceThenStartUpBeginsEmpty) {
  Register({MakeRecord("Office")});
  const Bytes good = ReadBytes(path_);
  Bytes wrongTag = good;
  wrongTag[0] = 'X';
  Bytes wrongVersion = good;
  wrongVersion[23] = 0x40;
  const Bytes cutShort(good.begin(), good.end() - 1);
  phonebook_.Put("Office");

  const std::vector<Bytes> starts = {wrongTag, wrongTag, wrongVersion, cutShort, wrongVersion};
  for (const Bytes& damaged : starts) {
    WriteBytes(path_, damaged);
    registered_.ClearPath();
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(registered_.GetCount(), 0u);
    EXPECT_EQ(NamesOf(unregistered_), (Names{"Office"}));
    EXPECT_EQ(ReadBytes(path_).size(), 28u);
  }
  EXPECT_EQ(ReadBytes(DamagedCopyPath(path_, 1)), wrongTag);
  EXPECT_EQ(ReadBytes(DamagedCopyPath(path_, 2)), wrongVersion);
  EXPECT_EQ(ReadBytes(DamagedCopyPath(path_, 3)), cutShort);
  EXPECT_FALSE(FileExists(DamagedCopyPath(path_, 4))) << "the same bytes are kept only once";
  EXPECT_TRUE(log_.empty()) << "a damaged store is not shown";
}

TEST_F(Sequences, AnUnreadableStoreThatCannotBeKeptAsideIsNotWrittenOver) {
  const Bytes damaged = {'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'e'};
  WriteBytes(path_, damaged);
  std::filesystem::create_directory(DamagedCopyPath(path_, 1) + ".new");
  phonebook_.Put("Office");
  EXPECT_EQ(RunStartUpCheck(registered_, unregistered_, badAreas_, path_, Factory()),
            StoreBinding::kStoreUnusable);
  EXPECT_EQ(NamesOf(unregistered_), (Names{"Office"}));
  EXPECT_FALSE(registered_.path()) << "so that its destruction writes nothing either";
  EXPECT_EQ(ReadBytes(path_), damaged);
}

TEST_F(Sequences, AnUnreadableBadAreaFileIsKeptAsideOnceAndNeverWrittenOverUnkept) {
  const std::string bac = dir_.Path("Tollward.bac");
  {
    CRASBadAreaCodes list;
    EXPECT_FALSE(LoadBadAreaCodes(list, bac));
    EXPECT_EQ(list.path(), bac) << "a missing file is created by the list's next save";
    ASSERT_TRUE(list.Add("0190"));
  }
  EXPECT_FALSE(FileExists(DamagedCopyPath(bac, 1))) << "a missing file is not damaged";
  const Bytes good = ReadBytes(bac);
  Bytes wrongTag = good;
  wrongTag[0] = 'X';
  Bytes wrongVersion = good;
  wrongVersion[24] = 0x40;
  const Bytes cutShort(good.begin(), good.end() - 1);
  for (const Bytes& damaged : {wrongTag, wrongTag, wrongVersion, good, cutShort, wrongVersion}) {
    WriteBytes(bac, damaged);
    CRASBadAreaCodes list;  // writes its codes over the file when it goes
    EXPECT_EQ(LoadBadAreaCodes(list, bac), damaged == good);
    EXPECT_EQ(list.path(), bac);
  }
  EXPECT_EQ(ReadBytes(DamagedCopyPath(bac, 1)), wrongTag);
  EXPECT_EQ(ReadBytes(DamagedCopyPath(bac, 2)), wrongVersion);
  EXPECT_EQ(ReadBytes(DamagedCopyPath(bac, 3)), cutShort);
  EXPECT_FALSE(FileExists(DamagedCopyPath(bac, 4))) << "the same bytes are kept only once";

  // The copy cannot be made: the file stays as it is, whatever the list does.
  std::filesystem::create_directory(DamagedCopyPath(bac, 4) + ".new");
  const Bytes damaged = {'n', 'o', ' ', 'c', 'o', 'd', 'e', 's'};
  WriteBytes(bac, damaged);
  {
    CRASBadAreaCodes list;
    EXPECT_FALSE(LoadBadAreaCodes(list, bac));
    EXPECT_FALSE(list.path());
    ASSERT_TRUE(list.Add("0190"));
    EXPECT_FALSE(list.Save());
  }
  EXPECT_EQ(ReadBytes(bac), damaged);
}

TEST_F(Sequences, AScanReportsLastRegisteredFirstThenResortsWhileTheStoreLagsOneScan) {
  for (const char* name : {"Office", "Home", "Work", "Fax"}) {
    phonebook_.Put(name, "030", name);
    registered_.Add(MakeRecord(name, "030", name));
  }
  Register({});
  phonebook_.Put("Office", "030", "Office ");
  phonebook_.Put("Work", "0303", "Work");
  phonebook_.Remove("Home");
  phonebook_.Put("Home2", "030", "Home");
  ASSERT_TRUE(ScanAndResort(registered_, unregistered_, Factory()));
  EXPECT_EQ(log_, (Log{"Work at 2", "Office at 1"}));
  EXPECT_EQ(NamesOf(registered_), (Names{"Fax", "Home"})) << "Home is gone, not forgotten";
  EXPECT_EQ(NamesOf(unregistered_), (Names{"Home2", "Work", "Office"}));
  EXPECT_EQ(Stored(), (Names{"Office", "Home", "Work", "Fax"}));

  ASSERT_TRUE(ScanAndResort(registered_, unregistered_, Factory()));
  EXPECT_EQ(log_.size(), 2u);
  EXPECT_EQ(Stored(), (Names{"Fax", "Home"}));
}

TEST_F(Sequences, AScanThatCannotReadThePhonebookChangesNeitherListNorStore) {
  phonebook_.Put("Office");
  phonebook_.Put("Home");
  Register({MakeRecord("Office"), MakeRecord("Home")});
  ASSERT_TRUE(unregistered_.Add(MakeRecord("New")));
  const Bytes store = ReadBytes(path_);
  phonebook_.failEnumerate = true;
  PhonebookFindings findings;
  EXPECT_FALSE(ScanAndResort(registered_, unregistered_, Factory(), &findings));
  EXPECT_FALSE(findings.listed);
  EXPECT_EQ(NamesOf(registered_), (Names{"Office", "Home"}));
  EXPECT_EQ(NamesOf(unregistered_), (Names{"New"}));
  EXPECT_EQ(ReadBytes(path_), store);
  EXPECT_TRUE(log_.empty()) << "the scan's own message tells of it, not the reporting list";
}

TEST_F(Sequences, AfterTheBadAreaDialogRegisteredBadAreasBecomeUnregistered) {
  Register(
      {MakeRecord("Office", "0190"), MakeRecord("Home", "030"), MakeRecord("Hotline", "0190")});
  ASSERT_TRUE(unregistered_.Add(MakeRecord("New")));
  ASSERT_TRUE(badAreas_.Add("0190"));
  ASSERT_TRUE(MoveBadAreasToUnregistered(registered_, badAreas_, unregistered_));
  EXPECT_EQ(NamesOf(registered_), (Names{"Home"}));
  EXPECT_EQ(NamesOf(unregistered_), (Names{"New", "Hotline", "Office"}));
}

}  // namespace
}  // namespace tollward
