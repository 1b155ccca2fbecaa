// An icon of the program's resources in one size, destroyed by its owner's destructor.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

class CLoadedIcon {
 public:
  CLoadedIcon() = default;
  ~CLoadedIcon() { Release(); }
  CLoadedIcon(const CLoadedIcon&) = delete;
  CLoadedIcon& operator=(const CLoadedIcon&) = delete;

  // The image of icon `id` nearest to `size` pixels square; null when there is no such icon.
  HICON Load(UINT id, int size) {
    Release();
    m_handle = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    return m_handle;
  }
  HICON handle() const { return m_handle; }

 private:
  void Release() {
    if (m_handle != nullptr) {
      ::DestroyIcon(m_handle);
      m_handle = nullptr;
    }
  }

  HICON m_handle = nullptr;
};

}  // namespace tollward::ui
