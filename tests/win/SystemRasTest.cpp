// The real program takes RASAPI32 from the system folder only: a library of that name beside it
// is never loaded.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <filesystem>
#include <string>

#include "res/resource.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/ProgramProcess.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

namespace fs = std::filesystem;
using testing::Program;

// A copy of the program alone in a fresh folder, as a user unpacks it into Downloads.
class ProgramCopy : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    build_ = fs::path(self).parent_path();
    folder_path_ = folder_.Path("Downloads");
    fs::create_directory(folder_path_);
    fs::copy_file(build_ / "Tollward.exe", folder_path_ / "Tollward.exe");
    // Two entries: the planted library's phonebook has one.
    WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567", "[Home]",
                    "AreaCode=030", "LocalPhoneNumber=7654321"});
  }

  std::string Exe() const { return (folder_path_ / "Tollward.exe").string(); }

  fs::path build_;
  fs::path folder_path_;
};

TEST_F(ProgramCopy, NeverLoadsARasapi32BesideItAndReadsThePhonebookThroughTheSystemFolder) {
  const fs::path planted = folder_path_ / "rasapi32.dll";
  fs::copy_file(build_ / "planted" / "rasapi32.dll", planted);
  const fs::path mark = folder_path_ / "rasapi32.dll.loaded";

  Program program(Exe(), " /nosplash");
  ASSERT_TRUE(program.started());
  const HWND controlCenter = program.WaitForWindow(testing::IsControlCenter);
  ASSERT_NE(nullptr, controlCenter);
  EXPECT_EQ(2, testing::RobotWindow(controlCenter).ListCount(IDC_UNREGISTERED_LIST))
      << "the phonebook of the stand-in in system32, not the planted one";
  DWORD code = 1;
  ASSERT_TRUE(program.QuitWithYes(controlCenter, code));
  EXPECT_FALSE(fs::exists(mark)) << "the planted library was loaded";
}

}  // namespace
}  // namespace tollward
