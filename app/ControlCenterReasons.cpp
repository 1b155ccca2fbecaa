// Why each entry of the control center's lists is there: the reason's picture beside its name,
// its tip with the texts its columns cut, and the question before an altered entry is registered.
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/ControlCenterDlg.h"
#include "logic/PhonebookMessage.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ResourceMessageBox.h"
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

// The interactive list that a check reports through, which also tells the control center
// which registration each report showed.
class CReportingRASConnections final : public CInteractiveRASConnections {
 public:
  CReportingRASConnections(IPhonebook& phonebook, AlteredRegistrations& altered)
      : CInteractiveRASConnections(phonebook), m_altered(altered) {}

  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override {
    CInteractiveRASConnections::OnManipulatedConnection(checked, index, differences);
    // A difference record with a name is an entry the check did not find: nothing was shown.
    if (differences.szEntryName[0] == '\0') {
      m_altered.Remember(checked);
    }
  }

 private:
  AlteredRegistrations& m_altered;
};

}  // namespace

std::unique_ptr<CRASConnections> CControlCenterDlg::MakeReportingList() {
  return std::make_unique<CReportingRASConnections>(m_phonebook, m_altered);
}

EntryReason CControlCenterDlg::ReasonOf(bool unregistered, unsigned index) {
  if (!unregistered) {
    // A registration whose entry could not be read, or is gone, keeps its place, unchecked.
    switch (m_registered.GetStatus(index)) {
      case EntryStatus::kUnreadable:
        return EntryReason::kNotReadable;
      case EntryStatus::kMissing:
        return EntryReason::kMissing;
      case EntryStatus::kRead:
        break;
    }
    return EntryReason::kNone;
  }
  UnregisteredFacts facts;
  facts.notReadable = m_unregistered.GetStatus(index) != EntryStatus::kRead;
  facts.badAreaCode = m_badAreaCodes.Check(m_unregistered.GetRecord(index)) != 0;
  facts.reportedAltered = m_altered.Find(m_unregistered.GetName(index)) != nullptr;
  return ReasonForUnregistered(facts);
}

void CControlCenterDlg::ShowReasonPictures(const ui::CListView& view) {
  const unsigned dpi = ui::DpiOf(m_hwnd);
  view.SetSmallIcons(kReasonIcons, std::size(kReasonIcons),
                     ui::SystemMetricForDpi(SM_CXSMICON, dpi));
}

void CControlCenterDlg::SetItemReason(const ui::CListView& view, int item, EntryReason reason) {
  view.SetItemImage(item, PictureOf(reason));
}

// The reason of the row under the mouse, and whatever of its texts the columns cut. Outside the
// rows the view's own tip stays.
std::string CControlCenterDlg::TipAt(const ui::CListView& view, POINT screen) {
  POINT client = screen;
  ::ScreenToClient(view, &client);
  const int row = view.HitTest(client);
  if (row < 0) {
    return std::string();
  }
  const bool unregistered = view.GetHwnd() == m_unregisteredView.GetHwnd();
  CRASConnections& list = unregistered ? m_unregistered : m_registered;
  const std::string name = view.GetItemText(row, 0);
  const unsigned index = list.Find(name.c_str());
  EntryReason reason = EntryReason::kNone;
  if (index != 0) {
    reason = ReasonOf(unregistered, index);
  } else if (list.FindUnreadable(name) != nullptr) {
    reason = EntryReason::kNotReadable;
  }
  std::vector<ColumnText> columns;
  for (int column = 0; column < view.GetColumnCount(); ++column) {
    const std::string text = view.GetItemText(row, column);
    columns.push_back(
        ColumnText{view.GetColumnHeading(column), text, view.IsItemTextCut(row, column)});
  }
  std::string said = reason == EntryReason::kNone
                         ? std::string()
                         : ui::LoadResString(kReasonTexts[static_cast<int>(reason) - 1]);
  // What kept the phonebook from handing the entry out, in the words of the start's message.
  if (const UnreadableEntry* entry = list.FindUnreadable(name)) {
    said += "\n" + ReasonText(entry->reason, LoadFindingsTexts());
  }
  return EntryTip(said, columns);
}

// Registering an entry that a report showed replaces the values the user once trusted: he sees
// both first. A new entry is registered at once, as ever.
bool CControlCenterDlg::ConfirmRegistration(const std::string& name) {
  const unsigned index = name.empty() ? 0 : m_unregistered.Find(name.c_str());
  if (index == 0 || ReasonOf(true, index) != EntryReason::kAltered) {
    return true;
  }
  const ConnectionRecord* registered = m_altered.Find(name);
  const ConnectionRecord& current = m_unregistered.GetRecord(index);
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
  return ::MessageBoxA(m_hwnd, text.c_str(), title.c_str(),
                       MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

}  // namespace tollward
