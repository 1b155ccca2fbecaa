// What the report of a manipulated entry shows: which values go where, and each row's color.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "logic/ManipulationReport.h"

namespace tollward::ui {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::RecordingConnections;

TEST(ManipulationReport, RowIsGreenOnlyWhenBothValuesAreTheSameBytes) {
  // The platform's byte order, 0x00BBGGRR.
  EXPECT_EQ(0x00D0FFD0u, kEqualRowColor);
  EXPECT_EQ(0x00D0D0FFu, kDifferingRowColor);
  EXPECT_EQ(kEqualRowColor, RowColor({"0190", "0190"}));
  EXPECT_EQ(kEqualRowColor, RowColor({"", ""}));
  // The check folds letter case; the report does not.
  EXPECT_EQ(kDifferingRowColor, RowColor({"smith", "Smith"}));
  EXPECT_EQ(kDifferingRowColor, RowColor({"\xE4rger", "\xC4rger"}));
  EXPECT_EQ(kDifferingRowColor, RowColor({"0190", "0190 "}));
  EXPECT_EQ(kDifferingRowColor, RowColor({"", "secret"}));
  EXPECT_EQ(kDifferingRowColor, RowColor({"secret", ""}));
}

class ReportValues : public ::testing::Test {
 protected:
  FakePhonebook phonebook_;
  RecordingConnections current_{phonebook_};
};

TEST_F(ReportValues, RegisteredColumnComesFromTheRecordTheRestFromTheListAtTheIndex) {
  ASSERT_TRUE(current_.Add(MakeRecord("Home", "040", "555", "family", "home")));
  ASSERT_TRUE(current_.Add(MakeRecord("Office", "0190", "666", "Smith", "n3w")));
  const ConnectionRecord registered = MakeRecord("Office", "089", "1234567", "smith", "secret");

  const ManipulationReport report = MakeManipulationReport(current_, 2, registered);
  EXPECT_EQ("Office", report.entryName);
  EXPECT_EQ("089", report.areaCode.registered);
  EXPECT_EQ("0190", report.areaCode.altered);
  EXPECT_EQ("1234567", report.localNumber.registered);
  EXPECT_EQ("666", report.localNumber.altered);
  EXPECT_EQ("smith", report.userName.registered);
  EXPECT_EQ("Smith", report.userName.altered);
  EXPECT_EQ("secret", report.password.registered);
  EXPECT_EQ("n3w", report.password.altered);
  EXPECT_TRUE(current_.reported.empty());
}

TEST_F(ReportValues, AnUnterminatedRegisteredFieldIsCutAtItsOwnEnd) {
  ASSERT_TRUE(current_.Add(MakeRecord("Office")));
  ConnectionRecord registered = MakeRecord("Office", "", "0123456789");
  std::memset(registered.szAreaCode, '7', sizeof(registered.szAreaCode));

  const ManipulationReport report = MakeManipulationReport(current_, 1, registered);
  EXPECT_EQ(std::string(sizeof(registered.szAreaCode), '7'), report.areaCode.registered);
  EXPECT_EQ("0123456789", report.localNumber.registered);
}

}  // namespace
}  // namespace tollward::ui
