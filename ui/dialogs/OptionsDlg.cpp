// The options dialog: the record's six options, with the expert settings behind a confirmation.
#include "ui/dialogs/OptionsDlg.h"

#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/framework/Button.h"
#include "ui/framework/Edit.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {
namespace {

constexpr int kIntervalDigits = 4;

// Every question of the dialog offers Yes, No and Cancel, and only Yes goes on.
constexpr UINT kQuestion = MB_YESNOCANCEL | MB_DEFBUTTON2;

}  // namespace

COptionsDlg::COptionsDlg(HWND parent) : CDialog(IDD_OPTIONS, parent) {}

COptionsDlg::~COptionsDlg() = default;

bool COptionsDlg::OnInitDialog() {
  if (m_options == nullptr) {
    EndDialog(IDCANCEL);
    return true;
  }
  CEdit(GetDlgItem(IDC_MONITOR_INTERVAL)).SetLimitText(kIntervalDigits);
  m_rules = std::make_unique<COptionsDialogRules>(*m_options);
  ShowState();
  // The focus goes to the first tab stop, the Help button.
  return true;
}

// In the order the values are exchanged with the controls.
void COptionsDlg::ShowState() {
  const OptionsDialogState& state = m_rules->State();
  CButton(GetDlgItem(IDC_RUN_SILENT_CHECK)).SetCheck(state.runSilentCheck);
  CButton(GetDlgItem(IDC_RUN_MONITOR)).SetCheck(state.runMonitor);
  // Set again only when it differs, so that typing keeps its caret.
  if (GetItemText(IDC_MONITOR_INTERVAL) != state.interval) {
    SetItemText(IDC_MONITOR_INTERVAL, state.interval.c_str());
  }
  CButton(GetDlgItem(IDC_MINIMIZE_ON_MONITOR)).SetCheck(state.minimizeOnMonitorStart);
  CButton(GetDlgItem(IDC_EXTENDED_FUNCTIONS)).SetCheck(state.showExtended);
  CButton(GetDlgItem(IDC_FLASH_TRAY_ICON)).SetCheck(state.flashTrayIcon);

  EnableItem(IDC_RUN_SILENT_CHECK, state.runSilentCheckEnabled);
  EnableItem(IDC_RUN_MONITOR, state.runMonitorEnabled);
  EnableItem(IDC_MONITOR_INTERVAL, state.intervalEnabled);
  EnableItem(IDC_INTERVAL_LABEL, state.intervalEnabled);
}

bool COptionsDlg::OnCommand(int id, int code, HWND) {
  if (m_rules == nullptr) {
    return false;
  }
  if (id == IDC_MONITOR_INTERVAL && code == EN_CHANGE) {
    m_rules->IntervalChanged(GetItemText(IDC_MONITOR_INTERVAL));
    return true;
  }
  if (code != BN_CLICKED) {
    return false;
  }
  const bool checked = CButton(GetDlgItem(id)).IsChecked();
  switch (id) {
    case IDC_RUN_SILENT_CHECK:
      m_rules->SilentCheckClicked(checked);
      break;
    case IDC_RUN_MONITOR:
      m_rules->MonitorClicked(checked);
      break;
    case IDC_MINIMIZE_ON_MONITOR:
      m_rules->MinimizeClicked(checked);
      break;
    case IDC_FLASH_TRAY_ICON:
      m_rules->FlashClicked(checked);
      break;
    case IDC_EXTENDED_FUNCTIONS:
      ExpertsClicked();
      break;
    default:
      return false;
  }
  ShowState();
  return true;
}

void COptionsDlg::ExpertsClicked() {
  const bool checked = CButton(GetDlgItem(IDC_EXTENDED_FUNCTIONS)).IsChecked();
  bool confirmed = false;
  if (m_rules->ExpertsClickNeedsConfirmation(checked)) {
    confirmed = ShowMessageBox(m_hwnd, LoadResString(IDS_EXPERT_WARNING).c_str(),
                               LoadResString(IDS_EXPERT_WARNING_TITLE).c_str(),
                               kQuestion | MB_ICONEXCLAMATION) == IDYES;
  }
  m_rules->ExpertsClicked(checked, confirmed);
}

void COptionsDlg::OnOK() {
  if (m_rules == nullptr) {
    return;
  }
  switch (m_rules->Ok(*m_options)) {
    case OptionsOkOutcome::kIntervalNotANumber: {
      ShowMessageBox(m_hwnd, LoadResString(IDS_INTERVAL_NOT_A_NUMBER).c_str(), AppTitle().c_str(),
                     MB_OK | MB_ICONEXCLAMATION);
      const CEdit interval(GetDlgItem(IDC_MONITOR_INTERVAL));
      Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(interval.GetHwnd()), TRUE);
      interval.SetSel(0, -1);
      return;
    }
    case OptionsOkOutcome::kIntervalRefused:
      ShowMessageBox(m_hwnd, LoadResString(IDS_INVALID_INTERVAL).c_str(),
                     LoadResString(IDS_INVALID_INTERVAL_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
      return;
    case OptionsOkOutcome::kSaved:
    case OptionsOkOutcome::kSaveFailed:
      // A failed save has shown the record's own message; the record keeps the new values.
      EndDialog(IDOK);
      return;
  }
}

void COptionsDlg::OnCancel() {
  if (ShowMessageBox(m_hwnd, LoadResString(IDS_CONFIRM_CANCEL_OPTIONS).c_str(),
                     LoadResString(IDS_CONFIRM_CANCEL_OPTIONS_TITLE).c_str(),
                     kQuestion | MB_ICONQUESTION) == IDYES) {
    EndDialog(IDCANCEL);
  }
}

}  // namespace tollward::ui
