// The checks of a user name / password change and the one write that follows them.
#include "logic/CredentialsChange.h"

namespace tollward {

namespace {

constexpr char kWhiteSpace[] = " \t\n\v\f\r";

CredentialsOutcome Refused(CredentialsMessage message, CredentialsDialogEnd end) {
  CredentialsOutcome outcome;
  outcome.message = message;
  outcome.end = end;
  return outcome;
}

CredentialsOutcome Written() {
  return Refused(CredentialsMessage::kNone, CredentialsDialogEnd::kCloseOk);
}

}  // namespace

std::string CCredentialsChange::Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) {
    return std::string();
  }
  return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

CredentialsOutcome CCredentialsChange::Apply(const CredentialsForm& form) {
  const std::string userName = Trim(form.userName);
  if (userName.empty()) {
    return Refused(CredentialsMessage::kInvalidUserName, CredentialsDialogEnd::kStayOpen);
  }
  const std::string oldPassword = Trim(form.oldPassword);
  const std::string newPassword = Trim(form.newPassword);
  const std::string repeatedPassword = Trim(form.repeatedPassword);

  if (!form.changePassword) {
    // An empty password makes the phonebook receive the one the list holds.
    list_.Set(index_, userName.c_str(), "", true);
    return Written();
  }
  // Byte for byte: letter case counts, and so does every byte of a multi-byte character.
  if (AsksForOldPassword() && oldPassword != list_.GetPassword(index_)) {
    return Refused(CredentialsMessage::kWrongOldPassword, CredentialsDialogEnd::kCloseCancelled);
  }
  if (newPassword != repeatedPassword) {
    CredentialsOutcome outcome =
        Refused(CredentialsMessage::kRepetitionMismatch, CredentialsDialogEnd::kStayOpen);
    outcome.retypeNewPassword = true;
    return outcome;
  }
  if (newPassword.empty()) {
    return Refused(CredentialsMessage::kInvalidNewPassword, CredentialsDialogEnd::kStayOpen);
  }
  if (list_.Set(index_, userName.c_str(), newPassword.c_str(), true)) {
    TakeSavedPassword();
  }
  return Written();
}

void CCredentialsChange::TakeSavedPassword() {
  PhonebookDialParams saved;
  if (list_.phonebook().GetDialParams(list_.GetName(index_), saved) && !saved.password.empty()) {
    const std::string userName = list_.GetUserName(index_);
    list_.Set(index_, userName.c_str(), saved.password.c_str(), false);
  }
}

}  // namespace tollward
