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

// The name as the file spells it, in Unicode: UTF-8 where the bytes are valid UTF-8, as a
// phonebook holding such names is written, else the bytes of the code page.
std::wstring Widened(const std::string& bytes) {
  if (bytes.empty()) {
    return {};
  }
  UINT codePage = CP_UTF8;
  int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) {
    codePage = CP_ACP;
    length =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  }
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      length);
  return wide;
}

// What an ANSI call hands out: the code page's form, '?' for what it lacks.
std::string Narrowed(const std::wstring& wide) {
  if (wide.empty()) {
    return {};
  }
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, "?", nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length,
                      "?", nullptr);
  return narrow;
}

// What an ANSI call is given, as the service turns it back into Unicode.
std::wstring FromCodePage(const std::string& ansi) {
  if (ansi.empty()) {
    return {};
  }
  const int length =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
  return wide;
}

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && Blank(text[begin])) {
    ++begin;
  }
  while (end > begin && Blank(text[end - 1])) {
    --end;
  }
  return text.substr(begin, end - begin);
}

std::string ReadAll(HANDLE file) {
  std::string bytes;
  char chunk[16 * 1024];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  return bytes;
}

// Read as the profile functions read it: blanks around lines, keys and values dropped, one pair
// of enclosing quotes taken off a value, the first of repeated sections and keys answering.
// Parsing the file once per call, instead of asking the profile functions for every value, saves
// them a dozen openings of the file for every entry.
std::vector<CPhonebookFile::Section> Parse(const std::string& bytes) {
  std::vector<CPhonebookFile::Section> sections;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) {
      end = bytes.size();
    }
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    line = Trimmed(line);
    if (line.empty()) {
      continue;
    }
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos) {
        const std::string name = line.substr(1, close - 1);
        sections.push_back({name, Widened(name), {}});
        continue;
      }
    }
    if (sections.empty()) {
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      sections.back().values.emplace_back(line, std::string());
    } else {
      sections.back().values.emplace_back(Trimmed(line.substr(0, equals)),
                                          Trimmed(line.substr(equals + 1)));
    }
  }
  return sections;
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string ReadValue(const CPhonebookFile::Section* section, const char* key,
                      std::size_t maxLength) {
  if (section == nullptr) {
    return {};
  }
  for (const auto& [name, value] : section->values) {
    if (lstrcmpiA(name.c_str(), key) == 0) {
      return Unquoted(value).substr(0, maxLength);
    }
  }
  return {};
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

CPhonebookFile::CPhonebookFile(const char* explicitPath)
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
    return;
  }
  sections_ = Parse(ReadAll(probe));
  CloseHandle(probe);
  for (const Section& section : sections_) {
    names_.push_back(Narrowed(section.title));
  }
}

const CPhonebookFile::Section* CPhonebookFile::Find(const std::string& name) const {
  const std::wstring wanted = FromCodePage(name);
  for (const Section& section : sections_) {
    if (lstrcmpiW(section.title.c_str(), wanted.c_str()) == 0) {
      return &section;
    }
  }
  return nullptr;
}

bool CPhonebookFile::Contains(const std::string& name) const {
  return Find(name) != nullptr;
}

EntryValues CPhonebookFile::Read(const std::string& name) const {
  using namespace tollward::ras400;
  EntryValues values;
  const Section* section = Find(name);
  values.areaCode = ReadValue(section, kAreaCodeKey, kMaxAreaCode);
  values.localPhoneNumber = ReadValue(section, kLocalPhoneNumberKey, kMaxPhoneNumber);
  values.userName = ReadValue(section, kUserNameKey, kMaxUserName);
  values.password = ReadValue(section, kPasswordKey, kMaxPassword);
  return values;
}

DWORD CPhonebookFile::Write(const std::string& name, const EntryValues& before,
                            const EntryValues& after) const {
  const Section* section = Find(name);
  if (section == nullptr) {
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
        !WritePrivateProfileStringA(section->name.c_str(), field.key,
                                    ProfileValue(field.after).c_str(), path_.c_str())) {
      return ERROR_CANNOT_WRITE_PHONEBOOK;
    }
  }
  // The file itself is what the next call reads, not the profile functions' copy of it.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
  return 0;
}

DWORD CPhonebookFile::WriteCredentials(const std::string& name, const std::string& userName,
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
