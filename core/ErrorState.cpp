// The error convention shared by the guard's data classes.
#include "core/ErrorState.h"

namespace tollward {

const char kUnresolvableErrorText[] = "[*unresolveable error*]";

ErrorTableEntry ErrorTable::Lookup(ErrorCode code) const {
  for (std::size_t i = 0; i < size; ++i) {
    if (entries[i].code == code) {
      return entries[i];
    }
  }
  return {code, kUnresolvableErrorText, true};
}

void CErrorState::ClearError() {
  errorCode_ = 0;
  unexpectedError_ = false;
  errorText_.clear();
}

void CErrorState::SetError(ErrorCode code, const char* text, bool unexpected) {
  Keep(code, text, unexpected);
  if (reportsHeld_) {
    return;
  }
  try {
    ReportError();
  } catch (...) {
    // A report is a courtesy to the user; it never turns into a failure of the caller.
  }
}

void CErrorState::Keep(ErrorCode code, const char* text, bool unexpected) noexcept {
  ClearError();
  errorCode_ = code;
  unexpectedError_ = unexpected;
  try {
    errorText_ = text != nullptr ? text : "";
  } catch (...) {
    // Out of memory for the text: the report still runs, with an empty text.
    errorText_.clear();
  }
}

void CErrorState::SetErrorByCode(ErrorCode code) {
  const ErrorTableEntry entry = table_.Lookup(code);
  SetError(code, entry.text, entry.unexpected);
}

void CErrorState::NoteErrorByCode(ErrorCode code) {
  const ErrorTableEntry entry = table_.Lookup(code);
  Keep(code, entry.text, entry.unexpected);
}

}  // namespace tollward
