// The program's own names that <windows.h> turns into macros stay callable from Windows files.
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

#include "core/RASConnections.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

// Built with <windows.h> before the list's header, the order that used to rename the accessor
// and leave the call without a definition to link against.
TEST(WinApiTest, ConnectionListAccessorsKeepTheirNamesBesideTheSystemHeader) {
  testing::FakePhonebook phonebook;
  testing::RecordingConnections list(phonebook);
  ASSERT_TRUE(list.Add(testing::MakeRecord("Office", "089", "1234", "smith", "secret")));

  EXPECT_STREQ(list.GetUserName(1), "smith");
  EXPECT_STREQ(list.GetUserName(2), CRASConnections::kInvalidConnectionText);

  // The system's own call is still there under its explicit name.
  char user[256] = {};
  DWORD size = sizeof user;
  EXPECT_NE(::GetUserNameA(user, &size), FALSE);
  EXPECT_GT(size, 1u);
}

}  // namespace
}  // namespace tollward
