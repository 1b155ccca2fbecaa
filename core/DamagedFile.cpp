// Keeps a data file that could not be read beside it, before a save writes over it.
#include "core/DamagedFile.h"

#include <string>
#include <vector>

#include "core/InputFile.h"
#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// Far more distinct damaged contents than any user collects; beyond it the keeping gives up.
constexpr unsigned kMostCopies = 100;

// Fills the buffer as far as the file goes; false on a read error.
bool NextChunk(CInputFile& file, std::vector<char>& buffer) {
  buffer.resize(kChunkSize);
  std::size_t got = 0;
  const bool read = file.ReadSome(buffer.data(), kChunkSize, got);
  buffer.resize(got);
  return read;
}

enum class Presence { kMissing, kReadable, kUnreadable };

Presence Probe(const std::string& path) {
  CInputFile file(path);
  if (file.IsOpen()) {
    return Presence::kReadable;
  }
  return file.IsMissing() ? Presence::kMissing : Presence::kUnreadable;
}

bool SameBytes(const std::string& first, const std::string& second) {
  CInputFile a(first);
  CFileComparison b(second);
  std::vector<char> buffer;
  do {
    if (!a.IsOpen() || !NextChunk(a, buffer) || !b.Write(buffer.data(), buffer.size())) {
      return false;
    }
  } while (buffer.size() == kChunkSize);
  return b.Matched();
}

bool CopyBytes(const std::string& from, const std::string& to) {
  CInputFile in(from);
  CSafeFileWriter out;
  if (!in.IsOpen() || !out.Open(to)) {
    return false;
  }
  std::vector<char> buffer;
  do {
    if (!NextChunk(in, buffer) || !out.Write(buffer.data(), buffer.size())) {
      return false;
    }
  } while (buffer.size() == kChunkSize);
  return out.Commit();
}

}  // namespace

std::string DamagedCopyPath(const std::string& path, unsigned number) {
  std::string copy = path + ".damaged";
  if (number > 1) {
    copy += "." + std::to_string(number);
  }
  return copy;
}

bool KeepDamagedFile(const std::string& path) noexcept {
  try {
    switch (Probe(path)) {
      case Presence::kMissing:
        return true;
      case Presence::kUnreadable:
        return false;
      case Presence::kReadable:
        break;
    }
    for (unsigned number = 1; number <= kMostCopies; ++number) {
      const std::string copy = DamagedCopyPath(path, number);
      switch (Probe(copy)) {
        case Presence::kMissing:
          return CopyBytes(path, copy);
        case Presence::kReadable:
          if (SameBytes(path, copy)) {
            return true;
          }
          break;
        case Presence::kUnreadable:
          break;  // what it holds is unknown, so it is neither compared nor replaced
      }
    }
    return false;
  } catch (...) {
    return false;
  }
}

}  // namespace tollward
