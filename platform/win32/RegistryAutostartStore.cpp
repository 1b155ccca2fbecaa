// The autostart store of Windows: the value "Tollward" under the machine's and the user's Run key.
#include "platform/win32/RegistryAutostartStore.h"

#include "platform/win32/WinApi.h"

namespace tollward {

const char kAutostartRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAutostartValueName[] = "Tollward";

namespace {

// The Run key, open for the lifetime of one operation; null when it could not be opened.
class RunKey {
 public:
  // The user's key is made when a value is to be written there and it is missing, as it may
  // be in a fresh profile; the machine's always exists.
  RunKey(HKEY root, bool create) {
    const LONG result =
        create ? RegCreateKeyExA(root, kAutostartRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key_, nullptr)
               : RegOpenKeyExA(root, kAutostartRunKey, 0, KEY_ALL_ACCESS, &key_);
    if (result != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~RunKey() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool CRegistryAutostartStore::Read(AutostartList list, std::string& data) noexcept {
  RunKey key(Root(list), false);
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
  RunKey key(Root(list), list == AutostartList::kUser);
  return key.get() != nullptr &&
         RegSetValueExA(key.get(), kAutostartValueName, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void CRegistryAutostartStore::Delete(AutostartList list) noexcept {
  RunKey key(Root(list), false);
  if (key.get() != nullptr) {
    RegDeleteValueA(key.get(), kAutostartValueName);
  }
}

IAutostartStore& SystemAutostartStore() {
  static CRegistryAutostartStore store;
  return store;
}

}  // namespace tollward
