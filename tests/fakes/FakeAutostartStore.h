// An autostart store in memory that keeps the bytes as the system would, limit included.
#pragma once

#include <optional>
#include <string>

#include "platform/AutostartStore.h"

namespace tollward::testing {

class FakeAutostartStore : public IAutostartStore {
 public:
  // The stored bytes; a written text is kept with its terminating zero, as the system keeps it.
  std::optional<std::string> data;
  // As for a user who may not open the machine's key: nothing is read, written or removed.
  bool refuseAccess = false;
  int writes = 0;
  int deletes = 0;

  void SetText(const std::string& text) { data = text + '\0'; }
  // The text up to its first zero; empty when there is no value.
  std::string Text() const { return data ? std::string(data->c_str()) : std::string(); }

  bool Read(std::string& out) noexcept override {
    if (refuseAccess || !data || data->size() > kAutostartReadLimit) {
      return false;
    }
    out = *data;
    return true;
  }
  void Write(const std::string& text) noexcept override {
    ++writes;
    if (!refuseAccess) {
      SetText(text);
    }
  }
  void Delete() noexcept override {
    ++deletes;
    if (!refuseAccess) {
      data.reset();
    }
  }
};

}  // namespace tollward::testing
