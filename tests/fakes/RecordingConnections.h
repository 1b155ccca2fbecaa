// A connection list that remembers every report and every manipulation it was told of.
#pragma once

#include <string>
#include <vector>

#include "core/RASConnections.h"

namespace tollward::testing {

class RecordingConnections : public CRASConnections {
 public:
  using CRASConnections::CRASConnections;

  struct Manipulation {
    ConnectionRecord checked;
    unsigned index;
    ConnectionRecord differences;
  };

  // The codes in the order the user would have seen them.
  std::vector<ErrorCode> reported;
  std::vector<Manipulation> manipulations;

  void ReportError() override { reported.push_back(errorCode()); }
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override {
    manipulations.push_back({checked, index, differences});
  }
};

// A record as the system builds one: all zero, then the texts, each cut to its field.
inline ConnectionRecord MakeRecord(const char* name, const char* areaCode = "",
                                   const char* localPhoneNumber = "", const char* userName = "",
                                   const char* password = "") {
  ConnectionRecord record = EmptyRecord();
  CopyField(record.szEntryName, name);
  CopyField(record.szAreaCode, areaCode);
  CopyField(record.szLocalPhoneNumber, localPhoneNumber);
  CopyField(record.szUserName, userName);
  CopyField(record.szPassword, password);
  return record;
}

// The names in list order.
inline std::vector<std::string> NamesOf(CRASConnections& list) {
  std::vector<std::string> names;
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    names.push_back(list.GetName(i));
  }
  return names;
}

}  // namespace tollward::testing
