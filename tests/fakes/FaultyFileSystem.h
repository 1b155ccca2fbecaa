// A file system that behaves like the real one until told where to fail.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "platform/FileSystem.h"

namespace tollward::testing {

class FaultyFileSystem : public IFileSystem {
 public:
  static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

  bool failCreate = false;
  // Writes stop short once this many bytes in all have been written since the last Create.
  std::size_t stopAfterBytes = kNever;
  bool failClose = false;
  bool failReplace = false;
  // Refused as the target of a replacement, as a file another program holds open.
  std::string heldForWriting;
  // Refused for reading as a file that another program holds open without sharing.
  std::string heldByAnother;

  std::FILE* Create(const std::string& path) override;
  std::size_t Write(std::FILE* file, const void* data, std::size_t size) override;
  bool Close(std::FILE* file) override;
  void Discard(std::FILE* file) override;
  std::FILE* OpenForReading(const std::string& path) override;
  bool Replace(const std::string& source, const std::string& target) override;
  void Remove(const std::string& path) override;

 private:
  std::size_t written_ = 0;
};

}  // namespace tollward::testing
