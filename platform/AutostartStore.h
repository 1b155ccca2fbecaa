// The named value of the system's autostart lists that starts this program at log-on.
#pragma once

#include <cstddef>
#include <string>

namespace tollward {

// A value longer than this cannot be read; the reader treats it as holding no switch.
constexpr std::size_t kAutostartReadLimit = 512;

// The machine's list starts the program for everyone and is the first choice; only an
// administrator may write it. The user's own list is where an ordinary user's choice goes.
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
  virtual void Delete(AutostartList list) noexcept = 0;
};

}  // namespace tollward
