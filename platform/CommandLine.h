// The process's own command line, as the system passed it, program path and quotes included.
#pragma once

#include <string>

namespace tollward {

class ICommandLine {
 public:
  virtual ~ICommandLine() = default;

  // Empty when the system gives no command line at all.
  virtual std::string Text() const = 0;
};

}  // namespace tollward
