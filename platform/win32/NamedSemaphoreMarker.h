// The instance marker of Windows: a named semaphore, which disappears with its last holder.
#pragma once

#include <string>

#include "platform/InstanceMarker.h"
#include "platform/win32/KernelHandles.h"

namespace tollward {

extern const char kInstanceMarkerName[];

class CNamedSemaphoreMarker final : public IInstanceMarker {
 public:
  explicit CNamedSemaphoreMarker(std::string name = kInstanceMarkerName);
  CNamedSemaphoreMarker(const CNamedSemaphoreMarker&) = delete;
  CNamedSemaphoreMarker& operator=(const CNamedSemaphoreMarker&) = delete;

  bool IsHeld() override;
  bool Take() override;

 private:
  std::string name_;
  CHandle handle_;
};

}  // namespace tollward
