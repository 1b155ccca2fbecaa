// The command-line switches as the system hands the line over, and the silent check's exit.
#include <gtest/gtest.h>

#include <string>

#include "logic/StartSwitches.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

struct Case {
  const char* commandLine;
  bool scan;
  bool monitor;
  bool noSplash;
};

TEST(StartSwitches, CountOnlyBetweenBlanksInAnyLetterCase) {
  const Case cases[] = {
      // What the autostart value and a person at the prompt write.
      {"\"C:\\Program Files\\Tollward\\Tollward.exe\" /scan /monitor", true, true, false},
      {"C:\\Tollward\\Tollward.exe /nosplash", false, false, true},
      {"Tollward.exe /SCAN", true, false, false},
      {"Tollward.exe /NoSplash /Monitor", false, true, true},
      // Order, repetition and other arguments do not matter.
      {"Tollward.exe /monitor foo /scan /scan bar", true, true, false},
      // Glued together, with another introducer, or with a tab: not switches.
      {"Tollward.exe /scan/monitor", false, false, false},
      {"Tollward.exe -scan", false, false, false},
      {"Tollward.exe\t/scan", false, false, false},
      {"Tollward.exe /scan\t", false, false, false},
      {"Tollward.exe /scanner /monitoring /nosplashes", false, false, false},
      // Only the program path, or nothing at all.
      {"Tollward.exe", false, false, false},
      {"", false, false, false},
      // The line is searched whole: a folder of that name in the program path counts.
      {"\"C:\\Tools /scan \\Tollward.exe\"", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const StartSwitches switches = ReadStartSwitches(c.commandLine);
    EXPECT_EQ(c.scan, switches.scan);
    EXPECT_EQ(c.monitor, switches.monitor);
    EXPECT_EQ(c.noSplash, switches.noSplash);
  }
}

TEST(StartSwitches, SilentExitAndMonitorStartOnlyWithNothingUnregistered) {
  const StartSwitches scan = ReadStartSwitches("Tollward.exe /scan");
  const StartSwitches scanAndMonitor = ReadStartSwitches("Tollward.exe /scan /monitor");
  const StartSwitches byHand = ReadStartSwitches("Tollward.exe /nosplash");
  EXPECT_TRUE(WantsSilentExit(scan, 0));
  EXPECT_FALSE(WantsSilentExit(scan, 1)) << "an unregistered entry must be shown";
  EXPECT_FALSE(WantsSilentExit(scanAndMonitor, 0)) << "the monitor is to start and stay";
  EXPECT_FALSE(WantsSilentExit(byHand, 0));

  EXPECT_TRUE(WantsMonitorAtStart(scanAndMonitor, 0));
  EXPECT_FALSE(WantsMonitorAtStart(scanAndMonitor, 1)) << "an unregistered entry must be shown";
  EXPECT_FALSE(WantsMonitorAtStart(scan, 0));
}

// A check that left something to tell keeps the program open even with nothing unregistered.
TEST(StartSwitches, AnUntoldFindingCountsLikeAnUnregisteredEntry) {
  testing::FakePhonebook phonebook;
  CRASConnections unregistered(phonebook);
  PhonebookFindings nothing;
  EXPECT_EQ(0u, EntriesForTheUser(unregistered, nothing));
  PhonebookFindings missing;
  missing.missing.push_back("Office");
  EXPECT_EQ(1u, EntriesForTheUser(unregistered, missing));
  PhonebookFindings unlisted;
  unlisted.listed = false;
  ASSERT_TRUE(unregistered.Add(testing::MakeRecord("Home", "030", "987")));
  ASSERT_TRUE(unregistered.Add(testing::MakeRecord("Office", "089", "999")));
  EXPECT_EQ(2u, EntriesForTheUser(unregistered, nothing));
  EXPECT_EQ(3u, EntriesForTheUser(unregistered, unlisted));
}

}  // namespace
}  // namespace tollward
