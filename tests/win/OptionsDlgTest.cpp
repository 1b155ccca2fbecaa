// The options dialog from its real template: what OK stores at once, what Cancel keeps, help.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <filesystem>
#include <string>

#include "res/resource.h"
#include "tests/fakes/OptionsFixture.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/OptionsDlg.h"

namespace tollward::ui {
namespace {

using testing::FromTemplate;
using testing::InstalledProgram;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

INT_PTR RunDialog(COptions& record) {
  COptionsDlg dialog;
  dialog.SetOptions(&record);
  InstallHelp("C:\\tollward-test-missing\\help\\");
  return dialog.DoModal();
}

TEST(OptionsDlg, OkAfterTheExpertQuestionStoresTheFileAndTheAutostartValueAtOnce) {
  InstalledProgram program;
  auto record = program.Options();
  bool lockedAtStart = false;
  bool focusOnHelp = false;
  bool silentCheckFollowed = false;
  DWORD style = 0;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [&](RobotWindow& options) {
    style = static_cast<DWORD>(::GetWindowLongA(options.hwnd(), GWL_STYLE));
    focusOnHelp = ::GetFocus() == ::GetDlgItem(options.hwnd(), IDHELP);
    lockedAtStart = !options.IsItemEnabled(IDC_RUN_SILENT_CHECK) &&
                    !options.IsItemEnabled(IDC_RUN_MONITOR) &&
                    !options.IsItemEnabled(IDC_MONITOR_INTERVAL) &&
                    !options.IsItemEnabled(IDC_INTERVAL_LABEL) &&
                    options.ItemText(IDC_MONITOR_INTERVAL) == "15";
    options.Click(IDC_EXTENDED_FUNCTIONS);
  });
  robot.OnWindow(MessageBoxWith("Are you sure you want to activate"), [](RobotWindow& box) {
    EXPECT_EQ(box.Caption(), "Enable enhanced features (for experts)");
    EXPECT_EQ(box.MessageIcon(), ::LoadIconA(nullptr, IDI_EXCLAMATION));
    box.Click(IDYES);
  });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) {
    EXPECT_TRUE(options.IsItemEnabled(IDC_RUN_MONITOR));
    options.Click(IDC_RUN_MONITOR);
  });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [&](RobotWindow& options) {
    silentCheckFollowed =
        options.IsChecked(IDC_RUN_SILENT_CHECK) && !options.IsItemEnabled(IDC_RUN_SILENT_CHECK);
    options.SetItemText(IDC_MONITOR_INTERVAL, "30");
    options.Click(IDOK);
  });
  robot.OnWindow(testing::AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });
  EXPECT_EQ(RunDialog(record), IDOK);
  EXPECT_FALSE(robot.Done()) << "no message box came";

  EXPECT_EQ(0u, style & WS_SYSMENU);
  EXPECT_NE(0u, style & DS_SYSMODAL);
  EXPECT_TRUE(focusOnHelp);
  EXPECT_TRUE(lockedAtStart);
  EXPECT_TRUE(silentCheckFollowed);
  EXPECT_EQ(std::filesystem::file_size(program.optionsFile()), COptions::kFileSize);
  EXPECT_EQ(program.store.Text(), program.programPath() + " /scan /monitor");
  EXPECT_EQ(record.GetMonitorInterval(), 30u);
  EXPECT_TRUE(program.reports.empty());

  // Opened with the experts box on: nothing is asked, and both boxes off remove the value.
  Robot again;
  again.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) {
    options.Click(IDC_RUN_MONITOR);
    options.Click(IDC_RUN_SILENT_CHECK);
    options.Click(IDC_EXTENDED_FUNCTIONS);
    options.Click(IDC_EXTENDED_FUNCTIONS);
    options.Click(IDOK);
  });
  again.OnWindow(testing::AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });
  EXPECT_EQ(RunDialog(record), IDOK);
  EXPECT_FALSE(again.Done()) << "no message box came";
  EXPECT_FALSE(program.store.data.has_value());
  EXPECT_TRUE(record.showExtendedFunctionality);
}

TEST(OptionsDlg, ARefusedIntervalAndACancelAnsweredNoKeepItOpenAndNothingIsWritten) {
  InstalledProgram program;
  auto record = program.Options();
  record.showExtendedFunctionality = true;
  bool stillOpen = false;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) {
    options.Click(IDC_RUN_MONITOR);
    options.SetItemText(IDC_MONITOR_INTERVAL, "0");
    options.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("The update interval for monitoring is invalid"),
                 [](RobotWindow& box) {
                   EXPECT_EQ(box.Caption(), "Invalid update interval");
                   EXPECT_EQ(box.MessageIcon(), ::LoadIconA(nullptr, IDI_INFORMATION));
                   box.Click(IDOK);
                 });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) {
    // WM_KEYF1, which the system sends for the F1 key and turns into WM_HELP.
    ::PostMessageA(::GetDlgItem(options.hwnd(), IDC_MONITOR_INTERVAL), 0x004D, 0, 0);
  });
  robot.OnWindow(MessageBoxWith("options.html"), [](RobotWindow& box) { box.Click(IDOK); });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) { options.Click(IDCANCEL); });
  robot.OnWindow(MessageBoxWith("Are you sure to cancel without saving options?"),
                 [](RobotWindow& box) {
                   EXPECT_EQ(box.Caption(), "Cancel option dialog");
                   EXPECT_EQ(box.MessageIcon(), ::LoadIconA(nullptr, IDI_QUESTION));
                   box.Click(IDNO);
                 });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [&](RobotWindow& options) {
    stillOpen = options.IsChecked(IDC_RUN_MONITOR);
    options.PressKey(IDC_RUN_MONITOR, VK_ESCAPE);
  });
  robot.OnWindow(MessageBoxWith("Are you sure to cancel without saving options?"),
                 [](RobotWindow& box) { box.Click(IDYES); });
  EXPECT_EQ(RunDialog(record), IDCANCEL);
  EXPECT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_TRUE(stillOpen);
  EXPECT_FALSE(record.runMonitorAtStartup) << "a refused OK wrote no flag either";
  EXPECT_EQ(record.GetMonitorInterval(), COptions::kDefaultMonitorInterval);
  EXPECT_FALSE(std::filesystem::exists(program.optionsFile()));
  EXPECT_EQ(program.store.writes + program.store.deletes, 0);
}

}  // namespace
}  // namespace tollward::ui
