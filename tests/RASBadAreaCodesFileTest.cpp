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
using Texts = std::vector<std::string>;
using testing::FaultyFileSystem;
using testing::ReadBytes;
using testing::RecordingErrorBox;
using testing::TempDir;
using testing::WriteBytes;

const char kReadError[] = "LoadFromArchive: read error.";
const char kLoadArchiveError[] = "Load: error on reading data from archive.";
const char kSaveArchiveError[] = "Save: error on writing data to archive.";

const Bytes kVersionOne = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

// A file put together from its fields: tag (with its zero), version, count, then slots.
Bytes File(const char* tag, const Bytes& version, std::uint32_t count,
           std::initializer_list<Bytes> slots) {
  Bytes file(tag, tag + std::strlen(tag) + 1);
  file.insert(file.end(), version.begin(), version.end());
  for (int shift = 0; shift < 32; shift += 8) {
    file.push_back(static_cast<unsigned char>(count >> shift));
  }
  for (const Bytes& slot : slots) {
    file.insert(file.end(), slot.begin(), slot.end());
  }
  return file;
}

Bytes Slot(const char* code) {
  Bytes slot(11, 0);
  std::memcpy(slot.data(), code, std::strlen(code));
  return slot;
}

Bytes FileOf(std::initializer_list<const char*> codes) {
  Bytes file = File("RASBadAreaCodes:", kVersionOne, static_cast<std::uint32_t>(codes.size()), {});
  for (const char* code : codes) {
    const Bytes slot = Slot(code);
    file.insert(file.end(), slot.begin(), slot.end());
  }
  return file;
}

Texts Codes(CRASBadAreaCodes& list) {
  Texts codes;
  for (std::uint32_t i = 1; i <= list.GetCount(); ++i) {
    codes.push_back(list.Get(i));
  }
  return codes;
}

class BadAreaCodeFile : public ::testing::Test {
 protected:
  BadAreaCodeFile() { list_.SetOwnerWindow(&window_); }

  // Loads bytes into a list that held a code, expecting the failure's two reports.
  void ExpectLoadFails(const Bytes& file, const char* inner, const std::string& what) {
    box_.shown.clear();
    ASSERT_TRUE(list_.Add("0137")) << what;
    WriteBytes(path_, file);
    EXPECT_FALSE(list_.Load(path_)) << what;
    EXPECT_EQ(box_.Texts(), (Texts{inner, kLoadArchiveError})) << what;
    EXPECT_EQ(list_.GetCount(), 0u) << what;
  }

  TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.bac");
  int window_ = 0;
  RecordingErrorBox box_;
  CRASBadAreaCodes list_{box_};
};

TEST_F(BadAreaCodeFile, TheFileIsTagVersionCountAndZeroFilledSlotsInListOrder) {
  ASSERT_TRUE(list_.Save(path_));
  const Bytes empty = {'R', 'A', 'S', 'B', 'a', 'd', 'A', 'r', 'e',  'a',  'C', 'o', 'd', 'e', 's',
                       ':', 0,   0,   0,   0,   0,   0,   0,   0xF0, 0x3F, 0,   0,   0,   0};
  EXPECT_EQ(ReadBytes(path_), empty);

  for (const char* code : {"0190", "0900123456", "1"}) {
    ASSERT_TRUE(list_.Add(code));
  }
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190", "0900123456", "1"}));
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(BadAreaCodeFile, LoadReplacesTheListWithTheFilesCodes) {
  WriteBytes(path_, FileOf({"0190", "0900123456", "0137"}));
  ASSERT_TRUE(list_.Add("0180"));
  ASSERT_TRUE(list_.Load(path_));
  EXPECT_EQ(Codes(list_), (Texts{"0190", "0900123456", "0137"}));

  // The tag's letter case does not matter, and nothing after the last slot is read.
  Bytes file = File("rasbadareacodes:", kVersionOne, 1, {Slot("0190"), {'x', 'y'}});
  WriteBytes(path_, file);
  ASSERT_TRUE(list_.Load());
  EXPECT_EQ(Codes(list_), Texts{"0190"});
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(BadAreaCodeFile, ADamagedHeaderReportsTheInnerThenTheOuterFailureAndEmptiesTheList) {
  const char* kFileType = "LoadFromArchive: invalid file type / syncronization.";
  const char* kVersion = "LoadFromArchive: invalid file version.";
  ExpectLoadFails(File("RASConnections::", kVersionOne, 0, {}), kFileType, "wrong tag");
  ExpectLoadFails(File("RASBadAreaCodes:x", kVersionOne, 0, {}), kFileType, "tag without zero");
  ExpectLoadFails(File("RASBadAreaCodes:", {0, 0, 0, 0, 0, 0, 0, 0x40}, 1, {Slot("0190")}),
                  kVersion, "version 2.0");
  ExpectLoadFails(File("RASBadAreaCodes:", Bytes(8, 0), 0, {}), kVersion, "version 0.0");
}

TEST_F(BadAreaCodeFile, AFileCutShortAtAnyLengthIsAReadError) {
  const Bytes whole = FileOf({"0190", "0900"});
  for (std::size_t length = 0; length < whole.size(); ++length) {
    ExpectLoadFails(Bytes(whole.begin(), whole.begin() + length), kReadError,
                    "cut at " + std::to_string(length));
  }
}

TEST_F(BadAreaCodeFile, ACountBeyondWhatTheFileHoldsFailsWithoutReservingForIt) {
  for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 3u}) {
    ExpectLoadFails(File("RASBadAreaCodes:", kVersionOne, count, {Slot("0190"), Slot("0900")}),
                    kReadError, "count " + std::to_string(count));
  }
}

TEST_F(BadAreaCodeFile, ASlotWithoutItsZeroEndsInsideItsOwnElevenBytes) {
  WriteBytes(path_, File("RASBadAreaCodes:", kVersionOne, 2, {Bytes(11, '1'), Slot("0190")}));
  ASSERT_TRUE(list_.Load(path_));
  EXPECT_EQ(Codes(list_), (Texts{"1111111111", "0190"}));
  // Written back as the system always writes slots: terminated.
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"1111111111", "0190"}));
}

TEST_F(BadAreaCodeFile, CodesFromAFileAreCheckedInListOrderAndAnEmptySlotMatchesNothing) {
  // Add never lets one code be a prefix of another, nor stores an empty one; a file may.
  WriteBytes(path_, FileOf({"", "0180", "01901", "019"}));
  ASSERT_TRUE(list_.Load(path_));
  ConnectionRecord record = EmptyRecord();
  CopyField(record.szLocalPhoneNumber, "0190 1234");
  EXPECT_EQ(list_.Check(record), 3u);
  CopyField(record.szLocalPhoneNumber, "089");
  EXPECT_EQ(list_.Check(record), 0u);
  EXPECT_TRUE(list_.Add("0900"));
  EXPECT_TRUE(list_.Delete(""));
  EXPECT_EQ(Codes(list_), (Texts{"0180", "01901", "019", "0900"}));
}

TEST_F(BadAreaCodeFile, WithoutAFileOrAPathLoadFailsAndTheNextSaveCreatesTheFile) {
  ASSERT_TRUE(list_.Add("0190"));
  EXPECT_FALSE(list_.Save());
  EXPECT_FALSE(list_.Load());
  EXPECT_TRUE(list_.unexpectedError());
  EXPECT_FALSE(list_.Load(path_));
  EXPECT_EQ(box_.Texts(), (Texts{"Save: no filepath to save to.", "Load: no filepath to load from.",
                                 "Load: unable to open file for reading."}));
  EXPECT_EQ(list_.GetCount(), 0u);
  ASSERT_TRUE(list_.Add("0900"));
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0900"}));
}

TEST_F(BadAreaCodeFile, AFailedSaveLeavesThePreviousFileByteForByte) {
  FaultyFileSystem fs;
  fs.failCreate = true;
  {
    CScopedFileSystem scope(fs);
    EXPECT_FALSE(list_.Save(path_)) << "the path is remembered all the same";
  }
  EXPECT_EQ(box_.Texts(), Texts{"Save: unable to open file for writing."});
  fs.failCreate = false;
  for (const char* code : {"0190", "0900"}) {
    ASSERT_TRUE(list_.Add(code));
  }
  ASSERT_TRUE(list_.Save());
  const Bytes previous = ReadBytes(path_);
  ASSERT_TRUE(list_.Add("0137"));

  auto expectUnchanged = [&](const Texts& reports, const std::string& what) {
    box_.shown.clear();
    {
      CScopedFileSystem scope(fs);
      EXPECT_FALSE(list_.Save()) << what;
    }
    EXPECT_EQ(box_.Texts(), reports) << what;
    EXPECT_EQ(ReadBytes(path_), previous) << what;
    EXPECT_FALSE(testing::FileExists(CSafeFileWriter::TemporaryPathFor(path_))) << what;
    fs = FaultyFileSystem{};
  };
  fs.failClose = true;
  expectUnchanged({kSaveArchiveError}, "close");
  fs.failReplace = true;
  expectUnchanged({kSaveArchiveError}, "replace");
  for (std::size_t stop = 0; stop < 29 + 3 * 11; ++stop) {
    fs.stopAfterBytes = stop;
    expectUnchanged({"SaveToArchive: write error.", kSaveArchiveError},
                    "write stops at " + std::to_string(stop));
  }
  ASSERT_TRUE(list_.Save());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190", "0900", "0137"}));
}

TEST_F(BadAreaCodeFile, DestructionSavesToTheRememberedPathAndNeverShowsAFailure) {
  {
    CRASBadAreaCodes list(box_);
    ASSERT_TRUE(list.Save(path_));
    ASSERT_TRUE(list.Add("0190"));
  }
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190"}));

  FaultyFileSystem failing;
  RecordingErrorBox box;
  {
    CScopedFileSystem scope(failing);
    CRASBadAreaCodes withoutPath(box);
    CRASBadAreaCodes unwritable(box);
    ASSERT_TRUE(unwritable.Load(path_));
    withoutPath.SetOwnerWindow(&window_);
    unwritable.SetOwnerWindow(&window_);
    failing.failCreate = true;
  }
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(ReadBytes(path_), FileOf({"0190"}));
}

}  // namespace
}  // namespace tollward
