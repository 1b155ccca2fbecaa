// The tray's state and rules: whether the window hides there, and what its icon and menu show.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace tollward {

enum class TrayPicture { kIdle, kMonitoring, kFlash };

// The mouse on the tray icon, as far as the icon answers it.
enum class TrayMouse { kLeftDoubleClick, kRightRelease, kOther };
enum class TrayMouseAction { kNothing, kRestore, kOpenMenu };

// The texts of the string table that the tray fills in.
struct TrayTexts {
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

// The monitor as the tray shows it.
struct MonitorStatus {
  bool monitoring = false;
  std::uint32_t monitorCount = 0;
  std::time_t lastScan = 0;
};

// The icon in the notification area and the window it stands for.
class ITrayView {
 public:
  virtual ~ITrayView() = default;

  virtual bool AddIcon(TrayPicture picture, const std::string& tip) = 0;
  // True when no icon is left.
  virtual bool RemoveIcon() = 0;
  virtual bool ChangeIcon(TrayPicture picture, const std::string& tip) = 0;
  // The tip stays.
  virtual bool ChangePicture(TrayPicture picture) = 0;
  // Hidden for the tray, or back in front.
  virtual void ShowWindow(bool shown) = 0;
};

class CTrayState {
 public:
  static constexpr unsigned kTrayIconId = 1;
  static constexpr std::int32_t kFlashTicks = 6;

  CTrayState(ITrayView& view, TrayTexts texts);

  bool inTray() const { return inTray_; }
  std::int32_t flashCountdown() const { return flashCountdown_; }

  bool MinimizeToTray(const MonitorStatus& status);
  bool RestoreFromTray();
  // The picture and the tip follow the monitor; without an icon there is nothing to change.
  void UpdateTrayIcon(const MonitorStatus& status);
  void StartFlashing() { flashCountdown_ = kFlashTicks; }
  // The flashing alternates the flash picture with the monitor's own; true once it has ended.
  bool OnFlashTick(const MonitorStatus& status);
  // The shell lost its icons (it restarted): register ours again, or show the window if that
  // fails, so that the program never runs unreachable.
  void OnTaskbarCreated(const MonitorStatus& status);

  // `busy`: a scan or a dialog runs, and the icon must not start a second one.
  TrayMouseAction OnTrayMouse(unsigned iconId, TrayMouse mouse, bool busy) const;
  TrayMenuState MenuState(const MonitorStatus& status) const;
  std::string TrayTip(const MonitorStatus& status) const;

 private:
  std::string WithLastScanTime(const std::string& format, std::time_t lastScan) const;

  ITrayView& view_;
  TrayTexts texts_;
  bool inTray_ = false;
  std::int32_t flashCountdown_ = 0;
};

// A minimize request with a parameter (the mouse's position, or "done" while monitoring)
// hides into the tray; one without minimizes the window normally.
inline bool MinimizeGoesToTray(std::uintptr_t parameter) {
  return parameter != 0;
}

}  // namespace tollward
