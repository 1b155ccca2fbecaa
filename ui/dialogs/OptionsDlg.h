// The options dialog: the record's six options, with the expert settings behind a confirmation.
#pragma once

#include <memory>
#include <optional>

#include "logic/OptionsDialogRules.h"
#include "options/Options.h"
#include "ui/framework/Dialog.h"
#include "ui/dialogs/Help.h"

namespace tollward::ui {

// The rules decide; this class only carries clicks to them and their state to the controls.
// OK saves the record at once; Cancel asks before it discards.
class COptionsDlg : public CDialog {
 public:
  explicit COptionsDlg(HWND parent = nullptr);
  ~COptionsDlg() override;

  // The record to edit, owned by the opener; set before the dialog runs.
  void SetOptions(COptions* options) { m_options = options; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
  void OnCancel() override;
  std::optional<UINT> HelpTopic(HWND) const override { return help_topic::kOptions; }

 private:
  void ShowState();
  void ExpertsClicked();

  COptions* m_options = nullptr;
  std::unique_ptr<COptionsDialogRules> m_rules;
};

}  // namespace tollward::ui
