// Owners of the kernel's and the registry's handles: events, threads, semaphores, files, keys,
// libraries.
#pragma once

#include "platform/win32/WinApi.h"

#include "platform/win32/UniqueHandle.h"

namespace tollward {

inline HANDLE InvalidHandleValue() {
  return INVALID_HANDLE_VALUE;
}

// Events, threads, semaphores: null when there is none.
using CHandle = CUniqueHandle<HANDLE, &::CloseHandle>;
// What CreateFile opens: INVALID_HANDLE_VALUE when there is none.
using CFileHandle = CUniqueHandle<HANDLE, &::CloseHandle, &InvalidHandleValue>;
using CRegistryKey = CUniqueHandle<HKEY, &::RegCloseKey>;
using CLibrary = CUniqueHandle<HMODULE, &::FreeLibrary>;

}  // namespace tollward
