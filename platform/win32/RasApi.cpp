// The five RASAPI32 calls, taken at run time from the system folder and from nowhere else.
#include "platform/win32/RasApi.h"

#include "platform/win32/KernelHandles.h"

namespace tollward {
namespace {

template <typename Function>
bool Take(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  return function != nullptr;
}

RasApi* Load() {
  static RasApi api;
  CLibrary library(::LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!library || !Take(library.get(), "RasEnumEntriesA", api.enumEntries) ||
      !Take(library.get(), "RasGetEntryDialParamsA", api.getEntryDialParams) ||
      !Take(library.get(), "RasGetEntryPropertiesA", api.getEntryProperties) ||
      !Take(library.get(), "RasSetEntryDialParamsA", api.setEntryDialParams) ||
      !Take(library.get(), "RasEditPhonebookEntryA", api.editPhonebookEntry)) {
    return nullptr;
  }
  // The calls taken are used until the process ends.
  library.release();
  return &api;
}

}  // namespace

const RasApi* SystemRasApi() {
  static const RasApi* const api = Load();
  return api;
}

}  // namespace tollward
