// Tells a window that the files holding the dial-up phonebook have changed.
#pragma once

#include "platform/NativeWindow.h"

namespace tollward {

// Which files are watched is the implementation's knowledge; the caller only learns that one
// of them changed. The window receives the message with both parameters 0, possibly several
// times for one write, and must not rely on any message arriving (the check on the timer stays).
class IPhonebookWatcher {
 public:
  virtual ~IPhonebookWatcher() = default;

  // Changes made after it returns are reported. False when the watching could not be set up.
  virtual bool Start(NativeWindow window, unsigned message) = 0;
  // Checks the watched folders against their paths, and watches what is there now: a folder
  // may appear, go, or be replaced behind the watcher's back. Any such move counts as a change.
  virtual void Recheck() = 0;
  // Once it returns no further message is posted; one already posted may still arrive.
  virtual void Stop() = 0;
};

}  // namespace tollward
