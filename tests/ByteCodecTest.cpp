// The data files' header: which bytes open a sound file, and how a damaged opening is told apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/ByteCodec.h"

namespace tollward {
namespace {

using Check = CFileHeader::Check;
using Letters = CFileHeader::Letters;
using namespace std::string_literals;

const std::string kOne = "\0\0\0\0\0\0\xF0\x3F"s;
const std::string kTwo = "\0\0\0\0\0\0\0\x40"s;

// The bytes as an open file, read from the start.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> FileOf(const std::string& bytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  std::rewind(file.get());
  return file;
}

TEST(FileHeader, TellsSoundShortForeignAndNewerOpeningsApart) {
  const struct {
    std::string bytes;
    Letters letters;
    Check check;
    std::uint32_t count;
  } rows[] = {
      {"Tag:\0"s + kOne + "\x05\x01\0\0"s, Letters::kExact, Check::kSound, 261},
      {"tAG:\0"s + kOne + "\xFF\xFF\xFF\xFF"s, Letters::kAnyCase, Check::kSound, 0xFFFFFFFF},
      {"tAG:\0"s + kOne + "\0\0\0\0"s, Letters::kExact, Check::kOtherType, 0},
      {"Tag:!"s + kOne + "\0\0\0\0"s, Letters::kAnyCase, Check::kOtherType, 0},
      {"Ta", Letters::kAnyCase, Check::kShort, 0},
      {"Tox:\0"s, Letters::kAnyCase, Check::kOtherType, 0},
      {"Tag:\0"s + kOne.substr(0, 5), Letters::kAnyCase, Check::kShort, 0},
      {"Tag:\0"s + kTwo.substr(0, 5), Letters::kAnyCase, Check::kShort, 0},
      {"Tag:\0"s + kTwo + "\0\0\0\0"s, Letters::kAnyCase, Check::kOtherVersion, 0},
      {"Tag:\0"s + kOne + "\x01\0\0"s, Letters::kAnyCase, Check::kShort, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    const CFileHeader header("Tag:", row.letters);
    const auto file = FileOf(row.bytes);
    CByteReader reader(file.get());
    std::uint32_t count = 0;
    EXPECT_EQ(header.Read(reader, count), row.check);
    EXPECT_EQ(count, row.count);

    // What a save writes opens a sound file of that count.
    if (row.check == Check::kSound) {
      CByteWriter written;
      header.Put(written, row.count);
      EXPECT_EQ(std::string(written.bytes().begin(), written.bytes().end()),
                "Tag:\0"s + kOne + row.bytes.substr(header.Size()));
    }
  }
}

TEST(FileHeader, TextFieldsAreCutToTheirSizeAndReadUpToTheirZero) {
  CByteWriter out;
  out.Text("abc", 5);
  out.Text("abcdefg", 5);
  EXPECT_EQ(std::string(out.bytes().begin(), out.bytes().end()), "abc\0\0abcde"s);

  const auto file = FileOf("abc\0\0abcdeab"s);
  CByteReader reader(file.get());
  EXPECT_EQ(reader.Text(5), "abc");
  EXPECT_EQ(reader.Text(5), "abcd");  // a field without its zero loses its last byte
  EXPECT_TRUE(reader.ok());
  reader.Text(5);
  EXPECT_FALSE(reader.ok());
}

}  // namespace
}  // namespace tollward
