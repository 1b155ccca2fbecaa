// A command line and program file given by the test instead of the process's own.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "options/ProgramLocation.h"
#include "platform/CommandLine.h"

namespace tollward::testing {

// Without a program file of its own, the program runs the file its command line names, as in
// every ordinary start.
class FakeCommandLine : public ICommandLine {
 public:
  explicit FakeCommandLine(std::string text, std::optional<std::string> programFile = {})
      : text_(std::move(text)), programFile_(std::move(programFile)) {}
  std::string Text() const override { return text_; }
  std::string ProgramFile() const override {
    return programFile_ ? *programFile_ : ProgramLocationFromCommandLine(text_).path;
  }

 private:
  std::string text_;
  std::optional<std::string> programFile_;
};

}  // namespace tollward::testing
