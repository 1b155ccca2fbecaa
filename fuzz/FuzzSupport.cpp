// What every file fuzzer shares: a scratch folder of its own, whole-file I/O, and a hard stop.
#include "fuzz/FuzzSupport.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tollward::fuzzing {
namespace {

const char kScratchPrefix[] = "tollward-fuzz-";

// A run that found something ended at once and left its folder behind; its process is gone.
void RemoveAbandonedFolders(const std::filesystem::path& base) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kScratchPrefix, 0) != 0) {
      continue;
    }
    const long pid = std::strtol(name.c_str() + sizeof kScratchPrefix - 1, nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      std::filesystem::remove_all(entry.path(), error);
    }
  }
}

class ScratchFolder {
 public:
  ScratchFolder() {
    // Shared memory where there is some: millions of tiny files should not wear a disk.
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error)) {
      base = std::filesystem::temp_directory_path();
    }
    RemoveAbandonedFolders(base);
    root_ = base / (kScratchPrefix + std::to_string(::getpid()));
    std::filesystem::remove_all(root_, error);
    if (!std::filesystem::create_directories(root_, error)) {
      std::fprintf(stderr, "cannot create the scratch folder %s\n", root_.c_str());
      std::abort();
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

}  // namespace

std::string ScratchPath(const std::string& name) {
  static ScratchFolder folder;
  return folder.Path(name);
}

void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::fprintf(stderr, "cannot write the input to %s\n", path.c_str());
    std::abort();
  }
}

Bytes ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

void Fail(const char* what) {
  std::fprintf(stderr, "==tollward-fuzz== check failed: %s\n", what);
  std::abort();
}

}  // namespace tollward::fuzzing
