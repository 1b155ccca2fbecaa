// A command line given by the test instead of the process's own.
#pragma once

#include <string>
#include <utility>

#include "platform/CommandLine.h"

namespace tollward::testing {

class FakeCommandLine : public ICommandLine {
 public:
  explicit FakeCommandLine(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace tollward::testing
