// The monitor's state and every rule of its cycle: scans, timers, counter, flashing, tray.
#include "logic/MonitorCycle.h"

#include <cstdio>
#include <utility>

namespace tollward {

MonitorCycle::MonitorCycle(IMonitorHost& host, MonitorTexts texts)
    : host_(host), texts_(std::move(texts)) {}

bool MonitorCycle::ScanConnections() {
  bool whole = true;
  const bool clean = Scan(whole);
  if (!whole) {
    host_.ShowMessage(MonitorMessage::kPhonebookFindings);
  }
  return clean;
}

bool MonitorCycle::Scan(bool& whole) {
  ++monitorCount_;
  Hold();
  lastScan_ = host_.Now();
  // An entry that could not be checked may hide the very manipulation the scan looks for.
  whole = host_.CheckAndResort();
  // Hidden views need no refill; they are refilled when a tick brings the window back.
  if (!inTray_) {
    host_.RefillViews();
  }
  Release();
  const bool clean = whole && host_.UnregisteredCount() == 0;
  if (clean && host_.FlashAfterScan()) {
    flashCountdown_ = kFlashTicks;
    host_.StartTimer(kFlashTimer, kFlashMilliseconds);
  }
  return clean;
}

bool MonitorCycle::SetMonitoring(bool on) {
  const bool done = SwitchTimer(on);
  if (holdingWatch_ == 0) {
    FollowMonitorState();
  }
  return done;
}

bool MonitorCycle::SwitchTimer(bool on) {
  if (on) {
    if (host_.UnregisteredCount() != 0) {
      host_.SetMonitorButton(false);
      host_.ShowMessage(MonitorMessage::kRefused);
      return false;
    }
    std::uint32_t interval = host_.MonitorInterval();
    // Only the options file can bring a value outside the dialog's range. A long one would
    // leave the tick, the fallback of the watcher, nearly never coming, so it is no more
    // trusted than 0.
    if (interval == 0 || interval > kLongestInterval) {
      host_.ShowMessage(MonitorMessage::kIntervalReset);
      interval = 1;
      host_.StoreMonitorInterval(interval);
    }
    if (monitoring_) {
      monitoring_ = !host_.StopTimer(kMonitorTimer);
      if (monitoring_) {
        host_.ShowMessage(MonitorMessage::kTimerNotStopped);
        return false;
      }
    }
    // A monitor marked on without its timer would guard nothing while claiming to.
    if (!host_.StartTimer(kMonitorTimer, PeriodOf(interval))) {
      UpdateTrayIcon(false);
      host_.SetMonitorButton(false);
      host_.ShowMessage(MonitorMessage::kTimerNotStopped);
      return false;
    }
    monitoring_ = true;
  } else if (monitoring_) {
    monitoring_ = !host_.StopTimer(kMonitorTimer);
    if (monitoring_) {
      host_.ShowMessage(MonitorMessage::kTimerNotStopped);
      return false;
    }
  }
  UpdateTrayIcon(monitoring_);
  host_.SetMonitorButton(monitoring_);
  return true;
}

void MonitorCycle::OnMonitorTick() {
  // This scan reads the phonebook after any change waiting for quiet, so it covers that change.
  CancelQuietWait();
  const bool wasMonitoring = monitoring_;
  ++holdingWatch_;
  // No further tick may come while the scan and its dialogs run.
  SetMonitoring(false);
  bool whole = true;
  const bool clean = Scan(whole);
  if (clean) {
    // Measured from the end of this scan: a full interval again.
    SetMonitoring(wasMonitoring);
  }
  --holdingWatch_;
  FollowMonitorState();
  if (clean) {
    ResumeRememberedChange();
    return;
  }
  host_.RefillViews();
  if (inTray_) {
    RestoreFromTray();
  }
  // One message: what could not be checked matters more than what was found new.
  host_.ShowMessage(whole ? MonitorMessage::kUnregisteredDetected
                          : MonitorMessage::kPhonebookFindings);
}

void MonitorCycle::Release() {
  if (holds_ > 0) {
    --holds_;
  }
  ResumeRememberedChange();
}

void MonitorCycle::OnPhonebookChanged() {
  // With the monitor off a change starts nothing, also from a message posted before the stop.
  if (!watching_) {
    return;
  }
  if (Occupied()) {
    changeRemembered_ = true;
    return;
  }
  WaitForQuiet();
}

// Each change restarts the quiet timer; the longest wait runs from the first change on.
void MonitorCycle::WaitForQuiet() {
  host_.StartTimer(kQuietTimer, kQuietMilliseconds);
  if (!waitingForQuiet_) {
    host_.StartTimer(kLongestWaitTimer, kLongestWaitMilliseconds);
    waitingForQuiet_ = true;
  }
}

void MonitorCycle::OnQuiet() {
  // A tick of a timer that was stopped meanwhile.
  if (!waitingForQuiet_) {
    return;
  }
  CancelQuietWait();
  if (Occupied()) {
    changeRemembered_ = true;
    return;
  }
  OnMonitorTick();
}

void MonitorCycle::CancelQuietWait() {
  if (!waitingForQuiet_) {
    return;
  }
  host_.StopTimer(kQuietTimer);
  host_.StopTimer(kLongestWaitTimer);
  waitingForQuiet_ = false;
}

void MonitorCycle::ResumeRememberedChange() {
  if (changeRemembered_ && watching_ && !Occupied()) {
    changeRemembered_ = false;
    WaitForQuiet();
  }
}

void MonitorCycle::FollowMonitorState() {
  if (monitoring_ == watching_) {
    return;
  }
  watching_ = monitoring_;
  if (watching_) {
    // Without the reports the monitor still finds every change at its next tick.
    host_.StartWatching();
    return;
  }
  host_.StopWatching();
  CancelQuietWait();
  changeRemembered_ = false;
}

void MonitorCycle::OnFlashTick() {
  --flashCountdown_;
  if (flashCountdown_ % 2 == 0) {
    UpdateTrayIcon(monitoring_);
    if (flashCountdown_ <= 0) {
      host_.StopTimer(kFlashTimer);
    }
  } else {
    ShowFlashIcon();
  }
}

bool MonitorCycle::OnTimer(unsigned id) {
  switch (id) {
    case kMonitorTimer:
      // Within a dialog's loop a scan would change the lists under the dialog, and within a
      // scan it would report everything twice: the tick is scanned once the holders are done,
      // as a change of the phonebook is.
      if (Occupied()) {
        changeRemembered_ = changeRemembered_ || watching_;
        return true;
      }
      OnMonitorTick();
      return true;
    case kFlashTimer:
      OnFlashTick();
      return true;
    case kQuietTimer:
    case kLongestWaitTimer:
      OnQuiet();
      return true;
    default:
      return false;
  }
}

void MonitorCycle::OnMonitorButton(bool checked, bool& monitorSwitch) {
  if (!checked) {
    SetMonitoring(false);
    monitorCount_ = 0;
    return;
  }
  // The monitor guards what the store holds, so the registrations go there first. A failed
  // save has been reported by the list and does not keep the monitor from starting.
  host_.SaveRegistrations();
  if (SetMonitoring(true) && !inTray_ && (host_.MinimizeOnMonitorStart() || monitorSwitch)) {
    MinimizeToTray();
    monitorSwitch = false;
  }
}

void MonitorCycle::OnMonitorMenuItem() {
  if (monitoring_) {
    monitorCount_ = 0;
  }
  SetMonitoring(!monitoring_);
}

void MonitorCycle::OnOptionsClosed(std::uint32_t intervalBefore) {
  if (monitoring_ && host_.MonitorInterval() != intervalBefore) {
    // Only the timer restarts; a change remembered meanwhile is still scanned.
    ++holdingWatch_;
    SetMonitoring(false);
    SetMonitoring(true);
    --holdingWatch_;
    FollowMonitorState();
  }
}

void MonitorCycle::OnQuit() {
  SetMonitoring(false);
  RestoreFromTray();
}

bool MonitorCycle::MinimizeToTray() {
  inTray_ = host_.AddTrayIcon();
  if (!inTray_) {
    return false;
  }
  UpdateTrayIcon(monitoring_);
  host_.HideWindow();
  return inTray_;
}

bool MonitorCycle::RestoreFromTray() {
  if (!inTray_) {
    return true;
  }
  inTray_ = !host_.RemoveTrayIcon();
  if (!inTray_) {
    host_.ShowWindow();
  }
  return !inTray_;
}

bool MonitorCycle::UpdateTrayIcon(bool monitoringState) {
  if (!inTray_) {
    return true;
  }
  host_.ChangeTrayIcon(monitoringState ? TrayPicture::kMonitoring : TrayPicture::kIdle,
                       TrayTip(monitoringState));
  return true;
}

bool MonitorCycle::ShowFlashIcon() {
  if (!inTray_) {
    return true;
  }
  return host_.ChangeTrayPicture(TrayPicture::kFlash);
}

void MonitorCycle::OnTaskbarCreated() {
  if (!inTray_) {
    return;
  }
  if (host_.AddTrayIcon()) {
    UpdateTrayIcon(monitoring_);
    return;
  }
  inTray_ = false;
  host_.ShowWindow();
}

TrayMouseAction MonitorCycle::OnTrayMouse(unsigned iconId, TrayMouse mouse) const {
  // A scan or a dialog runs: the icon must not start a second one.
  if (iconId != kTrayIconId || busy()) {
    return TrayMouseAction::kNothing;
  }
  switch (mouse) {
    case TrayMouse::kLeftDoubleClick:
      return TrayMouseAction::kRestore;
    case TrayMouse::kRightRelease:
      return TrayMouseAction::kOpenMenu;
    case TrayMouse::kOther:
      break;
  }
  return TrayMouseAction::kNothing;
}

TrayMenuState MonitorCycle::MenuState() const {
  TrayMenuState state;
  state.monitorChecked = monitoring_;
  state.statusActive = monitoring_;
  if (monitoring_) {
    char line[128] = {};
    std::snprintf(line, sizeof(line), texts_.countLine.c_str(), monitorCount_);
    state.countLine = line;
  }
  if (lastScan_ != 0) {
    state.lastScanLine = WithLastScanTime(texts_.lastScanLine);
  }
  return state;
}

std::string MonitorCycle::TrayTip(bool monitoringState) const {
  return monitoringState ? WithLastScanTime(texts_.monitoringTip) : texts_.idleTip;
}

std::string MonitorCycle::WithLastScanTime(const std::string& format) const {
  const std::time_t when = lastScan_;
  const std::tm* local = std::localtime(&when);
  const unsigned hour = local != nullptr ? static_cast<unsigned>(local->tm_hour) : 0;
  const unsigned minute = local != nullptr ? static_cast<unsigned>(local->tm_min) : 0;
  char text[128] = {};
  std::snprintf(text, sizeof(text), format.c_str(), hour, minute);
  return text;
}

}  // namespace tollward
