// The dialog that changes a phonebook entry's user name and, on request, its password.
#pragma once

#include <string>

#include "core/RASConnections.h"
#include "ui/controls/ColorEdit.h"
#include "ui/framework/Dialog.h"

namespace tollward::ui {

// Works on the entry at a 1-based index of a connection list that the caller lends it for the
// dialog's run; the change goes into that list and into the phonebook, to the entry of the name
// shown, wherever the list holds it by then. What OK checks and
// writes is CCredentialsChange's; this class moves the fields in and out and shows the answer.
class CChangeUserPassDlg : public CDialog {
 public:
  // Every text field takes at most this many characters.
  static constexpr int kFieldLimit = 80;

  // Without a parent: while it runs it belongs to the program's main window, if there is one.
  CChangeUserPassDlg();

  void SetConnections(CRASConnections* connections) { m_connections = connections; }
  void SetItem(unsigned item) { m_item = item; }
  const CColorEdit& EntryNameField() const { return m_entryNameField; }

 protected:
  bool OnInitDialog() override;
  void OnDpiChanged(unsigned dpi) override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  // Fields into the members when `save`, members into the fields otherwise.
  void ExchangeData(bool save);
  void ApplyPasswordToggle();

  CRASConnections* m_connections = nullptr;
  unsigned m_item = 0;
  // The entry's name when the dialog opened; OK writes to the entry of this name only.
  std::string m_openedFor;
  CColorEdit m_entryNameField;
  std::string m_entryName;
  std::string m_oldPassword;
  std::string m_newPassword;
  std::string m_repeatedPassword;
  std::string m_userName;
  int m_changePassword = 0;
  // False where the phonebook hides saved passwords: the old one cannot be checked there.
  bool m_asksOldPassword = true;
};

}  // namespace tollward::ui
