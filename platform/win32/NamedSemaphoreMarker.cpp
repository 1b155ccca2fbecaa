// The instance marker of Windows: a named semaphore, which disappears with its last holder.
#include "platform/win32/NamedSemaphoreMarker.h"

#include <utility>

namespace tollward {

const char kInstanceMarkerName[] = "semTollward";

CNamedSemaphoreMarker::CNamedSemaphoreMarker(std::string name) : name_(std::move(name)) {}

bool CNamedSemaphoreMarker::IsHeld() {
  // Only the name matters: the handle is closed at once, the semaphore never waited on.
  return static_cast<bool>(CHandle(OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, name_.c_str())));
}

bool CNamedSemaphoreMarker::Take() {
  if (!handle_) {
    handle_.reset(CreateSemaphoreA(nullptr, 1, 1, name_.c_str()));
  }
  return static_cast<bool>(handle_);
}

}  // namespace tollward
