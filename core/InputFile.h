// A data file opened for reading, and the comparison of a file with the bytes a save would write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tollward {

// Opened through the active file system and closed with the owner, without a flush.
class CInputFile {
 public:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  explicit CInputFile(const std::string& path);
  ~CInputFile();
  CInputFile(const CInputFile&) = delete;
  CInputFile& operator=(const CInputFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The file could not be opened because there is none; not for a file another program holds
  // or this user may not read.
  bool IsMissing() const { return missing_; }
  std::FILE* get() const { return file_; }

  // Exactly `size` bytes, or false.
  bool Read(void* data, std::size_t size);
  // As many bytes as the file still holds, up to `size`, in `got`; false on a read error.
  bool ReadSome(void* data, std::size_t size, std::size_t& got);
  // The bytes from here to the end; 0 when that cannot be learnt.
  std::uint64_t BytesLeft();

 private:
  IFileSystem& fileSystem_;
  // Given to the file as its buffer; a buffer left to the C library may keep its small default.
  std::unique_ptr<char[]> buffer_;
  std::FILE* file_ = nullptr;
  bool missing_ = false;
};

// Tells whether a file holds exactly the bytes handed to it piece by piece, as a writer is handed
// them, so that one sequence of writes serves a save and its comparison. It reads only as far as
// the pieces go and stops at the first difference; a file that cannot be read never matches.
class CFileComparison {
 public:
  explicit CFileComparison(const std::string& path) : file_(path), same_(file_.IsOpen()) {}

  // False from the first piece that differs on.
  bool Write(const void* data, std::size_t size);
  // True when every piece matched and the file holds nothing after them.
  bool Matched();

 private:
  CInputFile file_;
  bool same_;
  std::vector<unsigned char> buffer_;
};

}  // namespace tollward
