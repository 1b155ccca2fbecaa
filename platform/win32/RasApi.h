// The five RASAPI32 calls, taken at run time from the system folder and from nowhere else.
#pragma once

#include "platform/win32/WinApi.h"

#include <ras.h>

namespace tollward {

// The calls as the system's library exports them, under their own names.
struct RasApi {
  decltype(&::RasEnumEntriesA) enumEntries = nullptr;
  decltype(&::RasGetEntryDialParamsA) getEntryDialParams = nullptr;
  decltype(&::RasGetEntryPropertiesA) getEntryProperties = nullptr;
  decltype(&::RasSetEntryDialParamsA) setEntryDialParams = nullptr;
  decltype(&::RasEditPhonebookEntryA) editPhonebookEntry = nullptr;
};

// RASAPI32 is no known DLL of the system, so a plain load would look in the program's folder
// first, where any program of the user may drop a library of that name. Loaded once and kept
// for the life of the process; null when the library or one of the calls cannot be had.
const RasApi* SystemRasApi();

}  // namespace tollward
