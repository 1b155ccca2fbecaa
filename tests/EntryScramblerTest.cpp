// The file form of a connection record: reversible, position dependent, never overrunning a field.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/EntryScrambler.h"

namespace tollward {
namespace {

using Bytes = std::uint8_t[kConnectionRecordSize];

ConnectionRecord SampleRecord() {
  ConnectionRecord r = EmptyRecord();
  CopyField(r.szEntryName, "Office ISDN");
  CopyField(r.szAreaCode, "030");
  CopyField(r.szLocalPhoneNumber, "1234 5678");
  CopyField(r.szPassword, "s3cret");
  CopyField(r.szUserName, "anne");
  return r;
}

TEST(EntryScrambler, AnyBytesComeBackUnchanged) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    Bytes original;
    for (auto& b : original)
      b = static_cast<std::uint8_t>(byte(random));
    Bytes work;
    std::memcpy(work, original, sizeof work);
    ScrambleBytes(work);
    UnscrambleBytes(work);
    ASSERT_EQ(0, std::memcmp(work, original, sizeof work)) << "round " << round;
  }
}

TEST(EntryScrambler, TheLastByteIsWrittenUnchangedAndTheRestIsMixed) {
  ConnectionRecord record = SampleRecord();
  record.szUserName[kUserNameSize - 1] = 'Z';  // only so that the last byte is recognisable
  Bytes out;
  ScrambleEntry(record, out);
  const auto* plain = reinterpret_cast<const std::uint8_t*>(&record);
  EXPECT_EQ(out[910], 'Z');
  int same = 0;
  for (std::size_t i = 0; i < 910; ++i)
    same += out[i] == plain[i];
  EXPECT_LT(same, 20) << "the file must not show the record's bytes";
}

TEST(EntryScrambler, KnownBytesOfAnEmptyRecord) {
  // Pins the transform itself: a file written by another build must read back the same.
  Bytes out;
  ScrambleEntry(EmptyRecord(), out);
  // i = 0: t = 0 + 0xFF + 0x5D = 0x5C; 0x5C ^ 0 ^ 0 ^ 0x3C = 0x60.
  EXPECT_EQ(out[0], 0x60);
  // i = 1: t = 1 + 0xFF + 0x5D = 0x5D; 0x5D ^ 0 ^ 1 ^ 0x3C = 0x60.
  EXPECT_EQ(out[1], 0x60);
  // i = 2: t = 0x5C; 0x5C ^ 2 ^ 0x3C = 0x62.
  EXPECT_EQ(out[2], 0x62);
  // i = 256 enters the XOR with its low 8 bits only: like position 0.
  EXPECT_EQ(out[256], out[0]);
  EXPECT_EQ(out[910], 0);
}

TEST(EntryScrambler, AnAllEmptyRecordIsNotWrittenAsZeros) {
  Bytes out;
  ScrambleEntry(EmptyRecord(), out);
  int zeros = 0;
  for (std::size_t i = 0; i < 910; ++i)
    zeros += out[i] == 0;
  // Only where the position's low byte cancels bias and mask: 96, 97, 352, 353, 608, ...
  EXPECT_EQ(zeros, 8);
}

TEST(EntryScrambler, TheRecordItselfIsNotTouched) {
  const ConnectionRecord record = SampleRecord();
  ConnectionRecord copy = record;
  Bytes out;
  ScrambleEntry(copy, out);
  EXPECT_EQ(0, std::memcmp(&copy, &record, sizeof record));
}

TEST(EntryScrambler, ARecordReadBackIsTheRecordWritten) {
  const ConnectionRecord record = SampleRecord();
  Bytes out;
  ScrambleEntry(record, out);
  ConnectionRecord back;
  std::memset(&back, 0xAA, sizeof back);
  UnscrambleEntry(out, back);
  EXPECT_EQ(0, std::memcmp(&back, &record, sizeof record));
}

TEST(EntryScrambler, ADamagedEntryHasEveryFieldTerminatedInsideItsSize) {
  // Bytes that unscramble to a record without a single zero: as a hostile file might hold.
  Bytes plain;
  std::memset(plain, 'A', sizeof plain);
  ScrambleBytes(plain);
  ConnectionRecord back;
  UnscrambleEntry(plain, back);
  EXPECT_EQ(std::strlen(back.szEntryName), kEntryNameSize - 1);
  EXPECT_EQ(std::strlen(back.szAreaCode), kAreaCodeSize - 1);
  EXPECT_EQ(std::strlen(back.szLocalPhoneNumber), kLocalPhoneNumberSize - 1);
  EXPECT_EQ(std::strlen(back.szPassword), kPasswordSize - 1);
  EXPECT_EQ(std::strlen(back.szUserName), kUserNameSize - 1);
}

TEST(ConnectionRecordFields, CopyCutsToTheFieldAndClearsTheRest) {
  ConnectionRecord r;
  std::memset(&r, 'x', sizeof r);
  CopyField(r.szAreaCode, "0123456789012");
  EXPECT_STREQ(r.szAreaCode, "0123456789");
  CopyField(r.szAreaCode, "01");
  EXPECT_STREQ(r.szAreaCode, "01");
  for (std::size_t i = 2; i < kAreaCodeSize; ++i)
    EXPECT_EQ(r.szAreaCode[i], '\0');
  CopyField(r.szAreaCode, nullptr);
  EXPECT_STREQ(r.szAreaCode, "");
  EXPECT_EQ(r.szLocalPhoneNumber[0], 'x') << "neighbouring field untouched";
}

}  // namespace
}  // namespace tollward
