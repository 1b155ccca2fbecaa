// Moving a phonebook entry between the unregistered and the registered list.
#pragma once

#include <string>

#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"

namespace tollward {

// What a move did, so that the window knows which of its views to refill.
enum class MoveOutcome {
  kNoEntry,      // no name given, or the source list has no entry of that name
  kBadAreaCode,  // refused: the entry's number begins with a bad area code
  kNotAdded,     // the target list refused the entry (it has reported why); nothing changed
  kNotRemoved,   // added to the target, but the source kept it too (it has reported why)
  kMoved,
};

// Registers the entry of this exact name: adds it to `registered`, then removes it from
// `unregistered`. An entry whose number begins with a bad area code is refused untouched.
MoveOutcome RegisterEntry(const std::string& name, CRASConnections& unregistered,
                          CRASConnections& registered, CRASBadAreaCodes& badAreas);

// Unregisters the entry of this exact name the same way; there is no test to pass.
MoveOutcome UnregisterEntry(const std::string& name, CRASConnections& registered,
                            CRASConnections& unregistered);

// The store's share of ending the program by "done". The registered list is written to the
// store, unless start-up could not bind it to the store: then it holds nothing that came from
// the store (the phonebook could not be read, or a damaged store could not be kept aside), and
// writing it would empty the store, so the store is left as it is. True when the program may
// end; false when the save failed (the list has reported it).
bool SaveRegistrationsForQuit(CRASConnections& registered, const std::string& storePath);

}  // namespace tollward
