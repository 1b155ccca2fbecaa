// The control center's share of its two panes: refilling both, what a check could not read, and
// the views' notifications handed to their panes.
#include <string>

#include "app/ControlCenterDlg.h"
#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void CControlCenterDlg::RefillConnectionLists() {
  for (CEntryPane& pane : m_panes) {
    pane.Refill();
  }
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

bool CControlCenterDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
  result = 0;
  for (CEntryPane& pane : m_panes) {
    if (pane.OnNotify(id, header, result, OtherPane(m_panes, pane))) {
      return true;
    }
  }
  return false;
}

}  // namespace tollward
