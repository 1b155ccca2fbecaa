// The user name / password dialog: its fields, the password toggle, and OK's answers.
#include "ui/dialogs/ChangeUserPassDlg.h"

#include "logic/CredentialsChange.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/Button.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

namespace {

constexpr ColorValue kEntryNameBackground = Rgb(192, 192, 192);
constexpr int kEntryNameFontHeight = 16;
constexpr int kEntryNameFontWidth = 8;

constexpr int kPasswordFields[] = {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_REPEAT_PASSWORD};

struct MessageText {
  UINT text;
  UINT caption;
};

MessageText TextOf(CredentialsMessage message) {
  switch (message) {
    case CredentialsMessage::kInvalidUserName:
      return {IDS_INVALID_USER_NAME, IDS_INVALID_USER_NAME_TITLE};
    case CredentialsMessage::kWrongOldPassword:
      return {IDS_INVALID_OLD_PASSWORD, IDS_INVALID_OLD_PASSWORD_TITLE};
    case CredentialsMessage::kRepetitionMismatch:
      return {IDS_PASSWORD_MISMATCH, IDS_PASSWORD_MISMATCH_TITLE};
    case CredentialsMessage::kInvalidNewPassword:
      return {IDS_INVALID_NEW_PASSWORD, IDS_INVALID_NEW_PASSWORD_TITLE};
    case CredentialsMessage::kNone:
      break;
  }
  return {0, 0};
}

}  // namespace

CChangeUserPassDlg::CChangeUserPassDlg() : CDialog(IDD_CHANGE_USER_PASS) {}

void CChangeUserPassDlg::ExchangeData(bool save) {
  if (!m_entryNameField.IsBound()) {
    m_entryNameField.BindDlgItem(m_hwnd, IDC_ENTRY_NAME);
  }
  struct Field {
    int id;
    std::string& text;
    bool limited;
  };
  const Field fields[] = {
      {IDC_ENTRY_NAME, m_entryName, false},    {IDC_OLD_PASSWORD, m_oldPassword, true},
      {IDC_NEW_PASSWORD, m_newPassword, true}, {IDC_REPEAT_PASSWORD, m_repeatedPassword, true},
      {IDC_USER_NAME, m_userName, true},
  };
  for (const Field& field : fields) {
    if (save) {
      field.text = GetItemText(field.id);
    } else {
      if (field.limited) {
        CEdit(GetDlgItem(field.id)).SetLimitText(kFieldLimit);
      }
      SetItemText(field.id, field.text.c_str());
    }
  }
  const CButton changePassword(GetDlgItem(IDC_CHANGE_PASSWORD));
  if (save) {
    m_changePassword = changePassword.IsChecked() ? 1 : 0;
  } else {
    changePassword.SetCheck(m_changePassword != 0);
  }
}

// The font's sizes are those at 96 DPI.
void CChangeUserPassDlg::OnDpiChanged(unsigned dpi) {
  m_entryNameField.SetTextFont(ScaleForDpi(kEntryNameFontHeight, dpi),
                               ScaleForDpi(kEntryNameFontWidth, dpi));
}

bool CChangeUserPassDlg::OnInitDialog() {
  ExchangeData(false);
  if (m_connections != nullptr && m_item > 0) {
    m_entryName = m_connections->GetName(m_item);
    m_openedFor = m_entryName;
    m_userName = m_connections->GetUserName(m_item);
    SetItemText(IDC_ENTRY_NAME, m_entryName.c_str());
    SetItemText(IDC_USER_NAME, m_userName.c_str());
  }
  m_entryNameField.SetColors(kBlack, kEntryNameBackground);
  OnDpiChanged(DpiOf(m_hwnd));
  m_asksOldPassword = m_connections == nullptr || m_item == 0 ||
                      CCredentialsChange(*m_connections, m_item).AsksForOldPassword();
  if (!m_asksOldPassword) {
    SetItemText(IDC_PASSWORDS_HIDDEN_NOTE, LoadResString(IDS_PASSWORDS_HIDDEN).c_str());
    ShowItem(IDC_PASSWORDS_HIDDEN_NOTE, true);
  }
  ApplyPasswordToggle();
  // The dialog manager puts the focus on the first tab stop: the user name.
  return true;
}

void CChangeUserPassDlg::ApplyPasswordToggle() {
  // Only the plain checked state counts, never the indeterminate one.
  const bool enable = CButton(GetDlgItem(IDC_CHANGE_PASSWORD)).IsChecked();
  for (int id : kPasswordFields) {
    EnableItem(id, enable && (id != IDC_OLD_PASSWORD || m_asksOldPassword));
  }
}

bool CChangeUserPassDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_CHANGE_PASSWORD && code == BN_CLICKED) {
    ApplyPasswordToggle();
    return true;
  }
  return false;
}

void CChangeUserPassDlg::OnOK() {
  ExchangeData(true);
  // Without an entry there is nothing to change.
  if (m_connections == nullptr || m_item == 0) {
    EndDialog(IDCANCEL);
    return;
  }
  // Found again by the name it was opened for: its place in the list may have changed since.
  m_item = m_connections->Find(m_openedFor.c_str());
  if (m_item == 0) {
    const std::string gone = FormatResString(IDS_ENTRY_GONE, m_openedFor.c_str());
    ShowMessageBox(m_hwnd, gone.c_str(), LoadResString(IDS_ENTRY_GONE_TITLE).c_str(),
                   MB_OK | MB_ICONEXCLAMATION);
    EndDialog(IDCANCEL);
    return;
  }
  CredentialsForm form;
  form.userName = m_userName;
  form.changePassword = m_changePassword != 0;
  form.oldPassword = m_oldPassword;
  form.newPassword = m_newPassword;
  form.repeatedPassword = m_repeatedPassword;
  const CredentialsOutcome outcome = CCredentialsChange(*m_connections, m_item).Apply(form);

  if (outcome.message != CredentialsMessage::kNone) {
    const MessageText message = TextOf(outcome.message);
    ShowMessageBox(m_hwnd, LoadResString(message.text).c_str(),
                   LoadResString(message.caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
  if (outcome.retypeNewPassword) {
    m_newPassword.clear();
    m_repeatedPassword.clear();
    SetItemText(IDC_NEW_PASSWORD, "");
    SetItemText(IDC_REPEAT_PASSWORD, "");
    // Through the dialog manager, so that the default button follows the focus.
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_NEW_PASSWORD)), TRUE);
  }
  switch (outcome.end) {
    case CredentialsDialogEnd::kCloseOk:
      EndDialog(IDOK);
      break;
    case CredentialsDialogEnd::kCloseCancelled:
      EndDialog(IDCANCEL);
      break;
    case CredentialsDialogEnd::kStayOpen:
      break;
  }
}

}  // namespace tollward::ui
