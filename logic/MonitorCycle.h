// The monitor's state and every rule of its cycle: scans, timers, counter, and when to flash.
#pragma once

#include <cstdint>
#include <ctime>

#include "logic/TrayState.h"

namespace tollward {

enum class MonitorMessage {
  kRefused,               // a start while unregistered entries are listed
  kIntervalReset,         // a start with an interval of 0 minutes
  kTimerNotStopped,       // the system refused to stop (or to start) the monitor's timer
  kUnregisteredDetected,  // a tick found unregistered entries
  // A scan could not read every entry, or not even list them: the one message that names them.
  kPhonebookFindings,
};

// The window's timers and the clock.
class IMonitorClock {
 public:
  virtual ~IMonitorClock() = default;

  virtual std::time_t Now() = 0;
  virtual bool StartTimer(unsigned id, std::uint32_t milliseconds) = 0;
  virtual bool StopTimer(unsigned id) = 0;
};

// The scan: the phonebook, the two lists sorted from it, and the reports of its changes.
class IMonitorScan {
 public:
  virtual ~IMonitorScan() = default;

  // Reports the manipulated registered entries, then sorts the phonebook anew into both lists.
  // True when every entry of the phonebook could be read and no registration went missing;
  // otherwise kPhonebookFindings says what could not be checked.
  virtual bool CheckAndResort() = 0;
  // The entries listed as unregistered, those that could not be read included.
  virtual unsigned UnregisteredCount() = 0;
  // Writes the registered list to the store it remembers (it reports its own failure).
  virtual void SaveRegistrations() = 0;
  virtual void RefillViews() = 0;
  // Starts or stops the reports of phonebook changes (OnPhonebookChanged).
  virtual void Watch(bool on) = 0;
};

// The user's options for the monitor, as they are now.
struct MonitorSettings {
  std::uint32_t interval = 0;
  bool flashAfterScan = false;
  bool minimizeOnStart = false;
};

// The user's side: the messages, the Monitor button and the options.
class IMonitorUser {
 public:
  virtual ~IMonitorUser() = default;

  virtual void ShowMessage(MonitorMessage message) = 0;
  virtual void SetMonitorButton(bool checked) = 0;
  virtual MonitorSettings Settings() = 0;
  virtual void StoreMonitorInterval(std::uint32_t minutes) = 0;
};

class CMonitorCycle {
 public:
  static constexpr unsigned kMonitorTimer = 2;
  static constexpr unsigned kFlashTimer = 3;
  static constexpr std::uint32_t kFlashMilliseconds = 200;
  // A changed phonebook is scanned once its files have been quiet this long, or at the latest
  // this long after the first change of a burst, so that a steady stream of writes still scans.
  static constexpr unsigned kQuietTimer = 5;
  static constexpr std::uint32_t kQuietMilliseconds = 250;
  static constexpr unsigned kLongestWaitTimer = 6;
  static constexpr std::uint32_t kLongestWaitMilliseconds = 2000;
  // The longest interval the options dialog offers.
  static constexpr std::uint32_t kLongestInterval = 9999;

  CMonitorCycle(IMonitorClock& clock, IMonitorScan& scan, IMonitorUser& user, CTrayState& tray);

  static std::uint32_t PeriodOf(std::uint32_t minutes) { return minutes * 60000u; }

  bool monitoring() const { return monitoring_; }
  std::uint32_t monitorCount() const { return monitorCount_; }
  std::time_t lastScan() const { return lastScan_; }
  MonitorStatus status() const { return MonitorStatus{monitoring_, monitorCount_, lastScan_}; }
  // A scan, a dialog or another action that the tray icon and the monitor's scans must not
  // interrupt is running.
  bool busy() const { return holds_ > 0; }
  // Follows the monitor's lasting state; a tick's own pause of the timer leaves it on.
  bool watching() const { return watching_; }
  // Holders nest: the cycle is busy until the last of them lets go. A tick or a change of the
  // phonebook that comes meanwhile is scanned once afterwards.
  void Hold() { ++holds_; }
  void Release();

  // Start-up's first check of the store counts as a last scan, though not as a monitoring.
  void MarkFirstCheck() { lastScan_ = clock_.Now(); }

  // One scan: counts it, checks and re-sorts, refills the views unless hidden, and starts the
  // flashing after a clean result. True when the phonebook was read whole and nothing is
  // unregistered afterwards; what could not be read is said at once.
  bool ScanConnections();
  // True when the monitor ended in the requested state; false when it refused (with a message).
  bool SetMonitoring(bool on);
  // Timer 2, and the tray menu's "Scan Connections now".
  void OnMonitorTick();
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

 private:
  // ScanConnections without its message; `whole` tells whether every entry could be read.
  bool Scan(bool& whole);
  bool SwitchTimer(bool on);
  void FollowMonitorState();
  bool Occupied() const { return holds_ > 0 || holdingWatch_ > 0; }
  void WaitForQuiet();
  void OnQuiet();
  void CancelQuietWait();
  void ResumeRememberedChange();

  IMonitorClock& clock_;
  IMonitorScan& scan_;
  IMonitorUser& user_;
  CTrayState& tray_;
  bool monitoring_ = false;
  std::uint32_t monitorCount_ = 0;
  std::time_t lastScan_ = 0;
  int holds_ = 0;
  bool watching_ = false;
  // While above 0, a switch of the timer is only a pause: the watching stays as it is.
  int holdingWatch_ = 0;
  // The quiet and the longest-wait timers run.
  bool waitingForQuiet_ = false;
  // A change or a monitor tick came while the cycle was occupied.
  bool changeRemembered_ = false;
};

// Keeps the cycle busy for the length of an action that the tray icon must not interrupt.
class CBusyScope {
 public:
  explicit CBusyScope(CMonitorCycle& cycle) : cycle_(cycle) { cycle_.Hold(); }
  ~CBusyScope() { cycle_.Release(); }
  CBusyScope(const CBusyScope&) = delete;
  CBusyScope& operator=(const CBusyScope&) = delete;

 private:
  CMonitorCycle& cycle_;
};

}  // namespace tollward
