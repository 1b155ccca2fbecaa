// The control center's two list views: filling them, the selected entry, and the moves between.
#include <string>

#include "app/ControlCenterDlg.h"
#include "logic/Registration.h"
#include "res/resource.h"
#include "ui/framework/HighContrast.h"
#include "ui/framework/ResourceMessageBox.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

struct Column {
  UINT heading;
  int width;
};

// User names and passwords are never shown.
constexpr Column kColumns[] = {
    {IDS_COLUMN_CONNECTION, 140},
    {IDS_COLUMN_AREA_CODE, 80},
    {IDS_COLUMN_LOCAL_NUMBER, 140},
};

}  // namespace

// The first fill sets the view up; its colour stays for the rest of the run.
void CControlCenterDlg::FillConnectionList(const ui::CListView& view, CRASConnections& list,
                                           COLORREF colour) {
  view.SetRedraw(false);
  int index = 0;
  for (const Column& column : kColumns) {
    view.InsertColumn(index++, ui::LoadResString(column.heading).c_str(), column.width);
  }
  SizeColumns(view);
  ShowReasonPictures(view);
  view.Enable(true);
  view.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  view.SetColours(colour, ui::HighContrastOn());
  RefillConnectionList(view, list);
}

// The widths are given at 96 DPI; a heading is never cut, and the number takes the rest.
void CControlCenterDlg::SizeColumns(const ui::CListView& view) {
  int index = 0;
  for (const Column& column : kColumns) {
    view.FitColumn(index++, column.width);
  }
  view.FillWithLastColumn();
}

// A change of the colour scheme reaches the views here; a high-contrast scheme puts the
// system's colours in place of the pastels, and leaving it brings them back.
void CControlCenterDlg::ApplyListColours() {
  const bool highContrast = ui::HighContrastOn();
  m_unregisteredView.SetColours(kUnregisteredColour, highContrast);
  m_registeredView.SetColours(kRegisteredColour, highContrast);
  ::InvalidateRect(m_unregisteredView, nullptr, TRUE);
  ::InvalidateRect(m_registeredView, nullptr, TRUE);
}

void CControlCenterDlg::RefillConnectionList(const ui::CListView& view, CRASConnections& list) {
  const bool unregistered = view.GetHwnd() == m_unregisteredView.GetHwnd();
  if (unregistered) {
    m_altered.KeepOnly(m_unregistered);
  }
  view.SetRedraw(false);
  view.DeleteAllItems();
  const std::string notReadable = ui::LoadResString(IDS_NOT_READABLE);
  const std::string notInPhonebook = ui::LoadResString(IDS_NOT_IN_PHONEBOOK);
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    // The view sorts by name as the items arrive.
    const int item = view.InsertItem(static_cast<int>(i - 1), list.GetName(i));
    if (item < 0) {
      continue;
    }
    // A registration that could not be checked shows what it holds, but not as the number.
    const EntryStatus status = list.GetStatus(i);
    view.SetItemData(item, static_cast<LPARAM>(status));
    view.SetItemText(item, 1, list.GetAreaCode(i));
    view.SetItemText(item, 2,
                     status == EntryStatus::kRead      ? list.GetLocalPhoneNumber(i)
                     : status == EntryStatus::kMissing ? notInPhonebook.c_str()
                                                       : notReadable.c_str());
    SetItemReason(view, item, ReasonOf(unregistered, i));
  }
  // The entries the phonebook listed but could not hand out, under the name it listed.
  for (const UnreadableEntry& entry : list.unreadable()) {
    const int item = view.InsertItem(view.GetItemCount(), entry.name.c_str());
    if (item >= 0) {
      view.SetItemText(item, 2, notReadable.c_str());
      SetItemReason(view, item, EntryReason::kNotReadable);
    }
  }
  view.SetRedraw(true);
  ::InvalidateRect(view, nullptr, TRUE);
  // Emptying a view sends no change of its items: its buttons learn of it here.
  unregistered ? UpdateUnregisteredButtons() : UpdateRegisteredButtons();
}

void CControlCenterDlg::RefillConnectionLists() {
  RefillConnectionList(m_unregisteredView, m_unregistered);
  RefillConnectionList(m_registeredView, m_registered);
}

std::string CControlCenterDlg::SelectedName(const ui::CListView& view) const {
  const int mark = view.GetSelectionMark();
  return mark < 0 ? std::string() : view.GetItemText(mark, 0);
}

void CControlCenterDlg::RegisterSelected() {
  const std::string name = SelectedName(m_unregisteredView);
  if (!ConfirmRegistration(name)) {
    return;
  }
  switch (RegisterEntry(name, m_unregistered, m_registered, m_badAreaCodes)) {
    case MoveOutcome::kBadAreaCode:
      ui::ResourceMessageBox(m_hwnd, IDS_BAD_AREA_REFUSED, IDS_BAD_AREA_REFUSED_TITLE,
                             MB_OK | MB_ICONINFORMATION);
      break;
    case MoveOutcome::kUnreadable:
      RefuseUnreadable(SelectedName(m_unregisteredView));
      break;
    case MoveOutcome::kMoved:
      // Registered anew: the values the report showed are the user's no longer.
      m_altered.Forget(name);
      RefillConnectionList(m_registeredView, m_registered);
      RefillConnectionList(m_unregisteredView, m_unregistered);
      UpdateUnregisteredButtons();
      break;
    case MoveOutcome::kNotRemoved:
      RefillConnectionList(m_registeredView, m_registered);
      break;
    case MoveOutcome::kNoEntry:
    case MoveOutcome::kUnchecked:
    case MoveOutcome::kNotAdded:
      break;
  }
}

void CControlCenterDlg::UnregisterSelected() {
  const std::string name = SelectedName(m_registeredView);
  switch (UnregisterEntry(name, m_registered, m_unregistered)) {
    case MoveOutcome::kUnchecked:
      ForgetSelected(name);
      break;
    case MoveOutcome::kMoved:
      RefillConnectionList(m_unregisteredView, m_unregistered);
      RefillConnectionList(m_registeredView, m_registered);
      UpdateRegisteredButtons();
      break;
    case MoveOutcome::kNotRemoved:
      RefillConnectionList(m_unregisteredView, m_unregistered);
      break;
    case MoveOutcome::kNoEntry:
    case MoveOutcome::kBadAreaCode:
    case MoveOutcome::kUnreadable:
    case MoveOutcome::kNotAdded:
      break;
  }
}

// Only the user ends a registration the phonebook cannot show: a program that removed the entry
// must not make it forgotten. What the user ends leaves the store at once.
void CControlCenterDlg::ForgetSelected(const std::string& name) {
  const std::string text = ui::FormatResString(IDS_FORGET_QUESTION, name.c_str());
  const std::string title = ui::LoadResString(IDS_FORGET_QUESTION_TITLE);
  if (::MessageBoxA(m_hwnd, text.c_str(), title.c_str(),
                    MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES) {
    return;
  }
  if (!ForgetRegistration(name, m_registered)) {
    return;
  }
  if (m_registered.path().has_value()) {
    m_registered.Save();
  }
  RefillConnectionList(m_registeredView, m_registered);
}

void CControlCenterDlg::RefuseUnreadable(const std::string& name) {
  const UnreadableEntry* entry = m_unregistered.FindUnreadable(name);
  if (entry == nullptr) {
    return;
  }
  const FindingsTexts texts = LoadFindingsTexts();
  const std::string text = ui::FormatResString(IDS_UNREADABLE_REFUSED, name.c_str(),
                                               ReasonText(entry->reason, texts).c_str());
  const std::string title = ui::LoadResString(IDS_UNREADABLE_REFUSED_TITLE);
  ::MessageBoxA(m_hwnd, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

void CControlCenterDlg::ShowPhonebookFindings() {
  const std::string text = DescribeFindings(m_findings, LoadFindingsTexts());
  if (text.empty()) {
    return;
  }
  const std::string title = ui::LoadResString(IDS_FINDINGS_TITLE);
  ::MessageBoxA(m_hwnd, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

FindingsTexts LoadFindingsTexts() {
  FindingsTexts texts;
  texts.unlisted = ui::LoadResString(IDS_FINDINGS_UNLISTED);
  texts.unreadableHead = ui::LoadResString(IDS_FINDINGS_UNREADABLE);
  texts.entryLine = ui::LoadResString(IDS_FINDINGS_ENTRY);
  texts.advice = ui::LoadResString(IDS_FINDINGS_ADVICE);
  const UINT reasons[] = {IDS_REASON_DIAL_PARAMS, IDS_REASON_PROPERTIES, IDS_REASON_CODE_PAGE,
                          IDS_REASON_DUPLICATE};
  for (int i = 0; i < 4; ++i) {
    texts.reasons[i] = ui::LoadResString(reasons[i]);
  }
  texts.missingHead = ui::LoadResString(IDS_FINDINGS_MISSING);
  texts.missingLine = ui::LoadResString(IDS_FINDINGS_MISSING_ENTRY);
  texts.missingAdvice = ui::LoadResString(IDS_FINDINGS_MISSING_ADVICE);
  return texts;
}

void CControlCenterDlg::UpdateUnregisteredButtons() {
  const bool selected = m_unregisteredView.GetSelectedCount() != 0;
  for (int id : {IDC_REGISTER, IDC_UNREGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS}) {
    EnableItem(id, selected);
  }
}

void CControlCenterDlg::UpdateRegisteredButtons() {
  const bool selected = m_registeredView.GetSelectedCount() != 0;
  for (int id : {IDC_UNREGISTER, IDC_REGISTERED_PROPERTIES, IDC_REGISTERED_USER_PASS}) {
    EnableItem(id, selected);
  }
}

void CControlCenterDlg::ShowExtendedButtons() {
  const bool show = m_options.showExtendedFunctionality;
  for (int id : {IDC_UNREGISTERED_PROPERTIES, IDC_REGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS,
                 IDC_REGISTERED_USER_PASS}) {
    ShowItem(id, show);
  }
}

bool CControlCenterDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
  result = 0;
  if (header->code == TTN_GETDISPINFOA) {
    return OnTipText(reinterpret_cast<NMTTDISPINFOA*>(header));
  }
  if (id == IDC_REGISTERED_LIST && header->code == NM_CUSTOMDRAW) {
    result = GreyMissing(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    return true;
  }
  switch (id) {
    case IDC_UNREGISTERED_LIST:
      return OnListNotify(m_unregisteredView, header);
    case IDC_REGISTERED_LIST:
      return OnListNotify(m_registeredView, header);
    default:
      return false;
  }
}

// A registration whose entry is gone is drawn greyed; every other row as the view draws it.
LRESULT CControlCenterDlg::GreyMissing(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (draw.nmcd.lItemlParam == static_cast<LPARAM>(EntryStatus::kMissing)) {
        draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
      }
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

// Both views answer alike, each moving its entries to the other.
bool CControlCenterDlg::OnListNotify(const ui::CListView& view, NMHDR* header) {
  const bool unregistered = view.GetHwnd() == m_unregisteredView.GetHwnd();
  switch (header->code) {
    case NM_DBLCLK:
      // A double click on the empty part of the view moves nothing.
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem < 0) {
        return false;
      }
      break;
    case LVN_KEYDOWN: {
      // The menu's own loop takes the key's release, so no second request follows this one.
      const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
      if (key == VK_APPS) {
        ShowEntryMenu(false, unregistered ? EntryView::kUnregistered : EntryView::kRegistered);
        return true;
      }
      if (key != VK_SPACE) {
        return false;
      }
      break;
    }
    case NM_SETFOCUS:
      view.FocusFirstItemIfNone();
      // The focus rectangle shows even when the focus came by the mouse.
      Send(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
      return false;
    case NM_RCLICK:
      // The empty part of a view has no menu.
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem < 0) {
        return false;
      }
      ShowEntryMenu(true, unregistered ? EntryView::kUnregistered : EntryView::kRegistered);
      return true;
    case LVN_BEGINDRAG:
      BeginDrag(unregistered ? 1 : 2);
      return true;
    case LVN_ITEMCHANGED:
      unregistered ? UpdateUnregisteredButtons() : UpdateRegisteredButtons();
      return true;
    default:
      return false;
  }
  unregistered ? RegisterSelected() : UnregisterSelected();
  return true;
}

}  // namespace tollward
