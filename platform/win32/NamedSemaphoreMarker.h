// The instance marker of Windows: a named semaphore, which disappears with its last holder.
#pragma once

#include <string>

#include "platform/InstanceMarker.h"

namespace tollward {

extern const char kInstanceMarkerName[];

class CNamedSemaphoreMarker final : public IInstanceMarker {
 public:
  explicit CNamedSemaphoreMarker(std::string name = kInstanceMarkerName);
  ~CNamedSemaphoreMarker() override;
  CNamedSemaphoreMarker(const CNamedSemaphoreMarker&) = delete;
  CNamedSemaphoreMarker& operator=(const CNamedSemaphoreMarker&) = delete;

  bool IsHeld() override;
  bool Take() override;

 private:
  std::string name_;
  void* handle_ = nullptr;
};

}  // namespace tollward
