// The connection list: records in order, lookups, credentials, and the live phonebook behind them.
#include "core/RASConnections.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "core/AsciiText.h"
#include "core/EntryScrambler.h"
#include "core/ErrorTables.h"

namespace tollward {

using namespace connection_error;

const char CRASConnections::kInvalidConnectionText[] = "[*INVALID CONNECTION*]";

CRASConnections::CRASConnections(IPhonebook& phonebook)
    : CErrorState(kConnectionErrors), phonebook_(phonebook) {
  ClearError();
}

CRASConnections::CRASConnections(const CRASConnections& other)
    : CErrorState(other),
      phonebook_(other.phonebook_),
      records_(other.records_),
      path_(other.path_),
      statuses_(other.statuses_),
      unreadable_(other.unreadable_),
      details_(other.details_),
      detailsFileBlocked_(other.detailsFileBlocked_) {}

CRASConnections::~CRASConnections() {
  WriteBack();
}

void CRASConnections::WriteBack() noexcept {
  if (path_) {
    Save();
    path_.reset();
  }
}

void CRASConnections::OnManipulatedConnection(const ConnectionRecord&, unsigned,
                                              const ConnectionRecord&) {}

unsigned CRASConnections::Find(const char* name) {
  unsigned index = 0;
  RunReported(kFindUnhandled, [&]() -> ErrorCode {
    const std::size_t position = records_.Find(name);
    index = position == CConnectionArray::kNone ? 0 : static_cast<unsigned>(position + 1);
    return kNoError;
  });
  return index;
}

bool CRASConnections::Add(const ConnectionRecord& record) {
  return RunReported(kAddUnhandled, [&]() -> ErrorCode {
    // A caller's record without terminators must not make a text run into the next field.
    ConnectionRecord copy = record;
    TerminateFields(copy);
    if (records_.size() >= 0xFFFFFFFFu) {
      return kAddUnhandled;  // no 1-based unsigned index would be left for it
    }
    if (!records_.AppendUnique(copy)) {
      return kAddNameExists;
    }
    // A record added by hand is one just read; a status left by a removed one must not stick.
    statuses_.erase(std::string(NameOf(copy)));
    return kNoError;
  });
}

bool CRASConnections::Delete(unsigned index) {
  return RunReported(kDeleteUnhandled, [&]() -> ErrorCode {
    // A bad index is refused, even on a list of one: removing a record nobody named loses data.
    if (index == 0 || index > GetCount()) {
      return kDeleteUnhandled;
    }
    statuses_.erase(std::string(NameOf(records_[index - 1])));
    records_.Erase(index - 1);
    if (records_.empty()) {
      records_.Clear();
    }
    return kNoError;
  });
}

const ConnectionRecord* CRASConnections::RecordAt(unsigned index) {
  if (index == 0 || index > GetCount()) {
    SetErrorByCode(kGetInvalidIndex);
    return nullptr;
  }
  return &records_[index - 1];
}

template <typename Field>
const char* CRASConnections::TextAt(unsigned index, Field field) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? field(*record) : kInvalidConnectionText;
}

const char* CRASConnections::GetName(unsigned index) {
  return TextAt(index, [](const ConnectionRecord& record) { return record.szEntryName; });
}

const char* CRASConnections::GetAreaCode(unsigned index) {
  return TextAt(index, [](const ConnectionRecord& record) { return record.szAreaCode; });
}

const char* CRASConnections::GetLocalPhoneNumber(unsigned index) {
  return TextAt(index, [](const ConnectionRecord& record) { return record.szLocalPhoneNumber; });
}

const char* CRASConnections::GetUserName(unsigned index) {
  return TextAt(index, [](const ConnectionRecord& record) { return record.szUserName; });
}

const char* CRASConnections::GetPassword(unsigned index) {
  return TextAt(index, [](const ConnectionRecord& record) { return record.szPassword; });
}

const ConnectionRecord& CRASConnections::GetRecord(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? *record : placeholder_;
}

bool CRASConnections::Set(unsigned index, const char* userName, const char* password,
                          bool updatePhonebook) {
  return RunReported(kGetUnhandled, [&]() -> ErrorCode {
    if (index == 0 || index > GetCount()) {
      return kGetInvalidIndex;
    }
    const char* user = userName != nullptr ? userName : "";
    const char* pass = password != nullptr ? password : "";
    if (std::strlen(user) >= kUserNameSize || std::strlen(pass) >= kPasswordSize) {
      return kSetTooLong;
    }
    if (*user == '\0' && *pass == '\0') {
      return kNoError;
    }
    const bool keepPassword = *pass == '\0';
    const ConnectionRecord& record = records_[index - 1];
    if (updatePhonebook) {
      // The phonebook takes both values at once; an empty password there would erase it.
      const char* stored = keepPassword ? record.szPassword : pass;
      if (!phonebook_.SetDialParams(record.szEntryName, user, stored)) {
        return kSetPhonebookFailed;
      }
    }
    records_.SetCredentials(index - 1, user, keepPassword ? nullptr : pass);
    return kNoError;
  });
}

void CRASConnections::SetPath(const char* path) {
  try {
    if (path != nullptr) {
      path_ = std::string(path);
    } else {
      path_.reset();
    }
  } catch (...) {
    // Without a copy of the new path the list must not go on writing to the old one.
    path_.reset();
  }
}

void CRASConnections::ClearRecords() {
  records_.Clear();
  statuses_.clear();
  unreadable_.clear();
  details_.Clear();
}

void CRASConnections::PutDetails(const std::string& name, const EntryDetails& details) {
  try {
    details_.Put(name, details);
  } catch (...) {
    // Without them the entry is compared by its four fields alone, as before the details file.
    details_.Remove(name);
  }
}

std::string CRASConnections::DetailsPathFor(const std::string& storePath) {
  const std::size_t dot = storePath.size() >= 4 ? storePath.size() - 4 : std::string::npos;
  if (dot != std::string::npos && AsciiLowered(storePath.substr(dot)) == ".con") {
    return storePath.substr(0, dot) + ".det";
  }
  return storePath + ".det";
}

const UnreadableEntry* CRASConnections::FindUnreadable(const std::string& name) const {
  for (const UnreadableEntry& entry : unreadable_) {
    if (entry.name == name) {
      return &entry;
    }
  }
  return nullptr;
}

EntryStatus CRASConnections::GetStatus(unsigned index) const {
  if (index == 0 || index > GetCount() || statuses_.empty()) {
    return EntryStatus::kRead;
  }
  const auto found = statuses_.find(std::string(NameOf(records_[index - 1])));
  return found == statuses_.end() ? EntryStatus::kRead : found->second;
}

bool CRASConnections::Retrieve() {
  return ReadPhonebook(false) == Reading::kComplete;
}

bool CRASConnections::ListNames(std::vector<std::string>& names) {
  // An entry added between the count and the listing makes the listing fail. Counted again, the
  // phonebook names the room it needs now; a phonebook that keeps changing is given up on.
  constexpr int kAttempts = 4;
  std::uint32_t count = phonebook_.CountEntries();
  for (int attempt = 1;; ++attempt) {
    if (phonebook_.EnumerateEntries(count, names)) {
      return true;
    }
    const std::uint32_t recount = phonebook_.CountEntries();
    if (recount == count || attempt == kAttempts) {
      return false;
    }
    count = recount;
  }
}

CRASConnections::Reading CRASConnections::ReadPhonebook(bool lastFirst) {
  // A retrieved list mirrors the phonebook; it never writes itself to a file.
  ClearRecords();
  ClearPath();
  try {
    // A count of none may as well mean a phonebook that cannot be read; only the enumeration
    // tells an empty one apart, so it runs for none too.
    std::vector<std::string> names;
    if (!ListNames(names)) {
      NoteErrorByCode(kRetrieveEnumeration);
      return Reading::kUnlisted;
    }
    if (lastFirst) {
      std::reverse(names.begin(), names.end());
    }
    records_.Reserve(names.size());
    // The names, cut to their field as the records hold them, that could not be read: a second
    // entry of such a name is told as the duplicate it is, not read again.
    std::unordered_set<std::string> failed;
    const auto listedTwice = [&](const std::string& name) {
      NoteErrorByCode(kAddNameExists);
      NoteErrorByCode(kRetrieveAdd);
      unreadable_.push_back({name, UnreadableReason::kDuplicateName});
    };
    const auto refused = [&](const ConnectionRecord& record, const std::string& name,
                             ErrorCode code, UnreadableReason reason) {
      NoteErrorByCode(code);
      // The service looks such a name up in the code page it was listed in, and finds none.
      const bool lossy = name.find('?') != std::string::npos;
      unreadable_.push_back({name, lossy ? UnreadableReason::kNameOutsideCodePage : reason});
      failed.insert(record.szEntryName);
    };
    for (const std::string& name : names) {
      ConnectionRecord record = EmptyRecord();
      CopyField(record.szEntryName, name.c_str());
      if (!failed.empty() && failed.count(record.szEntryName) != 0) {
        listedTwice(name);
        continue;
      }
      PhonebookDialParams params;
      if (!phonebook_.GetDialParams(name, params)) {
        refused(record, name, kRetrieveDialParams, UnreadableReason::kDialParams);
        continue;
      }
      PhonebookEntryProperties properties;
      if (!phonebook_.GetProperties(name, properties)) {
        refused(record, name, kRetrieveProperties, UnreadableReason::kProperties);
        continue;
      }
      CopyField(record.szAreaCode, properties.areaCode.c_str());
      CopyField(record.szLocalPhoneNumber, properties.localPhoneNumber.c_str());
      CopyField(record.szPassword, params.password.c_str());
      CopyField(record.szUserName, params.userName.c_str());
      if (!records_.AppendUnique(record)) {
        listedTwice(name);
      } else {
        details_.Put(FieldText(record.szEntryName), std::move(properties.details));
      }
    }
    if (lastFirst) {
      std::reverse(unreadable_.begin(), unreadable_.end());
    }
    if (unreadable_.empty()) {
      return Reading::kComplete;
    }
    NoteErrorByCode(kRetrieveIncomplete);
    return Reading::kPartial;
  } catch (...) {
    ClearRecords();
    NoteErrorByCode(kRetrieveUnhandled);
    return Reading::kUnlisted;
  }
}

bool CRASConnections::EditPhonebookEntry(const char* entryName, NativeWindow window) {
  try {
    return entryName != nullptr && phonebook_.EditEntry(entryName, window);
  } catch (...) {
    return false;
  }
}

}  // namespace tollward
