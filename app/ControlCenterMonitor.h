// The control center's monitor: the cycle and the tray, and the window's timers, button, options
// and lists that they work through.
#pragma once

#include "platform/win32/WinApi.h"

#include <functional>
#include <memory>

#include "app/InteractiveOptions.h"
#include "app/InteractiveRASConnections.h"
#include "app/TrayPresence.h"
#include "core/EntryStatus.h"
#include "core/GuardSequences.h"
#include "core/RASConnections.h"
#include "logic/MonitorCycle.h"
#include "platform/PhonebookWatcher.h"

namespace tollward {

class CControlCenterDlg;

// What the control center lends its monitor: the lists a scan sorts, what the scan could not
// check, the store's binding, and the window's own refill and report of the findings.
struct ControlCenterScanParts {
  CInteractiveRASConnections& registered;
  CInteractiveRASConnections& unregistered;
  PhonebookFindings& findings;
  StoreBinding& storeBinding;
  IPhonebookWatcher& watcher;
  CInteractiveOptions& options;
  ReportingListFactory makeReportingList;
  std::function<void()> refillViews;
  std::function<void()> showFindings;
};

class CControlCenterMonitor final : public IMonitorClock, public IMonitorScan, public IMonitorUser {
 public:
  // The phonebook watcher's thread posts this when the phonebook's files changed.
  static constexpr UINT kPhonebookChangedMessage = WM_APP + 11;

  CControlCenterMonitor(CControlCenterDlg& window, ControlCenterScanParts parts);

  CMonitorCycle& cycle() { return cycle_; }
  bool inTray() const { return tray_.state().inTray(); }

  // The tray's menu, once the window exists.
  void Prepare();
  void SetDpi(unsigned dpi) { tray_.SetDpi(dpi); }
  bool DrawItem(const DRAWITEMSTRUCT* draw) const { return tray_.DrawItem(draw); }
  bool MeasureItem(MEASUREITEMSTRUCT* measure) const { return tray_.MeasureItem(measure); }

  // Refresh, and the tray menu's own items; false for any other command.
  bool OnCommand(int id);
  // A scan as the Refresh button makes it: counted, timed, and with the tray icon held off.
  void Refresh();
  // The Monitor button, whose check has already changed; see CMonitorCycle::OnMonitorButton.
  void OnMonitorButton(bool& monitorSwitch);
  // The tray icon's and the watcher's messages, a minimize into the tray, the shell's restart,
  // and the window's end.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool MinimizeToTray() { return tray_.state().MinimizeToTray(cycle_.status()); }
  bool RestoreFromTray() { return tray_.state().RestoreFromTray(); }

 private:
  // The cycle's ports, for the cycle alone.
  std::time_t Now() override;
  bool StartTimer(unsigned id, std::uint32_t milliseconds) override;
  bool StopTimer(unsigned id) override;

  bool CheckAndResort() override;
  unsigned UnregisteredCount() override;
  void SaveRegistrations() override { parts_.registered.Save(); }
  void RefillViews() override { parts_.refillViews(); }
  void Watch(bool on) override;

  void ShowMessage(MonitorMessage message) override;
  void SetMonitorButton(bool checked) override;
  MonitorSettings Settings() override;
  void StoreMonitorInterval(std::uint32_t minutes) override {
    parts_.options.SetMonitorInterval(minutes);
  }

  CControlCenterDlg& window_;
  ControlCenterScanParts parts_;
  CTrayPresence tray_;
  CMonitorCycle cycle_;
};

}  // namespace tollward
