// One instance at a time: the marker itself, and the real program started twice.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/NamedSemaphoreMarker.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

using testing::RobotWindow;

bool NameExists(const char* name) {
  HANDLE handle = ::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, name);
  if (handle == nullptr) {
    return false;
  }
  ::CloseHandle(handle);
  return true;
}

TEST(InstanceMarker, IsHeldFromTakingUntilItsHolderGoes) {
  const std::string name = "TollwardTest-" + std::to_string(::GetCurrentProcessId());
  CNamedSemaphoreMarker looking(name);
  {
    CNamedSemaphoreMarker holder(name);
    EXPECT_FALSE(holder.IsHeld());
    EXPECT_FALSE(NameExists(name.c_str())) << "looking must not take the name";
    ASSERT_TRUE(holder.Take());
    EXPECT_TRUE(looking.IsHeld());
    EXPECT_TRUE(holder.IsHeld());
  }
  EXPECT_FALSE(looking.IsHeld());

  {
    CNamedSemaphoreMarker program;
    ASSERT_TRUE(program.Take());
    EXPECT_TRUE(NameExists("semTollward"));
  }
  EXPECT_FALSE(NameExists("semTollward"));
}

// A copy of the real program, run from a folder of the test's, and watched from outside.
class Program {
 public:
  Program(const std::string& exe, const std::string& switches) {
    std::string commandLine = '"' + exe + '"' + switches;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    started_ = ::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                nullptr, folder.c_str(), &startup, &process_) != FALSE;
  }
  ~Program() {
    if (started_) {
      if (IsRunning()) {
        ::TerminateProcess(process_.hProcess, 99);
      }
      ::CloseHandle(process_.hThread);
      ::CloseHandle(process_.hProcess);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return started_; }
  bool IsRunning() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
  // A limit against a hung test, not a measure of the program.
  bool WaitForExit(DWORD& code) const {
    if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
      return false;
    }
    return ::GetExitCodeProcess(process_.hProcess, &code) != FALSE;
  }
  // The first visible top-level window of the program that passes the test; null if none comes.
  HWND WaitForWindow(const std::function<bool(HWND)>& test) const {
    for (int i = 0; i < 600 && IsRunning(); ++i) {
      if (HWND found = FindWindowNow(test)) {
        return found;
      }
      ::Sleep(50);
    }
    return nullptr;
  }
  HWND FindWindowNow(const std::function<bool(HWND)>& test) const {
    struct Search {
      DWORD process;
      const std::function<bool(HWND)>* test;
      HWND found;
    } search{process_.dwProcessId, &test, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner == s->process && ::IsWindowVisible(hwnd) && (*s->test)(hwnd)) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

bool IsControlCenter(HWND hwnd) {
  return RobotWindow(hwnd).Caption() == "Tollward" && RobotWindow(hwnd).HasItem(1000);
}

std::function<bool(HWND)> MessageBoxSaying(const std::string& text) {
  return [text](HWND hwnd) { return RobotWindow(hwnd).MessageText() == text; };
}

class SecondStart : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::filesystem::path beside = std::filesystem::path(self).parent_path();
    const std::filesystem::path folder = folder_.Path("app");
    std::filesystem::create_directory(folder);
    for (const char* file : {"Tollward.exe", "rasapi32.dll"}) {
      std::filesystem::copy_file(beside / file, folder / file);
    }
    exe_ = (folder / "Tollward.exe").string();
    directory_ = folder.string() + "\\";
    WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567"});
  }

  std::string exe_;
  std::string directory_;
};

TEST_F(SecondStart, ShowsTheMessageAndLeavesTheFirstUntouched) {
  Program first(exe_, " /nosplash");
  ASSERT_TRUE(first.started());
  const HWND controlCenter = first.WaitForWindow(IsControlCenter);
  ASSERT_NE(nullptr, controlCenter);

  Program second(exe_, "");
  ASSERT_TRUE(second.started());
  const HWND refusal =
      second.WaitForWindow(MessageBoxSaying("Another instance of Tollward is already running!"));
  ASSERT_NE(nullptr, refusal);
  EXPECT_EQ("Tollward", RobotWindow(refusal).Caption());
  EXPECT_NE(0, ::GetWindowLongA(refusal, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
  EXPECT_FALSE(RobotWindow(refusal).HasItem(IDCANCEL)) << "OK only";
  ::PostMessageA(refusal, WM_COMMAND, IDOK, 0);
  DWORD code = 1;
  ASSERT_TRUE(second.WaitForExit(code));
  EXPECT_EQ(0u, code);

  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(::IsWindowVisible(controlCenter));
  EXPECT_EQ(nullptr, first.FindWindowNow(
                         MessageBoxSaying("Another instance of Tollward is already running!")));
  EXPECT_FALSE(testing::FileExists(directory_ + "Tollward.ini")) << "written only at the end";

  // The first ends as usual, with its final writes.
  ::PostMessageA(controlCenter, WM_COMMAND, IDCANCEL, 0);
  const HWND question = first.WaitForWindow(MessageBoxSaying("Do you really want to quit now?"));
  ASSERT_NE(nullptr, question);
  ::PostMessageA(question, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(first.WaitForExit(code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(testing::FileExists(directory_ + "Tollward.ini"));
  EXPECT_FALSE(NameExists("semTollward"));
}

}  // namespace
}  // namespace tollward
