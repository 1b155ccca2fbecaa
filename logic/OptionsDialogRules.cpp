// The options dialog's decisions: what its boxes enable, when it asks, and what its OK writes.
#include "logic/OptionsDialogRules.h"

#include <limits>

namespace tollward {

bool ParseInterval(const std::string& text, std::uint32_t& minutes) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return false;
  }
  const std::size_t last = text.find_last_not_of(' ');
  std::uint64_t value = 0;
  for (std::size_t i = first; i <= last; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) {
      value = std::numeric_limits<std::uint32_t>::max();
    }
  }
  minutes = static_cast<std::uint32_t>(value);
  return true;
}

COptionsDialogRules::COptionsDialogRules(const COptions& record)
    : expertsAccepted_(record.showExtendedFunctionality) {
  state_.runSilentCheck = record.runSilentCheckAtStart;
  state_.runMonitor = record.runMonitorAtStartup;
  state_.interval = std::to_string(record.GetMonitorInterval());
  state_.minimizeOnMonitorStart = record.minimizeOnMonitorStart;
  state_.showExtended = record.showExtendedFunctionality;
  state_.flashTrayIcon = record.flashTrayIconAfterScan;
  ApplyMonitorRule();
  ApplyExpertsRule();
}

void COptionsDialogRules::MonitorClicked(bool checked) {
  state_.runMonitor = checked;
  ApplyMonitorRule();
}

bool COptionsDialogRules::ExpertsClickNeedsConfirmation(bool checked) const {
  return checked && !expertsAccepted_;
}

void COptionsDialogRules::ExpertsClicked(bool checked, bool confirmed) {
  if (ExpertsClickNeedsConfirmation(checked) && !confirmed) {
    state_.showExtended = false;
    return;
  }
  state_.showExtended = checked;
  ApplyExpertsRule();
}

void COptionsDialogRules::ApplyMonitorRule() {
  if (state_.runMonitor) {
    state_.runSilentCheck = true;
    state_.runSilentCheckEnabled = false;
  } else {
    state_.runSilentCheckEnabled = true;
  }
}

// Switched off, the expert settings stay as they are shown: only their editing is locked.
void COptionsDialogRules::ApplyExpertsRule() {
  state_.runSilentCheckEnabled = state_.showExtended && !state_.runMonitor;
  state_.runMonitorEnabled = state_.showExtended;
  state_.intervalEnabled = state_.showExtended;
}

OptionsOkOutcome COptionsDialogRules::Ok(COptions& record) {
  std::uint32_t minutes = 0;
  if (!ParseInterval(state_.interval, minutes)) {
    return OptionsOkOutcome::kIntervalNotANumber;
  }
  expertsAccepted_ = state_.showExtended;
  // The interval is offered first, so that a refused one leaves the flags out of the record too.
  if (!record.SetMonitorInterval(minutes)) {
    return OptionsOkOutcome::kIntervalRefused;
  }
  record.runSilentCheckAtStart = state_.runSilentCheck;
  record.runMonitorAtStartup = state_.runMonitor;
  record.minimizeOnMonitorStart = state_.minimizeOnMonitorStart;
  record.showExtendedFunctionality = state_.showExtended;
  record.flashTrayIconAfterScan = state_.flashTrayIcon;
  return record.Save() ? OptionsOkOutcome::kSaved : OptionsOkOutcome::kSaveFailed;
}

}  // namespace tollward
