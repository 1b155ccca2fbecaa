// The connection list as the running program holds it: failures and manipulations are shown.
#pragma once

#include "core/RASConnections.h"

namespace tollward {

class CInteractiveRASConnections : public CRASConnections {
 public:
  explicit CInteractiveRASConnections(IPhonebook& phonebook);
  // Adds nothing: the base destructor saves as a plain CRASConnections, so its failures stay
  // unseen.
  ~CInteractiveRASConnections() override = default;

  // The application's message box, top-most, with the stop icon for unexpected failures and
  // the information icon for the others.
  void ReportError() override;
  // Shows the registered values of the checked record beside this list's values of the entry
  // at `index`, and waits until the user closes that report. An entry the check did not find
  // (the differences then carry its name) shows nothing.
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override;
};

}  // namespace tollward
