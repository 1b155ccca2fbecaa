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
  kUnreadable,   // refused: the phonebook lists an entry of this name that it cannot hand out
  kUnchecked,    // not moved: a registration whose entry is gone or unreadable; ask first
  kNotAdded,     // the target list refused the entry (it has reported why); nothing changed
  kNotRemoved,   // added to the target, but the source kept it too (it has reported why)
  kMoved,
};

// Registers the entry of this exact name: adds it to `registered`, then removes it from
// `unregistered`. An entry whose number begins with a bad area code is refused untouched, and
// so is any entry of a name the phonebook could not hand out: what was read under that name
// need not be what the system dials.
MoveOutcome RegisterEntry(const std::string& name, CRASConnections& unregistered,
                          CRASConnections& registered, CRASBadAreaCodes& badAreas);

// Unregisters the entry of this exact name the same way; there is no test to pass. A
// registration whose entry the phonebook no longer lists, or cannot hand out, has no entry to
// move: it is left for the user to confirm that it is to end (kUnchecked).
MoveOutcome UnregisterEntry(const std::string& name, CRASConnections& registered,
                            CRASConnections& unregistered);

// Ends the registration of this exact name once the user has confirmed it; true when it went.
bool ForgetRegistration(const std::string& name, CRASConnections& registered);

// The store's share of ending the program by "done", after a start-up that left the registered
// list as `startUp` says. The list is written to the store when start-up bound it. Otherwise it
// holds nothing that came from the store, and writing it would empty the store, so the store is
// left as it is: quietly when the phonebook could not be read (nothing could be registered from
// it), but as a failed save when the store could not be used, because what was registered in
// this run is then lost. True when the program may end; false when the save failed (the list
// has reported it).
bool SaveRegistrationsForQuit(CRASConnections& registered, const std::string& storePath,
                              StoreBinding startUp);

}  // namespace tollward
