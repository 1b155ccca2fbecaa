// The control center's panes: filling a view, why each entry is listed, the buttons and menus
// that act on the selected entry, and its move to the other pane.
#include "app/EntryPane.h"

#include <iterator>
#include <vector>

#include "app/ControlCenterDlg.h"
#include "logic/PhonebookMessage.h"
#include "logic/Registration.h"
#include "res/resource.h"
#include "ui/dialogs/ChangeUserPassDlg.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/HighContrast.h"
#include "ui/framework/ResourceMessageBox.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

// A pane's own controls of the dialog's template, and its background.
struct PaneControls {
  int list;
  int move;
  int properties;
  int userPass;
  UINT tip;
  COLORREF color;
};

// At the places of the roles.
constexpr PaneControls kPaneControls[] = {
    {IDC_UNREGISTERED_LIST, IDC_REGISTER, IDC_UNREGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS,
     IDS_TIP_UNREGISTERED_LIST, RGB(255, 208, 208)},
    {IDC_REGISTERED_LIST, IDC_UNREGISTER, IDC_REGISTERED_PROPERTIES, IDC_REGISTERED_USER_PASS,
     IDS_TIP_REGISTERED_LIST, RGB(208, 255, 208)},
};

const PaneControls& ControlsOf(EntryView role) {
  return kPaneControls[static_cast<int>(role)];
}

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

// The image list's pictures, in the order of EntryReason from kNew on.
constexpr UINT kReasonIcons[] = {IDI_REASON_NEW, IDI_REASON_ALTERED, IDI_REASON_BAD_AREA,
                                 IDI_REASON_NOT_READABLE, IDI_REASON_MISSING};
constexpr UINT kReasonTexts[] = {IDS_REASON_NEW, IDS_REASON_ALTERED, IDS_REASON_BAD_AREA,
                                 IDS_REASON_NOT_READABLE, IDS_REASON_MISSING};

int PictureOf(EntryReason reason) {
  return reason == EntryReason::kNone ? I_IMAGENONE : static_cast<int>(reason) - 1;
}

// A registration whose entry is gone is drawn greyed; every other row as the view draws it.
LRESULT GreyMissing(NMLVCUSTOMDRAW& draw) {
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

}  // namespace

CEntryPane::CEntryPane(EntryView role, CInteractiveRASConnections& entries,
                       const PaneContext& context)
    : role_(role), entries_(entries), context_(context) {}

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
      ui::ResourceMessageBox(from.dialog_, IDS_BAD_AREA_REFUSED, IDS_BAD_AREA_REFUSED_TITLE,
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

void CEntryPane::Attach(HWND dialog) {
  dialog_ = dialog;
  view_.Attach(::GetDlgItem(dialog, ControlsOf(role_).list));
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
  view_.SetColours(ControlsOf(role_).color, ui::HighContrastOn());
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

void CEntryPane::ShowReasonPictures() const {
  const unsigned dpi = ui::DpiOf(dialog_);
  view_.SetSmallIcons(kReasonIcons, std::size(kReasonIcons),
                      ui::SystemMetricForDpi(SM_CXSMICON, dpi));
}

// A high-contrast scheme puts the system's colors in place of the pastels, and leaving it
// brings them back.
void CEntryPane::ApplyColors() const {
  view_.SetColours(ControlsOf(role_).color, ui::HighContrastOn());
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
    view_.SetItemImage(item, PictureOf(ReasonOf(i)));
  }
  // The entries the phonebook listed but could not hand out, under the name it listed.
  for (const UnreadableEntry& entry : entries_.unreadable()) {
    const int item = view_.InsertItem(view_.GetItemCount(), entry.name.c_str());
    if (item >= 0) {
      view_.SetItemText(item, 2, notReadable.c_str());
      view_.SetItemImage(item, PictureOf(EntryReason::kNotReadable));
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
  const PaneControls& controls = ControlsOf(role_);
  const BOOL selected = view_.GetSelectedCount() != 0 ? TRUE : FALSE;
  for (int id : {controls.move, controls.properties, controls.userPass}) {
    ::EnableWindow(::GetDlgItem(dialog_, id), selected);
  }
}

void CEntryPane::ShowExpertButtons() const {
  const PaneControls& controls = ControlsOf(role_);
  const int show = context_.options.showExtendedFunctionality ? SW_SHOW : SW_HIDE;
  for (int id : {controls.properties, controls.userPass}) {
    ::ShowWindow(::GetDlgItem(dialog_, id), show);
  }
}

EntryReason CEntryPane::ReasonOf(unsigned index) {
  // A registration whose entry could not be read, or is gone, keeps its place, unchecked.
  if (role_ == EntryView::kRegistered) {
    return ReasonForRegistered(entries_.GetStatus(index));
  }
  UnregisteredFacts facts;
  facts.notReadable = entries_.GetStatus(index) != EntryStatus::kRead;
  facts.badAreaCode = context_.badAreaCodes.Check(entries_.GetRecord(index)) != 0;
  facts.reportedAltered = context_.altered.Find(entries_.GetName(index)) != nullptr;
  return ReasonForUnregistered(facts);
}

bool CEntryPane::OnNotify(int id, NMHDR* header, LRESULT& result, CEntryPane& other) {
  if (header->code == TTN_GETDISPINFOA) {
    return OnTipText(reinterpret_cast<NMTTDISPINFOA*>(header));
  }
  if (id != ControlsOf(role_).list) {
    return false;
  }
  if (header->code == NM_CUSTOMDRAW) {
    result = GreyMissing(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    return true;
  }
  return OnListNotify(header, other);
}

// Both views answer alike, each moving its entries to the other.
bool CEntryPane::OnListNotify(NMHDR* header, CEntryPane& other) {
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
        ShowMenu(false);
        return true;
      }
      if (key != VK_SPACE) {
        return false;
      }
      break;
    }
    case NM_SETFOCUS:
      view_.FocusFirstItemIfNone();
      // The focus rectangle shows even when the focus came by the mouse.
      ::SendMessageA(dialog_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      return false;
    case NM_RCLICK:
      // The empty part of a view has no menu.
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem < 0) {
        return false;
      }
      ShowMenu(true);
      return true;
    case LVN_BEGINDRAG:
      BeginDrag();
      return true;
    case LVN_ITEMCHANGED:
      UpdateButtons();
      return true;
    default:
      return false;
  }
  Move(*this, other);
  return true;
}

bool CEntryPane::OnMoveCommand(int id, CEntryPane& other) {
  if (id != ControlsOf(role_).move) {
    return false;
  }
  Move(*this, other);
  return true;
}

bool CEntryPane::OnEditCommand(int id, MonitorCycle& monitor,
                               const std::function<void()>& refresh) {
  const PaneControls& controls = ControlsOf(role_);
  if (id != controls.properties && id != controls.userPass) {
    return false;
  }
  const std::string name = SelectedName();
  if (name.empty()) {
    return true;
  }
  if (id == controls.properties) {
    // A scan while the editor is open would sort the lists under it; ticks wait for the
    // refresh. The editor reports its own failures; whatever it did, the refresh shows the
    // phonebook as it is now.
    BusyScope editing(monitor);
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
  BusyScope editing(monitor);
  dialog.DoModal();
  refresh();
  return true;
}

// The tip of a list: the reason and cut texts of the row under the mouse, else the list's own.
bool CEntryPane::OnTipText(NMTTDISPINFOA* tip) {
  if (reinterpret_cast<HWND>(tip->hdr.idFrom) != view_.GetHwnd()) {
    return false;
  }
  POINT cursor{};
  ::GetCursorPos(&cursor);
  tipText_ = TipAt(cursor);
  if (tipText_.empty()) {
    tipText_ = ui::LoadResString(ControlsOf(role_).tip);
  }
  tip->lpszText = const_cast<char*>(tipText_.c_str());
  tip->hinst = nullptr;
  return true;
}

// The reason of the row under the mouse, and whatever of its texts the columns cut. Outside the
// rows the view's own tip stays.
std::string CEntryPane::TipAt(POINT screen) {
  POINT client = screen;
  ::ScreenToClient(view_, &client);
  const int row = view_.HitTest(client);
  if (row < 0) {
    return std::string();
  }
  const std::string name = view_.GetItemText(row, 0);
  const unsigned index = entries_.Find(name.c_str());
  EntryReason reason = EntryReason::kNone;
  if (index != 0) {
    reason = ReasonOf(index);
  } else if (entries_.FindUnreadable(name) != nullptr) {
    reason = EntryReason::kNotReadable;
  }
  std::vector<ColumnText> columns;
  for (int column = 0; column < view_.GetColumnCount(); ++column) {
    const std::string text = view_.GetItemText(row, column);
    columns.push_back(
        ColumnText{view_.GetColumnHeading(column), text, view_.IsItemTextCut(row, column)});
  }
  std::string said = reason == EntryReason::kNone
                         ? std::string()
                         : ui::LoadResString(kReasonTexts[static_cast<int>(reason) - 1]);
  // What kept the phonebook from handing the entry out, in the words of the start's message.
  if (const UnreadableEntry* entry = entries_.FindUnreadable(name)) {
    said += "\n" + ReasonText(entry->reason, LoadFindingsTexts());
  }
  return EntryTip(said, columns);
}

// A list is one tool for the tooltip: moving to another row must renew the tip's text.
bool CEntryPane::TipRowChanged(const MSG& message) {
  if (message.message != WM_MOUSEMOVE || message.hwnd != view_.GetHwnd()) {
    return false;
  }
  const POINT at{static_cast<short>(LOWORD(message.lParam)),
                 static_cast<short>(HIWORD(message.lParam))};
  const int row = view_.HitTest(at);
  if (row == tipRow_) {
    return false;
  }
  tipRow_ = row;
  return true;
}

// The mouse's own request has been answered by the right click already; only the keyboard's
// (Shift+F10, and the context-menu key where the system turns it into a request) comes without
// a position.
bool CEntryPane::OnContextMenu(HWND window, LPARAM position) {
  const bool noPosition =
      static_cast<short>(LOWORD(position)) == -1 && static_cast<short>(HIWORD(position)) == -1;
  if (!noPosition || window != view_.GetHwnd()) {
    return false;
  }
  ShowMenu(false);
  return true;
}

void CEntryPane::ShowMenu(bool atCursor) {
  POINT at{};
  if (atCursor) {
    ::GetCursorPos(&at);
  } else {
    if (!view_.IsWindow()) {
      return;
    }
    const int mark = view_.GetSelectionMark();
    if (mark < 0) {
      return;
    }
    POINT item{};
    view_.Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(mark), reinterpret_cast<LPARAM>(&item));
    const RECT frame = view_.GetWindowRect();
    at = POINT{frame.left + item.x, frame.top + item.y};
  }

  // Made afresh each time, so its pictures live only while it is shown.
  ui::CBitmapMenu menu;
  if (!menu.LoadMenuResource(IDR_ENTRY_MENU)) {
    return;
  }
  menu.SetDpi(ui::DpiOf(dialog_));
  const EntryMenuPlan plan = PlanEntryMenu(role_, context_.options.showExtendedFunctionality);
  HMENU popup = menu.GetSubMenu(plan.popup);
  if (popup == nullptr) {
    return;
  }
  for (const EntryMenuPicture& item : plan.pictures) {
    menu.SetItemBitmap(item.command, item.picture);
  }
  for (unsigned command : plan.removedCommands) {
    ::RemoveMenu(popup, command, MF_BYCOMMAND);
  }
  if (plan.removeSeparator) {
    ::RemoveMenu(popup, plan.separatorPosition, MF_BYPOSITION);
  }
  activePopup_ = &menu;
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
  activePopup_ = nullptr;
}

bool CEntryPane::DrawMenuItem(const DRAWITEMSTRUCT* draw) const {
  return activePopup_ != nullptr && activePopup_->DrawItem(draw);
}

bool CEntryPane::MeasureMenuItem(MEASUREITEMSTRUCT* measure) const {
  return activePopup_ != nullptr && activePopup_->MeasureItem(measure);
}

// The dialog holds the mouse until the button is released, wherever that happens.
void CEntryPane::BeginDrag() {
  dragged_ = true;
  ::SetCapture(dialog_);
  if (HCURSOR cursor =
          ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_DRAG_ENTRY))) {
    ::SetCursor(cursor);
  }
}

bool CEntryPane::EndDrag() {
  const bool was = dragged_;
  dragged_ = false;
  return was;
}

// Registering an entry that a report showed replaces the values the user once trusted: he sees
// both first. A new entry is registered at once, as ever, and a registration leaves unasked.
bool CEntryPane::ConfirmLeaving(const std::string& name) {
  const unsigned index = name.empty() ? 0 : entries_.Find(name.c_str());
  if (index == 0 || ReasonOf(index) != EntryReason::kAltered) {
    return true;
  }
  const ConnectionRecord* registered = context_.altered.Find(name);
  const ConnectionRecord& current = entries_.GetRecord(index);
  const std::string none = ui::LoadResString(IDS_VALUE_NONE);
  const bool samePassword = std::string(registered->szPassword) == current.szPassword;
  const std::string text = ui::FormatResString(
      IDS_CONFIRM_ALTERED_REGISTRATION, name.c_str(),
      ShownValue(registered->szAreaCode, none).c_str(),
      ShownValue(registered->szLocalPhoneNumber, none).c_str(),
      ShownValue(registered->szUserName, none).c_str(),
      ShownValue(current.szAreaCode, none).c_str(),
      ShownValue(current.szLocalPhoneNumber, none).c_str(),
      ShownValue(current.szUserName, none).c_str(),
      ui::LoadResString(samePassword ? IDS_PASSWORD_UNCHANGED : IDS_PASSWORD_CHANGED).c_str());
  const std::string title = ui::LoadResString(IDS_CONFIRM_ALTERED_REGISTRATION_TITLE);
  return ::MessageBoxA(dialog_, text.c_str(), title.c_str(),
                       MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

// Says why the unreadable entry of this name cannot be registered.
void CEntryPane::RefuseUnreadable(const std::string& name) const {
  const UnreadableEntry* entry = entries_.FindUnreadable(name);
  if (entry == nullptr) {
    return;
  }
  const FindingsTexts texts = LoadFindingsTexts();
  const std::string text = ui::FormatResString(IDS_UNREADABLE_REFUSED, name.c_str(),
                                               ReasonText(entry->reason, texts).c_str());
  const std::string title = ui::LoadResString(IDS_UNREADABLE_REFUSED_TITLE);
  ::MessageBoxA(dialog_, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

// Only the user ends a registration the phonebook cannot show: a program that removed the entry
// must not make it forgotten. What the user ends leaves the store at once.
void CEntryPane::Forget(const std::string& name) {
  const std::string text = ui::FormatResString(IDS_FORGET_QUESTION, name.c_str());
  const std::string title = ui::LoadResString(IDS_FORGET_QUESTION_TITLE);
  if (::MessageBoxA(dialog_, text.c_str(), title.c_str(),
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

CEntryPane& OtherPane(EntryPanes& panes, const CEntryPane& pane) {
  return panes[static_cast<int>(OtherView(pane.role()))];
}

void DropDraggedEntry(EntryPanes& panes, HWND dialog, LPARAM clientPoint) {
  CEntryPane* source = nullptr;
  // Before the move, so that its message box, if any, gets the mouse.
  for (CEntryPane& pane : panes) {
    if (pane.EndDrag()) {
      source = &pane;
    }
  }
  if (::GetCapture() == dialog) {
    ::ReleaseCapture();
  }
  if (source == nullptr) {
    return;
  }
  POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  ::ClientToScreen(dialog, &point);
  const HWND target = ::WindowFromPoint(point);
  std::optional<EntryView> where;
  for (const CEntryPane& pane : panes) {
    if (target != nullptr && target == pane.view()) {
      where = pane.role();
    }
  }
  if (DropMoves(source->role(), where)) {
    CEntryPane::Move(*source, OtherPane(panes, *source));
  }
}

}  // namespace tollward
