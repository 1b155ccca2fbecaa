// Entry of the Windows test program: GoogleTest under Wine, with a watchdog against hung windows.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A test that waits on a window that never comes would otherwise hang the whole run.
DWORD WINAPI Watchdog(LPVOID seconds) {
  Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(seconds)) * 1000);
  std::fprintf(stderr, "watchdog: the Windows tests did not finish in time\n");
  std::fflush(stderr);
  ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const char* limit = std::getenv("TOLLWARD_TEST_TIMEOUT");
  const UINT_PTR seconds = limit != nullptr ? std::strtoul(limit, nullptr, 10) : 300;
  HANDLE watchdog =
      CreateThread(nullptr, 0, Watchdog, reinterpret_cast<LPVOID>(seconds), 0, nullptr);
  if (watchdog != nullptr) {
    CloseHandle(watchdog);
  }
  return RUN_ALL_TESTS();
}
