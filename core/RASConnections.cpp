// The connection list: records in order, lookups, credentials, and the live phonebook behind them.
#include "core/RASConnections.h"

#include <algorithm>
#include <cstring>
#include <vector>

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
      path_(other.path_) {}

CRASConnections::~CRASConnections() {
  if (path_) {
    Save();
  }
}

void CRASConnections::OnManipulatedConnection(const ConnectionRecord&, unsigned,
                                              const ConnectionRecord&) {}

unsigned CRASConnections::Find(const char* name) {
  unsigned index = 0;
  RunReported(kFindUnhandled, [&]() -> ErrorCode {
    const std::size_t position = records_.Find(name);
    index = position == ConnectionArray::kNone ? 0 : static_cast<unsigned>(position + 1);
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
    return records_.AppendUnique(copy) ? kNoError : kAddNameExists;
  });
}

bool CRASConnections::Delete(unsigned index) {
  return RunReported(kDeleteUnhandled, [&]() -> ErrorCode {
    // A bad index is refused, even on a list of one: removing a record nobody named loses data.
    if (index == 0 || index > GetCount()) {
      return kDeleteUnhandled;
    }
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

const char* CRASConnections::GetName(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? record->szEntryName : kInvalidConnectionText;
}

const char* CRASConnections::GetAreaCode(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? record->szAreaCode : kInvalidConnectionText;
}

const char* CRASConnections::GetLocalPhoneNumber(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? record->szLocalPhoneNumber : kInvalidConnectionText;
}

const char* CRASConnections::GetUserName(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? record->szUserName : kInvalidConnectionText;
}

const char* CRASConnections::GetPassword(unsigned index) {
  const ConnectionRecord* record = RecordAt(index);
  return record != nullptr ? record->szPassword : kInvalidConnectionText;
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

bool CRASConnections::Retrieve() {
  return RetrieveInOrder(false);
}

bool CRASConnections::RetrieveInOrder(bool lastFirst) {
  // A retrieved list mirrors the phonebook; it never writes itself to a file.
  ClearRecords();
  ClearPath();
  return RunReported(kRetrieveUnhandled, [&]() -> ErrorCode {
    // A count of none may as well mean a phonebook that cannot be read; only the enumeration
    // tells an empty one apart, so it runs for none too.
    const std::uint32_t count = phonebook_.CountEntries();
    std::vector<std::string> names;
    if (!phonebook_.EnumerateEntries(count, names)) {
      return kRetrieveEnumeration;
    }
    if (lastFirst) {
      std::reverse(names.begin(), names.end());
    }
    records_.Reserve(names.size());
    for (const std::string& name : names) {
      PhonebookDialParams params;
      if (!phonebook_.GetDialParams(name, params)) {
        SetErrorByCode(kRetrieveDialParams);
        continue;
      }
      PhonebookEntryProperties properties;
      if (!phonebook_.GetProperties(name, properties)) {
        SetErrorByCode(kRetrieveProperties);
        continue;
      }
      ConnectionRecord record = EmptyRecord();
      CopyField(record.szEntryName, name.c_str());
      CopyField(record.szAreaCode, properties.areaCode.c_str());
      CopyField(record.szLocalPhoneNumber, properties.localPhoneNumber.c_str());
      CopyField(record.szPassword, params.password.c_str());
      CopyField(record.szUserName, params.userName.c_str());
      if (!Add(record)) {
        SetErrorByCode(kRetrieveAdd);
      }
    }
    return records_.size() == names.size() ? kNoError : kRetrieveIncomplete;
  });
}

bool CRASConnections::EditPhonebookEntry(const char* entryName, NativeWindow window) {
  try {
    return entryName != nullptr && phonebook_.EditEntry(entryName, window);
  } catch (...) {
    return false;
  }
}

}  // namespace tollward
