// The stand-in's phonebook: an INI file with one [entry name] section per entry.
#include "tools/rasemu/PhonebookFile.h"

#include <raserror.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/Ras400.h"

namespace rasemu {
namespace {

const char kAreaCodeKey[] = "AreaCode";
const char kLocalPhoneNumberKey[] = "LocalPhoneNumber";
const char kUserNameKey[] = "UserName";
const char kPasswordKey[] = "Password";

std::string DefaultPath() {
  char folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return std::string(folder) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
}

std::string ConfiguredPath(const char* explicitPath) {
  if (explicitPath != nullptr && *explicitPath != '\0') {
    return explicitPath;
  }
  const DWORD length = GetEnvironmentVariableA("RASPHONE_PBK", nullptr, 0);
  if (length > 1) {
    std::string named(length, '\0');
    named.resize(GetEnvironmentVariableA("RASPHONE_PBK", named.data(), length));
    return named;
  }
  return DefaultPath();
}

// The profile functions look for a bare file name in the Windows folder; a phonebook named
// relative to the working folder must be found there instead.
std::string FullPath(const std::string& path) {
  if (path.empty()) {
    return path;
  }
  const DWORD length = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) {
    return path;
  }
  std::string full(length, '\0');
  const DWORD written = GetFullPathNameA(path.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) {
    return path;
  }
  full.resize(written);
  return full;
}

std::vector<std::string> SectionNames(const std::string& path) {
  std::vector<std::string> names;
  std::vector<char> buffer(4096);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD copied = GetPrivateProfileSectionNamesA(buffer.data(), size, path.c_str());
    // A full buffer is reported as size - 2 and holds only part of the list.
    if (copied + 2 < size) {
      break;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
  for (const char* name = buffer.data(); *name != '\0'; name += std::strlen(name) + 1) {
    names.emplace_back(name);
  }
  return names;
}

std::string ReadValue(const std::string& path, const std::string& section, const char* key,
                      std::size_t maxLength) {
  std::vector<char> buffer(maxLength + 1);
  const DWORD copied = GetPrivateProfileStringA(section.c_str(), key, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), copied);
}

bool Storable(const std::string& value) {
  return value.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

std::string ProfileValue(const std::string& value) {
  if (value.empty()) {
    return value;
  }
  // Reading trims blanks around a value and strips one pair of enclosing quotes; quotes of our
  // own keep such a value as it is.
  auto bare = [](char c) { return c != ' ' && c != '\t' && c != '"' && c != '\''; };
  if (bare(value.front()) && bare(value.back())) {
    return value;
  }
  return '"' + value + '"';
}

PhonebookFile::PhonebookFile(const char* explicitPath)
    : path_(FullPath(ConfiguredPath(explicitPath))) {
  if (path_.empty()) {
    return;
  }
  // The profile functions read a file they cannot open as an empty one; the service refuses.
  HANDLE probe = CreateFileA(path_.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    readable_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    if (!readable_) {
      return;
    }
  } else {
    CloseHandle(probe);
  }
  // Drops any copy the profile functions hold, so that this call sees the file as it is now.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
  names_ = SectionNames(path_);
}

bool PhonebookFile::Contains(const std::string& name) const {
  for (const std::string& existing : names_) {
    if (lstrcmpiA(existing.c_str(), name.c_str()) == 0) {
      return true;
    }
  }
  return false;
}

EntryValues PhonebookFile::Read(const std::string& name) const {
  using namespace tollward::ras400;
  EntryValues values;
  values.areaCode = ReadValue(path_, name, kAreaCodeKey, kMaxAreaCode);
  values.localPhoneNumber = ReadValue(path_, name, kLocalPhoneNumberKey, kMaxPhoneNumber);
  values.userName = ReadValue(path_, name, kUserNameKey, kMaxUserName);
  values.password = ReadValue(path_, name, kPasswordKey, kMaxPassword);
  return values;
}

DWORD PhonebookFile::Write(const std::string& name, const EntryValues& before,
                           const EntryValues& after) const {
  if (!Contains(name)) {
    return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
  }
  const struct {
    const char* key;
    const std::string& before;
    const std::string& after;
  } fields[] = {
      {kAreaCodeKey, before.areaCode, after.areaCode},
      {kLocalPhoneNumberKey, before.localPhoneNumber, after.localPhoneNumber},
      {kUserNameKey, before.userName, after.userName},
      {kPasswordKey, before.password, after.password},
  };
  // A line break would end the line early and let the rest pose as keys of its own.
  for (const auto& field : fields) {
    if (!Storable(field.after)) {
      return ERROR_INVALID_PARAMETER;
    }
  }
  for (const auto& field : fields) {
    if (field.after != field.before &&
        !WritePrivateProfileStringA(name.c_str(), field.key, ProfileValue(field.after).c_str(),
                                    path_.c_str())) {
      return ERROR_CANNOT_WRITE_PHONEBOOK;
    }
  }
  return 0;
}

DWORD PhonebookFile::WriteCredentials(const std::string& name, const std::string& userName,
                                      const std::string& password) const {
  if (!Contains(name)) {
    return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
  }
  const EntryValues before = Read(name);
  EntryValues after = before;
  after.userName = userName;
  after.password = password;
  return Write(name, before, after);
}

}  // namespace rasemu
