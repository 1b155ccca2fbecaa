// The bad area code manager: the view of the codes, the code field, and the list's rules applied.
#include "ui/dialogs/BadAreaCodesDlg.h"

#include <optional>
#include <vector>

#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/Button.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/HighContrast.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {
namespace {

// Finishes an in-place edit once the view has put its edit control away, so that none of the
// list's boxes opens while the control is still ending the edit.
constexpr UINT kFinishEditMessage = WM_APP + 1;

}  // namespace

CBadAreaCodesDlg::CBadAreaCodesDlg(CRASBadAreaCodes& list)
    : CDialog(IDD_BAD_AREA_CODES), m_editor(list) {}

CBadAreaCodesDlg::~CBadAreaCodesDlg() = default;

bool CBadAreaCodesDlg::OnInitDialog() {
  m_editor.Open(m_hwnd);
  FitPicture(IDC_DIALOG_PICTURE, IDB_BAD_AREA_PICTURE);
  SetItemText(IDC_BAD_AREA_CODE_LABEL, LoadResString(IDS_BAD_AREA_CODE_LABEL).c_str());
  m_field.Attach(GetDlgItem(IDC_BAD_AREA_CODE));
  m_field.SetLimitText(static_cast<int>(kBadAreaCodeMaxDigits));

  m_view.Attach(GetDlgItem(IDC_BAD_AREA_LIST));
  m_view.DeleteAllItems();
  m_view.SetColors(kViewColor, HighContrastOn());
  m_view.InsertColumn(0, LoadResString(IDS_BAD_AREA_COLUMN).c_str(), kColumnWidth);
  m_view.FitColumn(0, kColumnWidth);
  m_view.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
  const std::vector<std::string> codes = m_editor.Codes();
  for (std::size_t i = 0; i < codes.size(); ++i) {
    m_view.InsertItem(static_cast<int>(i), codes[i].c_str());
  }

  const int iconSize = SystemMetricForDpi(SM_CXSMICON, DpiOf(m_hwnd));
  m_deleteIcon = LoadResourceIcon(IDI_DELETE_CODE, iconSize);
  m_addIcon = LoadResourceIcon(IDI_ADD_CODE, iconSize);
  CButton(GetDlgItem(IDC_DELETE_BAD_AREA)).SetIcon(m_deleteIcon.get());
  CButton(GetDlgItem(IDC_ADD_BAD_AREA)).SetIcon(m_addIcon.get());

  // Opened from the tray too, while the control center is hidden: in the middle and in front.
  SetTopmost();
  CenterWindow();
  ::SetForegroundWindow(m_hwnd);
  // The dialog manager's first tab stop: the view.
  return true;
}

bool CBadAreaCodesDlg::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_BAD_AREA_CODE:
      if (code != EN_CHANGE) {
        return false;
      }
      EnableItem(IDC_ADD_BAD_AREA, CBadAreaCodeEditor::CanAdd(m_field.GetText()));
      return true;
    case IDC_ADD_BAD_AREA:
      AddTypedCode();
      return true;
    case IDC_DELETE_BAD_AREA:
      DeleteMarkedCode();
      return true;
    default:
      return false;
  }
}

bool CBadAreaCodesDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
  if (id != IDC_BAD_AREA_LIST) {
    return false;
  }
  switch (header->code) {
    case LVN_KEYDOWN:
      switch (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey) {
        case VK_DELETE:
          DeleteMarkedCode();
          return true;
        case VK_F2:
          EditMarkedCode();
          return true;
        default:
          return false;
      }
    case NM_DBLCLK:
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0) {
        EditMarkedCode();
      }
      return true;
    case LVN_ENDLABELEDITA: {
      const LVITEMA& item = reinterpret_cast<const NMLVDISPINFOA*>(header)->item;
      if (item.pszText != nullptr) {
        m_editedCode = m_view.GetItemText(item.iItem, 0);
        m_editedText = item.pszText;
        Post(kFinishEditMessage);
      }
      // The label changes, if at all, once the list has taken the new code.
      result = FALSE;
      return true;
    }
    default:
      return false;
  }
}

// "done" is the default button, so Enter arrives here wherever the focus is.
void CBadAreaCodesDlg::OnOK() {
  const HWND focus = ::GetFocus();
  const EnterFocus where = focus == m_field.GetHwnd()  ? EnterFocus::kCodeField
                           : focus == m_view.GetHwnd() ? EnterFocus::kView
                                                       : EnterFocus::kElsewhere;
  switch (ActionForEnter(where)) {
    case EnterAction::kAdd:
      AddTypedCode();
      break;
    case EnterAction::kEditLabel:
      EditMarkedCode();
      break;
    case EnterAction::kClose:
      EndDialog(IDOK);
      break;
  }
}

bool CBadAreaCodesDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
  if (message != kFinishEditMessage) {
    return false;
  }
  FinishEdit();
  return true;
}

void CBadAreaCodesDlg::AddTypedCode() {
  const std::optional<std::string> label = m_editor.Add(m_field.GetText());
  if (!label) {
    return;
  }
  m_view.InsertItem(m_view.GetItemCount(), label->c_str());
  // Disables "+" again through the field's change notice.
  m_field.SetText("");
}

void CBadAreaCodesDlg::DeleteMarkedCode() {
  const int item = m_view.GetSelectionMark();
  if (item < 0 || item >= m_view.GetItemCount()) {
    return;
  }
  if (ShowMessageBox(m_hwnd, LoadResString(IDS_CONFIRM_DELETE_CODE).c_str(),
                     LoadResString(IDS_CONFIRM_DELETE_CODE_TITLE).c_str(),
                     MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  // A code the list does not know (it has said so) leaves the view all the same.
  m_editor.Delete(m_view.GetItemText(item, 0));
  m_view.DeleteItem(item);
}

void CBadAreaCodesDlg::EditMarkedCode() {
  const int item = m_view.GetSelectionMark();
  if (item < 0 || item >= m_view.GetItemCount()) {
    return;
  }
  // The view edits a label only while it has the focus.
  ::SetFocus(m_view);
  m_view.Send(LVM_EDITLABELA, item);
}

void CBadAreaCodesDlg::FinishEdit() {
  const int item = m_view.FindItem(m_editedCode.c_str());
  if (item < 0) {
    return;
  }
  const std::optional<std::string> label = m_editor.FinishEdit(m_editedCode, m_editedText.c_str());
  if (!label) {
    return;
  }
  // Inserted anew, so that the view sorts the new label into its place.
  m_view.DeleteItem(item);
  m_view.SelectItem(m_view.InsertItem(m_view.GetItemCount(), label->c_str()));
}

}  // namespace tollward::ui
