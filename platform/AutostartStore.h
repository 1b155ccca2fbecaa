// The one named value of the system's per-machine autostart list that starts this program.
#pragma once

#include <cstddef>
#include <string>

namespace tollward {

// A value longer than this cannot be read; the reader treats it as holding no switch.
constexpr std::size_t kAutostartReadLimit = 512;

// Every operation fails silently: a user without write access to the machine's list simply
// gets no autostart, and nobody is told.
class IAutostartStore {
 public:
  virtual ~IAutostartStore() = default;

  // The value's bytes as stored (a text written here comes back with its terminating zero).
  // False when there is no value, it is longer than kAutostartReadLimit, or access is refused.
  virtual bool Read(std::string& data) noexcept = 0;
  // Stores the text as a zero-terminated string value, replacing any previous one.
  virtual void Write(const std::string& text) noexcept = 0;
  virtual void Delete() noexcept = 0;
};

}  // namespace tollward
