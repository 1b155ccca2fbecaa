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

  // Changes made after it returns are reported. False when nothing could be watched.
  virtual bool Start(NativeWindow window, unsigned message) = 0;
  // Once it returns no further message is posted; one already posted may still arrive.
  virtual void Stop() = 0;
};

}  // namespace tollward
