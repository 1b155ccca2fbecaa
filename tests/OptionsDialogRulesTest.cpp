// The options dialog's rules, driven as a user clicks through the dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "logic/OptionsDialogRules.h"
#include "tests/fakes/OptionsFixture.h"

namespace tollward {
namespace {

using testing::InstalledProgram;

struct Enabled {
  bool silentCheck;
  bool monitor;
  bool interval;
};

void ExpectEnabled(const COptionsDialogRules& rules, Enabled expected, const std::string& when) {
  EXPECT_EQ(rules.State().runSilentCheckEnabled, expected.silentCheck) << when;
  EXPECT_EQ(rules.State().runMonitorEnabled, expected.monitor) << when;
  EXPECT_EQ(rules.State().intervalEnabled, expected.interval) << when;
}

TEST(OptionsDialogRules, SwitchingTheExpertsBoxOnIsAskedOnlyWhenTheDialogOpenedWithItOff) {
  for (const bool runMonitor : {false, true}) {
    for (const bool yes : {false, true}) {
      const std::string when =
          "monitor " + std::to_string(runMonitor) + ", yes " + std::to_string(yes);
      InstalledProgram program;
      auto record = program.Options();
      record.runMonitorAtStartup = runMonitor;
      COptionsDialogRules rules(record);
      ExpectEnabled(rules, {false, false, false}, when + ": opened");
      EXPECT_EQ(rules.State().runSilentCheck, runMonitor) << "the monitor includes the check";

      ASSERT_TRUE(rules.ExpertsClickNeedsConfirmation(true));
      rules.ExpertsClicked(true, yes);
      EXPECT_EQ(rules.State().showExtended, yes) << when;
      ExpectEnabled(rules, {yes && !runMonitor, yes, yes}, when + ": answered");
      // Once more in the same run: the record still had it off, so it is asked again.
      rules.ExpertsClicked(false, false);
      ExpectEnabled(rules, {false, false, false}, when + ": off again");
      EXPECT_TRUE(rules.ExpertsClickNeedsConfirmation(true));
      EXPECT_FALSE(rules.ExpertsClickNeedsConfirmation(false));
    }
  }

  InstalledProgram program;
  auto record = program.Options();
  record.showExtendedFunctionality = true;
  COptionsDialogRules rules(record);
  ExpectEnabled(rules, {true, true, true}, "opened on");
  rules.ExpertsClicked(false, false);
  EXPECT_FALSE(rules.ExpertsClickNeedsConfirmation(true));
  rules.ExpertsClicked(true, false);
  EXPECT_TRUE(rules.State().showExtended) << "no question was asked, so none was refused";
  ExpectEnabled(rules, {true, true, true}, "off and on again");
}

TEST(OptionsDialogRules, TheMonitorBoxChecksAndLocksTheSilentCheckAndFreesItWithItsCheckKept) {
  InstalledProgram program;
  auto record = program.Options();
  record.showExtendedFunctionality = true;
  COptionsDialogRules rules(record);
  EXPECT_FALSE(rules.State().runSilentCheck);
  rules.MonitorClicked(true);
  EXPECT_TRUE(rules.State().runSilentCheck);
  ExpectEnabled(rules, {false, true, true}, "monitor on");
  rules.MonitorClicked(false);
  EXPECT_TRUE(rules.State().runSilentCheck);
  ExpectEnabled(rules, {true, true, true}, "monitor off");
}

TEST(OptionsDialogRules, OkWritesWhatTheBoxesShowEvenWithTheExpertsBoxTurnedOff) {
  InstalledProgram program;
  auto record = program.Options();
  record.showExtendedFunctionality = true;
  COptionsDialogRules rules(record);
  rules.MonitorClicked(true);
  rules.IntervalChanged("42");
  rules.FlashClicked(false);
  rules.MinimizeClicked(true);
  rules.ExpertsClicked(false, false);
  ExpectEnabled(rules, {false, false, false}, "experts off");
  EXPECT_TRUE(rules.State().runMonitor);

  ASSERT_EQ(rules.Ok(record), OptionsOkOutcome::kSaved);
  EXPECT_TRUE(record.runSilentCheckAtStart);
  EXPECT_TRUE(record.runMonitorAtStartup);
  EXPECT_EQ(record.GetMonitorInterval(), 42u);
  EXPECT_FALSE(record.flashTrayIconAfterScan);
  EXPECT_TRUE(record.minimizeOnMonitorStart);
  EXPECT_FALSE(record.showExtendedFunctionality);
  EXPECT_EQ(std::filesystem::file_size(program.optionsFile()), COptions::kFileSize);
  EXPECT_EQ(program.store.Text(), program.programPath() + " /scan /monitor");
}

// A refused OK leaves the record as it opened, so a confirmed Cancel after it discards it all.
TEST(OptionsDialogRules, AnIntervalOutsideOneTo9999IsRefusedAndNothingReachesTheRecord) {
  const struct {
    const char* text;
    OptionsOkOutcome outcome;
    std::uint32_t saved;
  } cases[] = {
      {"0", OptionsOkOutcome::kIntervalRefused, 0},
      {"10000", OptionsOkOutcome::kIntervalRefused, 0},
      {"99999999999999999999", OptionsOkOutcome::kIntervalRefused, 0},
      {"", OptionsOkOutcome::kIntervalNotANumber, 0},
      {"  ", OptionsOkOutcome::kIntervalNotANumber, 0},
      {"-1", OptionsOkOutcome::kIntervalNotANumber, 0},
      {"1 2", OptionsOkOutcome::kIntervalNotANumber, 0},
      {"1", OptionsOkOutcome::kSaved, 1},
      {" 0030 ", OptionsOkOutcome::kSaved, 30},
      {"9999", OptionsOkOutcome::kSaved, 9999},
  };
  for (const auto& c : cases) {
    InstalledProgram program;
    auto record = program.Options();
    COptionsDialogRules rules(record);
    EXPECT_EQ(rules.State().interval, "15");
    rules.ExpertsClicked(true, true);
    rules.MonitorClicked(true);
    rules.FlashClicked(false);
    rules.IntervalChanged(c.text);
    EXPECT_EQ(rules.Ok(record), c.outcome) << '"' << c.text << '"';
    const bool saved = c.outcome == OptionsOkOutcome::kSaved;
    EXPECT_EQ(record.GetMonitorInterval(), saved ? c.saved : 15u) << c.text;
    EXPECT_EQ(record.runMonitorAtStartup, saved) << c.text;
    EXPECT_EQ(record.showExtendedFunctionality, saved) << c.text;
    EXPECT_EQ(record.flashTrayIconAfterScan, !saved) << c.text;
    EXPECT_EQ(std::filesystem::exists(program.optionsFile()), saved) << c.text;
    EXPECT_EQ(program.store.data.has_value(), saved) << c.text;
  }
}

TEST(OptionsDialogRules, AFailedSaveStillClosesWithTheNewValuesInTheRecord) {
  InstalledProgram program;
  std::filesystem::create_directory(program.optionsFile());  // the file cannot be created
  auto record = program.Options();
  COptionsDialogRules rules(record);
  rules.MinimizeClicked(true);
  EXPECT_EQ(rules.Ok(record), OptionsOkOutcome::kSaveFailed);
  EXPECT_TRUE(record.minimizeOnMonitorStart);
  EXPECT_FALSE(program.reports.empty());
}

}  // namespace
}  // namespace tollward
