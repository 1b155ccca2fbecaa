// The phonebook watcher on the system's change notification: every way a program rewrites the
// file reaches the window, and a folder that does not exist is not watched.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/DirectoryPhonebookWatcher.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::TempDir;
using testing::WriteBytes;

constexpr UINT kChanged = WM_APP + 11;

std::vector<unsigned char> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// Waits for the watcher's message; a limit against a hung test, not a measure of the watcher.
bool ChangeArrives(HWND window) {
  const DWORD end = ::GetTickCount() + 15000;
  MSG message{};
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    if (::PeekMessageA(&message, window, kChanged, kChanged, PM_REMOVE)) {
      return true;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
  }
  return false;
}

TEST(PhonebookWatcher, WritingReplacingAndRemovingThePhonebookAreEachReported) {
  TempDir folder;
  const std::string phonebook = folder.Path("rasphone.pbk");
  const std::string beside = folder.Path("rasphone.tmp");
  WriteBytes(phonebook, Bytes("[Office]\r\nLocalPhoneNumber=1\r\n"));
  HWND window =
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);

  struct Case {
    const char* what;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"written in place",
       [&] { WriteBytes(phonebook, Bytes("[Office]\r\nLocalPhoneNumber=2\r\n")); }},
      {"replaced by a rename, as editors save",
       [&] {
         WriteBytes(beside, Bytes("[Office]\r\nLocalPhoneNumber=3\r\n"));
         ::MoveFileExA(beside.c_str(), phonebook.c_str(), MOVEFILE_REPLACE_EXISTING);
       }},
      {"removed", [&] { ::DeleteFileA(phonebook.c_str()); }},
      {"made anew", [&] { WriteBytes(phonebook, Bytes("[Intruder]\r\n")); }},
  };
  DirectoryPhonebookWatcher watcher({phonebook});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(watcher.Start(window, kChanged));
    c.change();
    EXPECT_TRUE(ChangeArrives(window));
    watcher.Stop();
    // What came late for one case must not count for the next.
    MSG late{};
    while (::PeekMessageA(&late, window, kChanged, kChanged, PM_REMOVE)) {
    }
  }
  ::DestroyWindow(window);

  DirectoryPhonebookWatcher nowhere({folder.Path("missing") + "\\rasphone.pbk"});
  EXPECT_FALSE(nowhere.Start(window, kChanged));
}

}  // namespace
}  // namespace tollward
