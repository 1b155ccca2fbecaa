// Which file system the saves use: the system's, or a test's stand-in.
#include "platform/FileSystem.h"

namespace tollward {
namespace {
IFileSystem* active = nullptr;
}  // namespace

IFileSystem& ActiveFileSystem() {
  return active != nullptr ? *active : SystemFileSystem();
}

ScopedFileSystem::ScopedFileSystem(IFileSystem& replacement) : previous_(active) {
  active = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() {
  active = previous_;
}

}  // namespace tollward
