// How a model class shows one of its error reports to the user, without knowing the window system.
#pragma once

#include "platform/NativeWindow.h"

namespace tollward {

// The icon tells the user whether the failure was expected (a refusal, a missing file) or not.
enum class ErrorBoxIcon {
  kInformation,
  kStop,
};

class IErrorBox {
 public:
  virtual ~IErrorBox() = default;

  // Shows text under caption with an OK button only, owned by owner (none: the active window)
  // and kept above other windows; returns when the user has closed it. Never throws.
  virtual void Show(NativeWindow owner, const char* text, const char* caption,
                    ErrorBoxIcon icon) = 0;
};

// The system's own message box on Windows; elsewhere the report goes to the standard error
// stream, since there is no desktop to show it on.
IErrorBox& SystemErrorBox();

}  // namespace tollward
