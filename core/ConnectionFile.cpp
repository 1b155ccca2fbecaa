// The connection file: tag, version, record count and the scrambled records of a list.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/ByteCodec.h"
#include "core/EntryScrambler.h"
#include "core/ErrorTables.h"
#include "core/InputFile.h"
#include "core/NameIndex.h"
#include "core/RASConnections.h"

namespace tollward {

using namespace connection_error;

namespace {

constexpr CFileHeader kHeader("RASConnections:", CFileHeader::Letters::kAnyCase);
static_assert(kHeader.ListSize() == 28, "an empty connection file is 28 bytes");

// How many whole records the rest of the file can hold; 0 when the size cannot be learnt.
std::uint32_t RecordsLeft(CInputFile& file) {
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(file.BytesLeft() / kConnectionRecordSize, 0xFFFFFFFFu));
}

// The header, to the save's writer or to the comparison with the file on disk.
template <typename Sink>
bool PutHeader(Sink& sink, std::uint32_t count) {
  CByteWriter header;
  kHeader.Put(header, count);
  return sink.Write(header.data(), header.size());
}

// Whether the file holds exactly the bytes a save of these records writes. The records are
// scrambled one at a time, as the save does, so nothing of the file's size is held at once. A
// comparison that fails for any reason only means that the save writes.
bool FileHolds(const std::string& path, const CConnectionArray& records,
               std::uint32_t count) noexcept try {
  CFileComparison file(path);
  if (!PutHeader(file, count)) {
    return false;
  }
  std::uint8_t bytes[kConnectionRecordSize];
  for (std::size_t i = 0; i < records.size(); ++i) {
    ScrambleEntry(records[i], bytes);
    if (!file.Write(bytes, sizeof bytes)) {
      return false;
    }
  }
  return file.Matched();
} catch (...) {
  return false;
}

}  // namespace

bool CRASConnections::SaveStore(const std::string* path) {
  return RunReported(kSaveUnhandled, [&]() -> ErrorCode {
    if (path != nullptr) {
      path_ = *path;
    } else if (!path_) {
      return kSaveNoPath;
    }
    // A store that holds these bytes already is left alone: most saves write what the last one
    // wrote, and each write waits for the disk. It is read afresh, not remembered, so that a
    // store changed, cut short or removed by another program is written again.
    if (FileHolds(*path_, records_, GetCount())) {
      return kNoError;
    }
    // Written beside the old file, which is replaced only by a complete new one.
    CSafeFileWriter writer;
    if (!writer.Open(*path_)) {
      return kSaveOpen;
    }
    if (!PutHeader(writer, GetCount())) {
      return kSaveWrite;
    }
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (!WriteEncryptedEntry(records_[i], writer)) {
        return kSaveWrite;
      }
    }
    if (!writer.Commit()) {
      return kSaveWrite;
    }
    return kNoError;
  });
}

bool CRASConnections::SaveTo(const std::string* path) {
  detailsSaveError_.clear();
  const bool saved = SaveStore(path);
  if (saved && path_ && !detailsFileBlocked_) {
    SaveDetails(*path_);
  }
  return saved;
}

void CRASConnections::SaveDetails(const std::string& storePath) {
  DetailsSave result = DetailsSave::kWriteFailed;
  try {
    // Usually the list knows the further properties of exactly its records; otherwise only
    // theirs are written, and those of entries no longer registered are left out.
    bool exact = details_.size() == records_.size();
    for (std::size_t i = 0; exact && i < records_.size(); ++i) {
      exact = details_.Find(NameOf(records_[i])) != nullptr;
    }
    if (exact) {
      result = details_.SaveFile(DetailsPathFor(storePath));
    } else {
      CEntryDetailsStore kept;
      for (std::size_t i = 0; i < records_.size(); ++i) {
        const std::string name(NameOf(records_[i]));
        if (const EntryDetails* details = details_.Find(name)) {
          kept.Put(name, *details);
        }
      }
      result = kept.SaveFile(DetailsPathFor(storePath));
    }
  } catch (...) {
    // Memory ran out before the file was complete: it counts as not written.
  }
  if (result == DetailsSave::kSaved) {
    return;
  }
  // The registrations are saved; their further properties would be taken afresh from the
  // phonebook at the next start, so the caller must be able to say so.
  const ErrorCode code = result == DetailsSave::kOpenFailed ? kSaveOpen : kSaveWrite;
  try {
    detailsSaveError_ = kConnectionErrors.Lookup(code).text;
  } catch (...) {
    detailsSaveError_.clear();
  }
}

bool CRASConnections::LoadFrom(const std::string* path) {
  ClearRecords();
  return RunReported(kLoadUnhandled, [&]() -> ErrorCode {
    if (path != nullptr) {
      path_ = *path;
    } else if (!path_) {
      return kLoadNoPath;
    }
    CInputFile file(*path_);
    if (!file.IsOpen()) {
      return kLoadOpen;
    }
    CByteReader reader(file.get());
    std::uint32_t count = 0;
    const ErrorCode header =
        CFileHeader::ErrorOf(kHeader.Read(reader, count), {kLoadRead, kLoadFileType, kLoadVersion});
    if (header != kNoError) {
      return header;
    }

    // The count is only a promise: room is made for what the file can really hold, and a
    // file that holds less fails at its end instead of asking for memory it never fills.
    std::vector<ConnectionRecord> loaded;
    loaded.reserve(std::min(count, RecordsLeft(file)));
    for (std::uint32_t i = 0; i < count; ++i) {
      ConnectionRecord record;
      if (!ReadEncryptedEntry(record, file.get())) {
        return kLoadRead;
      }
      loaded.push_back(record);
    }
    records_.Assign(std::move(loaded));
    LoadDetails(*path_);
    return kNoError;
  });
}

void CRASConnections::LoadDetails(const std::string& storePath) {
  details_.Clear();
  detailsFileBlocked_ = false;
  try {
    const DetailsLoad loaded = details_.Load(DetailsPathFor(storePath));
    details_.ClearPath();
    // A file that could not be read is not written over until it has been kept aside.
    detailsFileBlocked_ = loaded == DetailsLoad::kDamaged || loaded == DetailsLoad::kUnreadable;
  } catch (...) {
    details_.Clear();
    detailsFileBlocked_ = true;
  }
}

bool CRASConnections::WriteEncryptedEntry(const ConnectionRecord& record, CSafeFileWriter& file) {
  return RunReported(kWriteEntryUnhandled, [&]() -> ErrorCode {
    std::uint8_t bytes[kConnectionRecordSize];
    ScrambleEntry(record, bytes);
    return file.Write(bytes, sizeof bytes) ? kNoError : kWriteEntryWrite;
  });
}

bool CRASConnections::ReadEncryptedEntry(ConnectionRecord& record, std::FILE* file) {
  record = EmptyRecord();
  return RunReported(kReadEntryUnhandled, [&]() -> ErrorCode {
    std::uint8_t bytes[kConnectionRecordSize];
    if (file == nullptr || std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) {
      return kReadEntryRead;
    }
    UnscrambleEntry(bytes, record);
    return kNoError;
  });
}

}  // namespace tollward
