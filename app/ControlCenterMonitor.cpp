// The control center's monitor: the cycle and the tray, and the window's timers, button, options
// and lists that they work through.
#include "app/ControlCenterMonitor.h"

#include <cstdint>
#include <ctime>
#include <utility>

#include "app/ControlCenterDlg.h"
#include "core/GuardSequences.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

CControlCenterMonitor::CControlCenterMonitor(CControlCenterDlg& window,
                                             ControlCenterScanParts parts)
    : window_(window),
      parts_(std::move(parts)),
      tray_(TrayTexts{
          ui::LoadResString(IDS_TRAY_TIP_IDLE), ui::LoadResString(IDS_TRAY_TIP_MONITORING),
          ui::LoadResString(IDS_TRAY_LAST_SCAN), ui::LoadResString(IDS_TRAY_MONITOR_COUNT)}),
      cycle_(*this, *this, *this, tray_.state()) {}

void CControlCenterMonitor::Prepare() {
  tray_.Prepare(window_.GetHwnd());
}

bool CControlCenterMonitor::OnCommand(int id) {
  switch (id) {
    case IDC_REFRESH:
      Refresh();
      return true;
    case ID_TRAY_RESTORE:
      RestoreFromTray();
      return true;
    case ID_TRAY_SCAN_NOW:
      cycle_.OnMonitorTick();
      return true;
    case ID_TRAY_MONITOR:
      cycle_.OnMonitorMenuItem();
      return true;
    default:
      return false;
  }
}

void CControlCenterMonitor::Refresh() {
  CBusyScope busy(cycle_);
  cycle_.ScanConnections();
}

void CControlCenterMonitor::OnMonitorButton(bool& monitorSwitch) {
  cycle_.OnMonitorButton(::IsDlgButtonChecked(window_.GetHwnd(), IDC_MONITOR) == BST_CHECKED,
                         monitorSwitch);
}

bool CControlCenterMonitor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The shell announces its restart to every top-level window; our icon went with the old one.
  static const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && taskbarCreated != 0) {
    tray_.state().OnTaskbarCreated(cycle_.status());
    return false;
  }
  switch (message) {
    case CTrayPresence::kCallbackMessage:
      result = tray_.OnNotify(wParam, lParam, cycle_.status(), cycle_.busy());
      return true;
    case kPhonebookChangedMessage:
      cycle_.OnPhonebookChanged();
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      // The system keeps the low four bits for itself.
      if ((wParam & 0xFFF0) == SC_MINIMIZE &&
          MinimizeGoesToTray(static_cast<std::uintptr_t>(lParam))) {
        MinimizeToTray();
        return true;
      }
      return false;
    case WM_DESTROY:
      // However the program ends, no dead icon may stay in the tray, and no thread may go on
      // posting to a window that is gone.
      tray_.RemoveIcon();
      parts_.watcher.Stop();
      return false;
    default:
      return false;
  }
}

std::time_t CControlCenterMonitor::Now() {
  return std::time(nullptr);
}

bool CControlCenterMonitor::StartTimer(unsigned id, std::uint32_t milliseconds) {
  return window_.StartMonitorTimer(id, milliseconds);
}

bool CControlCenterMonitor::StopTimer(unsigned id) {
  return window_.KillTimer(id);
}

bool CControlCenterMonitor::CheckAndResort() {
  // Every scan, the monitor's ticks included, also looks whether the phonebook's folders are
  // still the ones watched.
  parts_.watcher.Recheck();
  parts_.findings = PhonebookFindings{};
  const bool sorted = ScanAndResort(parts_.registered, parts_.unregistered,
                                    parts_.makeReportingList, &parts_.findings);
  // The store's records, kept since a start-up that could not read the phonebook, have now been
  // checked and sorted.
  if (sorted && parts_.storeBinding == StoreBinding::kPhonebookUnread) {
    parts_.storeBinding = StoreBinding::kBound;
  }
  return parts_.findings.empty();
}

unsigned CControlCenterMonitor::UnregisteredCount() {
  return parts_.unregistered.GetCount() +
         static_cast<unsigned>(parts_.unregistered.unreadable().size());
}

void CControlCenterMonitor::Watch(bool on) {
  if (on) {
    parts_.watcher.Start(window_.GetHwnd(), kPhonebookChangedMessage);
  } else {
    parts_.watcher.Stop();
  }
}

void CControlCenterMonitor::ShowMessage(MonitorMessage message) {
  if (message == MonitorMessage::kPhonebookFindings) {
    parts_.showFindings();
    return;
  }
  struct Text {
    UINT text;
    UINT title;
  };
  static constexpr Text kTexts[] = {
      {IDS_MONITOR_REFUSED, IDS_MONITOR_REFUSED_TITLE},
      {IDS_INTERVAL_RESET, IDS_INTERVAL_RESET_TITLE},
      {IDS_TIMER_NOT_STOPPED, IDS_TIMER_NOT_STOPPED_TITLE},
      {IDS_UNREGISTERED_DETECTED, IDS_UNREGISTERED_DETECTED_TITLE},
  };
  const Text& shown = kTexts[static_cast<int>(message)];
  ShowMessageBox(window_.GetHwnd(), ui::LoadResString(shown.text).c_str(),
                 ui::LoadResString(shown.title).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CControlCenterMonitor::SetMonitorButton(bool checked) {
  ::CheckDlgButton(window_.GetHwnd(), IDC_MONITOR, checked ? BST_CHECKED : BST_UNCHECKED);
}

MonitorSettings CControlCenterMonitor::Settings() {
  return MonitorSettings{parts_.options.GetMonitorInterval(), parts_.options.flashTrayIconAfterScan,
                         parts_.options.minimizeOnMonitorStart};
}

}  // namespace tollward
