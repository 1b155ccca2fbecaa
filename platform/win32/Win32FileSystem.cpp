// The file system of the Windows build: stdio plus MoveFileEx, which replaces an existing file.
#include "platform/win32/WinApi.h"

#include <io.h>

#include <cstdio>

#include "platform/FileSystem.h"

namespace tollward {
namespace {

class Win32FileSystem final : public IFileSystem {
 public:
  std::FILE* Create(const std::string& path) override { return std::fopen(path.c_str(), "wb"); }
  std::size_t Write(std::FILE* file, const void* data, std::size_t size) override {
    return std::fwrite(data, 1, size, file);
  }
  bool Close(std::FILE* file) override {
    bool ok = std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    return std::fclose(file) == 0 && ok;
  }
  void Discard(std::FILE* file) override { std::fclose(file); }
  std::FILE* OpenForReading(const std::string& path) override {
    return std::fopen(path.c_str(), "rb");
  }
  bool Replace(const std::string& source, const std::string& target) override {
    // rename() of the C runtime refuses an existing target; this call replaces it.
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }
};

}  // namespace

IFileSystem& SystemFileSystem() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace tollward
