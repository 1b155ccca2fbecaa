// The command line of the running Windows process.
#include "platform/win32/ProcessCommandLine.h"

#include "platform/win32/WinApi.h"

namespace tollward {

std::string CProcessCommandLine::Text() const {
  const char* text = GetCommandLineA();
  return text != nullptr ? text : "";
}

ICommandLine& SystemCommandLine() {
  static CProcessCommandLine commandLine;
  return commandLine;
}

}  // namespace tollward
