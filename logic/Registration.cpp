// Moving a phonebook entry between the unregistered and the registered list.
#include "logic/Registration.h"

#include "core/AsciiText.h"
#include "core/ErrorTables.h"

namespace tollward {
namespace {

// Adds before it deletes, so that a failure can at worst leave the entry in both lists, never
// in neither.
MoveOutcome Move(unsigned index, CRASConnections& source, CRASConnections& target) {
  const ConnectionRecord record = source.GetRecord(index);
  if (!target.Add(record)) {
    return MoveOutcome::kNotAdded;
  }
  // The further properties read with the entry are registered with it.
  const std::string name = FieldText(record.szEntryName);
  if (const EntryDetails* details = source.FindDetails(name)) {
    target.PutDetails(name, *details);
  }
  return source.Delete(index) ? MoveOutcome::kMoved : MoveOutcome::kNotRemoved;
}

}  // namespace

MoveOutcome RegisterEntry(const std::string& name, CRASConnections& unregistered,
                          CRASConnections& registered, CRASBadAreaCodes& badAreas) {
  if (!name.empty() && unregistered.FindUnreadable(name) != nullptr) {
    return MoveOutcome::kUnreadable;
  }
  const unsigned index = name.empty() ? 0 : unregistered.Find(name.c_str());
  if (index == 0) {
    return MoveOutcome::kNoEntry;
  }
  if (badAreas.Check(unregistered.GetRecord(index)) != 0) {
    return MoveOutcome::kBadAreaCode;
  }
  return Move(index, unregistered, registered);
}

MoveOutcome UnregisterEntry(const std::string& name, CRASConnections& registered,
                            CRASConnections& unregistered) {
  const unsigned index = name.empty() ? 0 : registered.Find(name.c_str());
  if (index == 0) {
    return MoveOutcome::kNoEntry;
  }
  if (registered.GetStatus(index) != EntryStatus::kRead) {
    return MoveOutcome::kUnchecked;
  }
  return Move(index, registered, unregistered);
}

bool ForgetRegistration(const std::string& name, CRASConnections& registered) {
  const unsigned index = name.empty() ? 0 : registered.Find(name.c_str());
  return index != 0 && registered.Delete(index);
}

bool SaveRegistrationsForQuit(CRASConnections& registered, const std::string& storePath,
                              StoreBinding startUp) {
  if (startUp == StoreBinding::kStoreUnusable) {
    // The program stays open, so the user can still end whatever holds the store and try again
    // after a restart instead of losing the registrations without a word.
    registered.SetErrorByCode(connection_error::kSaveOpen);
    return false;
  }
  if (!registered.path().has_value()) {
    return true;
  }
  return registered.Save(storePath);
}

}  // namespace tollward
