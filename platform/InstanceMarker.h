// A name that tells other processes of the same user that the program is already running.
#pragma once

namespace tollward {

// Checking and taking are two steps, so two processes started in the same instant may both
// find the name free; the marker is a courtesy to the user, not a lock.
class IInstanceMarker {
 public:
  virtual ~IInstanceMarker() = default;

  // True when some process holds the name now.
  virtual bool IsHeld() = 0;
  // Takes the name for as long as this object lives; false when the system refused.
  virtual bool Take() = 0;
};

}  // namespace tollward
