// The program's path and folder as read from the forms its command line comes in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "options/ProgramLocation.h"
#include "tests/fakes/OptionsFixture.h"

namespace tollward {
namespace {

TEST(ProgramLocation, TheFirstTokenGivesPathAndFolder) {
  struct Case {
    const char* commandLine;
    const char* path;
    const char* directory;
  };
  const Case cases[] = {
      // As Windows starts a program from a folder with a blank, switches following.
      {"\"C:\\Program Files\\Tollward\\Tollward.exe\" /scan /monitor",
       "C:\\Program Files\\Tollward\\Tollward.exe", "C:\\Program Files\\Tollward\\"},
      {"\"C:\\Program Files\\Tollward\\Tollward.exe\"", "C:\\Program Files\\Tollward\\Tollward.exe",
       "C:\\Program Files\\Tollward\\"},
      {"\"C:\\Tools\\Tollward.exe\" /scan", "C:\\Tools\\Tollward.exe", "C:\\Tools\\"},
      {"C:\\Tools\\Tollward.exe", "C:\\Tools\\Tollward.exe", "C:\\Tools\\"},
      // Backslashes after the token belong to an argument, not to the program's folder.
      {"C:\\Tools\\Tollward.exe /x C:\\Other\\y", "C:\\Tools\\Tollward.exe", "C:\\Tools\\"},
      {"\"C:\\A B\\Tollward.exe\" \"D:\\C D\\e\"", "C:\\A B\\Tollward.exe", "C:\\A B\\"},
      // Started from the current folder: no folder at all, the files lie in the current one.
      {"Tollward.exe /scan", "Tollward.exe", ""},
      {"\"Tollward.exe\" /monitor", "Tollward.exe", ""},
      {"Tollward", "Tollward", ""},
      {"   \t\"C:\\A B\\Tollward.exe\"  /scan", "C:\\A B\\Tollward.exe", "C:\\A B\\"},
      {"  C:\\Tools\\Tollward.exe", "C:\\Tools\\Tollward.exe", "C:\\Tools\\"},
      {"C:\\Tools\\Tollward.exe\r\n", "C:\\Tools\\Tollward.exe", "C:\\Tools\\"},
      // Unquoted, a path with a blank is cut there: why the autostart value quotes such a path.
      {"C:\\Program Files\\Tollward\\Tollward.exe /scan", "C:\\Program", "C:\\"},
      {"", "", ""},
      {"  \t ", "", ""},
  };
  for (const Case& c : cases) {
    const ProgramLocation location = ProgramLocationFromCommandLine(c.commandLine);
    EXPECT_EQ(location.path, c.path) << "[" << c.commandLine << "]";
    EXPECT_EQ(location.directory, c.directory) << "[" << c.commandLine << "]";
  }
}

TEST(ProgramLocation, TheRecordPlacesItsFileInTheProgramsFolder) {
  testing::InstalledProgram program("Program Files", " /scan");
  auto options = program.Options();
  EXPECT_EQ(options.GetProgramPath(), program.programPath());
  EXPECT_EQ(options.GetProgramDirectory(), program.directory());
  EXPECT_EQ(options.GetOptionsFilePath(), program.directory() + "Tollward.ini");
}

TEST(ProgramLocation, WithoutAFolderTheOptionsFileIsInTheCurrentOne) {
  testing::TempDir dir;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.root());
  {
    testing::FakeAutostartStore store;
    std::vector<ErrorCode> reports;
    int told = 0;
    testing::RecordingOptions options(store, testing::FakeCommandLine("Tollward.exe /scan", ""),
                                      reports, told);
    EXPECT_EQ(options.GetProgramDirectory(), "");
    EXPECT_EQ(options.GetOptionsFilePath(), "Tollward.ini");
  }
  std::filesystem::current_path(previous);
  EXPECT_TRUE(testing::FileExists(dir.Path("Tollward.ini")))
      << "program end wrote the file into the current folder";
}

}  // namespace
}  // namespace tollward
