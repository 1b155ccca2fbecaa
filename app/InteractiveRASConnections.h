// The connection list as the running program holds it: its failures are shown to the user.
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
  // The report dialog of a manipulated connection comes with that dialog; until then the
  // list's own answer stands.
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override;
};

}  // namespace tollward
