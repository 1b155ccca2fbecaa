// A phonebook watcher that reports a change only while it has been started, as the system's does.
#pragma once

#include "platform/PhonebookWatcher.h"

namespace tollward::testing {

class FakePhonebookWatcher final : public IPhonebookWatcher {
 public:
  // As when none of the phonebook's folders exists.
  bool refuseStart = false;
  int starts = 0;

  bool Start(NativeWindow window, unsigned message) override {
    ++starts;
    window_ = window;
    message_ = message;
    running_ = !refuseStart;
    return running_;
  }
  void Stop() override { running_ = false; }
  void Recheck() override { ++rechecks; }

  int rechecks = 0;

  bool running() const { return running_; }
  // A write to one of the phonebook's files: true when the window would get the message.
  bool Change() const { return running_; }

 private:
  NativeWindow window_ = nullptr;
  unsigned message_ = 0;
  bool running_ = false;
};

}  // namespace tollward::testing
