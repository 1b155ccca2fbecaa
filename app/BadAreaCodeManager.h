// The bad area code manager, opened from the control center or from its tray, and the
// registrations its codes now rule out.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "app/ControlCenterMonitor.h"
#include "app/EntryPane.h"
#include "core/RASBadAreaCodes.h"

namespace tollward {

void ManageBadAreaCodes(HWND owner, CRASBadAreaCodes& codes, EntryPanes& panes,
                        CControlCenterMonitor& monitor);

}  // namespace tollward
