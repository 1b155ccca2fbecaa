// The options file: its exact bytes, what a damaged file changes, and what each failure reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorTables.h"
#include "options/OptionsErrors.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/OptionsFixture.h"

namespace tollward {
namespace {

using testing::FaultyFileSystem;
using testing::FileExists;
using testing::InstalledProgram;
using testing::ReadBytes;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Codes = std::vector<ErrorCode>;

const Bytes kTag = {'O', 'p', 't', 'i', 'o', 'n', 's', ':', 0};
const Bytes kVersion1 = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

Bytes OptionsFile(const Bytes& interval, unsigned char minimize, unsigned char extended,
                  unsigned char flash) {
  return Join({kTag, kVersion1, interval, {minimize, extended, flash}});
}

const Bytes kInitialFile = OptionsFile({15, 0, 0, 0}, 0, 0, 1);

// Moves every file-kept option away from its initial value, to see what a load leaves alone.
void SetNonDefaults(COptions& options) {
  ASSERT_TRUE(options.SetMonitorInterval(42));
  options.minimizeOnMonitorStart = true;
  options.showExtendedFunctionality = true;
  options.flashTrayIconAfterScan = false;
}

void ExpectNonDefaults(const COptions& options, const std::string& context) {
  EXPECT_EQ(options.GetMonitorInterval(), 42u) << context;
  EXPECT_TRUE(options.minimizeOnMonitorStart) << context;
  EXPECT_TRUE(options.showExtendedFunctionality) << context;
  EXPECT_FALSE(options.flashTrayIconAfterScan) << context;
}

TEST(OptionsFile, WithoutAFileTheInitialValuesHoldAndNothingIsReported) {
  InstalledProgram program;
  {
    auto options = program.Options();
    EXPECT_FALSE(options.OptionsFileExists(""));
    EXPECT_EQ(options.GetMonitorInterval(), 15u);
    EXPECT_TRUE(options.flashTrayIconAfterScan);
    EXPECT_FALSE(options.minimizeOnMonitorStart);
    EXPECT_FALSE(options.showExtendedFunctionality);
    EXPECT_FALSE(options.runSilentCheckAtStart);
    EXPECT_FALSE(options.runMonitorAtStartup);
    EXPECT_EQ(options.GetOptionsFilePath(), program.optionsFile());
  }
  EXPECT_TRUE(program.reports.empty());
  // Program end writes the file even though nothing changed.
  EXPECT_EQ(ReadBytes(program.optionsFile()), kInitialFile);
}

TEST(OptionsFile, ASaveWritesTheExactRecordAndALoadTakesEveryByteBack) {
  InstalledProgram program;
  auto options = program.Options();
  std::string path;
  ASSERT_TRUE(options.Save(path));
  EXPECT_EQ(path, program.optionsFile()) << "an empty path comes back as the one used";
  EXPECT_EQ(ReadBytes(path), kInitialFile);
  EXPECT_TRUE(options.OptionsFileExists(""));

  // Flag bytes other than 0 count as set; bytes after the record are never read.
  Bytes file = OptionsFile({1, 2, 3, 4}, 2, 0xFF, 0);
  file.push_back('x');
  WriteBytes(path, file);
  ASSERT_TRUE(options.Load(path));
  EXPECT_EQ(options.GetMonitorInterval(), 0x04030201u) << "little-endian";
  EXPECT_TRUE(options.minimizeOnMonitorStart);
  EXPECT_TRUE(options.showExtendedFunctionality);
  EXPECT_FALSE(options.flashTrayIconAfterScan);

  ASSERT_TRUE(options.Save(path));
  EXPECT_EQ(ReadBytes(path), OptionsFile({1, 2, 3, 4}, 1, 1, 0)) << "flags saved as 0 or 1";
  EXPECT_TRUE(program.reports.empty());
}

TEST(OptionsFile, AWrongTagOrVersionIsReportedTwiceAndChangesNothing) {
  struct Case {
    const char* what;
    Bytes file;
    ErrorCode inner;
  };
  const Bytes body = Join({kVersion1, {1, 0, 0, 0, 0, 0, 1}});
  const Case cases[] = {
      {"version 2.0", Join({kTag, {0, 0, 0, 0, 0, 0, 0, 0x40}, {1, 0, 0, 0, 0, 0, 1}}), 45},
      {"other tag", Join({{'O', 'p', 't', 'i', 'o', 'n', 's', ';', 0}, body}), 44},
      // No zero within the nine bytes: the tag must not be read on into the version.
      {"tag without its zero", Join({{'O', 'p', 't', 'i', 'o', 'n', 's', ':', 'X'}, body}), 44},
  };
  for (const Case& c : cases) {
    InstalledProgram program;
    WriteBytes(program.optionsFile(), c.file);
    auto options = program.Options();
    SetNonDefaults(options);
    std::string path;
    EXPECT_FALSE(options.Load(path)) << c.what;
    EXPECT_EQ(program.reports, (Codes{c.inner, 42})) << c.what;
    EXPECT_EQ(options.errorCode(), 42u) << c.what;
    EXPECT_EQ(options.errorText(), "Load: error on reading data from archive.") << c.what;
    ExpectNonDefaults(options, c.what);
  }
}

TEST(OptionsFile, AFileCutShortKeepsWhatItHeldAndReportsTheReadError) {
  struct Case {
    std::size_t size;
    std::uint32_t interval;
    bool minimize;
    bool extended;
  };
  // Starting from 42, on, on, off; the file holds 7, off, off, on.
  const Case cases[] = {
      {8, 42, true, true},  {20, 42, true, true},  {21, 7, true, true},
      {22, 7, false, true}, {23, 7, false, false},
  };
  const Bytes full = OptionsFile({7, 0, 0, 0}, 0, 0, 1);
  for (const Case& c : cases) {
    InstalledProgram program;
    WriteBytes(program.optionsFile(), Bytes(full.begin(), full.begin() + c.size));
    auto options = program.Options();
    SetNonDefaults(options);
    std::string path;
    EXPECT_FALSE(options.Load(path)) << c.size;
    EXPECT_EQ(program.reports, (Codes{43, 42})) << c.size;
    EXPECT_EQ(options.GetMonitorInterval(), c.interval) << c.size;
    EXPECT_EQ(options.minimizeOnMonitorStart, c.minimize) << c.size;
    EXPECT_EQ(options.showExtendedFunctionality, c.extended) << c.size;
    EXPECT_FALSE(options.flashTrayIconAfterScan) << c.size << ": the last byte never came";
  }
}

TEST(OptionsFile, AnyStoredIntervalLoadsWhileOnlyOneTo9999CanBeSet) {
  for (const Bytes& interval :
       {Bytes{0, 0, 0, 0}, Bytes{0x10, 0x27, 0, 0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}}) {
    InstalledProgram program;
    WriteBytes(program.optionsFile(), OptionsFile(interval, 0, 0, 1));
    auto options = program.Options();
    std::string path;
    ASSERT_TRUE(options.Load(path));
    const std::uint32_t loaded = options.GetMonitorInterval();
    EXPECT_TRUE(loaded == 0 || loaded > 9999) << loaded;

    EXPECT_FALSE(options.SetMonitorInterval(0));
    EXPECT_FALSE(options.SetMonitorInterval(10000));
    EXPECT_EQ(options.GetMonitorInterval(), loaded) << "a refused value changes nothing";
    EXPECT_TRUE(options.SetMonitorInterval(1));
    EXPECT_EQ(options.GetMonitorInterval(), 1u);
    EXPECT_TRUE(options.SetMonitorInterval(9999));
    EXPECT_EQ(options.GetMonitorInterval(), 9999u);
    EXPECT_TRUE(program.reports.empty()) << "a refused interval is no error of the record";
  }
}

TEST(OptionsFile, AMissingFileFailsTheLoadWithOneReport) {
  InstalledProgram program;
  auto options = program.Options();
  std::string path;
  EXPECT_FALSE(options.Load(path));
  EXPECT_EQ(program.reports, Codes{41});
  EXPECT_EQ(options.errorText(), "Load: unable to open file for reading.");
  EXPECT_FALSE(options.unexpectedError());

  std::string elsewhere = program.dir().Path("other.ini");
  WriteBytes(elsewhere, OptionsFile({3, 0, 0, 0}, 0, 0, 1));
  EXPECT_FALSE(options.OptionsFileExists(""));
  EXPECT_TRUE(options.OptionsFileExists(elsewhere));
  ASSERT_TRUE(options.Load(elsewhere)) << "a path given is used as it is";
  EXPECT_EQ(options.GetMonitorInterval(), 3u);
  EXPECT_EQ(elsewhere, program.dir().Path("other.ini"));
}

TEST(OptionsFile, AFailedSaveLeavesThePreviousFileAndReportsLikeTheOriginalFormat) {
  struct Case {
    const char* what;
    void (*arm)(FaultyFileSystem&);
    Codes codes;
  };
  const Case cases[] = {
      {"create", [](FaultyFileSystem& fs) { fs.failCreate = true; }, {33}},
      {"write of the tag", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 0; }, {35, 34}},
      {"write of the version", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 9; }, {35, 34}},
      {"write of the interval", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 17; }, {35, 34}},
      {"write of the last flag", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 23; }, {35, 34}},
      {"close", [](FaultyFileSystem& fs) { fs.failClose = true; }, {34}},
      {"replace", [](FaultyFileSystem& fs) { fs.failReplace = true; }, {34}},
  };
  const Bytes previous = OptionsFile({99, 0, 0, 0}, 1, 0, 0);
  for (const Case& c : cases) {
    InstalledProgram program;
    WriteBytes(program.optionsFile(), previous);
    {
      auto options = program.Options();
      options.runSilentCheckAtStart = true;
      FaultyFileSystem faulty;
      c.arm(faulty);
      CScopedFileSystem scope(faulty);
      std::string path;
      EXPECT_FALSE(options.Save(path)) << c.what;
      EXPECT_EQ(program.reports, c.codes) << c.what;
      EXPECT_EQ(ReadBytes(program.optionsFile()), previous) << c.what;
      EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(program.optionsFile()))) << c.what;
      EXPECT_EQ(program.store.Text(), program.programPath() + " /scan")
          << c.what << ": the autostart value is written before the file";
      program.reports.clear();
    }
    EXPECT_TRUE(program.reports.empty()) << c.what;
  }
}

TEST(OptionsFile, DestructionSavesTheFileAndTheAutostartValueSilently) {
  InstalledProgram program;
  {
    auto options = program.Options();
    options.showExtendedFunctionality = true;
    options.runMonitorAtStartup = true;
    options.runSilentCheckAtStart = true;
    ASSERT_TRUE(options.SetMonitorInterval(60));
  }
  EXPECT_EQ(ReadBytes(program.optionsFile()), OptionsFile({60, 0, 0, 0}, 0, 1, 1));
  EXPECT_EQ(program.store.Text(), program.programPath() + " /scan /monitor");
  EXPECT_EQ(program.store.writes, 2) << "once by the save, once more after it";

  // A save at program end that fails is not shown, and the autostart value is still written.
  InstalledProgram failing;
  FaultyFileSystem faulty;
  faulty.failCreate = true;
  CScopedFileSystem scope(faulty);
  {
    auto options = failing.Options();
    options.runSilentCheckAtStart = true;
  }
  EXPECT_TRUE(failing.reports.empty());
  EXPECT_FALSE(FileExists(failing.optionsFile()));
  EXPECT_EQ(failing.store.Text(), failing.programPath() + " /scan");
}

TEST(OptionsFile, TheRecordsCodesReadAsTheBadAreaListsAndItHasNoOthers) {
  for (ErrorCode code : {32u, 33u, 34u, 35u, 40u, 41u, 42u, 43u, 44u, 45u}) {
    const ErrorTableEntry own = kOptionsErrors.Lookup(code);
    const ErrorTableEntry list = kBadAreaCodeErrors.Lookup(code);
    EXPECT_STREQ(own.text, list.text) << code;
    EXPECT_EQ(own.unexpected, list.unexpected) << code;
  }
  // The lists' codes for missing paths and entries have no meaning for the record.
  for (ErrorCode code : {36u, 37u, 38u, 46u, 47u, 48u}) {
    EXPECT_STREQ(kOptionsErrors.Lookup(code).text, "[*unresolveable error*]") << code;
  }
}

}  // namespace
}  // namespace tollward
