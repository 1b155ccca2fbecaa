// The connection list as the running program holds it: its failures are shown to the user.
#include "app/InteractiveRASConnections.h"

#include <windows.h>

#include "ui/framework/AppMessageBox.h"

namespace tollward {

CInteractiveRASConnections::CInteractiveRASConnections(IPhonebook& phonebook)
    : CRASConnections(phonebook) {}

void CInteractiveRASConnections::ReportError() {
  const UINT icon = unexpectedError() ? MB_ICONHAND : MB_ICONASTERISK;
  ui::AppMessageBox(errorText().c_str(), MB_OK | MB_TOPMOST | icon);
}

void CInteractiveRASConnections::OnManipulatedConnection(const ConnectionRecord& checked,
                                                         unsigned index,
                                                         const ConnectionRecord& differences) {
  CRASConnections::OnManipulatedConnection(checked, index, differences);
}

}  // namespace tollward
