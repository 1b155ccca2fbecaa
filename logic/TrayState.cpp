// The tray's state and rules: whether the window hides there, and what its icon and menu show.
#include "logic/TrayState.h"

#include <cstdio>
#include <utility>

namespace tollward {

CTrayState::CTrayState(ITrayView& view, TrayTexts texts) : view_(view), texts_(std::move(texts)) {}

bool CTrayState::MinimizeToTray(const MonitorStatus& status) {
  inTray_ = view_.AddIcon(TrayPicture::kIdle, texts_.idleTip);
  if (!inTray_) {
    return false;
  }
  UpdateTrayIcon(status);
  view_.ShowWindow(false);
  return inTray_;
}

bool CTrayState::RestoreFromTray() {
  if (!inTray_) {
    return true;
  }
  inTray_ = !view_.RemoveIcon();
  if (!inTray_) {
    view_.ShowWindow(true);
  }
  return !inTray_;
}

void CTrayState::UpdateTrayIcon(const MonitorStatus& status) {
  if (!inTray_) {
    return;
  }
  view_.ChangeIcon(status.monitoring ? TrayPicture::kMonitoring : TrayPicture::kIdle,
                   TrayTip(status));
}

bool CTrayState::OnFlashTick(const MonitorStatus& status) {
  --flashCountdown_;
  if (flashCountdown_ % 2 != 0) {
    if (inTray_) {
      view_.ChangePicture(TrayPicture::kFlash);
    }
    return false;
  }
  UpdateTrayIcon(status);
  return flashCountdown_ <= 0;
}

void CTrayState::OnTaskbarCreated(const MonitorStatus& status) {
  if (!inTray_) {
    return;
  }
  if (view_.AddIcon(TrayPicture::kIdle, texts_.idleTip)) {
    UpdateTrayIcon(status);
    return;
  }
  inTray_ = false;
  view_.ShowWindow(true);
}

TrayMouseAction CTrayState::OnTrayMouse(unsigned iconId, TrayMouse mouse, bool busy) const {
  if (iconId != kTrayIconId || busy) {
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

TrayMenuState CTrayState::MenuState(const MonitorStatus& status) const {
  TrayMenuState state;
  state.monitorChecked = status.monitoring;
  state.statusActive = status.monitoring;
  if (status.monitoring) {
    char line[128] = {};
    std::snprintf(line, sizeof(line), texts_.countLine.c_str(), status.monitorCount);
    state.countLine = line;
  }
  if (status.lastScan != 0) {
    state.lastScanLine = WithLastScanTime(texts_.lastScanLine, status.lastScan);
  }
  return state;
}

std::string CTrayState::TrayTip(const MonitorStatus& status) const {
  return status.monitoring ? WithLastScanTime(texts_.monitoringTip, status.lastScan)
                           : texts_.idleTip;
}

std::string CTrayState::WithLastScanTime(const std::string& format, std::time_t lastScan) const {
  const std::tm* local = std::localtime(&lastScan);
  const unsigned hour = local != nullptr ? static_cast<unsigned>(local->tm_hour) : 0;
  const unsigned minute = local != nullptr ? static_cast<unsigned>(local->tm_min) : 0;
  char text[128] = {};
  std::snprintf(text, sizeof(text), format.c_str(), hour, minute);
  return text;
}

}  // namespace tollward
