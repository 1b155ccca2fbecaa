// A save replaces the previous file only when the new one is complete.
#include <gtest/gtest.h>

#include "core/SafeFileWriter.h"
#include "tests/fakes/CountingFileSystem.h"
#include "tests/fakes/FaultyFileSystem.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FaultyFileSystem;
using testing::FileExists;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::vector<unsigned char> kOld = {'o', 'l', 'd'};
const std::vector<unsigned char> kNew = {'n', 'e', 'w', '!', '!'};

bool SaveNew(const std::string& path) {
  CSafeFileWriter writer;
  return writer.Open(path) && writer.Write(kNew.data(), 2) && writer.Write(kNew.data() + 2, 3) &&
         writer.Commit();
}

TEST(SafeFileWriter, ACompleteSaveReplacesTheFileAndLeavesNothingBeside) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.con");
  WriteBytes(path, kOld);
  ASSERT_TRUE(SaveNew(path));
  EXPECT_EQ(ReadBytes(path), kNew);
  EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path)));
}

TEST(SafeFileWriter, ASaveCreatesAMissingFile) {
  TempDir dir;
  ASSERT_TRUE(SaveNew(dir.Path("x.bac")));
  EXPECT_EQ(ReadBytes(dir.Path("x.bac")), kNew);
}

TEST(SafeFileWriter, EveryFailingStepLeavesThePreviousFileByteForByte) {
  struct Fault {
    const char* what;
    void (*arm)(FaultyFileSystem&);
  };
  const Fault faults[] = {
      {"create", [](FaultyFileSystem& fs) { fs.failCreate = true; }},
      {"write at 0", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 0; }},
      {"write at 1", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 1; }},
      {"write at 3", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 3; }},
      {"write at 4", [](FaultyFileSystem& fs) { fs.stopAfterBytes = 4; }},
      {"close", [](FaultyFileSystem& fs) { fs.failClose = true; }},
      {"replace", [](FaultyFileSystem& fs) { fs.failReplace = true; }},
  };
  for (const Fault& fault : faults) {
    TempDir dir;
    const std::string path = dir.Path("Tollward.ini");
    WriteBytes(path, kOld);
    FaultyFileSystem faulty;
    fault.arm(faulty);
    CScopedFileSystem scope(faulty);
    EXPECT_FALSE(SaveNew(path)) << fault.what;
    EXPECT_EQ(ReadBytes(path), kOld) << fault.what;
    EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path))) << fault.what;
  }
}

TEST(SafeFileWriter, AnUncommittedWriterLeavesTheTargetAlone) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.bac");
  WriteBytes(path, kOld);
  testing::CountingFileSystem counting;
  {
    CScopedFileSystem scope(counting);
    CSafeFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Write(kNew.data(), kNew.size()));
  }
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_FALSE(FileExists(CSafeFileWriter::TemporaryPathFor(path)));
  EXPECT_EQ(counting.flushes, 0u) << "bytes that are thrown away need not reach the disk";
}

TEST(SafeFileWriter, AFolderThatDoesNotExistCannotBeWritten) {
  TempDir dir;
  CSafeFileWriter writer;
  EXPECT_FALSE(writer.Open(dir.Path("missing/Tollward.con")));
  EXPECT_FALSE(writer.Write(kNew.data(), 1));
  EXPECT_FALSE(writer.Commit());
}

}  // namespace
}  // namespace tollward
