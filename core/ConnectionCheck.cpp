// The guard's checks: live entries against registered records, the split, the reports, bad areas.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/AsciiText.h"
#include "core/DamagedFile.h"
#include "core/ErrorTables.h"
#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"

namespace tollward {

using namespace connection_error;

namespace {

// Whole texts, letter case aside; bounded by the field, so a record read from a damaged file
// cannot lead the comparison into the next field. Most values are unchanged, byte for byte, so
// that is tried first.
template <std::size_t N>
bool SameText(const char (&a)[N], const char (&b)[N]) {
  const std::string_view first = FieldView(a);
  const std::string_view second = FieldView(b);
  if (first.size() != second.size()) {
    return false;
  }
  if (first == second) {
    return true;
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (AsciiLower(first[i]) != AsciiLower(second[i])) {
      return false;
    }
  }
  return true;
}

// Marks a differing field by putting the reference's value into the differences record.
template <std::size_t N>
bool Compare(const char (&checked)[N], const char (&reference)[N], char (&difference)[N]) {
  if (SameText(checked, reference)) {
    return true;
  }
  std::memcpy(difference, reference, N);
  return false;
}

// Further properties count only where both sides know them: a registration made before the
// details file existed takes them from the phonebook at its next split instead of being reported.
bool DetailsAgree(const EntryDetails* a, const EntryDetails* b) {
  return a == nullptr || b == nullptr || *a == *b;
}

// Leaves the marked records, in their order, in the vector's own room; hands back the room only
// when most of it is no longer needed.
void KeepMarked(std::vector<ConnectionRecord>& records, const std::vector<bool>& keep) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (keep[i]) {
      if (kept != i) {
        records[kept] = records[i];
      }
      ++kept;
    }
  }
  records.resize(kept);
  if (records.capacity() / 2 > kept) {
    records.shrink_to_fit();
  }
}

// A name as a rename in disguise leaves it: blanks around it dropped, ASCII letters folded.
std::string LooseName(std::string_view name) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!name.empty() && blank(name.front())) {
    name.remove_prefix(1);
  }
  while (!name.empty() && blank(name.back())) {
    name.remove_suffix(1);
  }
  std::string loose(name);
  for (char& c : loose) {
    c = AsciiLower(c);
  }
  return loose;
}

}  // namespace

void CRASConnections::ReportDisguisedRename(const ConnectionRecord& registration,
                                            const CRASConnections* listed) {
  const std::string wanted = LooseName(NameOf(registration));
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const ConnectionRecord& entry = records_[i];
    if (LooseName(NameOf(entry)) != wanted ||
        (listed != nullptr &&
         listed->records_.Find(entry.szEntryName) != CConnectionArray::kNone)) {
      continue;
    }
    ConnectionRecord differences{};
    Compare(registration.szAreaCode, entry.szAreaCode, differences.szAreaCode);
    Compare(registration.szLocalPhoneNumber, entry.szLocalPhoneNumber,
            differences.szLocalPhoneNumber);
    Compare(registration.szUserName, entry.szUserName, differences.szUserName);
    Compare(registration.szPassword, entry.szPassword, differences.szPassword);
    OnManipulatedConnection(registration, static_cast<unsigned>(i + 1), differences);
    return;
  }
}

bool CRASConnections::CheckConnection(const ConnectionRecord& checked,
                                      ConnectionRecord& differences, bool report) {
  return CheckConnection(checked, nullptr, differences, report);
}

bool CRASConnections::CheckConnection(const ConnectionRecord& checked,
                                      const EntryDetails* checkedDetails,
                                      ConnectionRecord& differences, bool report) {
  bool same = false;
  std::memset(&differences, 0, sizeof differences);
  RunReported(kCheckUnhandled, [&]() -> ErrorCode {
    const std::size_t position = records_.Find(checked.szEntryName);
    if (position == CConnectionArray::kNone) {
      differences = checked;
      return kNoError;
    }
    const ConnectionRecord& entry = records_[position];
    same = Compare(checked.szAreaCode, entry.szAreaCode, differences.szAreaCode);
    same = Compare(checked.szLocalPhoneNumber, entry.szLocalPhoneNumber,
                   differences.szLocalPhoneNumber) &&
           same;
    same = Compare(checked.szUserName, entry.szUserName, differences.szUserName) && same;
    same = Compare(checked.szPassword, entry.szPassword, differences.szPassword) && same;
    same = DetailsAgree(checkedDetails, details_.Find(NameOf(entry))) && same;
    if (report && !same) {
      checkedDetails_ = checkedDetails;
      try {
        OnManipulatedConnection(checked, static_cast<unsigned>(position + 1), differences);
      } catch (...) {
        checkedDetails_ = nullptr;
        throw;
      }
      checkedDetails_ = nullptr;
    }
    return kNoError;
  });
  return same;
}

bool CRASConnections::HoldsUnchanged(const ConnectionRecord& checked,
                                     const EntryDetails* checkedDetails) const {
  const std::size_t position = records_.Find(checked.szEntryName);
  if (position == CConnectionArray::kNone) {
    return false;
  }
  const ConnectionRecord& entry = records_[position];
  return SameText(checked.szAreaCode, entry.szAreaCode) &&
         SameText(checked.szLocalPhoneNumber, entry.szLocalPhoneNumber) &&
         SameText(checked.szUserName, entry.szUserName) &&
         SameText(checked.szPassword, entry.szPassword) &&
         DetailsAgree(checkedDetails, details_.Find(NameOf(entry)));
}

bool CRASConnections::SplitPhonebook(const CRASConnections& registered, CRASConnections* other,
                                     PhonebookFindings* findings) {
  bool split = false;
  // Only taking the registered records and filling the lists can throw here; that is the work of
  // adding records.
  RunReported(kAddUnhandled, [&]() -> ErrorCode {
    // The registered list as it stood before the split; it carries the store's path and writes
    // the store when the split ends, however the split ends.
    CRASConnections reference(phonebook_);
    split = WrittenBackAfter(reference,
                             [&] { return SplitAgainst(registered, reference, other, findings); });
    return kNoError;
  });
  return split;
}

bool CRASConnections::SplitAgainst(const CRASConnections& registered, CRASConnections& reference,
                                   CRASConnections* other, PhonebookFindings* findings) {
  // Taken before anything changes, so that a list can be split against itself. Such a list is
  // emptied below anyway, so its records are taken over instead of copied.
  const bool againstItself = &registered == this;
  reference.path_ = registered.path_;
  reference.detailsFileBlocked_ = registered.detailsFileBlocked_;
  if (againstItself) {
    reference.records_ = std::move(records_);
    reference.statuses_ = std::move(statuses_);
    reference.details_ = std::move(details_);
    records_.Clear();
    statuses_.clear();
    details_.Clear();
  } else {
    reference.records_ = registered.records_;
    reference.statuses_ = registered.statuses_;
    reference.details_ = registered.details_;
  }
  CRASConnections live(phonebook_);
  // Read last first, the order both lists end in: the kept records then stay where they lie.
  if (live.ReadPhonebook(true) == Reading::kUnlisted) {
    if (againstItself) {
      // The lists keep what a failed read would otherwise cost.
      records_ = reference.records_;
      statuses_ = reference.statuses_;
      details_ = reference.details_;
    }
    if (findings != nullptr) {
      findings->listed = false;
      findings->unreadable.clear();
      findings->missing.clear();
    }
    return false;
  }
  // Sorted first and filled afterwards, so that the other list is given its exact room at once.
  const std::size_t count = live.records_.size();
  std::vector<bool> unchanged(count, false);
  std::size_t unchangedCount = 0;
  for (std::size_t i = 0; i < count; ++i) {
    unchanged[i] =
        reference.HoldsUnchanged(live.records_[i], live.details_.Find(NameOf(live.records_[i])));
    unchangedCount += unchanged[i] ? 1 : 0;
  }
  // A registration whose entry could not be read, or is gone, cannot be compared; dropping it
  // would let whoever made the entry unreadable, or removed it for a while, wipe it out.
  std::vector<std::pair<std::size_t, EntryStatus>> held;
  std::vector<std::string> newlyMissing;
  for (std::size_t i = 0; i < reference.records_.size(); ++i) {
    const ConnectionRecord& record = reference.records_[i];
    if (live.records_.Find(record.szEntryName) != CConnectionArray::kNone) {
      continue;
    }
    const std::string name(NameOf(record));
    if (live.FindUnreadable(name) != nullptr) {
      held.emplace_back(i, EntryStatus::kUnreadable);
      continue;
    }
    held.emplace_back(i, EntryStatus::kMissing);
    const auto known = reference.statuses_.find(name);
    if (known == reference.statuses_.end() || known->second != EntryStatus::kMissing) {
      newlyMissing.push_back(name);
    }
  }
  ClearRecords();
  if (other != nullptr) {
    other->ClearRecords();
    other->ClearPath();
    other->records_.Reserve(count - unchangedCount);
    for (std::size_t i = 0; i < count; ++i) {
      if (!unchanged[i] && !other->Add(live.records_[i])) {
        return false;  // Add has reported
      }
    }
    other->unreadable_ = live.unreadable_;
  }
  if (findings != nullptr) {
    findings->listed = true;
    findings->unreadable = live.unreadable_;
    findings->missing = std::move(newlyMissing);
  }
  // The live records this list keeps are taken over where they lie instead of being copied:
  // they are whole records with distinct names, as Add would make them.
  // The further properties go with the records: those read now for the entries kept, which
  // also gives a registration made before the details file existed its own.
  // Those of the others go with them, handed over rather than copied.
  for (std::size_t i = 0; i < count; ++i) {
    if (unchanged[i]) {
      continue;
    }
    if (other != nullptr) {
      live.details_.MoveTo(NameOf(live.records_[i]), other->details_);
    } else {
      live.details_.Remove(NameOf(live.records_[i]));
    }
  }
  details_ = std::move(live.details_);
  detailsFileBlocked_ = reference.detailsFileBlocked_;
  std::vector<ConnectionRecord> kept = live.records_.TakeRecords();
  KeepMarked(kept, unchanged);
  kept.reserve(kept.size() + held.size());
  for (const auto& [i, status] : held) {
    kept.push_back(reference.records_[i]);
    const std::string name(NameOf(reference.records_[i]));
    statuses_.emplace(name, status);
    if (const EntryDetails* details = reference.details_.Find(name)) {
      details_.Put(name, *details);
    }
  }
  records_.Assign(std::move(kept));
  return true;
}

bool CRASConnections::LoadAndSplitPhonebook(const std::string& path, CRASConnections& other,
                                            StoreBinding* binding, PhonebookFindings* findings) {
  // Written back last, after this list's save, and so leaves the store with the records it
  // loaded: the start-up's check of the store still finds the registrations that were
  // manipulated.
  CRASConnections stored(phonebook_);
  return WrittenBackAfter(
      stored, [&] { return SplitAgainstStore(path, stored, other, binding, findings); });
}

bool CRASConnections::SplitAgainstStore(const std::string& path, CRASConnections& stored,
                                        CRASConnections& other, StoreBinding* binding,
                                        PhonebookFindings* findings) {
  const auto leave = [binding](StoreBinding how) {
    if (binding != nullptr) {
      *binding = how;
    }
  };
  const bool overwritable = stored.Load(path) || KeepDamagedFile(path);
  if (!overwritable) {
    stored.ClearPath();
  }
  // The details file by the same rule, on its own: without it the registrations are kept and
  // compared by their four fields until the phonebook gives them their further properties.
  if (stored.detailsFileBlocked_) {
    stored.detailsFileBlocked_ = !KeepDamagedFile(DetailsPathFor(path));
  }
  if (!SplitPhonebook(stored, &other, findings)) {
    if (!overwritable) {
      leave(StoreBinding::kStoreUnusable);
      return false;
    }
    // At log-on the service may not be up yet. Until a scan can read the phonebook, the store's
    // records stand for the registrations, and the list stays bound to the store, so that what
    // is registered meanwhile is kept and nothing of the store is lost by a save.
    records_ = stored.records_;
    details_ = stored.details_;
    detailsFileBlocked_ = stored.detailsFileBlocked_;
    path_ = path;
    leave(StoreBinding::kPhonebookUnread);
    return false;
  }
  if (!overwritable) {
    ClearPath();
    leave(StoreBinding::kStoreUnusable);
    return false;
  }
  leave(StoreBinding::kBound);
  return Save(path);
}

bool CRASConnections::ReportManipulations(const CRASConnections& registered,
                                          const CRASConnections* listed) {
  // Every entry that could be read is compared, whatever else the phonebook refused.
  if (ReadPhonebook(false) == Reading::kUnlisted) {
    return false;
  }
  ConnectionRecord differences;
  for (std::size_t i = registered.GetCount(); i > 0; --i) {
    // A report may run a dialog; the registered list must not be relied on to stay the same.
    if (i > registered.GetCount()) {
      continue;
    }
    // Most records are unchanged: checked where they lie, without a report, they need no copy.
    const EntryDetails* details = registered.details_.Find(NameOf(registered.records_[i - 1]));
    if (HoldsUnchanged(registered.records_[i - 1], details)) {
      continue;
    }
    const ConnectionRecord record = registered.records_[i - 1];
    const std::optional<EntryDetails> detailsCopy =
        details != nullptr ? std::optional<EntryDetails>(*details) : std::nullopt;
    CheckConnection(record, detailsCopy ? &*detailsCopy : nullptr, differences, true);
    if (differences.szEntryName[0] != '\0' &&
        FindUnreadable(std::string(NameOf(record))) == nullptr) {
      ReportDisguisedRename(record, listed);
    }
  }
  ClearRecords();
  return true;
}

bool CRASConnections::CheckRegisteredFile(const std::string& path) {
  bool checked = false;
  RunReported(kCheckUnhandled, [&]() -> ErrorCode {
    ClearPath();
    if (ReadPhonebook(false) == Reading::kUnlisted) {
      return kNoError;
    }
    CRASConnections stored(phonebook_);
    const bool loaded = stored.Load(path);
    stored.ClearPath();  // this check only reads the store, even one it could not read
    if (!loaded) {
      return kNoError;
    }
    const std::size_t count = stored.records_.size();
    std::vector<bool> gone(count, false);
    ConnectionRecord differences;
    for (std::size_t i = count; i-- > 0;) {
      const ConnectionRecord record = stored.records_[i];
      CheckConnection(record, stored.details_.Find(NameOf(record)), differences, true);
      // An entry the phonebook lists but could not hand out is there, only unchecked.
      gone[i] = differences.szEntryName[0] != '\0' &&
                FindUnreadable(std::string(NameOf(record))) == nullptr;
      if (gone[i]) {
        ReportDisguisedRename(record, nullptr);
      }
    }
    std::vector<ConnectionRecord> remaining;
    for (std::size_t i = 0; i < count; ++i) {
      if (gone[i]) {
        remaining.push_back(stored.records_[i]);
      }
    }
    // Taken over as the store holds them, twin names included, as a load would.
    records_.Assign(std::move(remaining));
    checked = true;
    return kNoError;
  });
  return checked;
}

bool CRASConnections::RemoveBadAreas(CRASBadAreaCodes& badAreas, CRASConnections* other) {
  return RunReported(kRemoveBadAreasUnhandled, [&]() -> ErrorCode {
    const std::size_t count = records_.size();
    std::vector<bool> bad(count, false);
    bool anyBad = false;
    for (std::size_t i = count; i-- > 0;) {
      if (GetStatus(static_cast<unsigned>(i + 1)) != EntryStatus::kRead ||
          badAreas.Check(records_[i]) == 0) {
        continue;
      }
      bad[i] = anyBad = true;
      if (other != nullptr && !other->Add(records_[i])) {
        SetErrorByCode(kRemoveBadAreasCannotMove);
      } else if (other != nullptr) {
        const std::string name(NameOf(records_[i]));
        if (const EntryDetails* details = details_.Find(name)) {
          other->PutDetails(name, *details);
        }
      }
    }
    if (!anyBad) {
      return kNoError;
    }
    // One pass instead of a removal per record, which would be quadratic in a large list.
    std::vector<ConnectionRecord> kept;
    for (std::size_t i = 0; i < count; ++i) {
      if (!bad[i]) {
        kept.push_back(records_[i]);
      }
    }
    if (kept.empty()) {
      records_.Clear();
    } else {
      records_.Assign(std::move(kept));
    }
    return kNoError;
  });
}

}  // namespace tollward
