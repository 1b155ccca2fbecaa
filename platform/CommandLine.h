// The process's own command line, as the system passed it, and the file the process runs.
#pragma once

#include <string>

namespace tollward {

class ICommandLine {
 public:
  virtual ~ICommandLine() = default;

  // Empty when the system gives no command line at all.
  virtual std::string Text() const = 0;
  // The file the process runs, as the system knows it; empty when it cannot be named. Unlike
  // the command line's first token it is not chosen by whoever started the program.
  virtual std::string ProgramFile() const = 0;
};

}  // namespace tollward
