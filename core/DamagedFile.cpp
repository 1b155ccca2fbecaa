// Keeps a data file that could not be read beside it, before a save writes over it.
#include "core/DamagedFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// Far more distinct damaged contents than any user collects; beyond it the keeping gives up.
constexpr unsigned kMostCopies = 100;

class Reader {
 public:
  explicit Reader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
  ~Reader() {
    if (file_ != nullptr) {
      std::fclose(file_);
    }
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Fills the buffer as far as the file goes; false on a read error.
  bool Next(std::vector<char>& buffer) {
    buffer.resize(kChunkSize);
    buffer.resize(std::fread(buffer.data(), 1, kChunkSize, file_));
    return std::ferror(file_) == 0;
  }

 private:
  std::FILE* file_;
};

enum class Presence { kMissing, kReadable, kUnreadable };

Presence Probe(const std::string& path) {
  errno = 0;
  Reader reader(path);
  if (reader.IsOpen()) {
    return Presence::kReadable;
  }
  return errno == ENOENT ? Presence::kMissing : Presence::kUnreadable;
}

bool SameBytes(const std::string& first, const std::string& second) {
  Reader a(first);
  Reader b(second);
  if (!a.IsOpen() || !b.IsOpen()) {
    return false;
  }
  std::vector<char> bufferA;
  std::vector<char> bufferB;
  do {
    if (!a.Next(bufferA) || !b.Next(bufferB) || bufferA != bufferB) {
      return false;
    }
  } while (bufferA.size() == kChunkSize);
  return true;
}

bool CopyBytes(const std::string& from, const std::string& to) {
  Reader in(from);
  CSafeFileWriter out;
  if (!in.IsOpen() || !out.Open(to)) {
    return false;
  }
  std::vector<char> buffer;
  do {
    if (!in.Next(buffer) || !out.Write(buffer.data(), buffer.size())) {
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
