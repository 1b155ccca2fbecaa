// The data files' fields in little-endian order, and the header every data file opens with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/ErrorState.h"

namespace tollward {

// The 32-bit number that starts at `bytes`, least significant byte first.
std::uint32_t Uint32At(const std::uint8_t* bytes);

// A file's bytes, built field by field whatever the machine's own byte order, for one write.
class CByteWriter {
 public:
  explicit CByteWriter(std::size_t expectedSize = 0) { bytes_.reserve(expectedSize); }

  void Uint8(std::uint8_t value) { bytes_.push_back(value); }
  void Uint32(std::uint32_t value);
  void Raw(const void* data, std::size_t size);
  // A field of fixed size: as much of the text as fits, then zeros to the field's end.
  void Text(std::string_view text, std::size_t fieldSize);

  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads a file's fields in order. The first short read spoils all that follow, so a caller may
// read a whole record and look at ok() once.
class CByteReader {
 public:
  explicit CByteReader(std::FILE* file) : file_(file), ok_(file != nullptr) {}

  bool ok() const { return ok_; }

  // Zero once the reader is spoilt.
  std::uint8_t Uint8();
  std::uint32_t Uint32();
  // False when the bytes are not all there.
  bool Raw(void* data, std::size_t size);
  // A field of fixed size (at least one byte), up to its zero; one without its zero is cut before
  // its last byte, as a save would write it.
  std::string Text(std::size_t fieldSize);

 private:
  std::FILE* file_;
  bool ok_;
  std::vector<char> buffer_;
};

// A tag with its terminating zero, the format version (the double 1.0; no other has ever been
// written), and in a file that keeps a list the number of its records.
class CFileHeader {
 public:
  enum class Letters { kExact, kAnyCase };
  // A header that stops short, is of another file or of another version; in that order.
  enum class Check { kSound, kShort, kOtherType, kOtherVersion };

  static constexpr std::size_t kVersionSize = 8;
  static constexpr std::size_t kCountSize = 4;

  template <std::size_t N>
  constexpr CFileHeader(const char (&tag)[N], Letters letters)
      : tag_(tag), tagSize_(N), letters_(letters) {}

  constexpr std::size_t TagSize() const { return tagSize_; }
  // Tag and version; a list's header holds its count after them.
  constexpr std::size_t Size() const { return tagSize_ + kVersionSize; }
  constexpr std::size_t ListSize() const { return Size() + kCountSize; }

  void Put(CByteWriter& out) const;
  void Put(CByteWriter& out, std::uint32_t count) const;
  Check Read(CByteReader& in) const;
  Check Read(CByteReader& in, std::uint32_t& count) const;

  // What a loader reports for each way its header can be unsound.
  struct Errors {
    ErrorCode shortRead;
    ErrorCode otherType;
    ErrorCode otherVersion;
  };
  // kNoError for a sound header.
  static ErrorCode ErrorOf(Check check, const Errors& errors);

 private:
  const char* tag_;
  std::size_t tagSize_;
  Letters letters_;
};

}  // namespace tollward
