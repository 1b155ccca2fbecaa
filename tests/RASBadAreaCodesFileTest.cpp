// "Tollward.bac": its exact bytes, what a damaged file does to the list, and saves that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "core/SafeFileWriter.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/RecordingErrorBox.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using Bytes = std::vector<unsigned char>;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::ReadBytes;
using testing::RecordingErrorBox;
using testing::TempDir;
using testing::WriteBytes;

const char kReadError[] = "LoadFromArchive: read error.";
const char kFileTypeError[] = "LoadFromArchive: invalid file type / syncronization.";
const char kVersionError[] = "LoadFromArchive: invalid file version.";
const char kLoadArchiveError[] = "Load: error on reading data from archive.";
const char kWriteError[] = "SaveToArchive: write error.";
const char kSaveArchiveError[] = "Save: error on writing data to archive.";
const char kSaveOpenError[] = "Save: unable to open file for writing.";

const Bytes kVersionOne = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F};
const Bytes kVersionTwo = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

Bytes Tag(const char* text = "RASBadAreaCodes:") {
  return Bytes(text, text + std::strlen(text) + 1);
}

Bytes Count(std::uint32_t n) {
  return {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
          static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
}

Bytes Slot(const char* code) {
  Bytes slot(11, 0);
  std::memcpy(slot.data(), code, std::strlen(code));
  return slot;
}

Bytes FileOf(std::initializer_list<const char*> codes) {
  Bytes file = Concat({Tag(), kVersionOne, Count(static_cast<std::uint32_t>(codes.size()))});
  for (const char* code : codes) {
    const Bytes slot = Slot(code);
    file.insert(file.end(), slot.begin(), slot.end());
  }
  return file;
}

std::vector<std::string> Codes(CRASBadAreaCodes& list) {
  std::vector<std::string> codes;
  for (std::uint32_t i = 1; i <= list.GetCount(); ++i) {
    codes.push_back(list.Get(i));
  }
  return codes;
}

class BadAreaCodeFile : public ::testing::Test {
 protected:
  BadAreaCodeFile() { list_.ownerWindow = &window_; }

  void AddAll(std::initializer_list<const char*> codes) {
    for (const char* code : codes) {
      ASSERT_TRUE(list_.Add(code)) << code;
    }
  }

  TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.bac");
  int window_ = 0;
  RecordingErrorBox box_;
  CRASBadAreaCodes list_{box_};
};

TEST_F(BadAreaCodeFile, AnEmptyListIsExactly29Bytes) {
  ASSERT_TRUE(list_.Save(path_));
  const Bytes expected = {'R', 'A', 'S', 'B',  'a',  'd', 'A', 'r', 'e', 'a',
                          'C', 'o', 'd', 'e',  's',  ':', 0,   0,   0,   0,
                          0,   0,   0,   0xF0, 0x3F, 0,   0,   0,   0};
  EXPECT_EQ(ReadBytes(path_), expected);
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(BadAreaCodeFile, CodesAreWrittenInZeroFilledSlotsInListOrder) {
  AddAll({"0190", "0900123456", "1"});
  ASSERT_TRUE(list_.Save(path_));
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190", "0900123456", "1"}));
  EXPECT_EQ(ReadBytes(path_).size(), 29u + 3 * 11);
}

TEST_F(BadAreaCodeFile, LoadGivesBackWhatWasSavedAndReplacesTheList) {
  AddAll({"0190", "0900123456", "0137"});
  ASSERT_TRUE(list_.Save(path_));

  RecordingErrorBox box;
  CRASBadAreaCodes other(box);
  ASSERT_TRUE(other.Add("0180"));
  ASSERT_TRUE(other.Load(path_));
  EXPECT_EQ(Codes(other), (std::vector<std::string>{"0190", "0900123456", "0137"}));
}

TEST_F(BadAreaCodeFile, ATagInOtherLetterCaseAndBytesAfterTheLastSlotAreAccepted) {
  WriteBytes(path_, Concat({Tag("rasbadareacodes:"), kVersionOne, Count(1), Slot("0190"),
                            Bytes{'x', 'y', 0}}));
  ASSERT_TRUE(list_.Load(path_));
  EXPECT_EQ(Codes(list_), std::vector<std::string>{"0190"});
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(BadAreaCodeFile, ADamagedHeaderReportsTheInnerThenTheOuterFailureAndEmptiesTheList) {
  const struct {
    const char* what;
    Bytes file;
    const char* inner;
  } damaged[] = {
      {"wrong tag", Concat({Tag("RASConnections::"), kVersionOne, Count(0)}), kFileTypeError},
      {"tag without its zero",
       Concat({Bytes{'R', 'A', 'S', 'B', 'a', 'd', 'A', 'r', 'e', 'a', 'C', 'o', 'd', 'e', 's', ':',
                     'x'},
               kVersionOne, Count(0)}),
       kFileTypeError},
      {"version 2.0", Concat({Tag(), kVersionTwo, Count(1), Slot("0190")}), kVersionError},
      {"version 0.0", Concat({Tag(), Bytes(8, 0), Count(0)}), kVersionError},
  };
  for (const auto& d : damaged) {
    box_.shown.clear();
    ASSERT_TRUE(list_.Add("0900")) << d.what;
    WriteBytes(path_, d.file);
    EXPECT_FALSE(list_.Load(path_)) << d.what;
    EXPECT_EQ(box_.Texts(), (std::vector<std::string>{d.inner, kLoadArchiveError})) << d.what;
    EXPECT_EQ(box_.shown[0].icon, ErrorBoxIcon::kInformation) << d.what;
    EXPECT_EQ(list_.errorCode(), 42u) << d.what;
    EXPECT_EQ(list_.GetCount(), 0u) << d.what;
  }
}

TEST_F(BadAreaCodeFile, AFileCutShortAtAnyLengthIsAReadError) {
  const Bytes whole = FileOf({"0190", "0900"});
  for (std::size_t length = 0; length < whole.size(); ++length) {
    box_.shown.clear();
    ASSERT_TRUE(list_.Add("0137")) << length;
    WriteBytes(path_, Bytes(whole.begin(), whole.begin() + length));
    EXPECT_FALSE(list_.Load(path_)) << length;
    EXPECT_EQ(box_.Texts(), (std::vector<std::string>{kReadError, kLoadArchiveError})) << length;
    EXPECT_EQ(list_.GetCount(), 0u) << length;
  }
}

TEST_F(BadAreaCodeFile, ACountBeyondWhatTheFileHoldsFailsCleanly) {
  for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 3u}) {
    box_.shown.clear();
    WriteBytes(path_, Concat({Tag(), kVersionOne, Count(count), Slot("0190"), Slot("0900")}));
    EXPECT_FALSE(list_.Load(path_)) << count;
    EXPECT_EQ(box_.Texts(), (std::vector<std::string>{kReadError, kLoadArchiveError})) << count;
    EXPECT_EQ(list_.GetCount(), 0u) << count;
  }
}

TEST_F(BadAreaCodeFile, ASlotWithoutItsZeroEndsInsideItsOwnElevenBytes) {
  WriteBytes(path_, Concat({Tag(), kVersionOne, Count(2), Bytes(11, '1'), Slot("0190")}));
  ASSERT_TRUE(list_.Load(path_));
  EXPECT_EQ(Codes(list_), (std::vector<std::string>{"1111111111", "0190"}));
  EXPECT_EQ(list_.Find("1111111111"), 1u);
  // Written back as the system always writes slots: terminated.
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"1111111111", "0190"}));
}

TEST_F(BadAreaCodeFile, AnEmptySlotFromADamagedFileMatchesNoNumberAndBlocksNoCode) {
  WriteBytes(path_, FileOf({"", "0190"}));
  ASSERT_TRUE(list_.Load(path_));
  ConnectionRecord record = EmptyRecord();
  CopyField(record.szAreaCode, "089");
  EXPECT_EQ(list_.Check(record), 0u);
  CopyField(record.szAreaCode, "0190");
  EXPECT_EQ(list_.Check(record), 2u);
  EXPECT_TRUE(list_.Add("0900"));
  // The user can still remove it in the dialog.
  EXPECT_TRUE(list_.Delete(""));
  EXPECT_EQ(Codes(list_), (std::vector<std::string>{"0190", "0900"}));
}

TEST_F(BadAreaCodeFile, TheFirstListedMatchingCodeWins) {
  // Add never lets one code be a prefix of another, but a file may.
  WriteBytes(path_, FileOf({"0180", "01901", "019"}));
  ASSERT_TRUE(list_.Load(path_));
  ConnectionRecord record = EmptyRecord();
  CopyField(record.szLocalPhoneNumber, "0190 1234");
  EXPECT_EQ(list_.Check(record), 2u);
}

TEST_F(BadAreaCodeFile, WithoutAnyPathSaveAndLoadFailAsUnexpected) {
  ASSERT_TRUE(list_.Add("0190"));
  EXPECT_FALSE(list_.Save());
  EXPECT_EQ(list_.errorCode(), 36u);
  EXPECT_TRUE(list_.unexpectedError());
  EXPECT_FALSE(list_.Load());
  EXPECT_EQ(list_.errorCode(), 46u);
  EXPECT_EQ(box_.Texts(), (std::vector<std::string>{"Save: no filepath to save to.",
                                                    "Load: no filepath to load from."}));
  EXPECT_EQ(box_.shown[1].icon, ErrorBoxIcon::kStop);
}

TEST_F(BadAreaCodeFile, AMissingFileFailsToLoadButItsPathIsKeptForTheNextSave) {
  ASSERT_TRUE(list_.Add("0190"));
  EXPECT_FALSE(list_.Load(path_));
  EXPECT_EQ(box_.Texts(), std::vector<std::string>{"Load: unable to open file for reading."});
  EXPECT_EQ(list_.GetCount(), 0u);
  ASSERT_TRUE(list_.Add("0900"));
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0900"}));
  ASSERT_TRUE(list_.path());
  EXPECT_EQ(*list_.path(), path_);
}

TEST_F(BadAreaCodeFile, AFailedSaveLeavesThePreviousFileByteForByte) {
  AddAll({"0190", "0900"});
  ASSERT_TRUE(list_.Save(path_));
  const Bytes previous = ReadBytes(path_);
  ASSERT_TRUE(list_.Add("0137"));
  const std::size_t newSize = 29 + 3 * 11;

  struct Fault {
    std::string what;
    FaultyFileSystem fs;
    std::vector<std::string> reports;
  };
  std::vector<Fault> faults;
  faults.push_back({"create", {}, {kSaveOpenError}});
  faults.back().fs.failCreate = true;
  faults.push_back({"close", {}, {kSaveArchiveError}});
  faults.back().fs.failClose = true;
  faults.push_back({"replace", {}, {kSaveArchiveError}});
  faults.back().fs.failReplace = true;
  for (std::size_t stop = 0; stop < newSize; ++stop) {
    faults.push_back(
        {"write stops at " + std::to_string(stop), {}, {kWriteError, kSaveArchiveError}});
    faults.back().fs.stopAfterBytes = stop;
  }

  for (Fault& fault : faults) {
    box_.shown.clear();
    {
      ScopedFileSystem scope(fault.fs);
      EXPECT_FALSE(list_.Save()) << fault.what;
    }
    EXPECT_EQ(box_.Texts(), fault.reports) << fault.what;
    EXPECT_EQ(ReadBytes(path_), previous) << fault.what;
    EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path_))) << fault.what;
    EXPECT_EQ(list_.GetCount(), 3u) << fault.what;
  }
  // The path survives the failures; the next good save writes the whole list.
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190", "0900", "0137"}));
}

TEST_F(BadAreaCodeFile, APathGivenToAFailingSaveIsRemembered) {
  FaultyFileSystem failing;
  failing.failCreate = true;
  {
    ScopedFileSystem scope(failing);
    EXPECT_FALSE(list_.Save(path_));
  }
  ASSERT_TRUE(list_.Add("0190"));
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190"}));
}

TEST_F(BadAreaCodeFile, DestructionSavesToTheRememberedPath) {
  {
    CRASBadAreaCodes list(box_);
    ASSERT_TRUE(list.Save(path_));
    ASSERT_TRUE(list.Add("0190"));
  }
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190"}));
}

TEST_F(BadAreaCodeFile, AFailedSaveOnDestructionIsNeverShown) {
  FaultyFileSystem failing;
  RecordingErrorBox box;
  {
    ScopedFileSystem scope(failing);
    CRASBadAreaCodes withoutPath(box);
    CRASBadAreaCodes unwritable(box);
    ASSERT_TRUE(unwritable.Save(path_));
    ASSERT_TRUE(unwritable.Add("0190"));
    withoutPath.ownerWindow = &window_;
    unwritable.ownerWindow = &window_;
    failing.failCreate = true;
  }
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(ReadBytes(path_), FileOf({}));
}

}  // namespace
}  // namespace tollward
