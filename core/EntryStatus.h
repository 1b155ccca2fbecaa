// What the guard could check of each phonebook entry: for the lists, their views and the message.
#pragma once

#include <string>
#include <vector>

namespace tollward {

// Why an entry that the phonebook listed could not be read.
enum class UnreadableReason {
  kDialParams,  // the phonebook refused the entry's user name and password
  kProperties,  // the phonebook refused the entry's number
  // The name as listed leads to no entry: the service listed it in the system's code page, with
  // '?' for each character that the code page lacks, and then does not know that name.
  kNameOutsideCodePage,
  // An entry of this name was listed before it: the all-users and the user's phonebook hold one
  // each, and a look-up by name cannot tell which of them it reads.
  kDuplicateName,
};

struct UnreadableEntry {
  std::string name;  // as the phonebook listed it
  UnreadableReason reason;

  bool operator==(const UnreadableEntry& other) const {
    return name == other.name && reason == other.reason;
  }
};

// How a record of a list stands towards the live phonebook.
enum class EntryStatus {
  kRead,        // the entry was read; a registration has been compared with it
  kUnreadable,  // a registration whose entry the phonebook lists but could not be read
  // A registration whose entry the phonebook no longer lists. It stays until the user ends it:
  // an entry of its name that appears again is compared with it.
  kMissing,
};

// What a check could not do, beyond what the two lists show: the matter of the one message a
// scan or the start-up shows about the phonebook.
struct PhonebookFindings {
  // False when the phonebook could not even be listed: then nothing was checked at all.
  bool listed = true;
  // Every entry that was listed but could not be read, in the phonebook's order.
  std::vector<UnreadableEntry> unreadable;
  // The registrations whose entry this check is the first to miss; later checks are silent.
  std::vector<std::string> missing;

  bool empty() const { return listed && unreadable.empty() && missing.empty(); }
};

}  // namespace tollward
