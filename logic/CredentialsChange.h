// OK of the user name / password dialog: its checks of the form, in their order, and the write.
#pragma once

#include <string>

#include "core/RASConnections.h"

namespace tollward {

// The dialog's fields as the user left them.
struct CredentialsForm {
  std::string userName;
  bool changePassword = false;
  std::string oldPassword;
  std::string newPassword;
  std::string repeatedPassword;
};

// The message the user is shown; each has a text and a caption of its own.
enum class CredentialsMessage {
  kNone,
  kInvalidUserName,
  kWrongOldPassword,
  kRepetitionMismatch,
  kInvalidNewPassword,
};

enum class CredentialsDialogEnd {
  kStayOpen,
  kCloseOk,
  kCloseCancelled,
};

struct CredentialsOutcome {
  CredentialsMessage message = CredentialsMessage::kNone;
  CredentialsDialogEnd end = CredentialsDialogEnd::kStayOpen;
  // Both new password fields are emptied and the first takes the focus, for a fresh try.
  bool retypeNewPassword = false;
};

// Changes the user name and, on request, the password of the entry at `index` of `list`, in the
// list and in the phonebook. Where the phonebook reveals saved passwords, the old password must
// be the one the list holds: the one the user certified for a registered entry, the live one
// otherwise. Where it hands out a handle instead, the list holds that handle, which no typed
// password can match, so the old password is not asked for.
class CCredentialsChange {
 public:
  CCredentialsChange(CRASConnections& list, unsigned index) : list_(list), index_(index) {}

  bool AsksForOldPassword() const { return !list_.phonebook().HidesSavedPasswords(); }

  // The form's texts lose their surrounding white space, then the first failing check decides;
  // only a form that passes them all is written. The result of the write is the list's to
  // report; the dialog closes either way.
  CredentialsOutcome Apply(const CredentialsForm& form);

  // Without the leading and trailing blanks, tabs and line breaks.
  static std::string Trim(const std::string& text);

 private:
  // The record takes the password as the phonebook now hands it out, a handle where it hides
  // passwords, so that a scan compares like with like and a registered entry stays registered.
  void TakeSavedPassword();

  CRASConnections& list_;
  unsigned index_;
};

}  // namespace tollward
