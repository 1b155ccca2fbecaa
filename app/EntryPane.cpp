// The control center's panes: filling a view, the buttons that act on its selected entry, and
// the move of an entry from one pane to the other.
#include "app/EntryPane.h"

#include "logic/Registration.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/dialogs/ChangeUserPassDlg.h"
#include "ui/framework/HighContrast.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

// At the places of the roles.
constexpr PaneControls kPaneControls[] = {
    {IDC_UNREGISTERED_LIST, IDC_REGISTER, IDC_UNREGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS,
     IDS_TIP_UNREGISTERED_LIST, RGB(255, 208, 208)},
    {IDC_REGISTERED_LIST, IDC_UNREGISTER, IDC_REGISTERED_PROPERTIES, IDC_REGISTERED_USER_PASS,
     IDS_TIP_REGISTERED_LIST, RGB(208, 255, 208)},
};

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

CEntryPane::CEntryPane(EntryView role, CInteractiveRASConnections& entries,
                       const PaneContext& context)
    : role_(role),
      controls_(kPaneControls[static_cast<int>(role)]),
      entries_(entries),
      context_(context) {}

void CEntryPane::Move(CEntryPane& from, CEntryPane& to) {
  const std::string name = from.SelectedName();
  if (!from.ConfirmLeaving(name)) {
    return;
  }
  const MoveOutcome outcome =
      from.role_ == EntryView::kUnregistered
          ? RegisterEntry(name, from.entries_, to.entries_, from.context_.badAreaCodes)
          : UnregisterEntry(name, from.entries_, to.entries_);
  switch (outcome) {
    case MoveOutcome::kBadAreaCode:
      ShowMessageBox(from.dialog_, ui::LoadResString(IDS_BAD_AREA_REFUSED).c_str(),
                     ui::LoadResString(IDS_BAD_AREA_REFUSED_TITLE).c_str(),
                     MB_OK | MB_ICONINFORMATION);
      break;
    case MoveOutcome::kUnreadable:
      from.RefuseUnreadable(name);
      break;
    case MoveOutcome::kUnchecked:
      from.Forget(name);
      break;
    case MoveOutcome::kMoved:
      // Registered anew: the values the report showed are the user's no longer.
      from.context_.altered.Forget(name);
      to.Refill();
      from.Refill();
      from.UpdateButtons();
      break;
    case MoveOutcome::kNotRemoved:
      to.Refill();
      break;
    case MoveOutcome::kNoEntry:
    case MoveOutcome::kNotAdded:
      break;
  }
}

// Only the user ends a registration the phonebook cannot show: a program that removed the entry
// must not make it forgotten. What the user ends leaves the store at once.
void CEntryPane::Forget(const std::string& name) {
  const std::string text = ui::FormatResString(IDS_FORGET_QUESTION, name.c_str());
  const std::string title = ui::LoadResString(IDS_FORGET_QUESTION_TITLE);
  if (ShowMessageBox(dialog_, text.c_str(), title.c_str(),
                     MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES) {
    return;
  }
  if (!ForgetRegistration(name, entries_)) {
    return;
  }
  if (entries_.path().has_value()) {
    entries_.Save();
  }
  Refill();
}

void CEntryPane::Attach(HWND dialog) {
  dialog_ = dialog;
  view_.Attach(::GetDlgItem(dialog, controls_.list));
}

void CEntryPane::Fill() {
  view_.SetRedraw(false);
  int index = 0;
  for (const Column& column : kColumns) {
    view_.InsertColumn(index++, ui::LoadResString(column.heading).c_str(), column.width);
  }
  SizeColumns();
  ShowReasonPictures();
  view_.Enable(true);
  view_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  view_.SetColors(controls_.color, ui::HighContrastOn());
  Refill();
}

// The widths are given at 96 DPI; a heading is never cut, and the number takes the rest.
void CEntryPane::SizeColumns() const {
  int index = 0;
  for (const Column& column : kColumns) {
    view_.FitColumn(index++, column.width);
  }
  view_.FillWithLastColumn();
}

// A high-contrast scheme puts the system's colors in place of the pastels, and leaving it
// brings them back.
void CEntryPane::ApplyColors() const {
  view_.SetColors(controls_.color, ui::HighContrastOn());
  ::InvalidateRect(view_, nullptr, TRUE);
}

// The system has scaled the template; the columns and the pictures are the program's own.
void CEntryPane::OnDpiChanged() const {
  SizeColumns();
  ShowReasonPictures();
}

void CEntryPane::Refill() {
  if (role_ == EntryView::kUnregistered) {
    context_.altered.KeepOnly(entries_);
  }
  view_.SetRedraw(false);
  view_.DeleteAllItems();
  const std::string notReadable = ui::LoadResString(IDS_NOT_READABLE);
  const std::string notInPhonebook = ui::LoadResString(IDS_NOT_IN_PHONEBOOK);
  for (unsigned i = 1; i <= entries_.GetCount(); ++i) {
    // The view sorts by name as the items arrive.
    const int item = view_.InsertItem(static_cast<int>(i - 1), entries_.GetName(i));
    if (item < 0) {
      continue;
    }
    // A registration that could not be checked shows what it holds, but not as the number.
    const EntryStatus status = entries_.GetStatus(i);
    view_.SetItemData(item, static_cast<LPARAM>(status));
    view_.SetItemText(item, 1, entries_.GetAreaCode(i));
    view_.SetItemText(item, 2,
                      status == EntryStatus::kRead      ? entries_.GetLocalPhoneNumber(i)
                      : status == EntryStatus::kMissing ? notInPhonebook.c_str()
                                                        : notReadable.c_str());
    ShowReason(item, ReasonOf(i));
  }
  // The entries the phonebook listed but could not hand out, under the name it listed.
  for (const UnreadableEntry& entry : entries_.unreadable()) {
    const int item = view_.InsertItem(view_.GetItemCount(), entry.name.c_str());
    if (item >= 0) {
      view_.SetItemText(item, 2, notReadable.c_str());
      ShowReason(item, EntryReason::kNotReadable);
    }
  }
  view_.SetRedraw(true);
  ::InvalidateRect(view_, nullptr, TRUE);
  // Emptying a view sends no change of its items: its buttons learn of it here.
  UpdateButtons();
}

std::string CEntryPane::SelectedName() const {
  const int mark = view_.GetSelectionMark();
  return mark < 0 ? std::string() : view_.GetItemText(mark, 0);
}

void CEntryPane::UpdateButtons() const {
  const BOOL selected = view_.GetSelectedCount() != 0 ? TRUE : FALSE;
  for (int id : {controls_.move, controls_.properties, controls_.userPass}) {
    ::EnableWindow(::GetDlgItem(dialog_, id), selected);
  }
}

void CEntryPane::ShowExpertButtons() const {
  const int show = context_.options.showExtendedFunctionality ? SW_SHOW : SW_HIDE;
  for (int id : {controls_.properties, controls_.userPass}) {
    ::ShowWindow(::GetDlgItem(dialog_, id), show);
  }
}

bool CEntryPane::OnMoveCommand(int id, CEntryPane& other) {
  if (id != controls_.move) {
    return false;
  }
  Move(*this, other);
  return true;
}

bool CEntryPane::OnEditCommand(int id, CMonitorCycle& monitor,
                               const std::function<void()>& refresh) {
  if (id != controls_.properties && id != controls_.userPass) {
    return false;
  }
  const std::string name = SelectedName();
  if (name.empty()) {
    return true;
  }
  if (id == controls_.properties) {
    // A scan while the editor is open would sort the lists under it; ticks wait for the
    // refresh. The editor reports its own failures; whatever it did, the refresh shows the
    // phonebook as it is now.
    CBusyScope editing(monitor);
    entries_.EditPhonebookEntry(name.c_str(), dialog_);
    refresh();
    return true;
  }
  const unsigned item = entries_.Find(name.c_str());
  if (item == 0) {
    return true;
  }
  ui::CChangeUserPassDlg dialog;
  dialog.SetConnections(&entries_);
  dialog.SetItem(item);
  // No scan may sort the lists while the dialog edits one of their entries.
  CBusyScope editing(monitor);
  dialog.DoModal();
  refresh();
  return true;
}

CEntryPane& PaneOf(EntryPanes& panes, EntryView role) {
  return panes[static_cast<int>(role)];
}

CEntryPane& OtherPane(EntryPanes& panes, const CEntryPane& pane) {
  return PaneOf(panes, OtherView(pane.role()));
}

void RefillPanes(EntryPanes& panes) {
  for (CEntryPane& pane : panes) {
    pane.Refill();
  }
}

}  // namespace tollward
