// An in-memory phonebook for tests: ordered entries, a switch for every failure, a call log.
#include "tests/fakes/FakePhonebook.h"

#include <algorithm>

namespace tollward::testing {

FakeEntry& FakePhonebook::Put(const std::string& name, const std::string& areaCode,
                              const std::string& localPhoneNumber, const std::string& userName,
                              const std::string& password) {
  FakeEntry* entry = Find(name);
  if (entry == nullptr) {
    positionOf_.emplace(name, entries_.size());
    entries_.push_back(FakeEntry{});
    entry = &entries_.back();
    entry->name = name;
  }
  entry->areaCode = areaCode;
  entry->localPhoneNumber = localPhoneNumber;
  entry->userName = userName;
  entry->password = password;
  return *entry;
}

FakeEntry* FakePhonebook::Find(const std::string& name) {
  const auto found = positionOf_.find(name);
  return found == positionOf_.end() ? nullptr : &entries_[found->second];
}

bool FakePhonebook::Remove(const std::string& name) {
  const auto found = positionOf_.find(name);
  if (found == positionOf_.end()) {
    return false;
  }
  const std::size_t position = found->second;
  positionOf_.erase(found);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& entry : positionOf_) {
    if (entry.second > position) {
      --entry.second;
    }
  }
  return true;
}

void FakePhonebook::Clear() {
  entries_.clear();
  positionOf_.clear();
}

std::uint32_t FakePhonebook::CountEntries() {
  std::int64_t count = countSkew;
  for (const FakeEntry& entry : entries_) {
    count += entry.listedTwice ? 2 : 1;
  }
  return static_cast<std::uint32_t>(std::max<std::int64_t>(count, 0));
}

bool FakePhonebook::EnumerateEntries(std::uint32_t count, std::vector<std::string>& names) {
  ++enumerateCalls;
  if (beforeNextListing) {
    const auto change = std::move(beforeNextListing);
    beforeNextListing = nullptr;
    change(*this);
  }
  // As the system does, a buffer sized for fewer entries than there are now is refused.
  std::size_t listed = 0;
  for (const FakeEntry& entry : entries_) {
    listed += entry.listedTwice ? 2 : 1;
  }
  if (failEnumerate || count < listed) {
    return false;
  }
  names.clear();
  names.reserve(listed);
  for (const FakeEntry& entry : entries_) {
    const std::string& name = entry.listedAs.empty() ? entry.name : entry.listedAs;
    names.push_back(name);
    if (entry.listedTwice) {
      names.push_back(name);
    }
  }
  return true;
}

bool FakePhonebook::GetDialParams(const std::string& entryName, PhonebookDialParams& params) {
  const FakeEntry* entry = Find(entryName);
  if (entry == nullptr || entry->failDialParams) {
    return false;
  }
  params.userName = entry->userName;
  params.password = hidesPasswords && !entry->password.empty() ? kPasswordHandle : entry->password;
  return true;
}

bool FakePhonebook::GetProperties(const std::string& entryName, PhonebookEntryProperties& props) {
  const FakeEntry* entry = Find(entryName);
  if (entry == nullptr || entry->failProperties) {
    return false;
  }
  props.areaCode = entry->areaCode;
  props.localPhoneNumber = entry->localPhoneNumber;
  props.details = entry->details;
  return true;
}

bool FakePhonebook::SetDialParams(const std::string& entryName, const std::string& userName,
                                  const std::string& password) {
  setDialParamsCalls.push_back({entryName, userName, password});
  FakeEntry* entry = Find(entryName);
  if (entry == nullptr || entry->failSetDialParams) {
    return false;
  }
  entry->userName = userName;
  if (!hidesPasswords || password != kPasswordHandle) {
    entry->password = password;
  }
  return true;
}

bool FakePhonebook::EditEntry(const std::string& entryName, NativeWindow owner) {
  editEntryCalls.push_back({entryName, owner});
  FakeEntry* entry = Find(entryName);
  if (entry == nullptr || entry->failEdit) {
    return false;
  }
  return editor ? editor(*entry) : true;
}

}  // namespace tollward::testing
