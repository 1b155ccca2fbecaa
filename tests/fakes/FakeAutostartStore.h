// Autostart lists in memory that keep the bytes as the system would, limit included.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/AutostartStore.h"

namespace tollward::testing {

// One list's value.
struct FakeAutostartValue {
  // The stored bytes; a written text is kept with its terminating zero, as the system keeps it.
  std::optional<std::string> data;
  // As for a user who may not open the list's key: nothing is read, written or removed.
  bool refuseAccess = false;
  // As for a user who may read the list but not change it.
  bool readOnly = false;
  int writes = 0;
  int deletes = 0;

  void SetText(const std::string& text) { data = text + '\0'; }
  // The text up to its first zero; empty when there is no value.
  std::string Text() const { return data ? std::string(data->c_str()) : std::string(); }
};

// The machine's value is the store's own; the user's is `user`.
class FakeAutostartStore : public IAutostartStore, public FakeAutostartValue {
 public:
  FakeAutostartValue user;

  bool Read(AutostartList list, std::string& out) noexcept override {
    const FakeAutostartValue& value = Of(list);
    if (value.refuseAccess || !value.data || value.data->size() > kAutostartReadLimit) {
      return false;
    }
    out = *value.data;
    return true;
  }
  bool Write(AutostartList list, const std::string& text) noexcept override {
    FakeAutostartValue& value = Of(list);
    ++value.writes;
    if (value.refuseAccess || value.readOnly) {
      return false;
    }
    value.SetText(text);
    return true;
  }
  bool Delete(AutostartList list) noexcept override {
    FakeAutostartValue& value = Of(list);
    ++value.deletes;
    if (!value.refuseAccess && !value.readOnly) {
      value.data.reset();
    }
    return !value.data.has_value();
  }
  std::vector<std::string> AdministratorsProgramFolders() override { return programFolders; }

  // The system's program folders.
  std::vector<std::string> programFolders = {"C:\\Program Files", "C:\\Program Files (x86)"};

 private:
  FakeAutostartValue& Of(AutostartList list) {
    return list == AutostartList::kMachine ? *this : user;
  }
  const FakeAutostartValue& Of(AutostartList list) const {
    return list == AutostartList::kMachine ? *this : user;
  }
};

}  // namespace tollward::testing
