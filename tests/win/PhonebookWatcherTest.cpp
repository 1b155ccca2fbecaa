// The phonebook watcher on the system's change notification: every way a program rewrites the
// file, or moves its folder, reaches the window.
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
  CDirectoryPhonebookWatcher watcher({phonebook});
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
}

void Drain(HWND window) {
  MSG late{};
  while (::PeekMessageA(&late, window, kChanged, kChanged, PM_REMOVE)) {
  }
}

// The phonebook's folder is missing on many machines until the user's first connection, and a
// program may remove, rename or replace it; the watcher follows what the path names now.
TEST(PhonebookWatcher, FollowsThePhonebooksFolderThroughItsComingGoingAndReplacement) {
  TempDir root;
  const std::string connections = root.Path("Connections");
  const std::string pbk = connections + "\\Pbk";
  const std::string phonebook = pbk + "\\rasphone.pbk";
  HWND window =
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  CDirectoryPhonebookWatcher watcher({phonebook});
  ASSERT_TRUE(watcher.Start(window, kChanged)) << "even with nothing there yet to watch";

  // Not even the folder above exists: only a recheck, as at a monitor tick, finds it.
  ASSERT_TRUE(::CreateDirectoryA(connections.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(pbk.c_str(), nullptr));
  watcher.Recheck();
  EXPECT_TRUE(ChangeArrives(window)) << "a folder that appeared";
  Drain(window);
  WriteBytes(phonebook, Bytes("[Intruder]\r\n"));
  EXPECT_TRUE(ChangeArrives(window)) << "written in the folder found at the recheck";

  struct Case {
    const char* what;
    std::function<void()> change;
  };
  const std::string aside = connections + "\\Pbk.old";
  const Case cases[] = {
      {"the folder renamed away and made anew",
       [&] {
         ::MoveFileA(pbk.c_str(), aside.c_str());
         ::CreateDirectoryA(pbk.c_str(), nullptr);
       }},
      {"the folder removed and made anew",
       [&] {
         ::DeleteFileA((pbk + "\\rasphone.pbk").c_str());
         ::RemoveDirectoryA(pbk.c_str());
         ::CreateDirectoryA(pbk.c_str(), nullptr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Drain(window);
    c.change();
    // The folder above reports the move at once, without a recheck.
    EXPECT_TRUE(ChangeArrives(window));
    Drain(window);
    WriteBytes(phonebook, Bytes("[Intruder]\r\n"));
    EXPECT_TRUE(ChangeArrives(window)) << "written in the new folder";
  }
  watcher.Stop();
  ::DestroyWindow(window);
}

// More changes at once than the records can hold: the phonebook may be among them.
TEST(PhonebookWatcher, ABurstOfChangesIsAChangeAndTheFolderStaysWatched) {
  TempDir folder;
  const std::string phonebook = folder.Path("rasphone.pbk");
  HWND window =
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  CDirectoryPhonebookWatcher watcher({phonebook});
  ASSERT_TRUE(watcher.Start(window, kChanged));
  // Long names fill the records sooner; the phonebook is written amid them.
  for (int i = 0; i < 400; ++i) {
    WriteBytes(folder.Path("a-file-beside-the-phonebook-with-a-long-name-" + std::to_string(i)),
               Bytes("x"));
    if (i == 200) {
      WriteBytes(phonebook, Bytes("[Office]\r\n"));
    }
  }
  EXPECT_TRUE(ChangeArrives(window));
  ::Sleep(200);
  Drain(window);
  WriteBytes(phonebook, Bytes("[Intruder]\r\n"));
  EXPECT_TRUE(ChangeArrives(window)) << "the next change is caught too";
  watcher.Stop();
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace tollward
