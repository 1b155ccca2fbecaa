// Why an entry stands in the list it is in: the reason shown beside its name and in its tip, and
// the registered values of entries that a manipulation report showed.
#pragma once

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/ConnectionRecord.h"
#include "core/RASConnections.h"

namespace tollward {

enum class EntryReason {
  kNone,         // a registered entry that is present: nothing to say
  kNew,          // never registered
  kAltered,      // registered once, reported as changed since
  kBadAreaCode,  // its number begins with a bad area code, so it cannot be registered
  kNotReadable,  // the phonebook did not hand it out whole
  kMissing,      // registered, but gone from the phonebook
};

struct UnregisteredFacts {
  bool notReadable = false;
  bool badAreaCode = false;
  bool reportedAltered = false;
};

// The one reason an unregistered entry shows: first what keeps it from being registered at all,
// then a change of a registration, which the user must judge, else that it is new.
EntryReason ReasonForUnregistered(const UnregisteredFacts& facts);

// A registration says only why it cannot be checked; one that was checked says nothing.
EntryReason ReasonForRegistered(EntryStatus status);

// The registrations a manipulation report showed, by entry name, for as long as their entries
// stay unregistered: they say why an entry is red, and what registering it would replace.
class CAlteredRegistrations {
 public:
  // A later report of the same name replaces the earlier record.
  void Remember(const ConnectionRecord& registered);
  // Null for a name that was not reported.
  const ConnectionRecord* Find(const std::string& name) const;
  void Forget(const std::string& name);
  // Forgets the names `unregistered` no longer holds: registered, or gone from the phonebook.
  void KeepOnly(CRASConnections& unregistered);
  bool empty() const { return records_.empty(); }

 private:
  std::map<std::string, ConnectionRecord> records_;
};

// A value as the question about registering an altered entry shows it: an empty one by `none`.
std::string ShownValue(const char* value, const std::string& none);

// The lines of an entry's tip: its reason, then each column whose text the column cuts, as
// "heading: text".
struct ColumnText {
  std::string heading;
  std::string text;
  bool cut;
};
std::string EntryTip(const std::string& reason, const std::vector<ColumnText>& columns);

}  // namespace tollward
