// What the report of a manipulated entry shows and in which colors, free of Win32.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "logic/DetailRows.h"
#include "core/AsciiText.h"
#include "core/ConnectionRecord.h"
#include "core/RASConnections.h"
#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

constexpr ColorValue kEqualRowColor = Rgb(208, 255, 208);
constexpr ColorValue kDifferingRowColor = Rgb(255, 208, 208);
constexpr ColorValue kEntryNameColor = Rgb(192, 192, 192);
constexpr int kEntryNameFontHeight = 20;
constexpr int kEntryNameFontWidth = 10;

struct ReportRow {
  std::string registered;
  std::string altered;
};

struct ManipulationReport {
  std::string entryName;
  ReportRow areaCode;
  ReportRow localNumber;
  ReportRow userName;
  ReportRow password;
  // The further properties that differ, each row in the differing rows' color.
  std::vector<DetailRow> furtherRows;
};

// Unlike the check, the report compares byte for byte: a value whose letter case alone changed
// did not make the entry count as manipulated, but it is shown as differing once the report is
// open for another row.
inline ColorValue RowColor(const ReportRow& row) {
  return row.registered == row.altered ? kEqualRowColor : kDifferingRowColor;
}

// The check hands over an entry it could not find as a copy of the whole record, name and all;
// only an entry that was found and differs is a manipulation to show.
inline bool IsReportedManipulation(const ConnectionRecord& differences) {
  return differences.szEntryName[0] == '\0';
}

// The entry's name and the altered column as `current` (the phonebook just read) holds the
// entry at `index`; the registered column from the registered record. One look-up of the whole
// record serves every column. Where the further properties registered with the record are given
// and the list knows the entry's current ones, those that differ follow as rows of their own,
// in the texts `text` gives.
inline ManipulationReport MakeManipulationReport(CRASConnections& current, unsigned index,
                                                 const ConnectionRecord& registered,
                                                 const EntryDetails* registeredDetails = nullptr,
                                                 const TextById& text = {}) {
  const ConnectionRecord& altered = current.GetRecord(index);
  ManipulationReport report;
  report.entryName = FieldText(altered.szEntryName);
  report.areaCode = {FieldText(registered.szAreaCode), FieldText(altered.szAreaCode)};
  report.localNumber = {FieldText(registered.szLocalPhoneNumber),
                        FieldText(altered.szLocalPhoneNumber)};
  report.userName = {FieldText(registered.szUserName), FieldText(altered.szUserName)};
  report.password = {FieldText(registered.szPassword), FieldText(altered.szPassword)};
  const EntryDetails* currentDetails = current.FindDetails(report.entryName);
  if (registeredDetails != nullptr && currentDetails != nullptr && text) {
    report.furtherRows = MakeDetailRows(*registeredDetails, *currentDetails, text);
  }
  return report;
}

}  // namespace tollward::ui
