// The monitor's rules played through against a host that logs what the window would do.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "logic/MonitorCycle.h"
#include "tests/fakes/FakePhonebookWatcher.h"
#include "tests/fakes/TrayTexts.h"

namespace tollward {
namespace {

using Log = std::vector<std::string>;

using testing::LocalTime;
using testing::Texts;

class Host : public IMonitorClock, public IMonitorScan, public IMonitorUser, public ITrayView {
 public:
  Log log;
  std::time_t now = LocalTime(9, 5);
  std::uint32_t interval = 15;
  bool flash = false;
  bool minimizeOnStart = false;
  unsigned unregistered = 0;
  // What the next scan leaves unregistered.
  unsigned unregisteredAfterScan = 0;
  // Whether the next scan can read every entry.
  bool wholeAfterScan = true;
  bool refuseStop = false;
  bool refuseStart = false;
  bool refuseTrayIcon = false;
  bool refuseRemoval = false;
  testing::FakePhonebookWatcher watcher;
  // What happens while the scan's dialogs are open.
  std::function<void()> duringScan;
  // The timers the window would run now; they tick until stopped.
  std::set<unsigned> timers;
  int scans = 0;

  std::time_t Now() override { return now; }
  bool StartTimer(unsigned id, std::uint32_t ms) override {
    Add("start " + std::to_string(id) + " " + std::to_string(ms));
    if (!refuseStart) {
      timers.insert(id);
    }
    return !refuseStart;
  }
  bool StopTimer(unsigned id) override {
    Add("stop " + std::to_string(id));
    if (!refuseStop) {
      timers.erase(id);
    }
    return !refuseStop;
  }
  void ShowMessage(MonitorMessage message) override {
    static const char* const kNames[] = {"refused", "interval reset", "timer", "detected",
                                         "not checked"};
    Add(std::string("message ") + kNames[static_cast<int>(message)]);
  }
  void SetMonitorButton(bool checked) override { Add(checked ? "button on" : "button off"); }
  MonitorSettings Settings() override { return {interval, flash, minimizeOnStart}; }
  void StoreMonitorInterval(std::uint32_t minutes) override {
    interval = minutes;
    Add("store " + std::to_string(minutes));
  }
  unsigned UnregisteredCount() override { return unregistered; }
  void SaveRegistrations() override { Add("save"); }
  bool CheckAndResort() override {
    ++scans;
    unregistered = unregisteredAfterScan;
    Add("scan");
    if (duringScan) {
      duringScan();
    }
    return wholeAfterScan;
  }
  void RefillViews() override { Add("refill"); }
  bool AddIcon(TrayPicture, const std::string&) override {
    Add("add icon");
    return !refuseTrayIcon;
  }
  bool RemoveIcon() override {
    Add("remove icon");
    return !refuseRemoval;
  }
  bool ChangeIcon(TrayPicture picture, const std::string& tip) override {
    Add(std::string(picture == TrayPicture::kMonitoring ? "icon on" : "icon off") + " '" + tip +
        "'");
    return true;
  }
  bool ChangePicture(TrayPicture) override {
    Add("icon flash");
    return true;
  }
  void ShowWindow(bool shown) override { Add(shown ? "show" : "hide"); }
  void Watch(bool on) override {
    if (on) {
      watcher.Start(nullptr, 0x8000 + 11);
    } else {
      watcher.Stop();
    }
  }

  // What was logged since the last call.
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }

 private:
  void Add(const std::string& entry) { log.push_back(entry); }
};

// A write to the phonebook's files, delivered as the window would get it.
void Change(Host& host, CMonitorCycle& cycle) {
  if (host.watcher.Change()) {
    cycle.OnPhonebookChanged();
  }
}

// A timer's tick, if the timer runs.
void Fire(Host& host, CMonitorCycle& cycle, unsigned id) {
  if (host.timers.count(id) != 0) {
    cycle.OnTimer(id);
  }
}

// The monitor with its tray over one host.
struct Rig {
  Host host;
  CTrayState tray{host, Texts()};
  CMonitorCycle cycle{host, host, host, tray};
};

class Monitor : public ::testing::Test {
 protected:
  void Change() { tollward::Change(host_, cycle_); }
  void Fire(unsigned id) { tollward::Fire(host_, cycle_, id); }

  Host host_;
  CTrayState tray_{host_, Texts()};
  CMonitorCycle cycle_{host_, host_, host_, tray_};
};

TEST_F(Monitor, StartingSetsTimerTwoToTheIntervalAndRepairsIntervalsThatCannotWork) {
  struct Case {
    std::uint32_t interval;
    Log expected;
  };
  const Case cases[] = {
      {5, {"start 2 300000", "button on"}},
      {9999, {"start 2 599940000", "button on"}},
      {1, {"start 2 60000", "button on"}},
      // Only an options file brings these: treated as 0 is, with its message.
      {0, {"message interval reset", "store 1", "start 2 60000", "button on"}},
      {10000, {"message interval reset", "store 1", "start 2 60000", "button on"}},
      {71583, {"message interval reset", "store 1", "start 2 60000", "button on"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.interval);
    Rig rig;
    Host& host = rig.host;
    host.interval = c.interval;
    CMonitorCycle& cycle = rig.cycle;
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
  Rig idleRig;
  Host& idle = idleRig.host;
  CMonitorCycle& stopped = idleRig.cycle;
  EXPECT_TRUE(stopped.SetMonitoring(false));
  EXPECT_EQ((Log{"button off"}), idle.Take());
}

TEST_F(Monitor, ACleanTickRestartsAFullIntervalAndCountsTheScan) {
  bool monitorSwitch = false;
  cycle_.OnMonitorButton(true, monitorSwitch);
  EXPECT_EQ((Log{"save", "start 2 900000", "button on"}), host_.Take());
  host_.now = LocalTime(9, 20);
  cycle_.OnTimer(CMonitorCycle::kMonitorTimer);
  EXPECT_EQ((Log{"stop 2", "button off", "scan", "refill", "start 2 900000", "button on"}),
            host_.Take());
  EXPECT_TRUE(cycle_.monitoring());
  EXPECT_EQ(1u, cycle_.monitorCount());
  EXPECT_EQ(LocalTime(9, 20), cycle_.lastScan());

  // "Scan Connections now" with the monitor off changes only the counter and the time.
  Rig idleRig;
  Host& idle = idleRig.host;
  CMonitorCycle& stopped = idleRig.cycle;
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
  EXPECT_TRUE(tray_.inTray()) << "the start-up switch hides into the tray";
  EXPECT_FALSE(monitorSwitch);
  host_.Take();

  host_.unregisteredAfterScan = 1;
  cycle_.OnMonitorTick();
  // No refill while hidden during the scan; the views are refilled before the window returns.
  EXPECT_EQ((Log{"stop 2", "icon off 'Tollward'", "button off", "scan", "refill", "remove icon",
                 "show", "message detected"}),
            host_.Take());
  EXPECT_FALSE(cycle_.monitoring());
  EXPECT_FALSE(tray_.inTray());
  EXPECT_EQ(1u, cycle_.monitorCount()) << "the counter survives the stop";
}

TEST_F(Monitor, AScanThatCouldNotCheckEveryEntryIsNeverCleanAndSaysSoOnce) {
  // The entries listed unregistered after the scan, unreadable ones included; whether it could
  // check every entry.
  const struct {
    unsigned unregistered;
    bool whole;
  } cases[] = {{0, true}, {1, false}, {0, false}, {2, false}};
  for (const auto& c : cases) {
    Rig rig;
    Host& host = rig.host;
    host.flash = true;
    CMonitorCycle& cycle = rig.cycle;
    bool monitorSwitch = true;
    cycle.OnMonitorButton(true, monitorSwitch);
    host.unregisteredAfterScan = c.unregistered;
    host.wholeAfterScan = c.whole;
    host.Take();
    cycle.OnMonitorTick();
    const Log tick = host.Take();
    EXPECT_EQ(c.whole, cycle.monitoring() && rig.tray.inTray()) << c.unregistered;
    EXPECT_EQ(!c.whole, tick.back() == "message not checked") << c.unregistered;
    EXPECT_EQ(c.whole, std::count(tick.begin(), tick.end(), "start 3 200") == 1)
        << c.unregistered << ": the icon flashes after a clean scan only";
    EXPECT_EQ(c.whole, cycle.ScanConnections()) << c.unregistered;
    EXPECT_EQ(!c.whole, host.Take().back() == "message not checked") << "a refresh says it too";
  }
}

TEST_F(Monitor, FlashingAfterACleanScanAlternatesSixTicksThenStops) {
  ASSERT_TRUE(cycle_.SetMonitoring(true));
  cycle_.ScanConnections();
  EXPECT_EQ((Log{"start 2 900000", "button on", "scan", "refill"}), host_.Take())
      << "no flashing timer with flashing off";

  host_.flash = true;
  ASSERT_TRUE(tray_.MinimizeToTray(cycle_.status()));
  cycle_.ScanConnections();
  EXPECT_EQ(CTrayState::kFlashTicks, tray_.flashCountdown());
  host_.Take();
  for (int i = 0; i < 6; ++i) {
    cycle_.OnTimer(CMonitorCycle::kFlashTimer);
  }
  const std::string on = "icon on 'Tollward - monitoring active (last check at 09:05h)'";
  EXPECT_EQ((Log{"icon flash", on, "icon flash", on, "icon flash", on, "stop 3"}), host_.Take());

  // A scan that leaves an unregistered entry does not flash.
  host_.unregisteredAfterScan = 2;
  EXPECT_FALSE(cycle_.ScanConnections());
  EXPECT_EQ((Log{"scan"}), host_.Take());
}

TEST_F(Monitor, QuittingStopsTheMonitorThenBringsTheWindowBackFromTheTray) {
  bool monitorSwitch = true;
  cycle_.OnMonitorButton(true, monitorSwitch);
  host_.Take();
  cycle_.OnQuit();
  EXPECT_EQ((Log{"stop 2", "icon off 'Tollward'", "button off", "remove icon", "show"}),
            host_.Take());
  EXPECT_FALSE(tray_.inTray());
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

TEST_F(Monitor, APhonebookChangeScansOnceAfterAQuietMomentOnlyWhileTheMonitorRuns) {
  // M and m: the Monitor button on and off; c: a change of the phonebook; q, l and t: the quiet
  // timer, the longest wait and timer 2 tick (if they run); u: scans now find an unregistered
  // entry; o: the options dialog returns with another interval.
  struct Case {
    const char* what;
    const char* steps;
    int scans;
    bool watchingAfter;
    int watchStarts;
  };
  const Case cases[] = {
      {"one change", "Mcq", 1, true, 1},
      {"a burst of writes", "Mcccccqq", 1, true, 1},
      {"a steady stream scans at the longest wait", "Mcccccclq", 1, true, 1},
      {"each burst after a scan", "Mcqcq", 2, true, 1},
      {"the monitor off", "cqlt", 0, false, 0},
      {"the monitor switched off", "Mmcqlt", 0, false, 1},
      {"a tick before the quiet covers the change", "Mctql", 1, true, 1},
      {"ticks pause the timer, not the watch", "Mttcq", 3, true, 1},
      {"a tick that finds an entry ends the watch", "Mutcql", 1, false, 1},
      {"the options restart only the timer", "Mcoq", 1, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + c.steps);
    Rig rig;
    Host& host = rig.host;
    CMonitorCycle& cycle = rig.cycle;
    bool monitorSwitch = false;
    for (const char* step = c.steps; *step != '\0'; ++step) {
      switch (*step) {
        case 'M':
        case 'm':
          cycle.OnMonitorButton(*step == 'M', monitorSwitch);
          break;
        case 'c':
          tollward::Change(host, cycle);
          break;
        case 'q':
          tollward::Fire(host, cycle, CMonitorCycle::kQuietTimer);
          break;
        case 'l':
          tollward::Fire(host, cycle, CMonitorCycle::kLongestWaitTimer);
          break;
        case 't':
          tollward::Fire(host, cycle, CMonitorCycle::kMonitorTimer);
          break;
        case 'u':
          host.unregisteredAfterScan = 1;
          break;
        case 'o':
          cycle.OnOptionsClosed(host.interval++);
          break;
      }
    }
    EXPECT_EQ(c.scans, host.scans);
    EXPECT_EQ(c.watchingAfter, host.watcher.running());
    EXPECT_EQ(c.watchingAfter, cycle.watching());
    EXPECT_EQ(c.watchStarts, host.watcher.starts);
    EXPECT_EQ(0u, host.timers.count(CMonitorCycle::kQuietTimer) +
                      host.timers.count(CMonitorCycle::kLongestWaitTimer))
        << "no wait left running";
  }
}

TEST_F(Monitor, AQuietPhonebookRunsExactlyWhatATickRuns) {
  bool monitorSwitch = false;
  cycle_.OnMonitorButton(true, monitorSwitch);
  host_.Take();
  Change();
  Change();
  EXPECT_EQ((Log{"start 5 250", "start 6 2000", "start 5 250"}), host_.Take());
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ((Log{"stop 5", "stop 6", "stop 2", "button off", "scan", "refill", "start 2 900000",
                 "button on"}),
            host_.Take());
  EXPECT_EQ(1u, cycle_.monitorCount());
}

TEST_F(Monitor, AChangeDuringAScanOrADialogIsScannedOnceAfterwardsNeverWithin) {
  bool monitorSwitch = false;
  cycle_.OnMonitorButton(true, monitorSwitch);
  // The scan's own dialogs let messages through: two changes arrive meanwhile.
  host_.duringScan = [this] {
    host_.duringScan = nullptr;
    Change();
    Change();
    Fire(CMonitorCycle::kQuietTimer);
  };
  Change();
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ(1, host_.scans) << "no scan within the scan";
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ(2, host_.scans);
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ(2, host_.scans);

  // The quiet timer fires while a dialog keeps the cycle busy: the scan waits for its end.
  Change();
  {
    CBusyScope busy(cycle_);
    Fire(CMonitorCycle::kQuietTimer);
    Change();
    EXPECT_EQ(2, host_.scans);
  }
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ(3, host_.scans);

  // A scan that stops the monitor forgets what came during it.
  host_.unregisteredAfterScan = 1;
  host_.duringScan = [this] { Change(); };
  Change();
  Fire(CMonitorCycle::kQuietTimer);
  EXPECT_EQ(4, host_.scans);
  EXPECT_FALSE(host_.watcher.running());
  EXPECT_TRUE(host_.timers.count(CMonitorCycle::kQuietTimer) == 0);
}

// Whatever holds the cycle (a dialog, a Refresh whose scan shows a report), a tick or a change
// that comes meanwhile scans nothing then, and once afterwards.
TEST_F(Monitor, ATickOrAChangeWhileHeldIsScannedOnceWhenTheLastHolderLetsGo) {
  using Deliver = std::function<void(Host&, CMonitorCycle&)>;
  const Deliver twoTicks = [](Host& host, CMonitorCycle& cycle) {
    tollward::Fire(host, cycle, CMonitorCycle::kMonitorTimer);
    tollward::Fire(host, cycle, CMonitorCycle::kMonitorTimer);
  };
  const Deliver twoChanges = [](Host& host, CMonitorCycle& cycle) {
    tollward::Change(host, cycle);
    tollward::Fire(host, cycle, CMonitorCycle::kQuietTimer);
    tollward::Change(host, cycle);
    tollward::Fire(host, cycle, CMonitorCycle::kQuietTimer);
  };
  struct Holder {
    const char* what;
    // Runs the holder, delivering within it; the scans the holder makes itself.
    std::function<void(Host&, CMonitorCycle&, const Deliver&)> run;
    int ownScans;
  };
  const std::vector<Holder> holders = {
      {"a dialog",
       [](Host& host, CMonitorCycle& cycle, const Deliver& deliver) {
         CBusyScope dialog(cycle);
         deliver(host, cycle);
       },
       0},
      {"a Refresh whose report is open",
       [](Host& host, CMonitorCycle& cycle, const Deliver& deliver) {
         CBusyScope refresh(cycle);
         host.duringScan = [&] { deliver(host, cycle); };
         cycle.ScanConnections();
         host.duringScan = nullptr;
         EXPECT_TRUE(cycle.busy()) << "the inner scan cannot clear the Refresh's hold";
         EXPECT_EQ(1, host.scans) << "no scan nested in the Refresh's";
       },
       1},
  };
  for (const Holder& holder : holders) {
    for (const auto& [arrivals, deliver] : std::vector<std::pair<const char*, Deliver>>{
             {"ticks", twoTicks}, {"changes", twoChanges}}) {
      SCOPED_TRACE(std::string(holder.what) + ", " + arrivals);
      Rig rig;
      Host& host = rig.host;
      CMonitorCycle& cycle = rig.cycle;
      bool monitorSwitch = false;
      cycle.OnMonitorButton(true, monitorSwitch);
      holder.run(host, cycle, deliver);
      EXPECT_FALSE(cycle.busy());
      EXPECT_EQ(holder.ownScans, host.scans);
      tollward::Fire(host, cycle, CMonitorCycle::kQuietTimer);
      EXPECT_EQ(holder.ownScans + 1, host.scans) << "once afterwards";
      tollward::Fire(host, cycle, CMonitorCycle::kQuietTimer);
      EXPECT_EQ(holder.ownScans + 1, host.scans) << "and only once";
      EXPECT_TRUE(cycle.monitoring());
    }
  }
}

}  // namespace
}  // namespace tollward
