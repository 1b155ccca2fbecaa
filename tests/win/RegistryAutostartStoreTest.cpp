// The real Run value, written, read and removed through the store the program uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "options/Options.h"
#include "platform/win32/RegistryAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"

namespace tollward {
namespace {

// Direct registry access, independent of the store under test.
class RunKeyForTest {
 public:
  RunKeyForTest() {
    opened_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAutostartRunKey, 0, KEY_ALL_ACCESS, &key_) ==
              ERROR_SUCCESS;
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

// Whatever value the machine had before a test is put back after it; none is left otherwise.
class RunValue : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(key_.opened());
    hadValue_ = key_.Query(savedType_, savedBytes_);
    key_.Delete();
  }
  void TearDown() override {
    if (hadValue_) {
      key_.Set(savedType_, savedBytes_);
    } else {
      key_.Delete();
    }
  }

  RunKeyForTest key_;
  CRegistryAutostartStore store_;

 private:
  bool hadValue_ = false;
  DWORD savedType_ = 0;
  std::vector<BYTE> savedBytes_;
};

TEST_F(RunValue, AWrittenTextIsAStringValueThatCountsItsZeroAndReadsBack) {
  const std::string text = "\"C:\\Program Files\\Tollward\\Tollward.exe\" /scan /monitor";
  store_.Write(text);
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, Bytes(text));

  std::string read;
  ASSERT_TRUE(store_.Read(read));
  EXPECT_EQ(read, text + '\0');

  store_.Write("C:\\T.exe /scan");
  ASSERT_TRUE(store_.Read(read));
  EXPECT_EQ(read, std::string("C:\\T.exe /scan") + '\0') << "a write replaces the value";
}

TEST_F(RunValue, ADeletedOrMissingValueReadsAsNothingAndDeletingItAgainIsHarmless) {
  store_.Write("C:\\T.exe /scan");
  store_.Delete();
  DWORD type = 0;
  std::vector<BYTE> bytes;
  EXPECT_FALSE(key_.Query(type, bytes));
  std::string read = "untouched";
  EXPECT_FALSE(store_.Read(read));
  store_.Delete();
  EXPECT_FALSE(key_.Query(type, bytes));
}

TEST_F(RunValue, AValueOfMoreThan512BytesCannotBeReadAndIsLeftAsItWas) {
  const std::string fits(511, 'a');  // 512 bytes with its zero
  store_.Write(fits);
  std::string read;
  ASSERT_TRUE(store_.Read(read));
  EXPECT_EQ(read, fits + '\0');

  const std::string tooLong = "C:\\T.exe /scan " + std::string(600, 'b');
  store_.Write(tooLong);
  EXPECT_FALSE(store_.Read(read));
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(key_.Query(type, bytes));
  EXPECT_EQ(bytes, Bytes(tooLong));
}

TEST_F(RunValue, TheOptionsRecordKeepsItsTwoFlagsInTheValue) {
  // A folder that does not exist: the records' saves at their end write no file anywhere.
  const testing::FakeCommandLine commandLine(
      "\"C:\\tollward-test-missing\\Program Files\\Tollward.exe\" /nosplash");
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
            Bytes("\"C:\\tollward-test-missing\\Program Files\\Tollward.exe\" /scan /monitor"));
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

}  // namespace
}  // namespace tollward
