// The autostart store of Windows: the value "Tollward" under the machine's and the user's Run key.
#pragma once

#include "platform/win32/WinApi.h"

#include "platform/AutostartStore.h"

namespace tollward {

extern const char kAutostartRunKey[];
extern const char kAutostartValueName[];

// Opens the key for each operation and closes it again, so that a change made by anyone else
// in between is always seen. Each opening asks only for the access its operation needs, so that
// a user who may not write the machine's list still sees its value.
class CRegistryAutostartStore final : public IAutostartStore {
 public:
  // The hives of the two lists; a test may name others.
  explicit CRegistryAutostartStore(HKEY machineRoot = HKEY_LOCAL_MACHINE,
                                   HKEY userRoot = HKEY_CURRENT_USER)
      : machineRoot_(machineRoot), userRoot_(userRoot) {}

  bool Read(AutostartList list, std::string& data) noexcept override;
  bool Write(AutostartList list, const std::string& text) noexcept override;
  bool Delete(AutostartList list) noexcept override;
  std::vector<std::string> AdministratorsProgramFolders() override;

 private:
  HKEY Root(AutostartList list) const {
    return list == AutostartList::kMachine ? machineRoot_ : userRoot_;
  }

  HKEY machineRoot_;
  HKEY userRoot_;
};

// The one store the program uses.
IAutostartStore& SystemAutostartStore();

}  // namespace tollward
