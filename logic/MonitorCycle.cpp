// The monitor's state and every rule of its cycle: scans, timers, counter, and when to flash.
#include "logic/MonitorCycle.h"

namespace tollward {

CMonitorCycle::CMonitorCycle(IMonitorClock& clock, IMonitorScan& scan, IMonitorUser& user,
                             CTrayState& tray)
    : clock_(clock), scan_(scan), user_(user), tray_(tray) {}

bool CMonitorCycle::ScanConnections() {
  bool whole = true;
  const bool clean = Scan(whole);
  if (!whole) {
    user_.ShowMessage(MonitorMessage::kPhonebookFindings);
  }
  return clean;
}

bool CMonitorCycle::Scan(bool& whole) {
  ++monitorCount_;
  Hold();
  lastScan_ = clock_.Now();
  // An entry that could not be checked may hide the very manipulation the scan looks for.
  whole = scan_.CheckAndResort();
  // Hidden views need no refill; they are refilled when a tick brings the window back.
  if (!tray_.inTray()) {
    scan_.RefillViews();
  }
  Release();
  const bool clean = whole && scan_.UnregisteredCount() == 0;
  if (clean && user_.Settings().flashAfterScan) {
    tray_.StartFlashing();
    clock_.StartTimer(kFlashTimer, kFlashMilliseconds);
  }
  return clean;
}

bool CMonitorCycle::SetMonitoring(bool on) {
  const bool done = SwitchTimer(on);
  if (holdingWatch_ == 0) {
    FollowMonitorState();
  }
  return done;
}

bool CMonitorCycle::SwitchTimer(bool on) {
  if (on) {
    if (scan_.UnregisteredCount() != 0) {
      user_.SetMonitorButton(false);
      user_.ShowMessage(MonitorMessage::kRefused);
      return false;
    }
    std::uint32_t interval = user_.Settings().interval;
    // Only the options file can bring a value outside the dialog's range. A long one would
    // leave the tick, the fallback of the watcher, nearly never coming, so it is no more
    // trusted than 0.
    if (interval == 0 || interval > kLongestInterval) {
      user_.ShowMessage(MonitorMessage::kIntervalReset);
      interval = 1;
      user_.StoreMonitorInterval(interval);
    }
    if (monitoring_) {
      monitoring_ = !clock_.StopTimer(kMonitorTimer);
      if (monitoring_) {
        user_.ShowMessage(MonitorMessage::kTimerNotStopped);
        return false;
      }
    }
    // A monitor marked on without its timer would guard nothing while claiming to.
    if (!clock_.StartTimer(kMonitorTimer, PeriodOf(interval))) {
      tray_.UpdateTrayIcon(status());
      user_.SetMonitorButton(false);
      user_.ShowMessage(MonitorMessage::kTimerNotStopped);
      return false;
    }
    monitoring_ = true;
  } else if (monitoring_) {
    monitoring_ = !clock_.StopTimer(kMonitorTimer);
    if (monitoring_) {
      user_.ShowMessage(MonitorMessage::kTimerNotStopped);
      return false;
    }
  }
  tray_.UpdateTrayIcon(status());
  user_.SetMonitorButton(monitoring_);
  return true;
}

void CMonitorCycle::OnMonitorTick() {
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
  scan_.RefillViews();
  if (tray_.inTray()) {
    tray_.RestoreFromTray();
  }
  // One message: what could not be checked matters more than what was found new.
  user_.ShowMessage(whole ? MonitorMessage::kUnregisteredDetected
                          : MonitorMessage::kPhonebookFindings);
}

void CMonitorCycle::Release() {
  if (holds_ > 0) {
    --holds_;
  }
  ResumeRememberedChange();
}

void CMonitorCycle::OnPhonebookChanged() {
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
void CMonitorCycle::WaitForQuiet() {
  clock_.StartTimer(kQuietTimer, kQuietMilliseconds);
  if (!waitingForQuiet_) {
    clock_.StartTimer(kLongestWaitTimer, kLongestWaitMilliseconds);
    waitingForQuiet_ = true;
  }
}

void CMonitorCycle::OnQuiet() {
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

void CMonitorCycle::CancelQuietWait() {
  if (!waitingForQuiet_) {
    return;
  }
  clock_.StopTimer(kQuietTimer);
  clock_.StopTimer(kLongestWaitTimer);
  waitingForQuiet_ = false;
}

void CMonitorCycle::ResumeRememberedChange() {
  if (changeRemembered_ && watching_ && !Occupied()) {
    changeRemembered_ = false;
    WaitForQuiet();
  }
}

void CMonitorCycle::FollowMonitorState() {
  if (monitoring_ == watching_) {
    return;
  }
  watching_ = monitoring_;
  if (watching_) {
    // Without the reports the monitor still finds every change at its next tick.
    scan_.Watch(true);
    return;
  }
  scan_.Watch(false);
  CancelQuietWait();
  changeRemembered_ = false;
}

bool CMonitorCycle::OnTimer(unsigned id) {
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
      if (tray_.OnFlashTick(status())) {
        clock_.StopTimer(kFlashTimer);
      }
      return true;
    case kQuietTimer:
    case kLongestWaitTimer:
      OnQuiet();
      return true;
    default:
      return false;
  }
}

void CMonitorCycle::OnMonitorButton(bool checked, bool& monitorSwitch) {
  if (!checked) {
    SetMonitoring(false);
    monitorCount_ = 0;
    return;
  }
  // The monitor guards what the store holds, so the registrations go there first. A failed
  // save has been reported by the list and does not keep the monitor from starting.
  scan_.SaveRegistrations();
  if (SetMonitoring(true) && !tray_.inTray() &&
      (user_.Settings().minimizeOnStart || monitorSwitch)) {
    tray_.MinimizeToTray(status());
    monitorSwitch = false;
  }
}

void CMonitorCycle::OnMonitorMenuItem() {
  if (monitoring_) {
    monitorCount_ = 0;
  }
  SetMonitoring(!monitoring_);
}

void CMonitorCycle::OnOptionsClosed(std::uint32_t intervalBefore) {
  if (monitoring_ && user_.Settings().interval != intervalBefore) {
    // Only the timer restarts; a change remembered meanwhile is still scanned.
    ++holdingWatch_;
    SetMonitoring(false);
    SetMonitoring(true);
    --holdingWatch_;
    FollowMonitorState();
  }
}

void CMonitorCycle::OnQuit() {
  SetMonitoring(false);
  tray_.RestoreFromTray();
}

}  // namespace tollward
