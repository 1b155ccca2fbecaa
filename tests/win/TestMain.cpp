// Entry of the Windows test program: GoogleTest under Wine, with a watchdog against hung windows.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

// Each test has the limit to itself, so that a long test does not eat the time of the ones after
// it and the run as a whole may grow with the tests.
std::atomic<ULONGLONG> g_deadline{0};
ULONGLONG g_limitMs = 300 * 1000;
std::mutex g_runningLock;
std::string g_running = "the start";

class RestartWatchdog : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo& test) override {
    const std::lock_guard<std::mutex> lock(g_runningLock);
    g_running = std::string(test.test_suite_name()) + "." + test.name();
    g_deadline = ::GetTickCount64() + g_limitMs;
  }
};

// A test that waits on a window that never comes would otherwise hang the whole run.
DWORD WINAPI Watchdog(LPVOID) {
  while (::GetTickCount64() < g_deadline) {
    ::Sleep(1000);
  }
  const std::lock_guard<std::mutex> lock(g_runningLock);
  std::fprintf(stderr, "watchdog: %s did not finish in time\n", g_running.c_str());
  std::fflush(stderr);
  ::ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const char* limit = std::getenv("TOLLWARD_TEST_TIMEOUT");
  if (limit != nullptr && std::strtoul(limit, nullptr, 10) > 0) {
    g_limitMs = static_cast<ULONGLONG>(std::strtoul(limit, nullptr, 10)) * 1000;
  }
  g_deadline = ::GetTickCount64() + g_limitMs;
  testing::UnitTest::GetInstance()->listeners().Append(new RestartWatchdog);
  HANDLE watchdog = ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  if (watchdog != nullptr) {
    ::CloseHandle(watchdog);
  }
  return RUN_ALL_TESTS();
}
