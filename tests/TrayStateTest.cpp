// The tray's rules against a view that logs what the icon and the window would do.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "logic/TrayState.h"
#include "tests/fakes/TrayTexts.h"

namespace tollward {
namespace {

using Log = std::vector<std::string>;

using testing::LocalTime;
using testing::Texts;

class View : public ITrayView {
 public:
  Log log;
  bool refuseIcon = false;
  bool refuseRemoval = false;

  bool AddIcon(TrayPicture, const std::string& tip) override {
    log.push_back("add '" + tip + "'");
    return !refuseIcon;
  }
  bool RemoveIcon() override {
    log.push_back("remove");
    return !refuseRemoval;
  }
  bool ChangeIcon(TrayPicture picture, const std::string& tip) override {
    log.push_back((picture == TrayPicture::kMonitoring ? "on '" : "off '") + tip + "'");
    return true;
  }
  bool ChangePicture(TrayPicture) override {
    log.push_back("flash");
    return true;
  }
  void ShowWindow(bool shown) override { log.push_back(shown ? "show" : "hide"); }

  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }
};

TEST(Tray, TheWindowHidesOnlyBehindAnIconAndComesBackOnlyWhenTheIconIsGone) {
  const MonitorStatus idle;
  View view;
  CTrayState tray(view, Texts());
  view.refuseIcon = true;
  EXPECT_FALSE(tray.MinimizeToTray(idle));
  tray.UpdateTrayIcon(idle);
  EXPECT_EQ((Log{"add 'Tollward'"}), view.Take()) << "the window stays where it was";

  view.refuseIcon = false;
  EXPECT_TRUE(tray.MinimizeToTray(idle));
  EXPECT_EQ((Log{"add 'Tollward'", "off 'Tollward'", "hide"}), view.Take());

  // The shell restarted: the icon is registered again, or the window comes back.
  tray.OnTaskbarCreated(idle);
  EXPECT_EQ((Log{"add 'Tollward'", "off 'Tollward'"}), view.Take());
  view.refuseIcon = true;
  tray.OnTaskbarCreated(idle);
  EXPECT_EQ((Log{"add 'Tollward'", "show"}), view.Take());
  EXPECT_FALSE(tray.inTray());

  view.refuseIcon = false;
  ASSERT_TRUE(tray.MinimizeToTray(idle));
  view.refuseRemoval = true;
  EXPECT_FALSE(tray.RestoreFromTray());
  EXPECT_TRUE(tray.inTray()) << "an icon that stays keeps the window hidden";
  view.refuseRemoval = false;
  EXPECT_TRUE(tray.RestoreFromTray());
  EXPECT_TRUE(tray.RestoreFromTray()) << "out of the tray already";
  EXPECT_FALSE(tray.inTray());
}

TEST(Tray, OnlyTheDoubleClickAndTheRightReleaseOnOurIconActAndNeverWhileBusy) {
  const struct {
    unsigned icon;
    TrayMouse mouse;
    bool busy;
    TrayMouseAction expected;
  } cases[] = {
      {1, TrayMouse::kLeftDoubleClick, false, TrayMouseAction::kRestore},
      {1, TrayMouse::kRightRelease, false, TrayMouseAction::kOpenMenu},
      {1, TrayMouse::kOther, false, TrayMouseAction::kNothing},
      {2, TrayMouse::kRightRelease, false, TrayMouseAction::kNothing},
      {1, TrayMouse::kLeftDoubleClick, true, TrayMouseAction::kNothing},
      {1, TrayMouse::kRightRelease, true, TrayMouseAction::kNothing},
  };
  View view;
  const CTrayState tray(view, Texts());
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, tray.OnTrayMouse(c.icon, c.mouse, c.busy))
        << c.icon << " " << static_cast<int>(c.mouse) << " " << c.busy;
  }
}

TEST(Tray, TipAndStatusLinesShowTheLastScanInLocalTimeAndTheCounter) {
  const struct {
    MonitorStatus status;
    const char* tip;
    TrayMenuState menu;
  } cases[] = {
      {{false, 0, 0}, "Tollward", {false, false, "", ""}},
      {{false, 0, LocalTime(9, 5)}, "Tollward", {false, false, "", "   (last scan at 09:05h)"}},
      {{true, 3, LocalTime(23, 37)},
       "Tollward - monitoring active (last check at 23:37h)",
       {true, true, "   (3 monitorings performed)", "   (last scan at 23:37h)"}},
  };
  View view;
  const CTrayState tray(view, Texts());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tip);
    EXPECT_EQ(c.tip, tray.TrayTip(c.status));
    EXPECT_EQ(c.menu, tray.MenuState(c.status));
  }
}

}  // namespace
}  // namespace tollward
