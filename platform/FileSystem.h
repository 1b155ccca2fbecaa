// The few file operations the data files need, behind one seam so that tests can make each one
// fail and count what reaches the disk.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tollward {

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Creates or truncates a file for binary writing; null on failure.
  virtual std::FILE* Create(const std::string& path) = 0;
  // Returns the number of bytes written; fewer than size means the write stopped short.
  virtual std::size_t Write(std::FILE* file, const void* data, std::size_t size) = 0;
  // Flushes to the disk and closes; false if anything written may not have reached the file.
  virtual bool Close(std::FILE* file) = 0;
  // Closes without waiting for the disk: a file that was only read, or a half-written one whose
  // content is about to be thrown away.
  virtual void Discard(std::FILE* file) = 0;
  // Opens an existing file for binary reading; null when it is missing or may not be read, with
  // errno telling which.
  virtual std::FILE* OpenForReading(const std::string& path) = 0;
  // Puts source in the place of target in one step; target keeps its old content on failure.
  virtual bool Replace(const std::string& source, const std::string& target) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The system's file system, unless a test has put another in its place.
IFileSystem& ActiveFileSystem();

// For the lifetime of this object every save goes through the given file system.
class CScopedFileSystem {
 public:
  explicit CScopedFileSystem(IFileSystem& replacement);
  ~CScopedFileSystem();
  CScopedFileSystem(const CScopedFileSystem&) = delete;
  CScopedFileSystem& operator=(const CScopedFileSystem&) = delete;

 private:
  IFileSystem* previous_;
};

// The operating system's own implementation (platform/posix or platform/win32).
IFileSystem& SystemFileSystem();

}  // namespace tollward
