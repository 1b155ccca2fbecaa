// A bitmap of the program's resources, released by its owner's destructor.
#pragma once

#include <windows.h>

namespace tollward {

class CLoadedBitmap {
 public:
  CLoadedBitmap() = default;
  ~CLoadedBitmap() { Release(); }
  CLoadedBitmap(const CLoadedBitmap&) = delete;
  CLoadedBitmap& operator=(const CLoadedBitmap&) = delete;

  // Null when the resources have no such bitmap.
  HBITMAP Load(UINT id) {
    Release();
    m_handle = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    return m_handle;
  }
  HBITMAP handle() const { return m_handle; }

 private:
  void Release() {
    if (m_handle != nullptr) {
      ::DeleteObject(m_handle);
      m_handle = nullptr;
    }
  }

  HBITMAP m_handle = nullptr;
};

}  // namespace tollward
