// The bad area code manager: the user's only way to add, remove and change the bad area codes.
#pragma once

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <optional>
#include <string>

#include "logic/BadAreaCodeEditor.h"
#include "core/RASBadAreaCodes.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/Edit.h"
#include "ui/dialogs/Help.h"
#include "ui/framework/ListView.h"
#include "ui/framework/Handles.h"

namespace tollward::ui {

// System-modal, without a close box, centerd and in front. Each accepted add, delete or
// in-place edit changes the list at once; "done", Enter elsewhere and Escape all close it
// keeping every change. The list's refusals are its own boxes, owned by this dialog.
class CBadAreaCodesDlg : public CDialog {
 public:
  static constexpr COLORREF kViewColor = RGB(255, 208, 208);
  static constexpr int kColumnWidth = 100;

  // Without a parent: while it runs it belongs to the program's main window, if there is one.
  explicit CBadAreaCodesDlg(CRASBadAreaCodes& list);
  // Saves the list to its file; the opener destroys the dialog after its re-check of the lists.
  ~CBadAreaCodesDlg() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
  void OnOK() override;
  std::optional<UINT> HelpTopic(HWND) const override { return help_topic::kBadAreaCodes; }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void AddTypedCode();
  void DeleteMarkedCode();
  void EditMarkedCode();
  void FinishEdit();

  CBadAreaCodeEditor m_editor;
  CListView m_view;
  CEdit m_field;
  CIcon m_deleteIcon;
  CIcon m_addIcon;
  // An in-place edit that ended, waiting for the list's verdict.
  std::string m_editedCode;
  std::string m_editedText;
};

}  // namespace tollward::ui
