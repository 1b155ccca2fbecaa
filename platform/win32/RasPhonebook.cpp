// The user's default dial-up phonebook, reached through RASAPI32 with the 4.00 structures.
#include "platform/win32/RasPhonebook.h"

#include "platform/win32/Ras400.h"
#include "platform/win32/RasApi.h"

#include <versionhelpers.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace tollward {
namespace {

// Nothing may escape to the caller; a failed allocation is a refusal like any other.
template <typename Step>
bool Guarded(Step step) {
  try {
    return step();
  } catch (...) {
    return false;
  }
}

// A fixed text field filled by the service need not be terminated; never read past its end.
template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Copies text into a fixed field; false when it does not fit with its terminator.
template <std::size_t N>
bool SetField(CHAR (&field)[N], const std::string& text) {
  if (text.size() >= N) {
    return false;
  }
  std::memcpy(field, text.c_str(), text.size() + 1);
  return true;
}

Ipv4Address Address(const RASIPADDR& address) {
  return {address.a, address.b, address.c, address.d};
}

// The alternate numbers follow the structure inside the same buffer, where dwAlternateOffset
// says: texts one after the other, the list ended by an empty one. An offset or a list that
// runs past the bytes the service filled is read only as far as those bytes go.
std::vector<std::string> AlternateNumbers(const BYTE* buffer, std::size_t filled, DWORD offset) {
  std::vector<std::string> numbers;
  if (offset < sizeof(ras400::Entry) || offset >= filled) {
    return numbers;
  }
  const char* at = reinterpret_cast<const char*>(buffer + offset);
  const char* end = reinterpret_cast<const char*>(buffer + filled);
  while (at < end && *at != '\0') {
    const std::size_t length = strnlen(at, static_cast<std::size_t>(end - at));
    numbers.emplace_back(at, std::min(length, kMaxAlternateNumber));
    at += length + 1;
  }
  return numbers;
}

EntryDetails Details(const ras400::Entry& entry, const BYTE* buffer, std::size_t filled) {
  EntryDetails details;
  details.options = entry.dwfOptions;
  details.countryId = entry.dwCountryID;
  details.countryCode = entry.dwCountryCode;
  details.ipAddress = Address(entry.ipaddr);
  details.dnsAddress = Address(entry.ipaddrDns);
  details.dnsAltAddress = Address(entry.ipaddrDnsAlt);
  details.winsAddress = Address(entry.ipaddrWins);
  details.winsAltAddress = Address(entry.ipaddrWinsAlt);
  details.framingProtocol = entry.dwFramingProtocol;
  details.netProtocols = entry.dwfNetProtocols;
  details.script = FieldText(entry.szScript);
  details.autodialDll = FieldText(entry.szAutodialDll);
  details.autodialFunc = FieldText(entry.szAutodialFunc);
  details.deviceType = FieldText(entry.szDeviceType);
  details.deviceName = FieldText(entry.szDeviceName);
  details.alternateNumbers = AlternateNumbers(buffer, filled, entry.dwAlternateOffset);
  return details;
}

}  // namespace

std::uint32_t CRasPhonebook::CountEntries() {
  const RasApi* ras = SystemRasApi();
  if (ras == nullptr) {
    return 0;
  }
  ras400::EntryName probe{};
  probe.dwSize = sizeof(probe);
  DWORD size = 0;
  DWORD count = 0;
  // Answers "buffer too small" whenever there are entries; its result does not matter, the
  // count and the size it asks for do.
  ras->enumEntries(nullptr, nullptr, reinterpret_cast<RASENTRYNAMEA*>(&probe), &size, &count);
  countedSize_ = size;
  return count;
}

bool CRasPhonebook::EnumerateEntries(std::uint32_t count, std::vector<std::string>& names) {
  names.clear();
  const RasApi* ras = SystemRasApi();
  if (ras == nullptr) {
    return false;
  }
  constexpr DWORD kStride = sizeof(ras400::EntryName);
  if (count > std::numeric_limits<DWORD>::max() / kStride) {
    return false;
  }
  return Guarded([&] {
    // One element at least, so that the service always finds the dwSize it checks.
    std::vector<ras400::EntryName> entries(count > 0 ? count : 1, ras400::EntryName{});
    entries[0].dwSize = kStride;
    // The size the service asked for, but never more room than the buffer has.
    DWORD size = std::min<DWORD>(countedSize_, static_cast<DWORD>(entries.size()) * kStride);
    DWORD returned = 0;
    if (ras->enumEntries(nullptr, nullptr, reinterpret_cast<RASENTRYNAMEA*>(entries.data()), &size,
                         &returned) != 0 ||
        returned > count) {
      return false;
    }
    names.reserve(returned);
    for (DWORD i = 0; i < returned; ++i) {
      names.push_back(FieldText(entries[i].szEntryName));
    }
    return true;
  });
}

bool CRasPhonebook::GetDialParams(const std::string& entryName, PhonebookDialParams& params) {
  const RasApi* ras = SystemRasApi();
  if (ras == nullptr) {
    return false;
  }
  ras400::DialParams dial{};
  dial.dwSize = sizeof(dial);
  if (!SetField(dial.szEntryName, entryName)) {
    return false;
  }
  BOOL hasPassword = FALSE;
  if (ras->getEntryDialParams(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&dial), &hasPassword) !=
      0) {
    return false;
  }
  return Guarded([&] {
    params.userName = FieldText(dial.szUserName);
    params.password = FieldText(dial.szPassword);
    return true;
  });
}

bool CRasPhonebook::GetProperties(const std::string& entryName, PhonebookEntryProperties& props) {
  const RasApi* ras = SystemRasApi();
  if (ras == nullptr) {
    return false;
  }
  DWORD size = 0;
  // The size query fails by design. It may name more than the 4.00 structure, for what a later
  // service appends behind it, so the buffer takes whichever is larger.
  ras->getEntryProperties(nullptr, entryName.c_str(), nullptr, &size, nullptr, nullptr);
  if (size < sizeof(ras400::Entry)) {
    size = sizeof(ras400::Entry);
  }
  // DWORD elements keep the structure aligned as the service expects.
  const std::size_t words = (std::size_t{size} + sizeof(DWORD) - 1) / sizeof(DWORD);
  std::unique_ptr<DWORD[]> buffer(new (std::nothrow) DWORD[words]());
  if (!buffer) {
    return false;
  }
  auto* entry = reinterpret_cast<ras400::Entry*>(buffer.get());
  entry->dwSize = sizeof(ras400::Entry);
  const DWORD room = static_cast<DWORD>(words * sizeof(DWORD));
  DWORD filled = room;
  if (ras->getEntryProperties(nullptr, entryName.c_str(), reinterpret_cast<RASENTRYA*>(entry),
                              &filled, nullptr, nullptr) != 0) {
    return false;
  }
  return Guarded([&] {
    props.areaCode = FieldText(entry->szAreaCode);
    props.localPhoneNumber = FieldText(entry->szLocalPhoneNumber);
    props.details =
        Details(*entry, reinterpret_cast<const BYTE*>(buffer.get()), std::min<DWORD>(filled, room));
    return true;
  });
}

bool CRasPhonebook::SetDialParams(const std::string& entryName, const std::string& userName,
                                  const std::string& password) {
  const RasApi* ras = SystemRasApi();
  if (ras == nullptr) {
    return false;
  }
  ras400::DialParams dial{};
  dial.dwSize = sizeof(dial);
  if (!SetField(dial.szEntryName, entryName) || !SetField(dial.szUserName, userName) ||
      !SetField(dial.szPassword, password)) {
    return false;
  }
  return ras->setEntryDialParams(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&dial), FALSE) == 0;
}

bool CRasPhonebook::EditEntry(const std::string& entryName, NativeWindow owner) {
  const RasApi* ras = SystemRasApi();
  return ras != nullptr &&
         ras->editPhonebookEntry(static_cast<HWND>(owner), nullptr, entryName.c_str()) == 0;
}

bool CRasPhonebook::HidesSavedPasswords() {
  // The handle came with Windows 2000; the systems before it read the password itself back.
  return IsWindowsVersionOrGreater(5, 0, 0);
}

IPhonebook& SystemPhonebook() {
  static CRasPhonebook phonebook;
  return phonebook;
}

}  // namespace tollward
