// The real Run values, written, read and removed through the store the program uses.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <filesystem>
#include <string>
#include <vector>

#include "options/Options.h"
#include "platform/win32/RegistryAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/ProgramProcess.h"

namespace tollward {
namespace {

// Direct registry access, independent of the store under test.
class RunKeyForTest {
 public:
  explicit RunKeyForTest(HKEY root) {
    opened_ = RegCreateKeyExA(root, kAutostartRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key_, nullptr) == ERROR_SUCCESS;
  }
  ~RunKeyForTest() {
    if (opened_) {
      RegCloseKey(key_);
    }
  }
  bool opened() const { return opened_; }

  // The value's type and bytes; false when there is none.
  bool Query(DWORD& type, std::vector<BYTE>& bytes) const {
    DWORD size = 0;
    if (RegQueryValueExA(key_, kAutostartValueName, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      return false;
    }
    bytes.assign(size, 0);
    return RegQueryValueExA(key_, kAutostartValueName, nullptr, &type, bytes.data(), &size) ==
           ERROR_SUCCESS;
  }
  bool Set(DWORD type, const std::vector<BYTE>& bytes) const {
    return RegSetValueExA(key_, kAutostartValueName, 0, type, bytes.data(),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }
  void Delete() const { RegDeleteValueA(key_, kAutostartValueName); }

 private:
  HKEY key_ = nullptr;
  bool opened_ = false;
};

std::vector<BYTE> Bytes(const std::string& text) {
  return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
}

// A list's value as it was before a test, put back after it.
class SavedValue {
 public:
  explicit SavedValue(const RunKeyForTest& key) : key_(key) {
    had_ = key_.Query(type_, bytes_);
    key_.Delete();
  }
  ~SavedValue() {
    if (had_) {
      key_.Set(type_, bytes_);
    } else {
      key_.Delete();
    }
  }

 private:
  const RunKeyForTest& key_;
  bool had_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> bytes_;
};

// Whatever values the machine and the user had before a test are put back after it; none is
// left otherwise.
class RunValue : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(key_.opened());
    ASSERT_TRUE(userKey_.opened());
  }

  RunKeyForTest key_{HKEY_LOCAL_MACHINE};
  RunKeyForTest userKey_{HKEY_CURRENT_USER};
  CRegistryAutostartStore store_;

 private:
  SavedValue saved_{key_};
  SavedValue savedUser_{userKey_};
};

TEST_F(RunValue, AWrittenTextIsAStringValueThatCountsItsZeroAndReadsBack) {
  const std::string text = "\"C:\\Program Files\\Tollward\\Tollward.exe\" /scan /monitor";
  store_.Write(AutostartList::kMachine, text);
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, Bytes(text));

  std::string read;
  ASSERT_TRUE(store_.Read(AutostartList::kMachine, read));
  EXPECT_EQ(read, text + '\0');

  store_.Write(AutostartList::kMachine, "C:\\T.exe /scan");
  ASSERT_TRUE(store_.Read(AutostartList::kMachine, read));
  EXPECT_EQ(read, std::string("C:\\T.exe /scan") + '\0') << "a write replaces the value";
}

TEST_F(RunValue, ADeletedOrMissingValueReadsAsNothingAndDeletingItAgainIsHarmless) {
  store_.Write(AutostartList::kMachine, "C:\\T.exe /scan");
  store_.Delete(AutostartList::kMachine);
  DWORD type = 0;
  std::vector<BYTE> bytes;
  EXPECT_FALSE(key_.Query(type, bytes));
  std::string read = "untouched";
  EXPECT_FALSE(store_.Read(AutostartList::kMachine, read));
  store_.Delete(AutostartList::kMachine);
  EXPECT_FALSE(key_.Query(type, bytes));
}

TEST_F(RunValue, AValueOfMoreThan512BytesCannotBeReadAndIsLeftAsItWas) {
  const std::string fits(511, 'a');  // 512 bytes with its zero
  store_.Write(AutostartList::kMachine, fits);
  std::string read;
  ASSERT_TRUE(store_.Read(AutostartList::kMachine, read));
  EXPECT_EQ(read, fits + '\0');

  const std::string tooLong = "C:\\T.exe /scan " + std::string(600, 'b');
  store_.Write(AutostartList::kMachine, tooLong);
  EXPECT_FALSE(store_.Read(AutostartList::kMachine, read));
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(bytes, Bytes(tooLong));
}

TEST_F(RunValue, TheOptionsRecordKeepsItsTwoFlagsInTheValue) {
  // A folder that does not exist, in the system's program folder: the records' saves at their
  // end write no file anywhere.
  const testing::FakeCommandLine commandLine(
      "\"C:\\Program Files\\tollward-test-missing\\Tollward.exe\" /nosplash");
  {
    COptions options(store_, commandLine);
    EXPECT_FALSE(options.runSilentCheckAtStart);
    options.runSilentCheckAtStart = true;
    options.runMonitorAtStartup = true;
  }
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(bytes,
            Bytes("\"C:\\Program Files\\tollward-test-missing\\Tollward.exe\" /scan /monitor"));
  {
    COptions options(store_, commandLine);
    EXPECT_TRUE(options.runSilentCheckAtStart);
    EXPECT_TRUE(options.runMonitorAtStartup);
    options.runSilentCheckAtStart = false;
    options.runMonitorAtStartup = false;
  }
  EXPECT_FALSE(key_.Query(type, bytes)) << "both off: no value";

  // A value that would start the program without a task goes at the next read.
  ASSERT_TRUE(key_.Set(REG_SZ, Bytes("C:\\T.exe/scan")));
  {
    COptions options(store_, commandLine);
    EXPECT_FALSE(key_.Query(type, bytes));
  }
}

TEST_F(RunValue, TheUsersListHoldsTheSameValueWhenTheMachinesCannotBeOpened) {
  // A hive without the Run key stands for a machine's list this user may not open.
  HKEY probe = nullptr;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_CONFIG, kAutostartRunKey, 0, KEY_READ, &probe),
            ERROR_SUCCESS);
  CRegistryAutostartStore store(HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER);
  const testing::FakeCommandLine commandLine("C:\\tollward-test-missing\\Tollward.exe");
  {
    COptions options(store, commandLine);
    options.runSilentCheckAtStart = true;
    options.runMonitorAtStartup = true;
  }
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(userKey_.Query(type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, Bytes("C:\\tollward-test-missing\\Tollward.exe /scan /monitor"));
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_CONFIG, kAutostartRunKey, 0, KEY_READ, &probe),
            ERROR_SUCCESS)
      << "nothing was made in the machine's place";
  {
    COptions options(store, commandLine);
    EXPECT_TRUE(options.runSilentCheckAtStart);
    EXPECT_TRUE(options.runMonitorAtStartup);
    options.runSilentCheckAtStart = false;
    options.runMonitorAtStartup = false;
  }
  EXPECT_FALSE(userKey_.Query(type, bytes)) << "both off: no value";

  // Where the machine's list can be written, the user's value goes with the next write, for a
  // program in the system's program folder only.
  ASSERT_TRUE(userKey_.Set(REG_SZ, Bytes("C:\\T.exe /monitor")));
  {
    COptions options(store_, commandLine);
    EXPECT_TRUE(options.runMonitorAtStartup) << "the machine has none";
  }
  EXPECT_FALSE(key_.Query(type, bytes));
  ASSERT_TRUE(userKey_.Query(type, bytes));
  const testing::FakeCommandLine installed("\"C:\\Program Files\\tollward-test-missing\\T.exe\"");
  {
    COptions options(store_, installed);
    EXPECT_TRUE(options.runMonitorAtStartup);
  }
  EXPECT_FALSE(userKey_.Query(type, bytes));
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(bytes, Bytes("\"C:\\Program Files\\tollward-test-missing\\T.exe\" /monitor"));
}

// The real program, started from an ordinary folder and from a copy under the system's program
// folder, rewrites a value of the start-up options at its end: the path is its own file's.
class ProgramRunValue : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    ASSERT_TRUE(machine_.opened());
    ASSERT_TRUE(user_.opened());
    WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567"});
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(installed_, ignored);
    PhonebookFileTest::TearDown();
  }

  // Copies the program there, runs it until its end, and returns the path it ran from.
  std::string RunCopyIn(const std::filesystem::path& folder) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::filesystem::create_directories(folder);
    const std::filesystem::path exe = folder / "Tollward.exe";
    std::filesystem::copy_file(std::filesystem::path(self).parent_path() / "Tollward.exe", exe);
    testing::Program program(exe.string(), " /nosplash");
    const HWND controlCenter = program.WaitForWindow(testing::IsControlCenter);
    EXPECT_NE(nullptr, controlCenter);
    DWORD code = 1;
    EXPECT_TRUE(program.QuitWithYes(controlCenter, code));
    return exe.string();
  }

  RunKeyForTest machine_{HKEY_LOCAL_MACHINE};
  RunKeyForTest user_{HKEY_CURRENT_USER};
  const std::filesystem::path installed_ =
      "C:\\Program Files\\tollward-test-" + std::to_string(::GetCurrentProcessId());

 private:
  SavedValue saved_{machine_};
  SavedValue savedUser_{user_};
};

TEST_F(ProgramRunValue, IsTheUsersForAnOrdinaryFolderAndTheMachinesUnderProgramFiles) {
  DWORD type = 0;
  std::vector<BYTE> bytes;
  // As a user would turn the option on; the command line names a file that is not there.
  ASSERT_TRUE(user_.Set(REG_SZ, Bytes("C:\\nowhere\\Tollward.exe /scan")));
  const std::string ordinary = RunCopyIn(folder_.Path("Downloads"));
  ASSERT_TRUE(user_.Query(type, bytes));
  EXPECT_EQ(bytes, Bytes(ordinary + " /scan"));
  EXPECT_FALSE(machine_.Query(type, bytes));

  const std::string administrators = RunCopyIn(installed_);
  ASSERT_TRUE(machine_.Query(type, bytes));
  EXPECT_EQ(bytes, Bytes('"' + administrators + "\" /scan"));
  EXPECT_FALSE(user_.Query(type, bytes)) << "not started twice";
}

}  // namespace
}  // namespace tollward
