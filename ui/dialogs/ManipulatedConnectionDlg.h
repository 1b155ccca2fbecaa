// The notice that a registered phonebook entry changed: registered and current values side by side.
#pragma once

#include "core/ConnectionRecord.h"
#include "core/RASConnections.h"
#include "ui/controls/ColorEdit.h"
#include "logic/ManipulationReport.h"
#include "ui/framework/Dialog.h"

namespace tollward::ui {

// System-modal, without a close box, centerd and in front. It shows the values it was given,
// each row pale green where both values are the same and pale red where they differ, and
// changes nothing; OK and Escape both end it with IDOK.
class CManipulatedConnectionDlg : public CDialog {
 public:
  // Without a parent: while it runs it belongs to the program's main window, if there is one.
  CManipulatedConnectionDlg();

  void SetReport(const ManipulationReport& report) { m_report = report; }
  const ManipulationReport& GetReport() const { return m_report; }
  // The color field bound to one of the nine value fields, or null for any other id.
  const CColorEdit* Field(int id) const;

 protected:
  bool OnInitDialog() override;
  void OnDpiChanged(unsigned dpi) override;
  void OnCancel() override { OnOK(); }

 private:
  void ExchangeData();
  // Fills the list of further properties and makes room for it, or leaves it hidden.
  void ShowFurtherRows();
  CColorEdit* FieldById(int id);

  CColorEdit m_registeredAreaCode;
  CColorEdit m_alteredAreaCode;
  CColorEdit m_registeredLocalNumber;
  CColorEdit m_alteredLocalNumber;
  CColorEdit m_registeredUserName;
  CColorEdit m_alteredUserName;
  CColorEdit m_registeredPassword;
  CColorEdit m_alteredPassword;
  CColorEdit m_entryName;
  ManipulationReport m_report;
};

// What the interactive list does for a manipulated entry: shows the report of the entry at
// `index` of `current` against the registered record, modally, and returns when it is closed.
// Shows nothing for an entry that the check did not find (`differences` then carries its name).
// True when a report was shown.
// `registeredDetails` are the further properties registered with the entry, if known.
bool ShowManipulatedConnection(CRASConnections& current, const ConnectionRecord& registered,
                               unsigned index, const ConnectionRecord& differences,
                               const EntryDetails* registeredDetails = nullptr);

}  // namespace tollward::ui
