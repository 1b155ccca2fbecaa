// The autostart store of Windows: the value "Tollward" under the machine's and the user's Run key.
#include "platform/win32/RegistryAutostartStore.h"

#include "platform/win32/KernelHandles.h"

#include <shlobj.h>

namespace tollward {

const char kAutostartRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAutostartValueName[] = "Tollward";

namespace {

// The Run key, open for the lifetime of one operation; null when it could not be opened.
class CRunKey {
 public:
  // Reading asks for nothing more, so that every user sees the machine's value. The user's key
  // is made when a value is to be written there and it is missing, as it may be in a fresh
  // profile; the machine's always exists.
  enum class Access { kRead, kWrite, kCreate };

  CRunKey(HKEY root, Access access) {
    const REGSAM rights = access == Access::kRead ? KEY_QUERY_VALUE : KEY_SET_VALUE;
    HKEY key = nullptr;
    result_ = access == Access::kCreate
                  ? RegCreateKeyExA(root, kAutostartRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    rights, nullptr, &key, nullptr)
                  : RegOpenKeyExA(root, kAutostartRunKey, 0, rights, &key);
    if (result_ == ERROR_SUCCESS) {
      key_.reset(key);
    }
  }

  HKEY get() const { return key_.get(); }
  LONG result() const { return result_; }

 private:
  CRegistryKey key_;
  LONG result_ = ERROR_SUCCESS;
};

// The system's program folders, by the identifiers the system gives them. Spelled out here: the
// library that defines them holds every identifier of the system and would double the program's
// read-only data.
constexpr KNOWNFOLDERID kProgramFiles = {
    0x905e63b6, 0xc1bf, 0x494e, {0xb2, 0x9c, 0x65, 0xb7, 0x32, 0xd3, 0xd2, 0x1a}};
constexpr KNOWNFOLDERID kProgramFilesX86 = {
    0x7c5a40ef, 0xa0fb, 0x4bfc, {0x87, 0x4a, 0xc0, 0xf2, 0xe0, 0xb9, 0xfa, 0x8e}};

// The path the system hands over, in memory of its task allocator.
using CTaskString = CUniqueHandle<PWSTR, &::CoTaskMemFree>;

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR given = nullptr;
  const HRESULT found = ::SHGetKnownFolderPath(id, 0, nullptr, &given);
  // Freed even when the call failed, as the system asks.
  const CTaskString path(given);
  std::string folder;
  if (SUCCEEDED(found)) {
    BOOL lossy = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.get(), -1, nullptr,
                                             0, nullptr, &lossy);
    if (length > 1 && !lossy) {
      folder.assign(static_cast<std::size_t>(length), '\0');
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.get(), -1, folder.data(), length,
                            nullptr, nullptr);
      folder.resize(static_cast<std::size_t>(length - 1));
    }
  }
  return folder;
}

}  // namespace

bool CRegistryAutostartStore::Read(AutostartList list, std::string& data) noexcept {
  CRunKey key(Root(list), CRunKey::Access::kRead);
  if (key.get() == nullptr) {
    return false;
  }
  // One byte more than the value may fill, so that the text read is always terminated.
  BYTE buffer[kAutostartReadLimit + 1] = {};
  DWORD size = kAutostartReadLimit;
  if (RegQueryValueExA(key.get(), kAutostartValueName, nullptr, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  try {
    data.assign(reinterpret_cast<const char*>(buffer), size);
  } catch (...) {
    return false;
  }
  return true;
}

bool CRegistryAutostartStore::Write(AutostartList list, const std::string& text) noexcept {
  CRunKey key(Root(list),
              list == AutostartList::kUser ? CRunKey::Access::kCreate : CRunKey::Access::kWrite);
  return key.get() != nullptr &&
         RegSetValueExA(key.get(), kAutostartValueName, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool CRegistryAutostartStore::Delete(AutostartList list) noexcept {
  CRunKey key(Root(list), CRunKey::Access::kWrite);
  if (key.get() == nullptr) {
    // No key, no value; a key this user may not write may still hold one.
    return key.result() == ERROR_FILE_NOT_FOUND ||
           RegGetValueA(Root(list), kAutostartRunKey, kAutostartValueName, RRF_RT_ANY, nullptr,
                        nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
  }
  const LONG result = RegDeleteValueA(key.get(), kAutostartValueName);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> CRegistryAutostartStore::AdministratorsProgramFolders() {
  std::vector<std::string> folders;
  try {
    // From the system's own record, not from the environment, which the program that started
    // this one may have set.
    for (REFKNOWNFOLDERID id : {kProgramFiles, kProgramFilesX86}) {
      std::string folder = KnownFolder(id);
      while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
      }
      if (!folder.empty()) {
        folders.push_back(folder);
      }
    }
  } catch (...) {
    folders.clear();
  }
  return folders;
}

IAutostartStore& SystemAutostartStore() {
  static CRegistryAutostartStore store;
  return store;
}

}  // namespace tollward
