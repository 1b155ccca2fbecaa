// The five RASAPI32 calls, taken at run time from the system folder and from nowhere else.
#include "platform/win32/RasApi.h"

namespace tollward {
namespace {

template <typename Function>
bool Take(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  return function != nullptr;
}

RasApi* Load() {
  static RasApi api;
  HMODULE library = ::LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) {
    return nullptr;
  }
  if (!Take(library, "RasEnumEntriesA", api.enumEntries) ||
      !Take(library, "RasGetEntryDialParamsA", api.getEntryDialParams) ||
      !Take(library, "RasGetEntryPropertiesA", api.getEntryProperties) ||
      !Take(library, "RasSetEntryDialParamsA", api.setEntryDialParams) ||
      !Take(library, "RasEditPhonebookEntryA", api.editPhonebookEntry)) {
    ::FreeLibrary(library);
    return nullptr;
  }
  return &api;
}

}  // namespace

const RasApi* SystemRasApi() {
  static const RasApi* const api = Load();
  return api;
}

}  // namespace tollward
