// The application: one instance at a time, the switches, and the control center run modally.
#pragma once

#include <memory>

#include "platform/win32/NamedSemaphoreMarker.h"

namespace tollward {

class CTollwardApp {
 public:
  CTollwardApp() = default;
  CTollwardApp(const CTollwardApp&) = delete;
  CTollwardApp& operator=(const CTollwardApp&) = delete;

  // The whole run of the program: returns when the control center has ended and done its final
  // writes, or at once when another instance runs. Always false, the framework's sign that the
  // program ends.
  bool InitInstance();

 private:
  // Held to the very end of the process, final writes included, so that no second instance
  // can start on the files meanwhile.
  std::unique_ptr<CNamedSemaphoreMarker> m_instanceSemaphore;
};

}  // namespace tollward
