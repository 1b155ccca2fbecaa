// The error convention: code tables, the single report per failure, the unresolvable fallback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorTables.h"

namespace tollward {
namespace {

// Records every report with the state the report saw.
class RecordingState : public CErrorState {
 public:
  explicit RecordingState(const ErrorTable& table) : CErrorState(table) {}
  struct Report {
    ErrorCode code;
    std::string text;
    bool unexpected;
  };
  std::vector<Report> reports;
  void ReportError() override { reports.push_back({errorCode(), errorText(), unexpectedError()}); }

  bool Run(ErrorCode unhandled, ErrorCode result) {
    return RunReported(unhandled, [&] { return result; });
  }
  bool RunThrowing(ErrorCode unhandled) {
    return RunReported(unhandled, []() -> ErrorCode { throw std::bad_alloc(); });
  }
};

struct Expected {
  ErrorCode code;
  const char* text;
  bool unexpected;
};

void ExpectTable(const ErrorTable& table, const std::vector<Expected>& expected) {
  ASSERT_EQ(table.size, expected.size());
  for (const Expected& e : expected) {
    RecordingState state(table);
    state.SetErrorByCode(e.code);
    ASSERT_EQ(state.reports.size(), 1u) << e.code;
    EXPECT_EQ(state.errorCode(), e.code);
    EXPECT_EQ(state.errorText(), e.text) << e.code;
    EXPECT_EQ(state.unexpectedError(), e.unexpected) << e.code;
  }
}

TEST(ErrorTables, ConnectionListCodesGiveTheirTextsAndFlags) {
  ExpectTable(
      kConnectionErrors,
      {
          {1, "Retrieve: unhandled exeption (unknown error).", true},
          {2, "Retrieve: error on RAS entry enumeration (API RasEnumEntries).", true},
          {3, "Retrieve: error on receiving 1 RAS dial params (API RasGetEntryDialParams).", true},
          {4, "Retrieve: error on receiving 1 RAS entry property (API RasGetEntryProperties).",
           true},
          {5, "Retrieve: error on adding 1 RAS entry to array.", true},
          {6, "Retrieve: NOT all connections are successfully received.", true},
          {8, "Add: unhandled exeption (unknown error).", true},
          {9, "Add: connection name already exists.", true},
          {16, "Get: unhandled exeption (unknown error).", true},
          {17, "Get: invalid item number (exceeds array bounds).", true},
          {18, "Set: string too long.", false},
          {19, "RasSetEntryDialParams failed.", false},
          {24, "Delete: unhandled exeption (unknown error).", true},
          {25, "Delete: invalid item (name not found).", false},
          {32, "Save: unhandled exeption (unknown error).", true},
          {33, "Save: unable to open file for writing.", false},
          {34, "Save: error on writing data to archive.", false},
          {35, "SaveToArchive: write error.", false},
          {36, "WriteEncryptedEntry: unhandled exeption (unknown error).", false},
          {37, "WriteEncryptedEntry: write error.", false},
          {38, "Save: no filepath to save to.", true},
          {40, "Load: unhandled exeption (unknown error).", true},
          {41, "Load: unable to open file for reading.", false},
          {42, "Load: error on reading data from archive.", false},
          {43, "LoadFromArchive: read error.", false},
          {44, "LoadFromArchive: invalid file type / syncronization.", false},
          {45, "LoadFromArchive: invalid file version.", false},
          {46, "ReadEncryptedEntry: unhandled exeption (unknown error).", true},
          {47, "ReadEncryptedEntry: read error.", false},
          {48, "Load: no filepath to load from.", true},
          {56, "Find: unhandled exeption (unknown error).", true},
          {64, "CheckConnection: unhandled exeption (unknown error).", true},
          {72, "RemoveBadAreas: unhandled exeption (unknown error).", true},
          {73, "RemoveBadAreas: bad are detected - but can't be moved: connection will be deleted.",
           true},
      });
}

TEST(ErrorTables, BadAreaCodeListCodesGiveTheirTextsAndFlags) {
  ExpectTable(
      kBadAreaCodeErrors,
      {
          {1, "Add: unhandled exeption (unknown error).", true},
          {2, "Add: new BadAreaCode is empty.", false},
          {3, "Add: new BadAreaCode is too long.", false},
          {4, "Add: new BadAreaCode already exists.", false},
          {5,
           "Add: new BadAreaCode is redundant(1) or makes any predefined BadAreaCode "
           "redundant(2).\n\nExample1: 01905 is invalid if 0190 is already defined.\nExample2: "
           "019 is invalid if 0190 is already defined.",
           false},
          {8, "Find: unhandled exeption (unknown error).", true},
          {16, "Get: unhandled exeption (unknown error).", true},
          {17, "Get: invalid item number (exceeds array bounds).", true},
          {24, "Delete: unhandled exeption (unknown error).", true},
          {25, "Delete: invalid item (name not found).", false},
          {32, "Save: unhandled exeption (unknown error).", true},
          {33, "Save: unable to open file for writing.", false},
          {34, "Save: error on writing data to archive.", false},
          {35, "SaveToArchive: write error.", false},
          {36, "Save: no filepath to save to.", true},
          {40, "Load: unhandled exeption (unknown error).", true},
          {41, "Load: unable to open file for reading.", false},
          {42, "Load: error on reading data from archive.", false},
          {43, "LoadFromArchive: read error.", false},
          {44, "LoadFromArchive: invalid file type / syncronization.", false},
          {45, "LoadFromArchive: invalid file version.", false},
          {46, "Load: no filepath to load from.", true},
          {48, "Check: unhandled exeption (unknown error).", false},
          {49, "Check: error on number normalization.", true},
          {50, "Check: error on number concatenation.", true},
          {56, "ConcatenatePhoneNumbersNormal: unhandled exeption (unknown error).", true},
          {64, "NormalizeNumber: unhandled exeption (unknown error).", true},
      });
}

TEST(ErrorTables, CodesMissingFromATableAreUnresolvableAndUnexpected) {
  for (const ErrorTable* table : {&kConnectionErrors, &kBadAreaCodeErrors}) {
    for (ErrorCode code : {0u, 7u, 99u, 0xFFFFFFFFu}) {
      RecordingState state(*table);
      state.SetErrorByCode(code);
      ASSERT_EQ(state.reports.size(), 1u);
      EXPECT_EQ(state.errorCode(), code);
      EXPECT_EQ(state.errorText(), "[*unresolveable error*]");
      EXPECT_TRUE(state.unexpectedError());
    }
  }
  // Code 48 means different things in the two lists; each keeps its own table.
  EXPECT_NE(kConnectionErrors.Lookup(48).text, std::string(kBadAreaCodeErrors.Lookup(48).text));
}

TEST(ErrorState, StartsEmptyAndClearForgetsTheLastError) {
  RecordingState state(kConnectionErrors);
  EXPECT_EQ(state.errorCode(), 0u);
  EXPECT_EQ(state.errorText(), "");
  EXPECT_FALSE(state.unexpectedError());

  state.SetErrorByCode(2);
  state.ClearError();
  EXPECT_EQ(state.errorCode(), 0u);
  EXPECT_EQ(state.errorText(), "");
  EXPECT_FALSE(state.unexpectedError());
  EXPECT_EQ(state.reports.size(), 1u) << "clearing is no report";
}

TEST(ErrorState, EachErrorReplacesThePreviousOneAndReportsOnce) {
  RecordingState state(kConnectionErrors);
  state.SetErrorByCode(2);
  state.SetErrorByCode(18);
  ASSERT_EQ(state.reports.size(), 2u);
  EXPECT_EQ(state.reports[0].code, 2u);
  EXPECT_TRUE(state.reports[0].unexpected);
  EXPECT_EQ(state.errorCode(), 18u);
  EXPECT_EQ(state.errorText(), "Set: string too long.");
  EXPECT_FALSE(state.unexpectedError()) << "the flag of the old error must not linger";

  state.SetError(5, nullptr, false);
  EXPECT_EQ(state.errorText(), "") << "a missing text is stored as an empty one";
  EXPECT_EQ(state.reports.size(), 3u);
}

TEST(ErrorState, AReportThatThrowsNeverReachesTheCaller) {
  struct ThrowingReport : CErrorState {
    ThrowingReport() : CErrorState(kConnectionErrors) {}
    void ReportError() override { throw 1; }
  } state;
  state.SetErrorByCode(33);
  EXPECT_EQ(state.errorCode(), 33u);
}

TEST(ErrorState, ABodyEndsAtItsFirstFailureWithExactlyOneReport) {
  RecordingState state(kConnectionErrors);
  EXPECT_TRUE(state.Run(40, kNoError));
  EXPECT_TRUE(state.reports.empty());

  EXPECT_FALSE(state.Run(40, 43));
  ASSERT_EQ(state.reports.size(), 1u);
  EXPECT_EQ(state.reports[0].code, 43u);

  EXPECT_FALSE(state.RunThrowing(40));
  ASSERT_EQ(state.reports.size(), 2u);
  EXPECT_EQ(state.reports[1].code, 40u);
  EXPECT_EQ(state.reports[1].text, "Load: unhandled exeption (unknown error).");
}

TEST(ErrorState, ASuccessDoesNotClearTheLastError) {
  RecordingState state(kBadAreaCodeErrors);
  state.SetErrorByCode(25);
  EXPECT_TRUE(state.Run(1, kNoError));
  EXPECT_EQ(state.errorCode(), 25u);
}

TEST(ErrorState, ACopyStartsWithoutTheOriginalsError) {
  RecordingState original(kConnectionErrors);
  original.SetErrorByCode(9);
  RecordingState copy(original);
  EXPECT_EQ(copy.errorCode(), 0u);
  EXPECT_EQ(copy.errorText(), "");
  copy.SetErrorByCode(9);
  EXPECT_EQ(copy.errorText(), "Add: connection name already exists.")
      << "same table as the original";
}

}  // namespace
}  // namespace tollward
