// One instance at a time: the marker itself, and the real program started twice.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <filesystem>
#include <string>

#include "platform/win32/NamedSemaphoreMarker.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/ProgramProcess.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

using testing::IsControlCenter;
using testing::MessageBoxSaying;
using testing::Program;
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

class SecondStart : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::filesystem::path beside = std::filesystem::path(self).parent_path();
    const std::filesystem::path folder = folder_.Path("app");
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(beside / "Tollward.exe", folder / "Tollward.exe");
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
  ASSERT_TRUE(first.QuitWithYes(controlCenter, code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(testing::FileExists(directory_ + "Tollward.ini"));
  EXPECT_FALSE(NameExists("semTollward"));
}

}  // namespace
}  // namespace tollward
