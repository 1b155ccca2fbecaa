// The data files' fields in little-endian order, and the header every data file opens with.
#include "core/ByteCodec.h"

#include <algorithm>

#include "core/AsciiText.h"

namespace tollward {
namespace {

// The double 1.0, little-endian.
constexpr std::uint8_t kVersion[CFileHeader::kVersionSize] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

}  // namespace

std::uint32_t Uint32At(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (unsigned i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  }
  return value;
}

void CByteWriter::Uint32(std::uint32_t value) {
  for (unsigned i = 0; i < 4; ++i) {
    bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

void CByteWriter::Raw(const void* data, std::size_t size) {
  const auto* begin = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), begin, begin + size);
}

void CByteWriter::Text(std::string_view text, std::size_t fieldSize) {
  const std::size_t length = std::min(text.size(), fieldSize);
  Raw(text.data(), length);
  bytes_.insert(bytes_.end(), fieldSize - length, 0);
}

bool CByteReader::Raw(void* data, std::size_t size) {
  ok_ = ok_ && std::fread(data, 1, size, file_) == size;
  return ok_;
}

std::uint8_t CByteReader::Uint8() {
  std::uint8_t value = 0;
  return Raw(&value, 1) ? value : 0;
}

std::uint32_t CByteReader::Uint32() {
  std::uint8_t bytes[4] = {};
  return Raw(bytes, sizeof bytes) ? Uint32At(bytes) : 0;
}

std::string CByteReader::Text(std::size_t fieldSize) {
  buffer_.assign(fieldSize, '\0');
  Raw(buffer_.data(), fieldSize);
  buffer_.back() = '\0';
  return std::string(buffer_.data());
}

void CFileHeader::Put(CByteWriter& out) const {
  out.Raw(tag_, tagSize_);
  out.Raw(kVersion, sizeof kVersion);
}

void CFileHeader::Put(CByteWriter& out, std::uint32_t count) const {
  Put(out);
  out.Uint32(count);
}

CFileHeader::Check CFileHeader::Read(CByteReader& in) const {
  std::vector<char> tag(tagSize_);
  if (!in.Raw(tag.data(), tag.size())) {
    return Check::kShort;
  }
  for (std::size_t i = 0; i < tagSize_; ++i) {
    const bool same = letters_ == Letters::kAnyCase ? AsciiLower(tag[i]) == AsciiLower(tag_[i])
                                                    : tag[i] == tag_[i];
    if (!same) {
      return Check::kOtherType;
    }
  }
  std::uint8_t version[kVersionSize];
  if (!in.Raw(version, sizeof version)) {
    return Check::kShort;
  }
  return std::equal(std::begin(version), std::end(version), std::begin(kVersion))
             ? Check::kSound
             : Check::kOtherVersion;
}

CFileHeader::Check CFileHeader::Read(CByteReader& in, std::uint32_t& count) const {
  const Check check = Read(in);
  if (check != Check::kSound) {
    return check;
  }
  count = in.Uint32();
  return in.ok() ? Check::kSound : Check::kShort;
}

ErrorCode CFileHeader::ErrorOf(Check check, const Errors& errors) {
  switch (check) {
    case Check::kShort:
      return errors.shortRead;
    case Check::kOtherType:
      return errors.otherType;
    case Check::kOtherVersion:
      return errors.otherVersion;
    case Check::kSound:
      break;
  }
  return kNoError;
}

}  // namespace tollward
