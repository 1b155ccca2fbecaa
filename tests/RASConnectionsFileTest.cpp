// The connection file: its bytes, damaged files, failing saves, and the save on destruction.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/EntryScrambler.h"
#include "core/ErrorTables.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using namespace connection_error;
using testing::FakePhonebook;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::MakeRecord;
using testing::ReadBytes;
using testing::RecordingConnections;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Codes = std::vector<ErrorCode>;

Bytes Header(const char* tag, std::uint32_t count, unsigned char versionHigh = 0x3F) {
  Bytes bytes(tag, tag + 16);
  for (unsigned char b : {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0}) {
    bytes.push_back(b);
  }
  bytes.push_back(versionHigh);
  for (unsigned i = 0; i < 4; ++i) {
    bytes.push_back(static_cast<unsigned char>(count >> (8 * i)));
  }
  return bytes;
}

const char kTag[] = "RASConnections:";  // with its zero byte, 16 bytes

Bytes FileOf(const Bytes& header, const std::vector<ConnectionRecord>& records) {
  Bytes file = header;
  for (const ConnectionRecord& record : records) {
    std::uint8_t entry[kConnectionRecordSize];
    ScrambleEntry(record, entry);
    file.insert(file.end(), entry, entry + kConnectionRecordSize);
  }
  return file;
}

bool SameRecord(const ConnectionRecord& a, const ConnectionRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

const ConnectionRecord kOffice = MakeRecord("Office", "030", "123 456", "anna", "secret");
const ConnectionRecord kHome = MakeRecord("Home", "0190", "1", "", "");

TEST(ConnectionFile, RecordsAreStoredScrambledInOrderAndReadBackAsTheyWere) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  FakePhonebook phonebook;
  {
    CRASConnections list(phonebook);
    ASSERT_TRUE(list.Save(path));
    EXPECT_EQ(ReadBytes(path), Header(kTag, 0)) << "an empty list is the 28 header bytes alone";
    ASSERT_TRUE(list.Add(kOffice));
    ASSERT_TRUE(list.Add(kHome));
    ASSERT_TRUE(list.Save(path));
    list.ClearPath();
  }
  const Bytes bytes = ReadBytes(path);
  ASSERT_EQ(bytes, FileOf(Header(kTag, 2), {kOffice, kHome}));
  const Bytes plain(reinterpret_cast<const unsigned char*>(&kOffice),
                    reinterpret_cast<const unsigned char*>(&kOffice) + sizeof kOffice);
  EXPECT_NE(Bytes(bytes.begin() + 28, bytes.begin() + 28 + 911), plain);

  RecordingConnections loaded(phonebook);
  ASSERT_TRUE(loaded.Add(MakeRecord("replaced by the load")));
  ASSERT_TRUE(loaded.Load(path));
  ASSERT_EQ(loaded.GetCount(), 2u);
  EXPECT_TRUE(SameRecord(loaded.GetRecord(1), kOffice));
  EXPECT_TRUE(SameRecord(loaded.GetRecord(2), kHome));
  EXPECT_TRUE(loaded.reported.empty());
  loaded.ClearPath();
}

TEST(ConnectionFile, OtherTagCaseTrailingBytesTwinNamesAndWildBytesAreTakenSafely) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  const ConnectionRecord twin = MakeRecord("Office", "089");
  ConnectionRecord wild;
  std::memset(&wild, 'A', sizeof wild);
  Bytes file = FileOf(Header("rasCONNECTIONS:", 4), {kOffice, kHome, twin, wild});
  file.insert(file.end(), 100, 0xAB);
  WriteBytes(path, file);

  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Load(path));
  EXPECT_EQ(list.GetCount(), 4u);
  EXPECT_EQ(list.Find("Office"), 1u) << "the first of two records with one name";
  ASSERT_TRUE(list.Delete(1));
  EXPECT_EQ(list.Find("Office"), 2u) << "then its twin";
  EXPECT_STREQ(list.GetAreaCode(2), "089");
  // Every text of a record without zero bytes ends inside its own field.
  EXPECT_EQ(std::strlen(list.GetName(3)), 256u);
  EXPECT_EQ(std::strlen(list.GetAreaCode(3)), 10u);
  EXPECT_EQ(std::strlen(list.GetLocalPhoneNumber(3)), 128u);
  EXPECT_EQ(std::strlen(list.GetPassword(3)), 256u);
  EXPECT_EQ(std::strlen(list.GetUserName(3)), 256u);
  list.ClearPath();
}

TEST(ConnectionFile, DamagedFilesFailWithTheirCodesAndLeaveTheListEmpty) {
  const Bytes good = FileOf(Header(kTag, 2), {kOffice, kHome});
  struct Case {
    std::string what;
    Bytes file;
    Codes codes;
  };
  std::vector<Case> cases = {
      {"wrong tag", FileOf(Header("RASBadAreaCodes", 0), {}), Codes{kLoadFileType}},
      {"tag without its zero byte", FileOf(Header("RASConnections:X", 0), {}),
       Codes{kLoadFileType}},
      {"version 2.0", FileOf(Header(kTag, 0, 0x40), {}), Codes{kLoadVersion}},
      {"count far beyond the records", FileOf(Header(kTag, 0xFFFFFFFFu), {kOffice}),
       Codes{kReadEntryRead, kLoadRead}},
  };
  for (std::size_t length = 0; length < good.size(); ++length) {
    const Codes codes = length < 28 ? Codes{kLoadRead} : Codes{kReadEntryRead, kLoadRead};
    cases.push_back({"cut at " + std::to_string(length),
                     Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)),
                     codes});
  }

  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  FakePhonebook phonebook;
  for (const Case& c : cases) {
    WriteBytes(path, c.file);
    RecordingConnections list(phonebook);
    ASSERT_TRUE(list.Add(kHome));
    EXPECT_FALSE(list.Load(path)) << c.what;
    ASSERT_EQ(list.reported, c.codes) << c.what;
    EXPECT_EQ(list.GetCount(), 0u) << c.what;
    list.ClearPath();
  }
}

TEST(ConnectionFile, MissingPathsAndFilesFailAndAGivenPathIsKept) {
  TempDir dir;
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  EXPECT_FALSE(list.Save());
  EXPECT_FALSE(list.Load());
  EXPECT_FALSE(list.Save(dir.Path("no such folder/Tollward.con")));
  const std::string missing = dir.Path("Tollward.con");
  EXPECT_FALSE(list.Load(missing));
  EXPECT_EQ(list.reported, (Codes{kSaveNoPath, kLoadNoPath, kSaveOpen, kLoadOpen}));
  EXPECT_EQ(list.path(), missing) << "remembered although it could not be opened";

  ASSERT_TRUE(list.Add(kHome));
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(ReadBytes(missing), FileOf(Header(kTag, 1), {kHome}));
  list.ClearPath();
}

TEST(ConnectionFile, AFailingSaveLeavesThePreviousFileByteForByte) {
  struct Fault {
    const char* what;
    void (*arm)(FaultyFileSystem&);
    Codes codes;
  };
  const Fault faults[] = {
      {"create", [](FaultyFileSystem& fs) { fs.failCreate = true; }, Codes{kSaveOpen}},
      {"tag", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 10; }, Codes{kSaveWrite}},
      {"version", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 16; }, Codes{kSaveWrite}},
      {"count", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 27; }, Codes{kSaveWrite}},
      {"first record", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 28; },
       Codes{kWriteEntryWrite, kSaveWrite}},
      {"second record", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 28 + 911 + 910; },
       Codes{kWriteEntryWrite, kSaveWrite}},
      {"close", [](FaultyFileSystem& fs) { fs.failClose = true; }, Codes{kSaveWrite}},
      {"replace", [](FaultyFileSystem& fs) { fs.failReplace = true; }, Codes{kSaveWrite}},
  };
  const Bytes previous = FileOf(Header(kTag, 1), {kOffice});
  for (const Fault& fault : faults) {
    TempDir dir;
    const std::string path = dir.Path("Tollward.con");
    WriteBytes(path, previous);
    FakePhonebook phonebook;
    RecordingConnections list(phonebook);
    ASSERT_TRUE(list.Add(kHome));
    ASSERT_TRUE(list.Add(kOffice));
    {
      FaultyFileSystem faulty;
      fault.arm(faulty);
      CScopedFileSystem scope(faulty);
      EXPECT_FALSE(list.Save(path)) << fault.what;
    }
    EXPECT_EQ(list.reported, fault.codes) << fault.what;
    EXPECT_EQ(ReadBytes(path), previous) << fault.what;
    EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path))) << fault.what;
    list.ClearPath();
  }
}

TEST(ConnectionFile, DestructionRewritesTheBoundFileUnlessRetrieveUnboundIt) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  WriteBytes(path, FileOf(Header(kTag, 1), {kOffice}));
  FakePhonebook phonebook;
  phonebook.Put("Live");
  {
    CRASConnections list(phonebook);
    ASSERT_TRUE(list.Load(path));
    ASSERT_TRUE(list.Add(kHome));
  }
  EXPECT_EQ(ReadBytes(path), FileOf(Header(kTag, 2), {kOffice, kHome}));
  {
    CRASConnections list(phonebook);
    ASSERT_TRUE(list.Load(path));
    ASSERT_TRUE(list.Retrieve());
  }
  EXPECT_EQ(ReadBytes(path), FileOf(Header(kTag, 2), {kOffice, kHome}));
}

TEST(ConnectionFile, AFailedSaveOnDestructionIsNeverReported) {
  // The counter outlives the list: a report from the destructor would reach it.
  struct Counting : CRASConnections {
    Counting(IPhonebook& phonebook, int& counter) : CRASConnections(phonebook), reports(counter) {}
    void ReportError() override { ++reports; }
    int& reports;
  };
  TempDir dir;
  FakePhonebook phonebook;
  int reports = 0;
  {
    Counting list(phonebook, reports);
    list.SetPath(dir.Path("no such folder/Tollward.con").c_str());
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(reports, 1);
  }
  EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace tollward
