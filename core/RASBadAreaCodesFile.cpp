// The bad area code list's file: tag, format version, count and the 11-byte slots.
#include <cstring>

#include "core/AsciiText.h"
#include "core/ErrorTables.h"
#include "core/InputFile.h"
#include "core/RASBadAreaCodes.h"
#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

// The tag is written with its terminating zero.
constexpr char kTag[] = "RASBadAreaCodes:";
constexpr std::size_t kTagSize = sizeof(kTag);
static_assert(kTagSize == 17, "the tag field is 17 bytes");
constexpr double kFormatVersion = 1.0;

void PutUint64(std::uint64_t value, unsigned char* out, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    out[i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

std::uint64_t GetUint64(const unsigned char* in, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  }
  return value;
}

// The version is an IEEE double, little-endian whatever the machine's own order.
void PutDouble(double value, unsigned char (&out)[8]) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutUint64(bits, out, sizeof out);
}

double GetDouble(const unsigned char (&in)[8]) {
  const std::uint64_t bits = GetUint64(in, sizeof in);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Files whose tag differs only in letter case are accepted.
bool TagMatches(const unsigned char (&bytes)[kTagSize]) {
  for (std::size_t i = 0; i < kTagSize; ++i) {
    if (AsciiLower(static_cast<char>(bytes[i])) != AsciiLower(kTag[i])) {
      return false;
    }
  }
  return true;
}

// The file's bytes after the open step, to a writer or to a comparison with the file on disk.
template <typename Sink, typename Slots>
bool PutList(Sink& sink, const Slots& slots) {
  unsigned char version[8];
  PutDouble(kFormatVersion, version);
  unsigned char count[4];
  PutUint64(slots.size(), count, sizeof count);
  return sink.Write(kTag, kTagSize) && sink.Write(version, sizeof version) &&
         sink.Write(count, sizeof count) &&
         sink.Write(slots.data(), slots.size() * kBadAreaCodeSlotSize);
}

template <std::size_t N>
bool ReadExactly(std::FILE* file, unsigned char (&bytes)[N]) {
  return std::fread(bytes, 1, N, file) == N;
}

}  // namespace

bool CRASBadAreaCodes::Save() {
  return SaveToRememberedPath();
}

bool CRASBadAreaCodes::Save(const std::string& path) {
  // The path is kept even when the file cannot be written, so that a later Save() retries it.
  const bool remembered = RunReported(bad_area_error::kSaveUnhandled, [&]() -> ErrorCode {
    path_ = path;
    return kNoError;
  });
  return remembered && SaveToRememberedPath();
}

bool CRASBadAreaCodes::SaveToRememberedPath() {
  return RunReported(bad_area_error::kSaveUnhandled, [&]() -> ErrorCode {
    if (!path_) {
      return bad_area_error::kSaveNoPath;
    }
    // Left alone when it holds these bytes already, read afresh so that a file another program
    // changed is written again.
    if (FileHoldsList(*path_)) {
      return kNoError;
    }
    CSafeFileWriter archive;
    if (!archive.Open(*path_)) {
      return bad_area_error::kSaveOpen;
    }
    if (!SaveToArchive(archive)) {
      return bad_area_error::kSaveArchive;
    }
    // The content was complete; only putting it in the old file's place failed.
    if (!archive.Commit()) {
      return bad_area_error::kSaveArchive;
    }
    return kNoError;
  });
}

// A comparison that fails for any reason only means that the save writes.
bool CRASBadAreaCodes::FileHoldsList(const std::string& path) const noexcept try {
  CFileComparison file(path);
  return PutList(file, slots_) && file.Matched();
} catch (...) {
  return false;
}

bool CRASBadAreaCodes::SaveToArchive(CSafeFileWriter& archive) {
  return RunReported(bad_area_error::kSaveUnhandled, [&]() -> ErrorCode {
    return PutList(archive, slots_) ? kNoError : bad_area_error::kSaveWrite;
  });
}

bool CRASBadAreaCodes::Load() {
  return LoadFromRememberedPath();
}

bool CRASBadAreaCodes::Load(const std::string& path) {
  const bool remembered = RunReported(bad_area_error::kLoadUnhandled, [&]() -> ErrorCode {
    path_ = path;
    return kNoError;
  });
  if (!remembered) {
    slots_.clear();
    return false;
  }
  return LoadFromRememberedPath();
}

bool CRASBadAreaCodes::LoadFromRememberedPath() {
  const bool loaded = RunReported(bad_area_error::kLoadUnhandled, [&]() -> ErrorCode {
    if (!path_) {
      return bad_area_error::kLoadNoPath;
    }
    CInputFile file(*path_);
    if (!file.IsOpen()) {
      return bad_area_error::kLoadOpen;
    }
    if (!LoadFromArchive(file.get())) {
      return bad_area_error::kLoadArchive;
    }
    return kNoError;
  });
  if (!loaded) {
    slots_.clear();
  }
  return loaded;
}

bool CRASBadAreaCodes::LoadFromArchive(std::FILE* archive) {
  slots_.clear();
  const bool loaded = RunReported(bad_area_error::kLoadUnhandled, [&]() -> ErrorCode {
    if (archive == nullptr) {
      return bad_area_error::kLoadRead;
    }
    unsigned char tag[kTagSize];
    if (!ReadExactly(archive, tag)) {
      return bad_area_error::kLoadRead;
    }
    if (!TagMatches(tag)) {
      return bad_area_error::kLoadFileType;
    }
    unsigned char version[8];
    if (!ReadExactly(archive, version)) {
      return bad_area_error::kLoadRead;
    }
    if (GetDouble(version) != kFormatVersion) {
      return bad_area_error::kLoadVersion;
    }
    unsigned char countBytes[4];
    if (!ReadExactly(archive, countBytes)) {
      return bad_area_error::kLoadRead;
    }
    const std::uint64_t count = GetUint64(countBytes, sizeof countBytes);
    // Slot by slot, so that memory follows what the file really holds: a count that promises
    // more than that ends in a read error instead of a huge allocation.
    std::vector<Slot> slots;
    for (std::uint64_t i = 0; i < count; ++i) {
      Slot slot;
      if (std::fread(slot.data(), 1, slot.size(), archive) != slot.size()) {
        return bad_area_error::kLoadRead;
      }
      // A damaged slot without its zero must not run on into the next one.
      slot.back() = '\0';
      slots.push_back(slot);
    }
    slots_.swap(slots);
    return kNoError;
  });
  if (!loaded) {
    slots_.clear();
  }
  return loaded;
}

}  // namespace tollward
