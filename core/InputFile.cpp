// A data file opened for reading, and the comparison of a file with the bytes a save would write.
#include "core/InputFile.h"

#include <cerrno>
#include <cstring>

namespace tollward {

CInputFile::CInputFile(const std::string& path) : fileSystem_(ActiveFileSystem()) {
  errno = 0;
  file_ = fileSystem_.OpenForReading(path);
  missing_ = file_ == nullptr && errno == ENOENT;
  // A store of many records is read through; a larger buffer takes fewer calls to the system.
  if (file_ != nullptr) {
    buffer_.reset(new char[kBufferSize]);  // left uninitialised: the file fills it
    std::setvbuf(file_, buffer_.get(), _IOFBF, kBufferSize);
  }
}

CInputFile::~CInputFile() {
  if (file_ != nullptr) {
    fileSystem_.Discard(file_);
  }
}

bool CInputFile::Read(void* data, std::size_t size) {
  return file_ != nullptr && std::fread(data, 1, size, file_) == size;
}

bool CInputFile::ReadSome(void* data, std::size_t size, std::size_t& got) {
  got = file_ != nullptr ? std::fread(data, 1, size, file_) : 0;
  return file_ != nullptr && std::ferror(file_) == 0;
}

std::uint64_t CInputFile::BytesLeft() {
  if (file_ == nullptr) {
    return 0;
  }
  const long here = std::ftell(file_);
  if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) {
    return 0;
  }
  const long end = std::ftell(file_);
  if (std::fseek(file_, here, SEEK_SET) != 0) {
    return 0;
  }
  return end > here ? static_cast<std::uint64_t>(end - here) : 0;
}

bool CFileComparison::Write(const void* data, std::size_t size) {
  if (!same_ || size == 0) {
    return same_;
  }
  buffer_.resize(size);
  same_ = file_.Read(buffer_.data(), size) && std::memcmp(buffer_.data(), data, size) == 0;
  return same_;
}

bool CFileComparison::Matched() {
  if (!same_) {
    return false;
  }
  unsigned char extra = 0;
  std::size_t got = 0;
  same_ = file_.ReadSome(&extra, 1, got) && got == 0;
  return same_;
}

}  // namespace tollward
