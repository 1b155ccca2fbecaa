// The autostart store of Windows: the value "Tollward" under the machine's Run key.
#pragma once

#include "platform/AutostartStore.h"

namespace tollward {

extern const char kAutostartRunKey[];
extern const char kAutostartValueName[];

// Opens the key for each operation and closes it again, so that a change made by anyone else
// in between is always seen. The key is opened with full access even for reading: a user who
// may not write there reads no autostart at all.
class CRegistryAutostartStore final : public IAutostartStore {
 public:
  bool Read(std::string& data) noexcept override;
  void Write(const std::string& text) noexcept override;
  void Delete() noexcept override;
};

// The one store the program uses.
IAutostartStore& SystemAutostartStore();

}  // namespace tollward
