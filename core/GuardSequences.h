// The checks in the combinations the program runs: at start-up, in a scan, after bad areas changed.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/RASBadAreaCodes.h"
#include "core/RASConnections.h"

namespace tollward {

// Makes the fresh list that runs one check and shows the user what it finds; the program makes
// its interactive list here. A throw or a null list skips that check.
using ReportingListFactory = std::function<std::unique_ptr<CRASConnections>()>;

// Loads the bad area codes from `path` and binds the list to it. A file that exists but cannot be
// read is kept beside it first (the same bytes only once); if that fails, the list remembers no
// path, so that no save writes over it. True when the file was loaded.
bool LoadBadAreaCodes(CRASBadAreaCodes& badAreas, const std::string& path);

// Sorts the phonebook into the registered and unregistered lists against the store at
// `storePath` (binding the registered list to it), pushes bad-area entries out of the registered
// list, then reports each stored registration whose entry was manipulated; `onFirstCheck` runs
// just before that report. Every step runs even when an earlier one failed. Returns how the sort
// left the registered list; unless it is bound, the list remembers no store. `findings`, if
// given, gets what could not be checked.
StoreBinding RunStartUpCheck(CRASConnections& registered, CRASConnections& unregistered,
                             CRASBadAreaCodes& badAreas, const std::string& storePath,
                             const ReportingListFactory& makeReportingList,
                             const std::function<void()>& onFirstCheck = {},
                             PhonebookFindings* findings = nullptr);

// Reports each registered entry manipulated in the phonebook, then sorts the phonebook anew
// into both lists; the store is rewritten with the registrations as they stood before. Returns
// whether the new sort succeeded; a failed one leaves both lists as they were. `findings`, if
// given, gets what could not be checked.
bool ScanAndResort(CRASConnections& registered, CRASConnections& unregistered,
                   const ReportingListFactory& makeReportingList,
                   PhonebookFindings* findings = nullptr);

// Moves the registered entries whose number begins with a bad area code to the unregistered
// list, as needed when the bad area codes have changed.
bool MoveBadAreasToUnregistered(CRASConnections& registered, CRASBadAreaCodes& badAreas,
                                CRASConnections& unregistered);

}  // namespace tollward
