// The error convention shared by the guard's data classes: last error, code tables, one report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ErrorBox.h"

namespace tollward {

using ErrorCode = std::uint32_t;

// Returned by an operation body that completed; any other value is the code of its first failure.
constexpr ErrorCode kNoError = 0;

struct ErrorTableEntry {
  ErrorCode code;
  const char* text;
  bool unexpected;
};

// A class's complete table of codes. Codes not listed resolve to kUnresolvableErrorText.
struct ErrorTable {
  const ErrorTableEntry* entries;
  std::size_t size;

  template <std::size_t N>
  constexpr ErrorTable(const ErrorTableEntry (&table)[N]) : entries(table), size(N) {}

  // The entry for a code; an unknown code yields the unresolvable text with the flag set.
  ErrorTableEntry Lookup(ErrorCode code) const;
};

extern const char kUnresolvableErrorText[];

// Base of every model class. The derived class decides what a report shows (nothing, a message
// box, ...) by overriding ReportError; the state itself never reaches a file.
class CErrorState {
 public:
  explicit CErrorState(const ErrorTable& table) : table_(table) {}
  CErrorState(const CErrorState& other) : table_(other.table_) {}
  CErrorState& operator=(const CErrorState&) { return *this; }
  virtual ~CErrorState() = default;

  virtual void ReportError() {}

  void ClearError();
  // Stores code, text and flag, then reports once. Never fails the caller.
  void SetError(ErrorCode code, const char* text, bool unexpected);
  // Resolves the code through the class's own table, then as SetError.
  void SetErrorByCode(ErrorCode code);
  // Keeps the code, text and flag as SetErrorByCode does, but reports nothing: for failures the
  // caller gathers and tells the user about in a message of its own.
  void NoteErrorByCode(ErrorCode code);

  // While held, errors are still kept but not reported, for a caller that tells the user
  // itself, or must not stop for the user at all.
  void HoldReports(bool held) { reportsHeld_ = held; }
  bool reportsHeld() const { return reportsHeld_; }

  const std::string& errorText() const { return errorText_; }
  ErrorCode errorCode() const { return errorCode_; }
  bool unexpectedError() const { return unexpectedError_; }
  // The icon of a box that reports the error: the stop sign for a failure nobody expected.
  ErrorBoxIcon ReportIcon() const {
    return unexpectedError_ ? ErrorBoxIcon::kStop : ErrorBoxIcon::kInformation;
  }

 protected:
  // Runs an operation body that returns kNoError or the code of its first failing step. That
  // code is reported once; anything thrown (an allocation failure above all) is reported as the
  // operation's own unhandled-exception code. Returns whether the body succeeded.
  template <typename Body>
  bool RunReported(ErrorCode unhandledCode, Body&& body) noexcept {
    ErrorCode code = kNoError;
    try {
      code = body();
    } catch (...) {
      code = unhandledCode;
    }
    if (code == kNoError) {
      return true;
    }
    SetErrorByCode(code);
    return false;
  }

 private:
  void Keep(ErrorCode code, const char* text, bool unexpected) noexcept;

  const ErrorTable& table_;
  std::string errorText_;
  ErrorCode errorCode_ = 0;
  bool unexpectedError_ = false;
  bool reportsHeld_ = false;
};

// Holds an object's reports for the length of a scope.
class CHeldReports {
 public:
  explicit CHeldReports(CErrorState& state) : state_(state), before_(state.reportsHeld()) {
    state_.HoldReports(true);
  }
  ~CHeldReports() { state_.HoldReports(before_); }
  CHeldReports(const CHeldReports&) = delete;
  CHeldReports& operator=(const CHeldReports&) = delete;

 private:
  CErrorState& state_;
  bool before_;
};

}  // namespace tollward
