// The command line of the running Windows process, and the file it runs.
#pragma once

#include "platform/CommandLine.h"

namespace tollward {

class CProcessCommandLine final : public ICommandLine {
 public:
  std::string Text() const override;
  // The module's file name in the code page; its short name when the long one does not fit.
  std::string ProgramFile() const override;
};

// The one command line the program reads.
ICommandLine& SystemCommandLine();

}  // namespace tollward
