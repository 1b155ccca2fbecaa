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

// Keeps the bytes of `damaged` under the damaged names of `path`.
bool KeepAside(const std::string& damaged, const std::string& path) {
  for (unsigned number = 1; number <= kMostCopies; ++number) {
    const std::string copy = DamagedCopyPath(path, number);
    switch (Probe(copy)) {
      case Presence::kMissing:
        return CopyBytes(damaged, copy);
      case Presence::kReadable:
        if (SameBytes(damaged, copy)) {
          return true;
        }
        break;
      case Presence::kUnreadable:
        break;  // what it holds is unknown, so it is neither compared nor replaced
    }
  }
  return false;
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
      case Presence::kMissing: {
        // The new version of a save that was cut off before it took the file's place, and that
        // could not be put there: the first save would write over it.
        const std::string newVersion = CSafeFileWriter::TemporaryPathFor(path);
        switch (Probe(newVersion)) {
          case Presence::kMissing:
            return true;
          case Presence::kUnreadable:
            return false;
          case Presence::kReadable:
            return KeepAside(newVersion, path);
        }
        return false;
      }
      case Presence::kUnreadable:
        return false;
      case Presence::kReadable:
        return KeepAside(path, path);
    }
    return false;
  } catch (...) {
    return false;
  }
}

}  // namespace tollward
