// The autostart store of Windows: the value "Tollward" under the machine's Run key.
#include "platform/win32/RegistryAutostartStore.h"

#include <windows.h>

namespace tollward {

const char kAutostartRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAutostartValueName[] = "Tollward";

namespace {

// The Run key, open for the lifetime of one operation; null when it could not be opened.
class RunKey {
 public:
  RunKey() {
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAutostartRunKey, 0, KEY_ALL_ACCESS, &key_) !=
        ERROR_SUCCESS) {
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

bool CRegistryAutostartStore::Read(std::string& data) noexcept {
  RunKey key;
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

void CRegistryAutostartStore::Write(const std::string& text) noexcept {
  RunKey key;
  if (key.get() != nullptr) {
    RegSetValueExA(key.get(), kAutostartValueName, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
}

void CRegistryAutostartStore::Delete() noexcept {
  RunKey key;
  if (key.get() != nullptr) {
    RegDeleteValueA(key.get(), kAutostartValueName);
  }
}

IAutostartStore& SystemAutostartStore() {
  static CRegistryAutostartStore store;
  return store;
}

}  // namespace tollward
