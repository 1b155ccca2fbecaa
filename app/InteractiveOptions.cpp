// The options record as the running program holds it: its failures are shown to the user.
#include "app/InteractiveOptions.h"

#include "platform/win32/WinApi.h"

#include <string>

#include "platform/win32/ProcessCommandLine.h"
#include "platform/win32/RegistryAutostartStore.h"
#include "res/resource.h"
#include "platform/win32/MessageBox.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

const char kOptionsErrorPrefix[] = "Options Error: \n\n";

CInteractiveOptions::CInteractiveOptions()
    : CInteractiveOptions(SystemAutostartStore(), SystemCommandLine()) {}

CInteractiveOptions::CInteractiveOptions(IAutostartStore& autostart,
                                         const ICommandLine& commandLine)
    : COptions(autostart, commandLine) {}

void CInteractiveOptions::ReportError() {
  const std::string text = kOptionsErrorPrefix + errorText();
  ShowMessageBox(nullptr, text.c_str(), ui::AppTitle().c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void CInteractiveOptions::ReportMachineAutostartLeft() {
  ShowMessageBox(nullptr, ui::LoadResString(IDS_AUTOSTART_MACHINE_LEFT).c_str(),
                 ui::AppTitle().c_str(), MB_ICONINFORMATION | MB_OK);
}

}  // namespace tollward
