// The system's file system, counting what reaches the disk: which files were replaced, and how
// often a file was flushed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tollward::testing {

class CountingFileSystem : public IFileSystem {
 public:
  // The targets of every replacement, in order.
  std::vector<std::string> replaced;
  std::size_t flushes = 0;
  std::size_t reads = 0;

  std::FILE* Create(const std::string& path) override { return SystemFileSystem().Create(path); }
  std::size_t Write(std::FILE* file, const void* data, std::size_t size) override {
    return SystemFileSystem().Write(file, data, size);
  }
  bool Close(std::FILE* file) override {
    ++flushes;
    return SystemFileSystem().Close(file);
  }
  void Discard(std::FILE* file) override { SystemFileSystem().Discard(file); }
  std::FILE* OpenForReading(const std::string& path) override {
    ++reads;
    return SystemFileSystem().OpenForReading(path);
  }
  bool Replace(const std::string& source, const std::string& target) override {
    replaced.push_back(target);
    return SystemFileSystem().Replace(source, target);
  }
  void Remove(const std::string& path) override { SystemFileSystem().Remove(path); }
};

}  // namespace tollward::testing
