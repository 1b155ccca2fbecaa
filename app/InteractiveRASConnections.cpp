// The connection list as the running program holds it: failures and manipulations are shown.
#include "app/InteractiveRASConnections.h"

#include "ui/dialogs/ManipulatedConnectionDlg.h"
#include "platform/ErrorBox.h"
#include "ui/dialogs/AppTitle.h"

namespace tollward {

CInteractiveRASConnections::CInteractiveRASConnections(IPhonebook& phonebook)
    : CRASConnections(phonebook) {}

void CInteractiveRASConnections::ReportError() {
  // Owned by whichever window of the program is active: the list has none of its own.
  SystemErrorBox().Show(nullptr, errorText().c_str(), ui::AppTitle().c_str(), ReportIcon());
}

void CInteractiveRASConnections::OnManipulatedConnection(const ConnectionRecord& checked,
                                                         unsigned index,
                                                         const ConnectionRecord& differences) {
  ui::ShowManipulatedConnection(*this, checked, index, differences, CheckedDetails());
}

}  // namespace tollward
