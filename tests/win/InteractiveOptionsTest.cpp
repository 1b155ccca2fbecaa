// The options record of the running program: what its failures show, and what they never show.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "app/InteractiveOptions.h"
#include "tests/fakes/FakeAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

using testing::Robot;
using testing::RobotWindow;

struct SeenBox {
  std::string caption;
  std::string text;
  HICON icon = nullptr;
  std::vector<int> visibleButtons;
};

// Each of the next `count` message boxes is read and closed with OK; a test queues one more than
// it expects, so that a box that should not come is counted instead of blocking the test.
void ReadBoxes(Robot& robot, std::vector<SeenBox>& boxes, int count) {
  for (int box = 0; box < count; ++box) {
    robot.OnWindow(testing::AnyMessageBox(), [&boxes](RobotWindow& window) {
      boxes.push_back(
          {window.Caption(), window.MessageText(), window.MessageIcon(), window.VisibleButtons()});
      window.Click(IDOK);
    });
  }
}

// A program folder that does not exist: every save of the options file fails there.
const testing::FakeCommandLine kMissingFolder(
    "\"C:\\tollward-test-missing\\Tollward\\Tollward.exe\" /scan");

void ExpectOptionsErrorBox(const SeenBox& box, const std::string& errorText) {
  EXPECT_EQ(box.caption, "Tollward");
  EXPECT_EQ(box.text, "Options Error: \n\n" + errorText);
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
  EXPECT_EQ(box.visibleButtons, std::vector<int>{IDOK});
}

TEST(InteractiveOptions, AFailureShowsTheOptionsErrorBoxWithTheExclamationIcon) {
  std::vector<SeenBox> boxes;
  Robot robot;
  ReadBoxes(robot, boxes, 3);
  testing::FakeAutostartStore store;
  CInteractiveOptions options(store, kMissingFolder);
  std::string path;
  EXPECT_FALSE(options.Load(path));
  ASSERT_EQ(boxes.size(), 1u);
  ExpectOptionsErrorBox(boxes[0], "Load: unable to open file for reading.");

  // An error of the unexpected kind still shows the same box, not the stop icon.
  options.SetErrorByCode(32);
  ASSERT_EQ(boxes.size(), 2u);
  ExpectOptionsErrorBox(boxes[1], "Save: unhandled exeption (unknown error).");
}

TEST(InteractiveOptions, AFailingSaveAtProgramEndShowsNothing) {
  std::vector<SeenBox> boxes;
  Robot robot;
  ReadBoxes(robot, boxes, 2);
  testing::FakeAutostartStore store;
  {
    CInteractiveOptions options(store, kMissingFolder);
    std::string path;
    ASSERT_FALSE(options.Save(path)) << "the same save fails while the program runs";
    ASSERT_EQ(boxes.size(), 1u);
    ExpectOptionsErrorBox(boxes[0], "Save: unable to open file for writing.");
    options.runSilentCheckAtStart = true;
  }
  EXPECT_EQ(boxes.size(), 1u) << "no box from the destruction";
  EXPECT_EQ(store.user.Text(), "C:\\tollward-test-missing\\Tollward\\Tollward.exe /scan")
      << "the autostart value is written all the same (the user's: no program folder)";
}

TEST(InteractiveOptions, AMachinesValueTheUserMayNotRemoveIsNamedOnce) {
  std::vector<SeenBox> boxes;
  Robot robot;
  ReadBoxes(robot, boxes, 2);
  testing::FakeAutostartStore store;
  store.SetText("C:\\tollward-test-missing\\Tollward\\Tollward.exe /scan");
  store.readOnly = true;
  CInteractiveOptions options(store, kMissingFolder);
  EXPECT_TRUE(options.runSilentCheckAtStart) << "read by every user";
  options.runSilentCheckAtStart = false;
  options.WriteAutostart();
  options.WriteAutostart();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Tollward");
  EXPECT_NE(
      boxes[0].text.find("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
      std::string::npos)
      << boxes[0].text;
  EXPECT_NE(boxes[0].text.find("an administrator must remove it"), std::string::npos);
}

}  // namespace
}  // namespace tollward
