// The five RASAPI32 calls of the stand-in, answering as the system service does.
#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <cstring>
#include <string>

#include "platform/win32/Ras400.h"
#include "tools/rasemu/EntryEditor.h"
#include "tools/rasemu/PhonebookFile.h"

namespace {

using namespace tollward;

// The oldest layout a caller may pass and the newest the headers know; the newer ones only
// append fields, so the stand-in fills the common part of either.
bool KnownSize(DWORD size, DWORD oldest, DWORD newest) {
  return size == oldest || size == newest;
}

template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

template <std::size_t N>
void SetField(CHAR (&field)[N], const std::string& text) {
  const std::size_t length = text.size() < N ? text.size() : N - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

// Since Windows 2000 the service no longer hands out a saved password: the caller receives a
// handle to it, and the same handle given back keeps the saved password. Its contents are the
// service's own business; callers must not rely on them. The older answer, the password itself,
// is what RASEMU_REVEAL_PASSWORDS (any value but empty or 0) asks for.
constexpr char kSavedPasswordHandle[] = "****************";

bool RevealsPasswords() {
  char value[2] = {};
  const DWORD length = GetEnvironmentVariableA("RASEMU_REVEAL_PASSWORDS", value, sizeof(value));
  return length > 0 && !(length == 1 && value[0] == '0');
}

// What the caller receives in place of the stored password.
std::string PasswordAnswer(const std::string& stored) {
  if (stored.empty() || RevealsPasswords()) {
    return stored;
  }
  return kSavedPasswordHandle;
}

// What the entry keeps when the caller hands in `given`.
std::string PasswordToStore(const std::string& given, const std::string& stored,
                            BOOL removePassword) {
  if (removePassword) {
    return std::string();
  }
  if (given == kSavedPasswordHandle && !RevealsPasswords()) {
    return stored;
  }
  return given;
}

// RASIPADDR is a macro for the struct's name, so the fields are set one by one.
void SetAddress(RASIPADDR& field, const tollward::Ipv4Address& address) {
  field.a = address[0];
  field.b = address[1];
  field.c = address[2];
  field.d = address[3];
}

// The 4.00 part, which every later layout begins with.
void FillDetails(ras400::Entry& entry, const tollward::EntryDetails& details) {
  entry.dwfOptions = details.options;
  entry.dwCountryID = details.countryId;
  entry.dwCountryCode = details.countryCode;
  SetAddress(entry.ipaddr, details.ipAddress);
  SetAddress(entry.ipaddrDns, details.dnsAddress);
  SetAddress(entry.ipaddrDnsAlt, details.dnsAltAddress);
  SetAddress(entry.ipaddrWins, details.winsAddress);
  SetAddress(entry.ipaddrWinsAlt, details.winsAltAddress);
  entry.dwFramingProtocol = details.framingProtocol;
  entry.dwfNetProtocols = details.netProtocols;
  SetField(entry.szScript, details.script);
  SetField(entry.szAutodialDll, details.autodialDll);
  SetField(entry.szAutodialFunc, details.autodialFunc);
  SetField(entry.szDeviceType, details.deviceType);
  SetField(entry.szDeviceName, details.deviceName);
}

// The service never lets an exception cross into its caller.
template <typename Call>
DWORD Answer(Call call) {
  try {
    return call();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

}  // namespace

extern "C" {

DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR phonebook, LPRASENTRYNAMEA entries,
                             LPDWORD bufferSize, LPDWORD entryCount) {
  if (reserved != nullptr || bufferSize == nullptr || entryCount == nullptr ||
      (entries == nullptr && *bufferSize != 0)) {
    return ERROR_INVALID_PARAMETER;
  }
  const DWORD stride = entries != nullptr ? entries->dwSize : sizeof(RASENTRYNAMEA);
  if (!KnownSize(stride, sizeof(ras400::EntryName), sizeof(RASENTRYNAMEA))) {
    return ERROR_INVALID_SIZE;
  }
  return Answer([&]() -> DWORD {
    const rasemu::CPhonebookFile file(phonebook);
    if (!file.readable()) {
      return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    const auto& names = file.EntryNames();
    const DWORD count = static_cast<DWORD>(names.size());
    const DWORD needed = count * stride;
    *entryCount = count;
    if (*bufferSize < needed) {
      *bufferSize = needed;
      return ERROR_BUFFER_TOO_SMALL;
    }
    *bufferSize = needed;
    auto* element = reinterpret_cast<BYTE*>(entries);
    for (const std::string& name : names) {
      std::memset(element, 0, stride);
      auto* entry = reinterpret_cast<LPRASENTRYNAMEA>(element);
      entry->dwSize = stride;
      SetField(entry->szEntryName, name);
      if (stride == sizeof(RASENTRYNAMEA)) {
        entry->dwFlags = REN_User;
        SetField(entry->szPhonebookPath, file.path());
      }
      element += stride;
    }
    return 0;
  });
}

DWORD WINAPI RasGetEntryDialParamsA(LPCSTR phonebook, LPRASDIALPARAMSA params, LPBOOL hasPassword) {
  if (params == nullptr || hasPassword == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  const DWORD size = params->dwSize;
  if (!KnownSize(size, sizeof(ras400::DialParams), sizeof(RASDIALPARAMSA))) {
    return ERROR_INVALID_SIZE;
  }
  return Answer([&]() -> DWORD {
    const rasemu::CPhonebookFile file(phonebook);
    if (!file.readable()) {
      return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    const std::string name = FieldText(params->szEntryName);
    if (!file.Contains(name)) {
      return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    const rasemu::EntryValues values = file.Read(name);
    // Everything behind the name is the service's answer; nothing of the caller's stays.
    const std::size_t answerStart = offsetof(RASDIALPARAMSA, szPhoneNumber);
    std::memset(reinterpret_cast<BYTE*>(params) + answerStart, 0, size - answerStart);
    SetField(params->szUserName, values.userName);
    SetField(params->szPassword, PasswordAnswer(values.password));
    *hasPassword = values.password.empty() ? FALSE : TRUE;
    return 0;
  });
}

DWORD WINAPI RasGetEntryPropertiesA(LPCSTR phonebook, LPCSTR entryName, LPRASENTRYA entry,
                                    LPDWORD entrySize, [[maybe_unused]] LPBYTE deviceInfo,
                                    LPDWORD deviceInfoSize) {
  if (entrySize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (entry != nullptr && !KnownSize(entry->dwSize, sizeof(ras400::Entry), sizeof(RASENTRYA))) {
    return ERROR_INVALID_SIZE;
  }
  if (deviceInfoSize != nullptr) {
    *deviceInfoSize = 0;
  }
  return Answer([&]() -> DWORD {
    const rasemu::CPhonebookFile file(phonebook);
    if (!file.readable()) {
      return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    // No name asks for the properties of a new entry: all of them blank.
    rasemu::EntryValues values;
    tollward::EntryDetails details;
    if (entryName != nullptr && *entryName != '\0') {
      if (!file.Contains(entryName)) {
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
      }
      values = file.Read(entryName);
      details = file.ReadDetails(entryName);
    }
    // The alternate numbers follow the structure in the same buffer, each with its zero, the
    // list closed by an empty one.
    std::string alternates;
    for (const std::string& number : details.alternateNumbers) {
      alternates += number;
      alternates += '\0';
    }
    if (!alternates.empty()) {
      alternates += '\0';
    }
    const DWORD structure = entry != nullptr ? entry->dwSize : sizeof(RASENTRYA);
    const DWORD needed = structure + static_cast<DWORD>(alternates.size());
    if (entry == nullptr || *entrySize < needed) {
      *entrySize = needed;
      return ERROR_BUFFER_TOO_SMALL;
    }
    *entrySize = needed;
    auto* bytes = reinterpret_cast<BYTE*>(entry);
    std::memset(bytes + sizeof(DWORD), 0, structure - sizeof(DWORD));
    SetField(entry->szAreaCode, values.areaCode);
    SetField(entry->szLocalPhoneNumber, values.localPhoneNumber);
    FillDetails(*reinterpret_cast<ras400::Entry*>(entry), details);
    if (!alternates.empty()) {
      std::memcpy(bytes + structure, alternates.data(), alternates.size());
      entry->dwAlternateOffset = structure;
    }
    return 0;
  });
}

DWORD WINAPI RasSetEntryDialParamsA(LPCSTR phonebook, LPRASDIALPARAMSA params,
                                    BOOL removePassword) {
  if (params == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (!KnownSize(params->dwSize, sizeof(ras400::DialParams), sizeof(RASDIALPARAMSA))) {
    return ERROR_INVALID_SIZE;
  }
  return Answer([&]() -> DWORD {
    const rasemu::CPhonebookFile file(phonebook);
    if (!file.readable()) {
      return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    const std::string name = FieldText(params->szEntryName);
    if (!file.Contains(name)) {
      return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    const std::string stored = file.Read(name).password;
    return file.WriteCredentials(
        name, FieldText(params->szUserName),
        PasswordToStore(FieldText(params->szPassword), stored, removePassword));
  });
}

DWORD WINAPI RasEditPhonebookEntryA(HWND owner, LPCSTR phonebook, LPCSTR entryName) {
  if (entryName == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  return Answer([&]() -> DWORD {
    const rasemu::CPhonebookFile file(phonebook);
    if (!file.readable()) {
      return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    if (!file.Contains(entryName)) {
      return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    return rasemu::RunEntryEditor(owner, file, entryName);
  });
}

}  // extern "C"
