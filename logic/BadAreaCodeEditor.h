// The bad area code manager's rules: what an add, a delete or an in-place edit does to the list,
// and what the view is to show afterwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "platform/NativeWindow.h"

namespace tollward {

// Where the focus is when Enter is pressed, and what Enter does there.
enum class EnterFocus { kCodeField, kView, kElsewhere };
enum class EnterAction { kAdd, kEditLabel, kClose };
EnterAction ActionForEnter(EnterFocus focus);

// Works on the list for the length of one opening of the dialog. Every accepted change goes to
// the list at once; the list is written to its file when the editor goes.
class CBadAreaCodeEditor {
 public:
  explicit CBadAreaCodeEditor(CRASBadAreaCodes& list) : list_(list) {}
  // Gives the list its previous owner window back first, so that a failure of the closing save
  // is shown only where one was shown before the dialog opened.
  ~CBadAreaCodeEditor();
  CBadAreaCodeEditor(const CBadAreaCodeEditor&) = delete;
  CBadAreaCodeEditor& operator=(const CBadAreaCodeEditor&) = delete;

  // From now on the list's refusals are boxes owned by `dialog`.
  void Open(NativeWindow dialog);
  // The codes that the view starts with, in the list's order.
  std::vector<std::string> Codes();

  // "+" is enabled exactly while the field holds text.
  static bool CanAdd(const std::string& fieldText) { return !fieldText.empty(); }
  // Adds the field's text; the label of the new item, which is the digits the list keeps, or
  // none when the field is empty or the list refused it (the list has shown why).
  std::optional<std::string> Add(const std::string& fieldText);
  // Removes the code of the marked item; the view drops that item whatever the answer.
  bool Delete(const std::string& code);
  // The end of an in-place edit of the item `oldCode`; `edited` is null when the edit was
  // cancelled. The item's new label, or none when it keeps its old one.
  std::optional<std::string> FinishEdit(const std::string& oldCode, const char* edited);

 private:
  CRASBadAreaCodes& list_;
  bool open_ = false;
  NativeWindow previousOwner_ = nullptr;
};

}  // namespace tollward
