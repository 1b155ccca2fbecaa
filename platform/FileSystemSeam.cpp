// Which file system the saves use: the system's, or a test's stand-in.
#include "platform/FileSystem.h"

namespace tollward {
namespace {
IFileSystem* active = nullptr;
}  // namespace

IFileSystem& ActiveFileSystem() {
  return active != nullptr ? *active : SystemFileSystem();
}

CScopedFileSystem::CScopedFileSystem(IFileSystem& replacement) : previous_(active) {
  active = &replacement;
}

CScopedFileSystem::~CScopedFileSystem() {
  active = previous_;
}

}  // namespace tollward
