// The instance marker of Windows: a named semaphore, which disappears with its last holder.
#include "platform/win32/NamedSemaphoreMarker.h"

#include "platform/win32/WinApi.h"

#include <utility>

namespace tollward {

const char kInstanceMarkerName[] = "semTollward";

CNamedSemaphoreMarker::CNamedSemaphoreMarker(std::string name) : name_(std::move(name)) {}

CNamedSemaphoreMarker::~CNamedSemaphoreMarker() {
  if (handle_ != nullptr) {
    CloseHandle(handle_);
  }
}

bool CNamedSemaphoreMarker::IsHeld() {
  // Only the name matters: the handle is closed at once, the semaphore never waited on.
  HANDLE other = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, name_.c_str());
  if (other == nullptr) {
    return false;
  }
  CloseHandle(other);
  return true;
}

bool CNamedSemaphoreMarker::Take() {
  if (handle_ != nullptr) {
    return true;
  }
  handle_ = CreateSemaphoreA(nullptr, 1, 1, name_.c_str());
  return handle_ != nullptr;
}

}  // namespace tollward
