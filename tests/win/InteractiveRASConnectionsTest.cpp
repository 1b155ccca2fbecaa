// The connection list of the running program: its failures in the application's message box.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>

#include "app/InteractiveRASConnections.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/AppTitle.h"

namespace tollward {
namespace {

using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

struct SeenBox {
  std::string caption;
  HICON icon = nullptr;
};

HICON IconOf(HWND box) {
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      return reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
  }
  return nullptr;
}

TEST(InteractiveRASConnections, ShowsTheErrorTextWithTheIconOfItsKind) {
  testing::FakePhonebook phonebook;
  testing::TempDir dir;
  CInteractiveRASConnections list(phonebook);
  ASSERT_TRUE(list.Add(testing::MakeRecord("Office")));
  SeenBox unexpected;
  SeenBox expected;
  Robot robot;
  robot.OnWindow(MessageBoxWith("Add: connection name already exists."), [&](RobotWindow& box) {
    unexpected = {box.Caption(), IconOf(box.hwnd())};
    box.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("Load: unable to open file for reading."), [&](RobotWindow& box) {
    expected = {box.Caption(), IconOf(box.hwnd())};
    box.Click(IDOK);
  });
  EXPECT_FALSE(list.Add(testing::MakeRecord("Office")));
  EXPECT_FALSE(list.Load(dir.Path("missing.con")));
  list.ClearPath();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(ui::AppTitle(), unexpected.caption);
  EXPECT_EQ(::LoadIconA(nullptr, IDI_HAND), unexpected.icon);
  EXPECT_EQ(ui::AppTitle(), expected.caption);
  EXPECT_EQ(::LoadIconA(nullptr, IDI_ASTERISK), expected.icon);
}

}  // namespace
}  // namespace tollward
