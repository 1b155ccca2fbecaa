// A program placed in a fresh folder, with a fake autostart store, for options records to use.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "options/Options.h"
#include "tests/fakes/FakeAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/fakes/TempDir.h"

namespace tollward::testing {

// Keeps the codes it reports in a list that outlives it, so that a test can also see what the
// record's destruction would have reported.
class RecordingOptions : public COptions {
 public:
  RecordingOptions(IAutostartStore& autostart, const ICommandLine& commandLine,
                   std::vector<ErrorCode>& reports, int& machineAutostartLeft)
      : COptions(autostart, commandLine),
        reports_(reports),
        machineAutostartLeft_(machineAutostartLeft) {}
  void ReportError() override { reports_.push_back(errorCode()); }

 protected:
  void ReportMachineAutostartLeft() override { ++machineAutostartLeft_; }

 private:
  std::vector<ErrorCode>& reports_;
  int& machineAutostartLeft_;
};

// The program file lies in <fresh folder>/<folder>; its command line names it the Windows way,
// so the folder part ends in a backslash. On a system whose separator is the slash the record's
// files then sit in the fresh folder under names that begin with "<folder>\", which is just as
// private to the test and removed with it. The fresh folder stands for the system's program
// folders, where only administrators write, unless the test says otherwise.
class InstalledProgram {
 public:
  explicit InstalledProgram(const std::string& folder = "app", const std::string& switches = "")
      : directory_(dir_.Path(folder) + "\\"),
        commandLine_('"' + directory_ + "Tollward.exe\"" + switches) {
    std::filesystem::create_directory(dir_.Path(folder));
    store.programFolders = {dir_.root().string()};
  }

  FakeAutostartStore store;
  std::vector<ErrorCode> reports;
  // How often a record said that a machine's value is left that the user may not remove.
  int machineAutostartLeft = 0;

  RecordingOptions Options() {
    return RecordingOptions(store, commandLine_, reports, machineAutostartLeft);
  }
  // The same program outside the system's program folders.
  void MoveOutOfTheProgramFolders() { store.programFolders = {"C:\\Program Files"}; }

  const std::string& directory() const { return directory_; }
  std::string programPath() const { return directory_ + "Tollward.exe"; }
  std::string optionsFile() const { return directory_ + "Tollward.ini"; }
  const FakeCommandLine& commandLine() const { return commandLine_; }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string directory_;
  FakeCommandLine commandLine_;
};

}  // namespace tollward::testing
