// The options dialog's decisions: what its boxes enable, when it asks, and what its OK writes.
#pragma once

#include <cstdint>
#include <string>

#include "options/Options.h"

namespace tollward {

// What the dialog's controls show. The interval's label is enabled with the interval's field.
struct OptionsDialogState {
  bool runSilentCheck = false;
  bool runMonitor = false;
  std::string interval;
  bool minimizeOnMonitorStart = false;
  bool showExtended = false;
  bool flashTrayIcon = false;

  bool runSilentCheckEnabled = false;
  bool runMonitorEnabled = false;
  bool intervalEnabled = false;
};

// How an OK ended.
enum class OptionsOkOutcome {
  kIntervalNotANumber,  // the field holds no unsigned number; the dialog stays open
  kIntervalRefused,     // outside 1 to 9999; the dialog stays open
  kSaved,               // written into the record, which saved itself; the dialog closes
  kSaveFailed,          // written into the record, whose save failed and said why; it closes
};

// The dialog tells each click of a box and reads the state back into its controls. Nothing
// reaches the record before an accepted OK: a refused OK followed by a confirmed Cancel leaves
// the record, and so what the program's end writes, as it was.
class COptionsDialogRules {
 public:
  explicit COptionsDialogRules(const COptions& record);

  const OptionsDialogState& State() const { return state_; }

  // The auto check boxes that decide nothing else.
  void SilentCheckClicked(bool checked) { state_.runSilentCheck = checked; }
  void MinimizeClicked(bool checked) { state_.minimizeOnMonitorStart = checked; }
  void FlashClicked(bool checked) { state_.flashTrayIcon = checked; }
  void IntervalChanged(const std::string& text) { state_.interval = text; }

  // Starting the monitor at log-on includes the silent check, so that box follows it.
  void MonitorClicked(bool checked);

  // Only switching the experts box on in a dialog that opened with it off is asked about.
  bool ExpertsClickNeedsConfirmation(bool checked) const;
  // `confirmed` is the answer to that question, when one was asked. Refused, the box goes off
  // again and the enabling stays as it was.
  void ExpertsClicked(bool checked, bool confirmed);

  // Writes the five boxes and the interval into the record and saves it, or refuses the
  // interval and writes nothing.
  OptionsOkOutcome Ok(COptions& record);

 private:
  void ApplyMonitorRule();
  void ApplyExpertsRule();

  OptionsDialogState state_;
  // The experts box as the record had it at the opening, or as the last OK read it.
  bool expertsAccepted_ = false;
};

// The unsigned number in an interval field's text, blanks around it allowed; false for no
// number. A number too large for the type counts as the largest, which the record refuses.
bool ParseInterval(const std::string& text, std::uint32_t& minutes);

}  // namespace tollward
