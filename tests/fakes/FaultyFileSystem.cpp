// A file system that behaves like the real one until told where to fail.
#include "tests/fakes/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>

namespace tollward::testing {

std::FILE* FaultyFileSystem::Create(const std::string& path) {
  written_ = 0;
  return failCreate ? nullptr : SystemFileSystem().Create(path);
}

std::size_t FaultyFileSystem::Write(std::FILE* file, const void* data, std::size_t size) {
  const std::size_t room =
      stopAfterBytes == kNever ? size : stopAfterBytes - std::min(written_, stopAfterBytes);
  const std::size_t done = SystemFileSystem().Write(file, data, std::min(size, room));
  written_ += done;
  return done;
}

bool FaultyFileSystem::Close(std::FILE* file) {
  const bool closed = SystemFileSystem().Close(file);
  return closed && !failClose;
}

void FaultyFileSystem::Discard(std::FILE* file) {
  SystemFileSystem().Discard(file);
}

std::FILE* FaultyFileSystem::OpenForReading(const std::string& path) {
  if (!heldByAnother.empty() && path == heldByAnother) {
    errno = EACCES;
    return nullptr;
  }
  return SystemFileSystem().OpenForReading(path);
}

bool FaultyFileSystem::Replace(const std::string& source, const std::string& target) {
  return !failReplace && target != heldForWriting && SystemFileSystem().Replace(source, target);
}

void FaultyFileSystem::Remove(const std::string& path) {
  SystemFileSystem().Remove(path);
}

}  // namespace tollward::testing
