// The manipulated-connection report: its fields, their colors, and how the list opens it.
#include "ui/dialogs/ManipulatedConnectionDlg.h"

#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ListView.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

CManipulatedConnectionDlg::CManipulatedConnectionDlg() : CDialog(IDD_MANIPULATED_CONNECTION) {}

CColorEdit* CManipulatedConnectionDlg::FieldById(int id) {
  switch (id) {
    case IDC_REGISTERED_AREA_CODE:
      return &m_registeredAreaCode;
    case IDC_ALTERED_AREA_CODE:
      return &m_alteredAreaCode;
    case IDC_REGISTERED_LOCAL_NUMBER:
      return &m_registeredLocalNumber;
    case IDC_ALTERED_LOCAL_NUMBER:
      return &m_alteredLocalNumber;
    case IDC_REGISTERED_USER_NAME:
      return &m_registeredUserName;
    case IDC_ALTERED_USER_NAME:
      return &m_alteredUserName;
    case IDC_REGISTERED_PASSWORD:
      return &m_registeredPassword;
    case IDC_ALTERED_PASSWORD:
      return &m_alteredPassword;
    case IDC_ENTRY_NAME:
      return &m_entryName;
    default:
      return nullptr;
  }
}

const CColorEdit* CManipulatedConnectionDlg::Field(int id) const {
  return const_cast<CManipulatedConnectionDlg*>(this)->FieldById(id);
}

void CManipulatedConnectionDlg::ExchangeData() {
  struct Exchange {
    int id;
    const std::string& text;
  };
  // Registered area code first, entry name last, as the fields have always been filled.
  const Exchange order[] = {
      {IDC_REGISTERED_AREA_CODE, m_report.areaCode.registered},
      {IDC_ALTERED_AREA_CODE, m_report.areaCode.altered},
      {IDC_REGISTERED_LOCAL_NUMBER, m_report.localNumber.registered},
      {IDC_ALTERED_LOCAL_NUMBER, m_report.localNumber.altered},
      {IDC_REGISTERED_PASSWORD, m_report.password.registered},
      {IDC_ALTERED_PASSWORD, m_report.password.altered},
      {IDC_REGISTERED_USER_NAME, m_report.userName.registered},
      {IDC_ALTERED_USER_NAME, m_report.userName.altered},
      {IDC_ENTRY_NAME, m_report.entryName},
  };
  for (const Exchange& field : order) {
    FieldById(field.id)->BindDlgItem(m_hwnd, field.id);
    SetItemText(field.id, field.text.c_str());
  }
}

// The font's sizes are those at 96 DPI.
void CManipulatedConnectionDlg::OnDpiChanged(unsigned dpi) {
  m_entryName.SetTextFont(ScaleForDpi(kEntryNameFontHeight, dpi),
                          ScaleForDpi(kEntryNameFontWidth, dpi));
}

bool CManipulatedConnectionDlg::OnInitDialog() {
  ExchangeData();
  struct Row {
    CColorEdit& registered;
    CColorEdit& altered;
    const ReportRow& values;
  };
  const Row rows[] = {
      {m_registeredAreaCode, m_alteredAreaCode, m_report.areaCode},
      {m_registeredLocalNumber, m_alteredLocalNumber, m_report.localNumber},
      {m_registeredUserName, m_alteredUserName, m_report.userName},
      {m_registeredPassword, m_alteredPassword, m_report.password},
  };
  for (const Row& row : rows) {
    const ColorValue background = RowColor(row.values);
    row.registered.SetColors(kBlack, background);
    row.altered.SetColors(kBlack, background);
  }
  m_entryName.SetColors(kBlack, kEntryNameColor);
  FitPicture(IDC_DIALOG_PICTURE, IDB_MANIPULATED_PICTURE);
  OnDpiChanged(DpiOf(m_hwnd));
  ShowFurtherRows();

  // A notice about the phonebook may come while the program sits in the tray: in front of
  // everything, in the middle of the owner or the screen.
  SetTopmost();
  CenterWindow();
  ::SetForegroundWindow(m_hwnd);
  // On OK rather than on the first field, whose selected text would hide its grey.
  ::SetFocus(GetDlgItem(IDOK));
  return false;
}

namespace {

RECT ClientRectOf(HWND dialog, int id) {
  RECT rect = CWindow(::GetDlgItem(dialog, id)).GetWindowRect();
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

void CManipulatedConnectionDlg::ShowFurtherRows() {
  if (m_report.furtherRows.empty()) {
    return;  // the report of the four fields alone, as it has always looked
  }
  const CListView list(GetDlgItem(IDC_FURTHER_PROPERTIES));
  // The columns stand under the row labels and the two columns of fields above them.
  const RECT area = ClientRectOf(m_hwnd, IDC_FURTHER_PROPERTIES);
  const RECT registered = ClientRectOf(m_hwnd, IDC_REGISTERED_AREA_CODE);
  const RECT altered = ClientRectOf(m_hwnd, IDC_ALTERED_AREA_CODE);
  list.InsertColumn(0, "", registered.left - area.left);
  list.InsertColumn(1, "", altered.left - registered.left);
  list.InsertColumn(2, "", area.right - altered.left - ::GetSystemMetrics(SM_CXVSCROLL));
  int item = 0;
  for (const DetailRow& row : m_report.furtherRows) {
    list.InsertItem(item, row.label.c_str());
    list.SetItemText(item, 1, row.registered.c_str());
    list.SetItemText(item, 2, row.current.c_str());
    ++item;
  }
  list.SetTextColor(kBlack);
  list.SetBkColor(kDifferingRowColor);
  list.SetTextBkColor(kDifferingRowColor);

  // OK and the hidden Cancel go below the list, and the dialog grows by as much.
  RECT gap{0, 0, 0, 6};
  ::MapDialogRect(m_hwnd, &gap);
  const RECT ok = ClientRectOf(m_hwnd, IDOK);
  const int shift = area.bottom + gap.bottom - ok.top;
  for (int id : {IDOK, IDCANCEL}) {
    const RECT button = ClientRectOf(m_hwnd, id);
    ::SetWindowPos(GetDlgItem(id), nullptr, button.left, button.top + shift, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const RECT window = GetWindowRect();
  ::SetWindowPos(m_hwnd, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top + shift, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  list.Show(SW_SHOW);
}

bool ShowManipulatedConnection(CRASConnections& current, const ConnectionRecord& registered,
                               unsigned index, const ConnectionRecord& differences,
                               const EntryDetails* registeredDetails) {
  if (!IsReportedManipulation(differences)) {
    return false;
  }
  CManipulatedConnectionDlg dialog;
  dialog.SetReport(MakeManipulationReport(current, index, registered, registeredDetails,
                                          [](unsigned id) { return LoadResString(id); }));
  dialog.DoModal();
  return true;
}

}  // namespace tollward::ui
