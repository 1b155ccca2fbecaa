// The two start-up options as written to the autostart value and read back from it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "options/Autostart.h"
#include "options/ProgramLocation.h"
#include "tests/fakes/OptionsFixture.h"

namespace tollward {
namespace {

using testing::InstalledProgram;

TEST(Autostart, EachCombinationOfTheFlagsWritesItsTextOrRemovesTheValue) {
  struct Case {
    bool scan;
    bool monitor;
    const char* switches;  // null: no value
  };
  const Case cases[] = {
      {false, false, nullptr},
      {true, false, " /scan"},
      {false, true, " /monitor"},
      {true, true, " /scan /monitor"},
  };
  for (const Case& c : cases) {
    InstalledProgram program;
    program.store.SetText("stale");
    auto options = program.Options();
    options.runSilentCheckAtStart = c.scan;
    options.runMonitorAtStartup = c.monitor;
    options.WriteAutostart();
    const std::string context = std::to_string(c.scan) + std::to_string(c.monitor);
    if (c.switches == nullptr) {
      EXPECT_FALSE(program.store.data.has_value()) << context;
    } else {
      EXPECT_EQ(program.store.data, program.programPath() + c.switches + '\0')
          << context << ": stored with its terminating zero";
    }
    EXPECT_TRUE(program.reports.empty()) << context;
  }
}

TEST(Autostart, APathWithABlankIsQuotedAndStillStartsTheSameProgramWithItsSwitches) {
  EXPECT_EQ(AutostartCommand("C:\\Program Files\\Tollward\\Tollward.exe", {true, true}),
            "\"C:\\Program Files\\Tollward\\Tollward.exe\" /scan /monitor");

  InstalledProgram program("Program Files");
  {
    auto options = program.Options();
    options.runSilentCheckAtStart = true;
    options.WriteAutostart();
    const std::string value = program.store.Text();
    EXPECT_EQ(value, '"' + program.programPath() + "\" /scan");
    // Started through the value, the program finds itself where it is.
    const ProgramLocation started = ProgramLocationFromCommandLine(value);
    EXPECT_EQ(started.path, program.programPath());
    EXPECT_EQ(started.directory, program.directory());
  }
  auto reread = program.Options();
  EXPECT_TRUE(reread.runSilentCheckAtStart);
  EXPECT_FALSE(reread.runMonitorAtStartup);
}

TEST(Autostart, ReadingFindsBlankDelimitedSwitchesInAnyCaseAndRemovesAValueWithNone) {
  struct Case {
    std::string text;
    bool scan;
    bool monitor;
  };
  const Case cases[] = {
      {"C:\\T\\Tollward.exe /scan /monitor", true, true},
      {"C:\\T\\Tollward.exe /monitor /scan", true, true},
      {"\"C:\\A B\\Tollward.exe\" /scan", true, false},
      {"C:\\T\\Tollward.exe /SCAN", true, false},
      {"C:\\T\\Tollward.exe /MoNiToR", false, true},
      {"C:\\T\\Tollward.exe /x /monitor /y", false, true},
      // Glued to the path, to each other or to more text, or behind another sign: no switch.
      {"C:\\T\\Tollward.exe/scan", false, false},
      {"\"C:\\A B\\Tollward.exe\"/monitor", false, false},
      {"C:\\T\\Tollward.exe /scan/monitor", false, false},
      {"C:\\T\\Tollward.exe /scanner", false, false},
      {"C:\\T\\Tollward.exe -scan", false, false},
      {"C:\\T\\Tollward.exe\t/scan", false, false},
      {"C:\\T\\Tollward.exe", false, false},
      {"", false, false},
      // The text ends at its first zero.
      {std::string("C:\\T\\Tollward.exe\0 /scan", 24), false, false},
  };
  for (const Case& c : cases) {
    InstalledProgram program;
    program.store.data = c.text + '\0';
    auto options = program.Options();
    EXPECT_EQ(options.runSilentCheckAtStart, c.scan) << c.text;
    EXPECT_EQ(options.runMonitorAtStartup, c.monitor) << c.text;
    const bool kept = c.scan || c.monitor;
    EXPECT_EQ(program.store.data.has_value(), kept) << c.text;
    if (kept) {
      EXPECT_EQ(program.store.data, c.text + '\0') << c.text << ": reading rewrites nothing";
    }
    EXPECT_TRUE(program.reports.empty());
  }
}

TEST(Autostart, AValueThatCannotBeReadCountsAsNoSwitchAndIsLeftInPlace) {
  // Longer than the 512 bytes a read takes, though it does hold a switch.
  const std::string longValue = "C:\\" + std::string(600, 'x') + "\\Tollward.exe /scan /monitor";
  InstalledProgram program;
  program.store.SetText(longValue);
  {
    auto options = program.Options();
    EXPECT_FALSE(options.runSilentCheckAtStart);
    EXPECT_FALSE(options.runMonitorAtStartup);
    EXPECT_EQ(program.store.Text(), longValue);
    EXPECT_EQ(program.store.deletes, 0);
  }

  // A user who may not open the machine's key does not see its value and is not told.
  InstalledProgram refused;
  refused.store.SetText(refused.programPath() + " /scan");
  refused.store.refuseAccess = true;
  {
    auto options = refused.Options();
    EXPECT_FALSE(options.runSilentCheckAtStart);
    options.runMonitorAtStartup = true;
    EXPECT_TRUE(options.Save()) << "the options file does not depend on the value";
  }
  EXPECT_TRUE(refused.reports.empty());
  EXPECT_EQ(refused.store.Text(), refused.programPath() + " /scan");
}

TEST(Autostart, EveryLoadRereadsTheValueFirstAndEverySaveRewritesItFirst) {
  InstalledProgram program;
  auto options = program.Options();
  EXPECT_FALSE(options.runMonitorAtStartup);

  // Changed by someone else while the program runs; seen even by a load that then fails.
  program.store.SetText(program.programPath() + " /scan /monitor");
  std::string path;
  EXPECT_FALSE(options.Load(path));
  EXPECT_TRUE(options.runSilentCheckAtStart);
  EXPECT_TRUE(options.runMonitorAtStartup);

  options.runMonitorAtStartup = false;
  const int writesBefore = program.store.writes;
  ASSERT_TRUE(options.Save(path));
  EXPECT_EQ(program.store.writes, writesBefore + 1);
  EXPECT_EQ(program.store.Text(), program.programPath() + " /scan");

  options.runSilentCheckAtStart = false;
  ASSERT_TRUE(options.Save(path));
  EXPECT_FALSE(program.store.data.has_value());
}

TEST(Autostart, AUserWhoMayNotWriteTheMachinesListGetsTheSameValueInHisOwn) {
  const struct {
    bool scan;
    bool monitor;
    const char* switches;  // null: no value
  } cases[] = {
      {true, true, " /scan /monitor"},
      {true, false, " /scan"},
      {false, false, nullptr},
  };
  for (const auto& c : cases) {
    InstalledProgram program;
    program.store.refuseAccess = true;
    program.store.user.SetText("stale /scan");
    {
      auto options = program.Options();
      EXPECT_TRUE(options.runSilentCheckAtStart) << "the user's value is read";
      options.runSilentCheckAtStart = c.scan;
      options.runMonitorAtStartup = c.monitor;
      ASSERT_TRUE(options.Save());
      if (c.switches == nullptr) {
        EXPECT_FALSE(program.store.user.data.has_value());
      } else {
        EXPECT_EQ(program.store.user.Text(), program.programPath() + c.switches);
      }
    }
    EXPECT_FALSE(program.store.data.has_value());
    // As the next start of the program reads them.
    auto reread = program.Options();
    EXPECT_EQ(reread.runSilentCheckAtStart, c.scan) << c.switches;
    EXPECT_EQ(reread.runMonitorAtStartup, c.monitor) << c.switches;
    EXPECT_TRUE(program.reports.empty());
  }
}

TEST(Autostart, TheMachinesValueComesFirstAndOnlyOneOfTheTwoIsKept) {
  InstalledProgram program;
  program.store.SetText(program.programPath() + " /scan");
  program.store.user.SetText(program.programPath() + " /scan /monitor");
  {
    auto options = program.Options();
    EXPECT_TRUE(options.runSilentCheckAtStart);
    EXPECT_FALSE(options.runMonitorAtStartup) << "the machine's value decides";
    options.WriteAutostart();
    EXPECT_EQ(program.store.Text(), program.programPath() + " /scan");
    EXPECT_FALSE(program.store.user.data.has_value()) << "not started twice at log-on";
  }

  // A machine's value without a task goes, and the user's is read in its place.
  InstalledProgram withUser;
  withUser.store.SetText(withUser.programPath());
  withUser.store.user.SetText(withUser.programPath() + " /MONITOR");
  auto options = withUser.Options();
  EXPECT_FALSE(withUser.store.data.has_value());
  EXPECT_TRUE(options.runMonitorAtStartup);
  withUser.store.user.SetText(withUser.programPath() + "/monitor");
  options.ReadAutostart();
  EXPECT_FALSE(options.runMonitorAtStartup);
  EXPECT_FALSE(withUser.store.user.data.has_value()) << "without a task in either list";
}

// Whoever can write the program's folder runs code as everyone the machine's value starts.
TEST(Autostart, TheMachinesValueNamesOnlyAProgramInTheProgramFoldersAndIsNeverLeftBesideTheUsers) {
  const char* const kNew = "new";  // the value for the options as now set
  const char* const kOld = "old";  // the machine's value as it was
  struct Case {
    bool inProgramFolders;
    bool machineWritable;
    bool machineHadValue;
    bool optionsOn;
    const char* machine;  // null: no value afterwards
    const char* user;
    bool told;
  };
  const Case cases[] = {
      // An administrator's program, set up by an administrator or by an ordinary user.
      {true, true, false, true, kNew, nullptr, false},
      {true, true, true, true, kNew, nullptr, false},
      {true, false, false, true, nullptr, kNew, false},
      {true, false, true, true, kOld, nullptr, false},
      {true, true, true, false, nullptr, nullptr, false},
      {true, false, true, false, kOld, nullptr, true},
      {true, false, false, false, nullptr, nullptr, false},
      // A program in a folder its user can write: never the machine's value.
      {false, true, false, true, nullptr, kNew, false},
      {false, true, true, true, nullptr, kNew, false},
      {false, false, false, true, nullptr, kNew, false},
      {false, false, true, true, kOld, nullptr, true},
      {false, true, true, false, nullptr, nullptr, false},
      {false, false, true, false, kOld, nullptr, true},
      {false, false, false, false, nullptr, nullptr, false},
  };
  for (const Case& c : cases) {
    const std::string context =
        std::string("in program folders ") + std::to_string(c.inProgramFolders) +
        ", machine writable " + std::to_string(c.machineWritable) + ", had value " +
        std::to_string(c.machineHadValue) + ", on " + std::to_string(c.optionsOn);
    InstalledProgram program;
    if (!c.inProgramFolders) {
      program.MoveOutOfTheProgramFolders();
    }
    const std::string oldValue = program.programPath() + " /scan";
    const std::string newValue = program.programPath() + " /scan /monitor";
    if (c.machineHadValue) {
      program.store.SetText(oldValue);
    }
    program.store.readOnly = !c.machineWritable;
    program.store.user.SetText(program.programPath() + " /monitor");
    {
      auto options = program.Options();
      options.runSilentCheckAtStart = c.optionsOn;
      options.runMonitorAtStartup = c.optionsOn;
      options.WriteAutostart();
      options.WriteAutostart();
    }
    auto expected = [&](const char* value) -> std::optional<std::string> {
      if (value == nullptr) {
        return std::nullopt;
      }
      return (value == kNew ? newValue : oldValue) + '\0';
    };
    EXPECT_EQ(program.store.data, expected(c.machine)) << context;
    EXPECT_EQ(program.store.user.data, expected(c.user)) << context;
    EXPECT_EQ(program.machineAutostartLeft, c.told ? 1 : 0) << context << ": said once, or never";
  }
}

// The command line is chosen by whoever started the program; the system names the file itself.
TEST(Autostart, TheValueAndTheDataFilesFollowTheProgramFileNotTheCommandLine) {
  InstalledProgram program("Program Files");
  const testing::FakeCommandLine startedAs("\"C:\\Elsewhere\\Tollward.exe\" /nosplash",
                                           program.programPath());
  std::vector<ErrorCode> reports;
  int told = 0;
  {
    testing::RecordingOptions options(program.store, startedAs, reports, told);
    EXPECT_EQ(options.GetProgramDirectory(), program.directory());
    EXPECT_EQ(options.GetOptionsFilePath(), program.optionsFile());
    options.runSilentCheckAtStart = true;
    options.WriteAutostart();
  }
  EXPECT_EQ(program.store.Text(), '"' + program.programPath() + "\" /scan");
}

}  // namespace
}  // namespace tollward
