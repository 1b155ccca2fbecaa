// The framework's smaller parts: centring, texts of any length, the help call's failure report.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/win/Robot.h"
#include "ui/framework/Dialog.h"
#include "ui/dialogs/Help.h"
#include "ui/framework/ListView.h"
#include "ui/framework/ToolTip.h"

namespace tollward::ui {
namespace {

using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

TEST(CenteredOrigin, CentersInsideTheAreaAndKeepsLargeWindowsOnTheScreen) {
  const RECT bounds{0, 0, 1000, 700};
  // Centerd on the work area.
  POINT p = CenteredOrigin(RECT{0, 0, 200, 100}, bounds, bounds);
  EXPECT_EQ(400, p.x);
  EXPECT_EQ(300, p.y);
  // Centerd on an owner near the screen's edge: pushed back inside.
  p = CenteredOrigin(RECT{0, 0, 200, 100}, RECT{900, 650, 1000, 700}, bounds);
  EXPECT_EQ(800, p.x);
  EXPECT_EQ(600, p.y);
  // Larger than the screen: the caption and the left edge stay visible.
  p = CenteredOrigin(RECT{0, 0, 1200, 900}, bounds, bounds);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(0, p.y);
  // A work area that does not start at the origin (a task bar on the left or top).
  p = CenteredOrigin(RECT{0, 0, 1200, 900}, RECT{60, 30, 1000, 700}, RECT{60, 30, 1000, 700});
  EXPECT_EQ(60, p.x);
  EXPECT_EQ(30, p.y);
}

TEST(Texts, WindowAndListTextsOfAnyLengthArriveWhole) {
  CDialog dialog(IDD_CONTROL_CENTER);
  ASSERT_TRUE(dialog.Create());
  const std::string longText(700, 'x');
  dialog.SetText(longText.c_str());
  EXPECT_EQ(longText, dialog.GetText());

  CListView view(dialog.GetDlgItem(IDC_UNREGISTERED_LIST));
  ASSERT_EQ(0, view.InsertColumn(0, "Connection", 140));
  ASSERT_EQ(1, view.InsertColumn(1, "Area Code", 80));
  EXPECT_EQ(2, view.GetColumnCount());
  const std::string longName = std::string(300, 'n') + "end";
  const int item = view.InsertItem(0, longName.c_str());
  ASSERT_EQ(0, item);
  ASSERT_TRUE(view.SetItemText(item, 1, "0190"));
  EXPECT_EQ(longName, view.GetItemText(item, 0));
  EXPECT_EQ("0190", view.GetItemText(item, 1));
  EXPECT_EQ("", view.GetItemText(5, 0));
}

TEST(Texts, ListSelectionSetsTheMarkTheProgramReadsTheSelectionFrom) {
  CDialog dialog(IDD_CONTROL_CENTER);
  ASSERT_TRUE(dialog.Create());
  CListView view(dialog.GetDlgItem(IDC_REGISTERED_LIST));
  view.InsertColumn(0, "Connection", 140);
  // The view sorts by name, so insertion positions are not the rows they end up in.
  view.InsertItem(0, "Zeta");
  view.InsertItem(0, "Alpha");
  view.InsertItem(0, "Mid");
  EXPECT_EQ(-1, view.GetSelectionMark());
  EXPECT_EQ(0, view.GetSelectedCount());
  const int mid = view.FindItem("mid");
  ASSERT_EQ(1, mid);
  ASSERT_TRUE(view.SelectItem(mid));
  EXPECT_EQ(mid, view.GetSelectionMark());
  EXPECT_EQ(1, view.GetSelectedCount());
  EXPECT_EQ("Mid", view.GetItemText(view.GetSelectionMark(), 0));
}

TEST(ToolTip, KeepsATipPerControlAndItsTimings) {
  CDialog dialog(IDD_CONTROL_CENTER);
  ASSERT_TRUE(dialog.Create());
  CToolTip tips;
  ASSERT_TRUE(tips.Create(dialog));
  EXPECT_EQ(dialog.GetHwnd(), ::GetWindow(tips, GW_OWNER));
  ASSERT_TRUE(tips.AddTool(dialog.GetDlgItem(IDC_REFRESH), "scan connections and refresh display"));
  ASSERT_TRUE(tips.AddTool(dialog.GetDlgItem(IDC_OPTIONS), "edit program options"));
  EXPECT_FALSE(tips.AddTool(dialog.GetDlgItem(4711), "no such control"));
  EXPECT_EQ(2, tips.GetToolCount());
  EXPECT_EQ("edit program options", tips.GetToolText(dialog.GetDlgItem(IDC_OPTIONS)));
  EXPECT_EQ("", tips.GetToolText(dialog.GetDlgItem(IDC_ABOUT)));
  tips.SetDelayTime(TTDT_INITIAL, 750);
  tips.SetDelayTime(TTDT_AUTOPOP, 3000);
  EXPECT_EQ(750, tips.GetDelayTime(TTDT_INITIAL));
  EXPECT_EQ(3000, tips.GetDelayTime(TTDT_AUTOPOP));
}

TEST(Help, TopicsHaveTheirOwnPagesBesideTheProgram) {
  EXPECT_STRNE(HelpPageName(help_topic::kControlCenter), HelpPageName(help_topic::kOptions));
  EXPECT_STRNE(HelpPageName(help_topic::kBadAreaCodes), HelpPageName(help_topic::kOptions));
  EXPECT_STREQ(HelpPageName(help_topic::kContents), HelpPageName(4711));
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder(program);
  folder = folder.substr(0, folder.find_last_of('\\') + 1) + "help\\";
  EXPECT_EQ(folder, HelpDirectory());
}

TEST(Help, AMissingPageIsToldWithItsPath) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tollward-without-help\\";
  std::string told;
  Robot robot;
  robot.OnWindow(MessageBoxWith("help"), [&](RobotWindow& box) {
    told = box.MessageText();
    box.Click(IDOK);
  });
  EXPECT_FALSE(ShowHelpFrom(nullptr, folder, help_topic::kBadAreaCodes));
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_NE(std::string::npos, told.find(folder + HelpPageName(help_topic::kBadAreaCodes))) << told;
}

TEST(Robot, GivesUpOnAWindowThatNeverComesAndUnwindsTheDialog) {
  CDialog dialog(IDD_ABOUTBOX);
  Robot robot;
  robot.SetStepLimit(5);
  robot.OnWindow(testing::WithCaption("no such window"), [](RobotWindow&) {});
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_FALSE(robot.Done());
  EXPECT_TRUE(robot.Aborted());
  EXPECT_NE(std::string::npos, robot.Failures().find("no such window")) << robot.Failures();
}

}  // namespace
}  // namespace tollward::ui
