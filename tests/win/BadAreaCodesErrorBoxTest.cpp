// The bad area code list's reports as real message boxes, owned by the window that set itself.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

using testing::Robot;
using testing::RobotWindow;

struct SeenBox {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  HICON icon = nullptr;
};

TEST(BadAreaCodesErrorBox, AReportIsAMessageBoxOwnedByTheWindowWithTheFailuresIcon) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  std::vector<SeenBox> seen;
  Robot robot;
  // One step more than the two reports: it would take a box shown by the destruction.
  for (int box = 0; box < 3; ++box) {
    robot.OnWindow(testing::AnyMessageBox(), [&](RobotWindow& window) {
      seen.push_back(
          {window.Caption(), window.MessageText(), window.Owner(), window.MessageIcon()});
      window.Click(IDOK);
    });
  }
  {
    CRASBadAreaCodes list;
    list.SetOwnerWindow(owner);
    EXPECT_FALSE(list.Delete("0190"));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "CRASBadAreaCodes error");
    EXPECT_EQ(seen[0].text, "Delete: invalid item (name not found).");
    EXPECT_EQ(seen[0].owner, owner);
    EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, IDI_ASTERISK));

    EXPECT_STREQ(list.Get(0), "???");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "CRASBadAreaCodes error");
    EXPECT_EQ(seen[1].text, "Get: invalid item number (exceeds array bounds).");
    EXPECT_EQ(seen[1].owner, owner);
    EXPECT_EQ(seen[1].icon, LoadIconA(nullptr, IDI_HAND));
  }
  EXPECT_EQ(seen.size(), 2u) << "the failed save on destruction showed a box";
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tollward
