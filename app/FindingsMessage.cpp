// The texts of what a check could not read, from the string table, and their one message.
#include "app/FindingsMessage.h"

#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void ShowPhonebookFindings(HWND owner, const PhonebookFindings& findings) {
  const std::string text = DescribeFindings(findings, LoadFindingsTexts());
  if (text.empty()) {
    return;
  }
  const std::string title = ui::LoadResString(IDS_FINDINGS_TITLE);
  ShowMessageBox(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
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

}  // namespace tollward
