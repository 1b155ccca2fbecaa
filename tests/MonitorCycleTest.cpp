// The monitor's rules played through against a host that logs what the window would do.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/logic/MonitorCycle.h"

namespace tollward {
namespace {

using Log = std::vector<std::string>;

MonitorTexts Texts() {
  return {"Tollward", "Tollward - monitoring active (last check at %02u:%02uh)",
          "   (last scan at %02u:%02uh)", "   (%u monitorings performed)"};
}

std::time_t LocalTime(int hour, int minute) {
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 7;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_isdst = -1;
  return std::mktime(&when);
}

class Host : public IMonitorHost {
 public:
  Log log;
  std::time_t now = LocalTime(9, 5);
  std::uint32_t interval = 15;
  bool flash = false;
  bool minimizeOnStart = false;
  unsigned unregistered = 0;
  // What the next scan leaves unregistered.
  unsigned unregisteredAfterScan = 0;
  bool refuseStop = false;
  bool refuseStart = false;
  bool refuseTrayIcon = false;
  bool refuseRemoval = false;

  std::time_t Now() override { return now; }
  bool StartTimer(unsigned id, std::uint32_t ms) override {
    Add("start " + std::to_string(id) + " " + std::to_string(ms));
    return !refuseStart;
  }
  bool StopTimer(unsigned id) override {
    Add("stop " + std::to_string(id));
    return !refuseStop;
  }
  void ShowMessage(MonitorMessage message) override {
    static const char* const kNames[] = {"refused", "interval reset", "timer", "detected"};
    Add(std::string("message ") + kNames[static_cast<int>(message)]);
  }
  void SetMonitorButton(bool checked) override { Add(checked ? "button on" : "button off"); }
  std::uint32_t MonitorInterval() override { return interval; }
  void StoreMonitorInterval(std::uint32_t minutes) override {
    interval = minutes;
    Add("store " + std::to_string(minutes));
  }
  bool FlashAfterScan() override { return flash; }
  bool MinimizeOnMonitorStart() override { return minimizeOnStart; }
  unsigned UnregisteredCount() override { return unregistered; }
  void SaveRegistrations() override { Add("save"); }
  void CheckAndResort() override {
    unregistered = unregisteredAfterScan;
    Add("scan");
  }
  void RefillViews() override { Add("refill"); }
  bool AddTrayIcon() override {
    Add("add icon");
    return !refuseTrayIcon;
  }
  bool RemoveTrayIcon() override {
    Add("remove icon");
    return !refuseRemoval;
  }
  bool ChangeTrayIcon(TrayPicture picture, const std::string& tip) override {
    Add(std::string(picture == TrayPicture::kMonitoring ? "icon on" : "icon off") + " '" + tip +
        "'");
    return true;
  }
  bool ChangeTrayPicture(TrayPicture) override {
    Add("icon flash");
    return true;
  }
  void HideWindow() override { Add("hide"); }
  void ShowWindow() override { Add("show"); }

  // What was logged since the last call.
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }

 private:
  void Add(const std::string& entry) { log.push_back(entry); }
};

class Monitor : public ::testing::Test {
 protected:
  Host host_;
  MonitorCycle cycle_{host_, Texts()};
};

TEST_F(Monitor, StartingSetsTimerTwoToTheIntervalAndRepairsIntervalsThatCannotWork) {
  struct Case {
    std::uint32_t interval;
    Log expected;
  };
  const Case cases[] = {
      {5, {"start 2 300000", "button on"}},
      {9999, {"start 2 599940000", "button on"}},
      {71582, {"start 2 4294920000", "button on"}},
      // Would wrap to 2,760 ms.
      {71583, {"store 9999", "start 2 599940000", "button on"}},
      {0xFFFFFFFF, {"store 9999", "start 2 599940000", "button on"}},
      {0, {"message interval reset", "store 1", "start 2 60000", "button on"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.interval);
    Host host;
    host.interval = c.interval;
    MonitorCycle cycle(host, Texts());
    EXPECT_TRUE(cycle.SetMonitoring(true));
    EXPECT_TRUE(cycle.monitoring());
    EXPECT_EQ(c.expected, host.Take());
  }
}

TEST_F(Monitor, RefusalsAndTimerFailuresNeverLeaveTheMonitorClaimingToRun) {
  // An unregistered entry: the button springs back, nothing else changes.
  host_.unregistered = 1;
  EXPECT_FALSE(cycle_.SetMonitoring(true));
  EXPECT_EQ((Log{"button off", "message refused"}), host_.Take());
  EXPECT_FALSE(cycle_.monitoring());

  // A timer that will not start: reported, and the monitor stays off.
  host_.unregistered = 0;
  host_.refuseStart = true;
  EXPECT_FALSE(cycle_.SetMonitoring(true));
  EXPECT_EQ((Log{"start 2 900000", "button off", "message timer"}), host_.Take());
  EXPECT_FALSE(cycle_.monitoring());

  // A timer that will not stop: the monitor keeps running, and says so.
  host_.refuseStart = false;
  ASSERT_TRUE(cycle_.SetMonitoring(true));
  host_.refuseStop = true;
  host_.Take();
  EXPECT_FALSE(cycle_.SetMonitoring(false));
  EXPECT_EQ((Log{"stop 2", "message timer"}), host_.Take());
  EXPECT_TRUE(cycle_.monitoring());

  // Switching off a stopped monitor is no error and stops nothing.
  Host idle;
  MonitorCycle stopped(idle, Texts());
  EXPECT_TRUE(stopped.SetMonitoring(false));
  EXPECT_EQ((Log{"button off"}), idle.Take());
}

TEST_F(Monitor, ACleanTickRestartsAFullIntervalAndCountsTheScan) {
  bool monitorSwitch = false;
  cycle_.OnMonitorButton(true, monitorSwitch);
  EXPECT_EQ((Log{"save", "start 2 900000", "button on"}), host_.Take());
  host_.now = LocalTime(9, 20);
  cycle_.OnTimer(MonitorCycle::kMonitorTimer);
  EXPECT_EQ((Log{"stop 2", "button off", "scan", "refill", "start 2 900000", "button on"}),
            host_.Take());
  EXPECT_TRUE(cycle_.monitoring());
  EXPECT_EQ(1u, cycle_.monitorCount());
  EXPECT_EQ(LocalTime(9, 20), cycle_.lastScan());

  // "Scan Connections now" with the monitor off changes only the counter and the time.
  Host idle;
  MonitorCycle stopped(idle, Texts());
  stopped.OnMonitorTick();
  EXPECT_EQ((Log{"button off", "scan", "refill", "button off"}), idle.Take());
  EXPECT_FALSE(stopped.monitoring());
  EXPECT_EQ(1u, stopped.monitorCount());
}

TEST_F(Monitor, TheCounterCountsEveryScanUntilTheUserSwitchesTheMonitorOff) {
  bool monitorSwitch = false;
  cycle_.OnMonitorButton(true, monitorSwitch);
  for (int i = 0; i < 3; ++i) {
    cycle_.OnMonitorTick();
  }
  EXPECT_EQ(3u, cycle_.monitorCount());
  cycle_.OnMonitorButton(false, monitorSwitch);
  EXPECT_EQ(0u, cycle_.monitorCount());
  EXPECT_FALSE(cycle_.monitoring());

  // Two refreshes while off, a start and one tick.
  cycle_.ScanConnections();
  cycle_.ScanConnections();
  cycle_.OnMonitorButton(true, monitorSwitch);
  cycle_.OnMonitorTick();
  EXPECT_EQ(3u, cycle_.monitorCount());

  // The tray menu's item resets it only when it switches off.
  cycle_.OnMonitorMenuItem();
  EXPECT_FALSE(cycle_.monitoring());
  EXPECT_EQ(0u, cycle_.monitorCount());
  cycle_.ScanConnections();
  cycle_.OnMonitorMenuItem();
  EXPECT_TRUE(cycle_.monitoring());
  EXPECT_EQ(1u, cycle_.monitorCount());
}

TEST_F(Monitor, ATickThatFindsAnUnregisteredEntryStopsRestoresAndTells) {
  bool monitorSwitch = true;
  cycle_.OnMonitorButton(true, monitorSwitch);
  EXPECT_TRUE(cycle_.inTray()) << "the start-up switch hides into the tray";
  EXPECT_FALSE(monitorSwitch);
  host_.Take();

  host_.unregisteredAfterScan = 1;
  cycle_.OnMonitorTick();
  // No refill while hidden during the scan; the views are refilled before the window returns.
  EXPECT_EQ((Log{"stop 2", "icon off 'Tollward'", "button off", "scan", "refill", "remove icon",
                 "show", "message detected"}),
            host_.Take());
  EXPECT_FALSE(cycle_.monitoring());
  EXPECT_FALSE(cycle_.inTray());
  EXPECT_EQ(1u, cycle_.monitorCount()) << "the counter survives the stop";
}

TEST_F(Monitor, FlashingAfterACleanScanAlternatesSixTicksThenStops) {
  ASSERT_TRUE(cycle_.SetMonitoring(true));
  cycle_.ScanConnections();
  EXPECT_EQ((Log{"start 2 900000", "button on", "scan", "refill"}), host_.Take())
      << "no flashing timer with flashing off";

  host_.flash = true;
  ASSERT_TRUE(cycle_.MinimizeToTray());
  cycle_.ScanConnections();
  EXPECT_EQ(MonitorCycle::kFlashTicks, cycle_.flashCountdown());
  host_.Take();
  for (int i = 0; i < 6; ++i) {
    cycle_.OnTimer(MonitorCycle::kFlashTimer);
  }
  const std::string on = "icon on 'Tollward - monitoring active (last check at 09:05h)'";
  EXPECT_EQ((Log{"icon flash", on, "icon flash", on, "icon flash", on, "stop 3"}), host_.Take());

  // A scan that leaves an unregistered entry does not flash.
  host_.unregisteredAfterScan = 2;
  EXPECT_FALSE(cycle_.ScanConnections());
  EXPECT_EQ((Log{"scan"}), host_.Take());
}

TEST_F(Monitor, TheTrayComesAndGoesAndOnlyTheDoubleClickAndTheRightReleaseAct) {
  host_.refuseTrayIcon = true;
  EXPECT_FALSE(cycle_.MinimizeToTray());
  EXPECT_EQ((Log{"add icon"}), host_.Take()) << "the window stays where it was";
  EXPECT_TRUE(cycle_.UpdateTrayIcon(true));
  EXPECT_TRUE(host_.Take().empty()) << "no icon to change";

  host_.refuseTrayIcon = false;
  EXPECT_TRUE(cycle_.MinimizeToTray());
  EXPECT_EQ((Log{"add icon", "icon off 'Tollward'", "hide"}), host_.Take());

  EXPECT_EQ(TrayMouseAction::kRestore, cycle_.OnTrayMouse(1, TrayMouse::kLeftDoubleClick));
  EXPECT_EQ(TrayMouseAction::kOpenMenu, cycle_.OnTrayMouse(1, TrayMouse::kRightRelease));
  EXPECT_EQ(TrayMouseAction::kNothing, cycle_.OnTrayMouse(1, TrayMouse::kOther));
  EXPECT_EQ(TrayMouseAction::kNothing, cycle_.OnTrayMouse(2, TrayMouse::kRightRelease));
  {
    BusyScope busy(cycle_);
    EXPECT_EQ(TrayMouseAction::kNothing, cycle_.OnTrayMouse(1, TrayMouse::kLeftDoubleClick));
  }

  // The shell restarted: the icon is registered again, or the window comes back.
  cycle_.OnTaskbarCreated();
  EXPECT_EQ((Log{"add icon", "icon off 'Tollward'"}), host_.Take());
  host_.refuseTrayIcon = true;
  cycle_.OnTaskbarCreated();
  EXPECT_EQ((Log{"add icon", "show"}), host_.Take());
  EXPECT_FALSE(cycle_.inTray());

  host_.refuseTrayIcon = false;
  ASSERT_TRUE(cycle_.MinimizeToTray());
  host_.refuseRemoval = true;
  EXPECT_FALSE(cycle_.RestoreFromTray());
  EXPECT_TRUE(cycle_.inTray()) << "an icon that stays keeps the window hidden";
  host_.refuseRemoval = false;
  host_.Take();
  cycle_.OnQuit();
  EXPECT_EQ((Log{"icon off 'Tollward'", "button off", "remove icon", "show"}), host_.Take());
  EXPECT_TRUE(cycle_.RestoreFromTray());
}

TEST_F(Monitor, TipAndStatusLinesShowTheLastScanInLocalTimeAndTheCounter) {
  EXPECT_EQ((TrayMenuState{false, false, "", ""}), cycle_.MenuState()) << "no scan yet";
  cycle_.MarkFirstCheck();
  EXPECT_EQ("Tollward", cycle_.TrayTip(false));
  EXPECT_EQ("Tollward - monitoring active (last check at 09:05h)", cycle_.TrayTip(true));
  EXPECT_EQ((TrayMenuState{false, false, "", "   (last scan at 09:05h)"}), cycle_.MenuState());

  ASSERT_TRUE(cycle_.SetMonitoring(true));
  for (int minute : {7, 22, 37}) {
    host_.now = LocalTime(23, minute);
    cycle_.OnMonitorTick();
  }
  EXPECT_EQ((TrayMenuState{true, true, "   (3 monitorings performed)", "   (last scan at 23:37h)"}),
            cycle_.MenuState());
}

TEST_F(Monitor, TheOptionsRestartARunningMonitorOnlyWhenTheIntervalChanged) {
  cycle_.OnOptionsClosed(15);
  EXPECT_TRUE(host_.Take().empty()) << "the monitor is off";
  ASSERT_TRUE(cycle_.SetMonitoring(true));
  host_.Take();
  cycle_.OnOptionsClosed(15);
  EXPECT_TRUE(host_.Take().empty());
  host_.interval = 30;
  cycle_.OnOptionsClosed(15);
  EXPECT_EQ((Log{"stop 2", "button off", "start 2 1800000", "button on"}), host_.Take());
}

}  // namespace
}  // namespace tollward
