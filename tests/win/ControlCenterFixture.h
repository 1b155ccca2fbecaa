// A control center run in the test's own process: the program placed in a fresh folder, its
// phonebook a file of the test's, its autostart value in memory, and no help pages.
#pragma once

#include "platform/win32/WinApi.h"

#include <memory>
#include <string>
#include <vector>

#include "app/ControlCenterDlg.h"
#include "platform/win32/DirectoryPhonebookWatcher.h"
#include "platform/win32/RasPhonebook.h"
#include "tests/fakes/FakeAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/Robot.h"

namespace tollward::testing {

extern const char kQuitQuestion[];

class ControlCenterTest : public PhonebookFileTest {
 protected:
  void SetUp() override;

  const std::string& programDirectory() const { return programDirectory_; }
  std::string storePath() const { return programDirectory_ + "Tollward.con"; }
  std::string helpDirectory() const { return folder_.Path("no-help") + "\\"; }

  // A phonebook of four entries, none of them in alphabetical order.
  void WriteFourEntries();
  // Registers every entry of the phonebook in the store, as an earlier run would have.
  void RegisterWholePhonebook();
  void WriteBadAreaCodes(const std::vector<std::string>& codes);
  // The names of the store's records; empty when there is no store.
  std::vector<std::string> StoredNames();

  // A control center (or a test's subclass of it) for the program started with these switches
  // after its path.
  template <typename Dialog = CControlCenterDlg>
  std::unique_ptr<Dialog> MakeControlCenter(const std::string& switches) {
    commandLine_ = std::make_unique<FakeCommandLine>(ProgramCommandLine(switches));
    auto dialog = std::make_unique<Dialog>(
        ControlCenterServices{phonebook_, *watcher_, autostart_, *commandLine_, helpDirectory()});
    dialog->SetSwitches(ReadStartSwitches(commandLine_->Text()));
    return dialog;
  }
  std::string ProgramCommandLine(const std::string& switches) const {
    return '"' + programDirectory_ + "Tollward.exe\"" + switches;
  }

  // Queues the steps that end the control center: Escape, and Yes to the quit question.
  static void QueueQuitWithYes(Robot& robot);

  // Watches no file unless a test gives it the phonebook's, so that a test's own writes to the
  // phonebook start no scan of their own.
  void WatchPhonebook() {
    watcher_ =
        std::make_unique<CDirectoryPhonebookWatcher>(std::vector<std::string>{phonebookPath()});
  }

  CRasPhonebook phonebook_;
  std::unique_ptr<CDirectoryPhonebookWatcher> watcher_ =
      std::make_unique<CDirectoryPhonebookWatcher>(std::vector<std::string>{});
  FakeAutostartStore autostart_;

 private:
  std::string programDirectory_;
  std::unique_ptr<FakeCommandLine> commandLine_;
};

// Column `column` of every row of a list view, top to bottom.
std::vector<std::string> ListColumn(const RobotWindow& window, int id, int column);
// Posts a double click on the row of a list view; a row of -1 clicks below the last one.
void DoubleClickRow(const RobotWindow& window, int id, int row);
// Every window of this thread, visible or not, made from the template.
std::vector<HWND> DialogsFromTemplate(UINT templateId);
// The control center of this thread, shown or hidden in the tray; null when there is none.
HWND ControlCenterWindow();
// Whether the window's icon is registered in the notification area.
bool TrayIconShown(HWND owner);
// The window hidden, its icon in the tray and the monitor on.
bool HiddenInTrayMonitoring(HWND window);

}  // namespace tollward::testing
