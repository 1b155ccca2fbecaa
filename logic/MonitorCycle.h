// The monitor's state and every rule of its cycle: scans, timers, counter, flashing, tray.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace tollward {

enum class MonitorMessage {
  kRefused,               // a start while unregistered entries are listed
  kIntervalReset,         // a start with an interval of 0 minutes
  kTimerNotStopped,       // the system refused to stop (or to start) the monitor's timer
  kUnregisteredDetected,  // a tick found unregistered entries
  // A scan could not read every entry, or not even list them: the one message that names them.
  kPhonebookFindings,
};

enum class TrayPicture { kIdle, kMonitoring, kFlash };

// The mouse on the tray icon, as far as the icon answers it.
enum class TrayMouse { kLeftDoubleClick, kRightRelease, kOther };
enum class TrayMouseAction { kNothing, kRestore, kOpenMenu };

// The texts of the string table that the cycle fills in.
struct MonitorTexts {
  std::string idleTip;        // "Tollward"
  std::string monitoringTip;  // with the hour and minute of the last scan
  std::string lastScanLine;   // with the hour and minute of the last scan
  std::string countLine;      // with the number of scans
};

// What the tray menu shows when it opens. An empty line keeps the item's present text.
struct TrayMenuState {
  bool monitorChecked = false;
  // False: both status lines are greyed; true: they are shown but cannot be chosen.
  bool statusActive = false;
  std::string countLine;
  std::string lastScanLine;

  bool operator==(const TrayMenuState& other) const {
    return monitorChecked == other.monitorChecked && statusActive == other.statusActive &&
           countLine == other.countLine && lastScanLine == other.lastScanLine;
  }
};

// What the cycle needs of the program around it: the window's timers, message boxes, button
// and tray icon, the option record and the two lists.
class IMonitorHost {
 public:
  virtual ~IMonitorHost() = default;

  virtual std::time_t Now() = 0;
  virtual bool StartTimer(unsigned id, std::uint32_t milliseconds) = 0;
  virtual bool StopTimer(unsigned id) = 0;
  virtual void ShowMessage(MonitorMessage message) = 0;
  virtual void SetMonitorButton(bool checked) = 0;

  virtual std::uint32_t MonitorInterval() = 0;
  virtual void StoreMonitorInterval(std::uint32_t minutes) = 0;
  virtual bool FlashAfterScan() = 0;
  virtual bool MinimizeOnMonitorStart() = 0;

  // The entries listed as unregistered, those that could not be read included.
  virtual unsigned UnregisteredCount() = 0;
  // Writes the registered list to the store it remembers (it reports its own failure).
  virtual void SaveRegistrations() = 0;
  // Reports the manipulated registered entries, then sorts the phonebook anew into both lists.
  // True when every entry of the phonebook could be read and no registration went missing;
  // otherwise kPhonebookFindings says what could not be checked.
  virtual bool CheckAndResort() = 0;
  virtual void RefillViews() = 0;

  // Registers the tray icon with the idle picture and tip.
  virtual bool AddTrayIcon() = 0;
  virtual bool RemoveTrayIcon() = 0;
  virtual bool ChangeTrayIcon(TrayPicture picture, const std::string& tip) = 0;
  // Changes the picture only; the tip stays.
  virtual bool ChangeTrayPicture(TrayPicture picture) = 0;
  // Hides the window for the tray, or brings it back to the front.
  virtual void HideWindow() = 0;
  virtual void ShowWindow() = 0;

  // Starts or stops the reports of phonebook changes (OnPhonebookChanged).
  virtual bool StartWatching() = 0;
  virtual void StopWatching() = 0;
};

class MonitorCycle {
 public:
  static constexpr unsigned kMonitorTimer = 2;
  static constexpr unsigned kFlashTimer = 3;
  static constexpr std::uint32_t kFlashMilliseconds = 200;
  static constexpr std::int32_t kFlashTicks = 6;
  // A changed phonebook is scanned once its files have been quiet this long, or at the latest
  // this long after the first change of a burst, so that a steady stream of writes still scans.
  static constexpr unsigned kQuietTimer = 5;
  static constexpr std::uint32_t kQuietMilliseconds = 250;
  static constexpr unsigned kLongestWaitTimer = 6;
  static constexpr std::uint32_t kLongestWaitMilliseconds = 2000;
  static constexpr unsigned kTrayIconId = 1;
  // The longest interval the options dialog offers.
  static constexpr std::uint32_t kLongestInterval = 9999;

  MonitorCycle(IMonitorHost& host, MonitorTexts texts);

  static std::uint32_t PeriodOf(std::uint32_t minutes) { return minutes * 60000u; }

  bool monitoring() const { return monitoring_; }
  std::uint32_t monitorCount() const { return monitorCount_; }
  std::time_t lastScan() const { return lastScan_; }
  std::int32_t flashCountdown() const { return flashCountdown_; }
  // A scan, a dialog or another action that the tray icon and the monitor's scans must not
  // interrupt is running.
  bool busy() const { return holds_ > 0; }
  bool inTray() const { return inTray_; }
  // Follows the monitor's lasting state; a tick's own pause of the timer leaves it on.
  bool watching() const { return watching_; }
  // Holders nest: the cycle is busy until the last of them lets go. A tick or a change of the
  // phonebook that comes meanwhile is scanned once afterwards.
  void Hold() { ++holds_; }
  void Release();

  // Start-up's first check of the store counts as a last scan, though not as a monitoring.
  void MarkFirstCheck() { lastScan_ = host_.Now(); }

  // One scan: counts it, checks and re-sorts, refills the views unless hidden, and starts the
  // flashing after a clean result. True when the phonebook was read whole and nothing is
  // unregistered afterwards; what could not be read is said at once.
  bool ScanConnections();
  // True when the monitor ended in the requested state; false when it refused (with a message).
  bool SetMonitoring(bool on);
  // Timer 2, and the tray menu's "Scan Connections now".
  void OnMonitorTick();
  void OnFlashTick();
  // The phonebook's files changed: scanned as by a tick once they have been quiet a moment,
  // if the monitor runs. A change during a scan or its dialogs is scanned once afterwards.
  void OnPhonebookChanged();
  // Routes a tick of the cycle's own timers; false for any other timer. A monitor tick that
  // comes while the cycle is busy waits for its end.
  bool OnTimer(unsigned id);

  // The Monitor button, whose check has already changed. `monitorSwitch` is the start-up
  // switch; it is cleared once the switch has taken the window into the tray.
  void OnMonitorButton(bool checked, bool& monitorSwitch);
  // The tray menu's "Monitor Connections": switches without saving or moving the window.
  void OnMonitorMenuItem();
  // A running monitor picks up an interval changed in the options dialog at once.
  void OnOptionsClosed(std::uint32_t intervalBefore);
  // The program ends: the monitor stops and the icon goes.
  void OnQuit();

  bool MinimizeToTray();
  bool RestoreFromTray();
  bool UpdateTrayIcon(bool monitoringState);
  bool ShowFlashIcon();
  // The shell lost its icons (it restarted): register ours again, or show the window if that
  // fails, so that the program never runs unreachable.
  void OnTaskbarCreated();

  TrayMouseAction OnTrayMouse(unsigned iconId, TrayMouse mouse) const;
  TrayMenuState MenuState() const;
  std::string TrayTip(bool monitoringState) const;

 private:
  // ScanConnections without its message; `whole` tells whether every entry could be read.
  bool Scan(bool& whole);
  std::string WithLastScanTime(const std::string& format) const;
  bool SwitchTimer(bool on);
  void FollowMonitorState();
  bool Occupied() const { return holds_ > 0 || holdingWatch_ > 0; }
  void WaitForQuiet();
  void OnQuiet();
  void CancelQuietWait();
  void ResumeRememberedChange();

  IMonitorHost& host_;
  MonitorTexts texts_;
  bool monitoring_ = false;
  std::uint32_t monitorCount_ = 0;
  std::time_t lastScan_ = 0;
  std::int32_t flashCountdown_ = 0;
  int holds_ = 0;
  bool inTray_ = false;
  bool watching_ = false;
  // While above 0, a switch of the timer is only a pause: the watching stays as it is.
  int holdingWatch_ = 0;
  // The quiet and the longest-wait timers run.
  bool waitingForQuiet_ = false;
  // A change or a monitor tick came while the cycle was occupied.
  bool changeRemembered_ = false;
};

// Keeps the cycle busy for the length of an action that the tray icon must not interrupt.
class BusyScope {
 public:
  explicit BusyScope(MonitorCycle& cycle) : cycle_(cycle) { cycle_.Hold(); }
  ~BusyScope() { cycle_.Release(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  MonitorCycle& cycle_;
};

// A minimize request with a parameter (the mouse's position, or "done" while monitoring)
// hides into the tray; one without minimizes the window normally.
inline bool MinimizeGoesToTray(std::uintptr_t parameter) {
  return parameter != 0;
}

}  // namespace tollward
