// Why each entry of a pane is listed: the reason's picture beside its name, its tip with the
// texts its columns cut, and the checks before an entry leaves the pane.
#include <iterator>
#include <string>
#include <vector>

#include "app/EntryPane.h"
#include "app/FindingsMessage.h"
#include "logic/PhonebookMessage.h"
#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

// The image list's pictures, in the order of EntryReason from kNew on.
constexpr UINT kReasonIcons[] = {IDI_REASON_NEW, IDI_REASON_ALTERED, IDI_REASON_BAD_AREA,
                                 IDI_REASON_NOT_READABLE, IDI_REASON_MISSING};
constexpr UINT kReasonTexts[] = {IDS_REASON_NEW, IDS_REASON_ALTERED, IDS_REASON_BAD_AREA,
                                 IDS_REASON_NOT_READABLE, IDS_REASON_MISSING};

int PictureOf(EntryReason reason) {
  return reason == EntryReason::kNone ? I_IMAGENONE : static_cast<int>(reason) - 1;
}

}  // namespace

void CEntryPane::ShowReasonPictures() const {
  const unsigned dpi = ui::DpiOf(dialog_);
  view_.SetSmallIcons(kReasonIcons, std::size(kReasonIcons),
                      ui::SystemMetricForDpi(SM_CXSMICON, dpi));
}

void CEntryPane::ShowReason(int item, EntryReason reason) const {
  view_.SetItemImage(item, PictureOf(reason));
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

// The tip of a list: the reason and cut texts of the row under the mouse, else the list's own.
bool CEntryPane::OnTipText(NMTTDISPINFOA* tip) {
  if (reinterpret_cast<HWND>(tip->hdr.idFrom) != view_.GetHwnd()) {
    return false;
  }
  POINT cursor{};
  ::GetCursorPos(&cursor);
  tipText_ = TipAt(cursor);
  if (tipText_.empty()) {
    tipText_ = ui::LoadResString(controls_.tip);
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
  return ShowMessageBox(dialog_, text.c_str(), title.c_str(),
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
  ShowMessageBox(dialog_, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace tollward
