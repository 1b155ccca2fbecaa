// The named value of the system's autostart lists that starts this program at log-on.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tollward {

// A value longer than this cannot be read; the reader treats it as holding no switch.
constexpr std::size_t kAutostartReadLimit = 512;

// The machine's list starts the program for every user, administrators included, so it may only
// name a program that only administrators can replace. The user's own list serves everywhere
// else.
enum class AutostartList { kMachine, kUser };

// Nothing here tells the user of a failure: the caller decides what a refused write means.
class IAutostartStore {
 public:
  virtual ~IAutostartStore() = default;

  // The value's bytes as stored (a text written here comes back with its terminating zero).
  // False when there is no value, it is longer than kAutostartReadLimit, or access is refused.
  virtual bool Read(AutostartList list, std::string& data) noexcept = 0;
  // Stores the text as a zero-terminated string value, replacing any previous one; false when
  // it could not be stored.
  virtual bool Write(AutostartList list, const std::string& text) noexcept = 0;
  // False when a value is left that this user may not remove.
  virtual bool Delete(AutostartList list) noexcept = 0;
  // The system's program folders, where only administrators can place a program; without a
  // trailing backslash.
  virtual std::vector<std::string> AdministratorsProgramFolders() = 0;
};

}  // namespace tollward
