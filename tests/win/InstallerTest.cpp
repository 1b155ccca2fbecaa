// The per-user installer as a user runs it silently: what it puts where, the installed program,
// an upgrade over it and the uninstaller. scripts/test names the installer in TOLLWARD_INSTALLER.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/RASConnections.h"
#include "platform/win32/RasPhonebook.h"
#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"
#include "tests/win/ControlCenterFixture.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/ProgramProcess.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

namespace fs = std::filesystem;

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tollward";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

fs::path Installer() {
  const char* path = std::getenv("TOLLWARD_INSTALLER");
  return path != nullptr ? fs::absolute(path) : fs::path();
}

fs::path Folder(int csidl) {
  char path[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Runs a command to its end; false when it did not end in time.
bool RunToEnd(const std::string& commandLine, DWORD& code) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  const bool ended = ::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return ended;
}

// A value of the user's hive; "(none)" when there is none.
std::string UserValue(const char* key, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof(value) - 1;
  if (::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "(none)";
  }
  return value;
}

bool UserKeyExists(const char* key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

class Installation : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    ASSERT_TRUE(fs::is_regular_file(Installer()))
        << "TOLLWARD_INSTALLER must name the installer (scripts/test)";
    ASSERT_FALSE(fs::exists(folder_)) << "Tollward is installed already: " << folder_;
    previousRun_ = UserValue(kRunKey, "Tollward");
    WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567"});
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::remove(shortcut_, ignored);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    if (previousRun_ == "(none)") {
      ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Tollward");
    } else {
      ::RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Tollward", REG_SZ, previousRun_.c_str(),
                        static_cast<DWORD>(previousRun_.size() + 1));
    }
    PhonebookFileTest::TearDown();
  }

  void Install() {
    DWORD code = 1;
    ASSERT_TRUE(RunToEnd('"' + Installer().string() + "\" /S", code));
    EXPECT_EQ(0u, code);
  }

  // Starts the installed program, reads how many entries each list shows, and quits with Yes.
  void RunProgram(int& registered, int& unregistered) {
    testing::Program program((folder_ / "Tollward.exe").string(), " /nosplash");
    ASSERT_TRUE(program.started());
    const HWND controlCenter = program.WaitForWindow(testing::IsControlCenter);
    ASSERT_NE(nullptr, controlCenter);
    registered = testing::RobotWindow(controlCenter).ListCount(IDC_REGISTERED_LIST);
    unregistered = testing::RobotWindow(controlCenter).ListCount(IDC_UNREGISTERED_LIST);
    DWORD code = 1;
    ASSERT_TRUE(program.QuitWithYes(controlCenter, code));
  }

  const fs::path folder_ = Folder(CSIDL_LOCAL_APPDATA) / "Programs" / "Tollward";
  const fs::path shortcut_ = Folder(CSIDL_PROGRAMS) / "Tollward.lnk";
  std::string previousRun_;
};

TEST_F(Installation, InstallsPerUserRunsUpgradesKeepingTheDataAndUninstallsCleanly) {
  EXPECT_LT(fs::file_size(Installer()), 1536u * 1024u);
  ASSERT_NO_FATAL_FAILURE(Install());
  const fs::path exe = folder_ / "Tollward.exe";
  EXPECT_TRUE(fs::is_regular_file(exe));
  EXPECT_TRUE(fs::is_regular_file(folder_ / "help" / "index.html"));
  EXPECT_TRUE(fs::is_regular_file(shortcut_));
  EXPECT_EQ("Tollward", UserValue(kUninstallKey, "DisplayName"));
  EXPECT_EQ("1.01", UserValue(kUninstallKey, "DisplayVersion"));
  EXPECT_EQ('"' + (folder_ / "uninstall.exe").string() + '"',
            UserValue(kUninstallKey, "UninstallString"));
  EXPECT_NE(std::string::npos, UserValue(kUninstallKey, "DisplayIcon").find(exe.string()));
  DWORD size = 0;
  DWORD bytes = sizeof(size);
  EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize",
                                          RRF_RT_REG_DWORD, nullptr, &size, &bytes));
  EXPECT_GT(size, 0u);

  // A registration, as the program keeps it, and a start-up option turned on before.
  {
    CRASConnections registered(SystemPhonebook());
    ASSERT_TRUE(registered.Add(testing::MakeRecord("Office", "089", "1234567")));
    ASSERT_TRUE(registered.Save((folder_ / "Tollward.con").string()));
  }
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Tollward", REG_SZ,
                                             "C:\\nowhere\\Tollward.exe /scan", 31));
  int registered = 0;
  int unregistered = 0;
  ASSERT_NO_FATAL_FAILURE(RunProgram(registered, unregistered));
  EXPECT_EQ(1, registered) << "through the stand-in in the system folder";
  EXPECT_EQ(0, unregistered);
  const std::string path = exe.string();
  const std::string quoted = path.find(' ') == std::string::npos ? path : '"' + path + '"';
  EXPECT_EQ(quoted + " /scan", UserValue(kRunKey, "Tollward")) << "the user's, for his folder";

  const std::vector<unsigned char> store = testing::ReadBytes((folder_ / "Tollward.con").string());
  // The upgrade ends the running program where it lives, in the tray with its monitor on (where
  // its close box only hides it): without a question, saving first.
  {
    testing::Program program(path, " /monitor /nosplash");
    HWND window = nullptr;
    for (int i = 0; i < 600 && !testing::HiddenInTrayMonitoring(window); ++i) {
      ::Sleep(100);
      window = ::FindWindowA("#32770", "Tollward");
    }
    ASSERT_TRUE(testing::HiddenInTrayMonitoring(window));
    DWORD code = 1;
    ASSERT_TRUE(RunToEnd('"' + Installer().string() + "\" /S", code));
    EXPECT_EQ(0u, code) << "2: the installer found Tollward still running";
    EXPECT_TRUE(program.WaitForExit(code));
  }
  EXPECT_EQ(store, testing::ReadBytes((folder_ / "Tollward.con").string())) << "upgraded";
  ASSERT_NO_FATAL_FAILURE(RunProgram(registered, unregistered));
  EXPECT_EQ(1, registered);

  // The uninstaller runs on as a copy of itself in the temporary folder; its last step is the
  // entry among the installed programs.
  DWORD code = 1;
  ASSERT_TRUE(RunToEnd('"' + (folder_ / "uninstall.exe").string() + "\" /S", code));
  for (int i = 0;
       i < 600 && (UserKeyExists(kUninstallKey) || fs::exists(folder_ / "uninstall.exe")); ++i) {
    ::Sleep(100);
  }
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  EXPECT_FALSE(fs::exists(folder_ / "uninstall.exe"));
  EXPECT_FALSE(fs::exists(exe));
  EXPECT_FALSE(fs::exists(folder_ / "help"));
  EXPECT_FALSE(fs::exists(shortcut_));
  EXPECT_EQ("(none)", UserValue(kRunKey, "Tollward"));
  for (const char* kept : {"Tollward.con", "Tollward.bac", "Tollward.ini"}) {
    EXPECT_TRUE(fs::is_regular_file(folder_ / kept)) << kept << ": a silent uninstall keeps it";
  }
}

}  // namespace
}  // namespace tollward
