// The application: one instance at a time, the switches, and the control center run modally.
#include "app/TollwardApp.h"

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include "app/ControlCenterDlg.h"
#include "logic/StartSwitches.h"
#include "platform/win32/ProcessCommandLine.h"
#include "platform/win32/RasApi.h"
#include "res/resource.h"
#include "platform/win32/MessageBox.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

bool CTollwardApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);

  // Without the phonebook there is nothing to guard, and a start without it would write an
  // empty store over the registrations.
  if (SystemRasApi() == nullptr) {
    ShowMessageBox(nullptr, ui::LoadResString(IDS_RAS_UNAVAILABLE).c_str(), ui::AppTitle().c_str(),
                   MB_OK | MB_ICONSTOP);
    return false;
  }

  auto marker = std::make_unique<CNamedSemaphoreMarker>();
  if (marker->IsHeld()) {
    // The running instance is left as it is, not even brought forward.
    ShowMessageBox(nullptr, ui::LoadResString(IDS_ANOTHER_INSTANCE).c_str(), ui::AppTitle().c_str(),
                   MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    return false;
  }
  // A marker the system refuses only costs the second-instance check; the program still runs.
  marker->Take();
  m_instanceSemaphore = std::move(marker);

  CControlCenterDlg controlCenter;
  controlCenter.SetSwitches(ReadStartSwitches(SystemCommandLine().Text()));
  controlCenter.DoModal();
  return false;
}

}  // namespace tollward
