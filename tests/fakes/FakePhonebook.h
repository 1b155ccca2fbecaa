// An in-memory phonebook for tests: ordered entries, a switch for every failure, a call log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Phonebook.h"

namespace tollward::testing {

struct FakeEntry {
  std::string name;
  std::string areaCode;
  std::string localPhoneNumber;
  std::string userName;
  std::string password;
  // What the properties read besides area code and number; Put leaves it as it is.
  EntryDetails details;
  // Per-entry failures of the calls that name an entry.
  bool failDialParams = false;
  bool failProperties = false;
  bool failSetDialParams = false;
  bool failEdit = false;
  // Listed under this name instead, as a name outside the code page is; look-ups by it fail.
  std::string listedAs;
  // Listed twice, as an entry of both the all-users and the user's phonebook is.
  bool listedTwice = false;
};

struct SetDialParamsCall {
  std::string entryName;
  std::string userName;
  std::string password;
};

struct EditEntryCall {
  std::string entryName;
  NativeWindow owner;
};

// Names are exact: entries that differ only in letter case are different entries, as the
// system's phonebook keeps them. Lookups go through an index, so 100,000 entries stay cheap.
class FakePhonebook : public IPhonebook {
 public:
  // Appends an entry, or replaces the values of the entry of that name in its place.
  FakeEntry& Put(const std::string& name, const std::string& areaCode = "",
                 const std::string& localPhoneNumber = "", const std::string& userName = "",
                 const std::string& password = "");
  // Null when no entry has exactly this name. Valid until the next Put or Remove.
  FakeEntry* Find(const std::string& name);
  bool Remove(const std::string& name);
  void Clear();
  std::size_t size() const { return entries_.size(); }
  const std::vector<FakeEntry>& entries() const { return entries_; }

  // Whole-phonebook failures.
  bool failEnumerate = false;
  // Added to the true count in CountEntries, to play a phonebook that changes between the
  // sizing enumeration and the real one.
  std::int64_t countSkew = 0;
  // Runs once at the next listing, before it looks at the entries: a program that changes the
  // phonebook between the count and the listing.
  std::function<void(FakePhonebook&)> beforeNextListing;
  // Runs in place of the editor; its result is the editor's. Without it the editor succeeds
  // and changes nothing.
  std::function<bool(FakeEntry&)> editor;
  // Plays the service since Windows 2000: a saved password reads back as kPasswordHandle, and
  // that handle set again keeps the saved one.
  bool hidesPasswords = false;
  static constexpr char kPasswordHandle[] = "<saved password>";

  std::vector<SetDialParamsCall> setDialParamsCalls;
  std::vector<EditEntryCall> editEntryCalls;
  unsigned enumerateCalls = 0;

  std::uint32_t CountEntries() override;
  bool EnumerateEntries(std::uint32_t count, std::vector<std::string>& names) override;
  bool GetDialParams(const std::string& entryName, PhonebookDialParams& params) override;
  bool GetProperties(const std::string& entryName, PhonebookEntryProperties& props) override;
  bool SetDialParams(const std::string& entryName, const std::string& userName,
                     const std::string& password) override;
  bool EditEntry(const std::string& entryName, NativeWindow owner) override;
  bool HidesSavedPasswords() override { return hidesPasswords; }

 private:
  std::vector<FakeEntry> entries_;
  std::unordered_map<std::string, std::size_t> positionOf_;
};

}  // namespace tollward::testing
