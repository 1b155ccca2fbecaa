// The options record as the running program holds it: its failures are shown to the user.
#pragma once

#include "options/Options.h"

namespace tollward {

extern const char kOptionsErrorPrefix[];

class CInteractiveOptions : public COptions {
 public:
  // Over the machine's autostart value and the process's own command line.
  CInteractiveOptions();
  CInteractiveOptions(IAutostartStore& autostart, const ICommandLine& commandLine);
  // Adds nothing: the base destructor saves as a plain COptions, so its failures stay unseen.
  ~CInteractiveOptions() override = default;

  // The application's message box with the exclamation icon, whatever the error's kind.
  void ReportError() override;

 protected:
  // Names the value and who can remove it.
  void ReportMachineAutostartLeft() override;
};

}  // namespace tollward
