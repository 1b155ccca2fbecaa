// The bad area code list's file: tag, format version, count and the 11-byte slots.
#include "core/ByteCodec.h"
#include "core/ErrorTables.h"
#include "core/InputFile.h"
#include "core/RASBadAreaCodes.h"
#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

constexpr CFileHeader kHeader("RASBadAreaCodes:", CFileHeader::Letters::kAnyCase);
static_assert(kHeader.TagSize() == 17, "the tag field is 17 bytes");

// The file's bytes after the open step, to a writer or to a comparison with the file on disk.
template <typename Sink, typename Slots>
bool PutList(Sink& sink, const Slots& slots) {
  CByteWriter bytes(kHeader.ListSize() + slots.size() * kBadAreaCodeSlotSize);
  kHeader.Put(bytes, static_cast<std::uint32_t>(slots.size()));
  bytes.Raw(slots.data(), slots.size() * kBadAreaCodeSlotSize);
  return sink.Write(bytes.data(), bytes.size());
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
    CByteReader reader(archive);
    std::uint32_t count = 0;
    const ErrorCode header = CFileHeader::ErrorOf(
        kHeader.Read(reader, count),
        {bad_area_error::kLoadRead, bad_area_error::kLoadFileType, bad_area_error::kLoadVersion});
    if (header != kNoError) {
      return header;
    }
    // Slot by slot, so that memory follows what the file really holds: a count that promises
    // more than that ends in a read error instead of a huge allocation.
    std::vector<Slot> slots;
    for (std::uint32_t i = 0; i < count; ++i) {
      Slot slot;
      if (!reader.Raw(slot.data(), slot.size())) {
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
