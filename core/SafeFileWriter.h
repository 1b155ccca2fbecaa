// Writes a data file so that a failed or interrupted save never destroys the previous good file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/FileSystem.h"

namespace tollward {

// The new content goes to a file beside the target ("<target>.new"); only a complete, flushed
// file replaces the target, in one step. Until Commit succeeds the target keeps its old bytes.
class CSafeFileWriter {
 public:
  CSafeFileWriter() : fileSystem_(ActiveFileSystem()) {}
  ~CSafeFileWriter() { Abandon(); }
  CSafeFileWriter(const CSafeFileWriter&) = delete;
  CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

  // False when the file beside the target cannot be created ("unable to open file for writing").
  bool Open(const std::string& targetPath);
  // False when the write does not complete; the target is untouched either way.
  bool Write(const void* data, std::size_t size);
  // Closes and puts the new file in the target's place. False leaves the target as it was.
  bool Commit();
  // Drops what was written so far; the target stays as it was.
  void Abandon();

  static std::string TemporaryPathFor(const std::string& targetPath) { return targetPath + ".new"; }

 private:
  IFileSystem& fileSystem_;
  std::FILE* file_ = nullptr;
  std::string targetPath_;
  std::string temporaryPath_;
};

}  // namespace tollward
