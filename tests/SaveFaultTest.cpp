// Every way a save can fail, at every byte of every data file: the previous file always survives.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/EntryDetailsStore.h"
#include "core/ErrorTables.h"
#include "core/RASBadAreaCodes.h"
#include "core/SafeFileWriter.h"
#include "options/OptionsErrors.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/OptionsFixture.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FaultyFileSystem;
using testing::FileExists;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Codes = std::vector<ErrorCode>;

// A data file's owner as the sweep sees it: it holds content of its own, saves it, and tells
// which codes it reported, in order, since it was last asked.
class SaveSubject {
 public:
  virtual ~SaveSubject() = default;
  virtual bool Save(const std::string& path) = 0;
  virtual Codes TakeReports() = 0;
};

class ConnectionsSubject : public SaveSubject {
 public:
  ConnectionsSubject() {
    list_.Add(testing::MakeRecord("Office", "030", "123 456", "anna", "secret"));
    list_.Add(testing::MakeRecord("Home", "0190", "1"));
  }
  // The list would write itself back on destruction; the sweep's files are its own business.
  ~ConnectionsSubject() override { list_.ClearPath(); }
  bool Save(const std::string& path) override { return list_.Save(path); }
  Codes TakeReports() override { return std::exchange(list_.reported, {}); }

 private:
  testing::FakePhonebook phonebook_;
  testing::RecordingConnections list_{phonebook_};
};

class BadAreaCodesSubject : public SaveSubject {
 public:
  BadAreaCodesSubject() {
    for (const char* code : {"0190", "0900123456", "1"}) {
      list_.Add(code);
    }
  }
  bool Save(const std::string& path) override { return list_.Save(path); }
  Codes TakeReports() override { return std::exchange(list_.reported, {}); }

 private:
  struct Recording : CRASBadAreaCodes {
    void ReportError() override { reported.push_back(errorCode()); }
    Codes reported;
  };
  Recording list_;
};

class OptionsSubject : public SaveSubject {
 public:
  OptionsSubject() {
    options_.SetMonitorInterval(60);
    options_.showExtendedFunctionality = true;
  }
  bool Save(const std::string& path) override {
    std::string given = path;
    return options_.Save(given);
  }
  Codes TakeReports() override { return std::exchange(program_.reports, {}); }

 private:
  testing::InstalledProgram program_;
  testing::RecordingOptions options_ = program_.Options();
};

// The details file reports nothing itself: its save only says whether it went through.
class EntryDetailsSubject : public SaveSubject {
 public:
  EntryDetailsSubject() {
    EntryDetails office;
    office.options = entry_option::kSpecificNameServers;
    office.dnsAddress = {10, 0, 0, 53};
    office.deviceType = "modem";
    office.alternateNumbers = {"123 457"};
    store_.Put("Office", office);
    store_.Put("Home", EntryDetails{});
  }
  bool Save(const std::string& path) override { return store_.Save(path); }
  Codes TakeReports() override { return {}; }

 private:
  CEntryDetailsStore store_;
};

// One data file: how big its saved form is, and what each kind of failure must report.
struct DataFile {
  const char* name;
  std::function<std::unique_ptr<SaveSubject>()> make;
  std::size_t size;
  std::size_t headerSize;
  Codes onCreate;
  Codes onShortHeader;
  Codes onShortEntry;
  // The file was written completely, but closing or replacing the old one failed.
  Codes onFinalStep;
};

std::vector<DataFile> DataFiles() {
  using namespace connection_error;
  namespace bad = bad_area_error;
  return {
      {"Tollward.con", [] { return std::make_unique<ConnectionsSubject>(); }, 28 + 2 * 911, 28,
       Codes{kSaveOpen}, Codes{kSaveWrite}, Codes{kWriteEntryWrite, kSaveWrite}, Codes{kSaveWrite}},
      {"Tollward.bac", [] { return std::make_unique<BadAreaCodesSubject>(); }, 29 + 3 * 11, 29,
       Codes{bad::kSaveOpen}, Codes{bad::kSaveWrite, bad::kSaveArchive},
       Codes{bad::kSaveWrite, bad::kSaveArchive}, Codes{bad::kSaveArchive}},
      // The whole file is one record of fixed size, so no write stops inside an entry.
      {"Tollward.ini", [] { return std::make_unique<OptionsSubject>(); }, 24, 24,
       Codes{options_error::kSaveOpen},
       Codes{options_error::kSaveWrite, options_error::kSaveArchive}, Codes{},
       Codes{options_error::kSaveArchive}},
      {"Tollward.det", [] { return std::make_unique<EntryDetailsSubject>(); },
       CEntryDetailsStore::kHeaderSize + 2 * CEntryDetailsStore::kFixedRecordSize +
           CEntryDetailsStore::kAlternateSize,
       CEntryDetailsStore::kHeaderSize, Codes{}, Codes{}, Codes{}, Codes{}},
  };
}

struct Fault {
  std::string what;
  std::function<void(FaultyFileSystem&)> arm;
  Codes codes;
};

// Creation, a write stopping short after each byte of the file, closing, replacing.
std::vector<Fault> EveryFault(const DataFile& file) {
  std::vector<Fault> faults = {
      {"create", [](FaultyFileSystem& fs) { fs.failCreate = true; }, file.onCreate},
      {"close", [](FaultyFileSystem& fs) { fs.failClose = true; }, file.onFinalStep},
      {"replace", [](FaultyFileSystem& fs) { fs.failReplace = true; }, file.onFinalStep},
  };
  for (std::size_t offset = 0; offset < file.size; ++offset) {
    faults.push_back({"write stops after " + std::to_string(offset) + " bytes",
                      [offset](FaultyFileSystem& fs) { fs.stopAfterBytes = offset; },
                      offset < file.headerSize ? file.onShortHeader : file.onShortEntry});
  }
  return faults;
}

// Saves through a file system that fails as the fault says.
bool SaveWith(const Fault& fault, SaveSubject& subject, const std::string& path) {
  FaultyFileSystem faulty;
  fault.arm(faulty);
  CScopedFileSystem scope(faulty);
  return subject.Save(path);
}

TEST(SaveFault, EveryFailingStepOfEverySaveKeepsThePreviousFileByteForByte) {
  for (const DataFile& file : DataFiles()) {
    SCOPED_TRACE(file.name);
    TempDir dir;
    const std::string path = dir.Path(file.name);
    const std::string beside = CSafeFileWriter::TemporaryPathFor(path);
    const std::string text = std::string("the previous ") + file.name + ", whatever it holds";
    const Bytes previous(text.begin(), text.end());
    const auto subject = file.make();

    for (const Fault& fault : EveryFault(file)) {
      WriteBytes(path, previous);
      EXPECT_FALSE(SaveWith(fault, *subject, path)) << fault.what;
      EXPECT_EQ(subject->TakeReports(), fault.codes) << fault.what;
      EXPECT_EQ(ReadBytes(path), previous) << fault.what;
      EXPECT_FALSE(FileExists(beside)) << fault.what;
    }

    // The sweep reached the last byte: with room for the whole file the save goes through, and
    // all those failures changed nothing of what is saved.
    ASSERT_TRUE(SaveWith({"none", [&](FaultyFileSystem& fs) { fs.stopAfterBytes = file.size; }, {}},
                         *subject, path));
    EXPECT_TRUE(subject->TakeReports().empty());
    const std::string untouched = dir.Path(std::string("untouched ") + file.name);
    ASSERT_TRUE(file.make()->Save(untouched));
    EXPECT_EQ(ReadBytes(path).size(), file.size);
    EXPECT_EQ(ReadBytes(path), ReadBytes(untouched));
  }
}

TEST(SaveFault, AFailedFirstSaveCreatesNoFileAtAll) {
  for (const DataFile& file : DataFiles()) {
    SCOPED_TRACE(file.name);
    const auto subject = file.make();
    const std::vector<Fault> faults = EveryFault(file);
    // Creation, close, replace, and a write stopping in the header and in the last entry.
    for (const Fault& fault :
         {faults[0], faults[1], faults[2], faults[3 + file.headerSize - 1], faults.back()}) {
      TempDir dir;
      const std::string path = dir.Path(file.name);
      EXPECT_FALSE(SaveWith(fault, *subject, path)) << fault.what;
      EXPECT_EQ(subject->TakeReports(), fault.codes) << fault.what;
      EXPECT_FALSE(FileExists(path)) << fault.what;
      EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path))) << fault.what;
    }
  }
}

}  // namespace
}  // namespace tollward
