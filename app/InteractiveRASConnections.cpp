// The connection list as the running program holds it: failures and manipulations are shown.
#include "app/InteractiveRASConnections.h"

#include "platform/win32/WinApi.h"

#include "ui/dialogs/ManipulatedConnectionDlg.h"
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
  ui::ShowManipulatedConnection(*this, checked, index, differences, CheckedDetails());
}

}  // namespace tollward
