// The file system of the native build: stdio plus rename(2), which replaces in one step.
#include <unistd.h>

#include <cstdio>

#include "platform/FileSystem.h"

namespace tollward {
namespace {

class PosixFileSystem final : public IFileSystem {
 public:
  std::FILE* Create(const std::string& path) override { return std::fopen(path.c_str(), "wb"); }
  std::size_t Write(std::FILE* file, const void* data, std::size_t size) override {
    return std::fwrite(data, 1, size, file);
  }
  bool Close(std::FILE* file) override {
    bool ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    return std::fclose(file) == 0 && ok;
  }
  void Discard(std::FILE* file) override { std::fclose(file); }
  std::FILE* OpenForReading(const std::string& path) override {
    return std::fopen(path.c_str(), "rb");
  }
  bool Replace(const std::string& source, const std::string& target) override {
    return std::rename(source.c_str(), target.c_str()) == 0;
  }
  void Remove(const std::string& path) override { std::remove(path.c_str()); }
};

}  // namespace

IFileSystem& SystemFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace tollward
