// The bad area code manager's rules: what an add, a delete or an in-place edit does to the list,
// and what the view is to show afterwards.
#include "logic/BadAreaCodeEditor.h"

#include <vector>

namespace tollward {

EnterAction ActionForEnter(EnterFocus focus) {
  switch (focus) {
    case EnterFocus::kCodeField:
      return EnterAction::kAdd;
    case EnterFocus::kView:
      return EnterAction::kEditLabel;
    case EnterFocus::kElsewhere:
      break;
  }
  return EnterAction::kClose;
}

CBadAreaCodeEditor::~CBadAreaCodeEditor() {
  if (open_) {
    list_.SetOwnerWindow(previousOwner_);
  }
  list_.Save();
}

void CBadAreaCodeEditor::Open(NativeWindow dialog) {
  const NativeWindow before = list_.SetOwnerWindow(dialog);
  if (!open_) {
    previousOwner_ = before;
    open_ = true;
  }
}

std::vector<std::string> CBadAreaCodeEditor::Codes() {
  std::vector<std::string> codes;
  for (std::uint32_t i = 1; i <= list_.GetCount(); ++i) {
    codes.emplace_back(list_.Get(i));
  }
  return codes;
}

std::optional<std::string> CBadAreaCodeEditor::Add(const std::string& fieldText) {
  if (fieldText.empty() || !list_.Add(fieldText.c_str())) {
    return std::nullopt;
  }
  // Pasted text may hold more than digits; the item shows what the list really keeps.
  return std::string(list_.Get(list_.GetCount()));
}

bool CBadAreaCodeEditor::Delete(const std::string& code) {
  return list_.Delete(code.c_str());
}

std::optional<std::string> CBadAreaCodeEditor::FinishEdit(const std::string& oldCode,
                                                          const char* edited) {
  if (edited == nullptr || *edited == '\0') {
    return std::nullopt;
  }
  std::vector<char> digits(edited, edited + std::char_traits<char>::length(edited) + 1);
  CRASBadAreaCodes::NormalizeNumber(digits.data());
  const std::string reduced(digits.data());
  if (reduced == oldCode) {
    return std::nullopt;
  }
  // Added while the old code is still listed: a new code that merely extends or shortens the
  // old one is refused as redundant, and the old code stays.
  if (!list_.Add(reduced.c_str())) {
    return std::nullopt;
  }
  list_.Delete(oldCode.c_str());
  return reduced;
}

}  // namespace tollward
