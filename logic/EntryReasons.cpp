// The reasons of the lists' entries and the registrations that reports showed.
#include "logic/EntryReasons.h"

namespace tollward {

EntryReason ReasonForUnregistered(const UnregisteredFacts& facts) {
  if (facts.notReadable) {
    return EntryReason::kNotReadable;
  }
  if (facts.badAreaCode) {
    return EntryReason::kBadAreaCode;
  }
  return facts.reportedAltered ? EntryReason::kAltered : EntryReason::kNew;
}

EntryReason ReasonForRegistered(EntryStatus status) {
  switch (status) {
    case EntryStatus::kUnreadable:
      return EntryReason::kNotReadable;
    case EntryStatus::kMissing:
      return EntryReason::kMissing;
    case EntryStatus::kRead:
      break;
  }
  return EntryReason::kNone;
}

void CAlteredRegistrations::Remember(const ConnectionRecord& registered) {
  records_[registered.szEntryName] = registered;
}

const ConnectionRecord* CAlteredRegistrations::Find(const std::string& name) const {
  const auto found = records_.find(name);
  return found != records_.end() ? &found->second : nullptr;
}

void CAlteredRegistrations::Forget(const std::string& name) {
  records_.erase(name);
}

void CAlteredRegistrations::KeepOnly(CRASConnections& unregistered) {
  for (auto it = records_.begin(); it != records_.end();) {
    it = unregistered.Find(it->first.c_str()) == 0 ? records_.erase(it) : std::next(it);
  }
}

std::string ShownValue(const char* value, const std::string& none) {
  return value == nullptr || *value == '\0' ? none : std::string(value);
}

std::string EntryTip(const std::string& reason, const std::vector<ColumnText>& columns) {
  std::string tip = reason;
  for (const ColumnText& column : columns) {
    if (column.cut) {
      tip += (tip.empty() ? "" : "\n") + column.heading + ": " + column.text;
    }
  }
  return tip;
}

}  // namespace tollward
