// A rasapi32.dll as another program would drop it beside Tollward: it marks that it was loaded,
// and its phonebook holds one entry that no real phonebook of a test has.
#include "platform/win32/WinApi.h"

#include <ras.h>
#include <raserror.h>

#include <cstring>
#include <cwchar>

namespace {

HMODULE g_self = nullptr;

// "<this DLL's path>.loaded", so that the test finds the mark beside the DLL it planted.
void Mark() {
  wchar_t path[MAX_PATH + 8] = {};
  const DWORD length = ::GetModuleFileNameW(g_self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return;
  }
  std::wcscat(path, L".loaded");
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ::CloseHandle(file);
  }
}

constexpr char kPlantedEntry[] = "Planted";

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_self = instance;
    Mark();
  }
  return TRUE;
}

DWORD APIENTRY RasEnumEntriesA(LPCSTR, LPCSTR, LPRASENTRYNAMEA entries, LPDWORD size,
                               LPDWORD count) {
  *count = 1;
  if (entries == nullptr || *size < entries->dwSize) {
    *size = 264;
    return ERROR_BUFFER_TOO_SMALL;
  }
  std::strcpy(entries->szEntryName, kPlantedEntry);
  return 0;
}

DWORD APIENTRY RasGetEntryDialParamsA(LPCSTR, LPRASDIALPARAMSA params, LPBOOL) {
  params->szUserName[0] = params->szPassword[0] = '\0';
  return 0;
}

DWORD APIENTRY RasGetEntryPropertiesA(LPCSTR, LPCSTR, LPRASENTRYA entry, LPDWORD size, LPBYTE,
                                      LPDWORD) {
  if (entry == nullptr || *size < 1768) {
    *size = 1768;
    return ERROR_BUFFER_TOO_SMALL;
  }
  std::strcpy(entry->szLocalPhoneNumber, "0190666");
  return 0;
}

DWORD APIENTRY RasSetEntryDialParamsA(LPCSTR, LPRASDIALPARAMSA, BOOL) {
  return 0;
}

DWORD APIENTRY RasEditPhonebookEntryA(HWND, LPCSTR, LPCSTR) {
  return 0;
}
}
