// Writes a data file so that a failed or interrupted save never destroys the previous good file.
#include "core/SafeFileWriter.h"

namespace tollward {

bool CSafeFileWriter::Open(const std::string& targetPath) {
  Abandon();
  targetPath_ = targetPath;
  temporaryPath_ = TemporaryPathFor(targetPath);
  file_ = fileSystem_.Create(temporaryPath_);
  return file_ != nullptr;
}

bool CSafeFileWriter::Write(const void* data, std::size_t size) {
  if (file_ == nullptr) {
    return false;
  }
  return size == 0 || fileSystem_.Write(file_, data, size) == size;
}

bool CSafeFileWriter::Commit() {
  if (file_ == nullptr) {
    return false;
  }
  std::FILE* file = file_;
  file_ = nullptr;
  if (!fileSystem_.Close(file) || !fileSystem_.Replace(temporaryPath_, targetPath_)) {
    fileSystem_.Remove(temporaryPath_);
    return false;
  }
  return true;
}

void CSafeFileWriter::Abandon() {
  if (file_ != nullptr) {
    // Flushing bytes that are removed the next moment would only cost a wait for the disk.
    fileSystem_.Discard(file_);
    file_ = nullptr;
    fileSystem_.Remove(temporaryPath_);
  }
}

}  // namespace tollward
