// The control center's share of the monitor: the scan, the timers, the Monitor and Refresh
// buttons, all decided by the monitor cycle and translated here into the window's calls.
#include <ctime>
#include <memory>

#include "app/ControlCenterDlg.h"
#include "core/GuardSequences.h"
#include "res/resource.h"
#include "ui/framework/ResourceMessageBox.h"

namespace tollward {

class ControlCenterMonitorHost final : public IMonitorHost {
 public:
  explicit ControlCenterMonitorHost(CControlCenterDlg& dialog) : m_dialog(dialog) {}

  std::time_t Now() override { return std::time(nullptr); }
  bool StartTimer(unsigned id, std::uint32_t milliseconds) override {
    return m_dialog.StartMonitorTimer(id, milliseconds);
  }
  bool StopTimer(unsigned id) override { return m_dialog.KillTimer(id); }
  void ShowMessage(MonitorMessage message) override;
  void SetMonitorButton(bool checked) override {
    ::CheckDlgButton(m_dialog.m_hwnd, IDC_MONITOR, checked ? BST_CHECKED : BST_UNCHECKED);
  }

  std::uint32_t MonitorInterval() override { return m_dialog.m_options.GetMonitorInterval(); }
  void StoreMonitorInterval(std::uint32_t minutes) override {
    m_dialog.m_options.SetMonitorInterval(minutes);
  }
  bool FlashAfterScan() override { return m_dialog.m_options.flashTrayIconAfterScan; }
  bool MinimizeOnMonitorStart() override { return m_dialog.m_options.minimizeOnMonitorStart; }

  unsigned UnregisteredCount() override {
    return m_dialog.m_unregistered.GetCount() +
           static_cast<unsigned>(m_dialog.m_unregistered.unreadable().size());
  }
  void SaveRegistrations() override { m_dialog.m_registered.Save(); }
  bool CheckAndResort() override {
    // Every scan, the monitor's ticks included, also looks whether the phonebook's folders
    // are still the ones watched.
    m_dialog.m_phonebookWatcher.Recheck();
    m_dialog.m_findings = PhonebookFindings{};
    const bool sorted = ScanAndResort(
        m_dialog.m_registered, m_dialog.m_unregistered,
        [this] { return m_dialog.MakeReportingList(); }, &m_dialog.m_findings);
    // The store's records, kept since a start-up that could not read the phonebook, have now
    // been checked and sorted.
    if (sorted && m_dialog.m_storeBinding == StoreBinding::kPhonebookUnread) {
      m_dialog.m_storeBinding = StoreBinding::kBound;
    }
    return m_dialog.m_findings.empty();
  }
  void RefillViews() override { m_dialog.RefillConnectionLists(); }

  bool AddTrayIcon() override { return m_dialog.AddTrayIcon(); }
  bool RemoveTrayIcon() override { return m_dialog.m_trayIcon.Remove(); }
  bool ChangeTrayIcon(TrayPicture picture, const std::string& tip) override {
    return m_dialog.m_trayIcon.Modify(m_dialog.TrayPictureIcon(picture), tip);
  }
  bool ChangeTrayPicture(TrayPicture picture) override {
    return m_dialog.m_trayIcon.ModifyIcon(m_dialog.TrayPictureIcon(picture));
  }
  void HideWindow() override { m_dialog.HideIntoTray(); }
  void ShowWindow() override { m_dialog.ShowFromTray(); }

  bool StartWatching() override {
    return m_dialog.m_phonebookWatcher.Start(m_dialog.m_hwnd,
                                             CControlCenterDlg::kPhonebookChangedMessage);
  }
  void StopWatching() override { m_dialog.m_phonebookWatcher.Stop(); }

 private:
  CControlCenterDlg& m_dialog;
};

void ControlCenterMonitorHost::ShowMessage(MonitorMessage message) {
  if (message == MonitorMessage::kPhonebookFindings) {
    m_dialog.ShowPhonebookFindings();
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
  ui::ResourceMessageBox(m_dialog.m_hwnd, shown.text, shown.title, MB_OK | MB_ICONINFORMATION);
}

bool CControlCenterDlg::StartMonitorTimer(unsigned id, std::uint32_t milliseconds) {
  return SetTimer(id, milliseconds) != 0;
}

std::unique_ptr<IMonitorHost> CControlCenterDlg::MakeMonitorHost() {
  return std::make_unique<ControlCenterMonitorHost>(*this);
}

bool CControlCenterDlg::ScanConnections() {
  return m_monitor.ScanConnections();
}

bool CControlCenterDlg::SetMonitoring(bool on) {
  return m_monitor.SetMonitoring(on);
}

void CControlCenterDlg::Refresh() {
  BusyScope busy(m_monitor);
  ScanConnections();
}

void CControlCenterDlg::OnMonitorButton() {
  m_monitor.OnMonitorButton(::IsDlgButtonChecked(m_hwnd, IDC_MONITOR) == BST_CHECKED,
                            m_monitorSwitch);
}

}  // namespace tollward
