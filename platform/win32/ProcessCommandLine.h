// The command line of the running Windows process.
#pragma once

#include "platform/CommandLine.h"

namespace tollward {

class CProcessCommandLine final : public ICommandLine {
 public:
  std::string Text() const override;
};

// The one command line the program reads.
ICommandLine& SystemCommandLine();

}  // namespace tollward
