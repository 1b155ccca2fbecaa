// The options dialog as the control center opens it: from the tray menu while the monitor runs,
// and what the control center does with the record on return.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::ControlCenterWindow;
using testing::DialogsFromTemplate;
using testing::FromTemplate;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;
using TimerStart = std::pair<unsigned, std::uint32_t>;

// Keeps every timer start of the monitor, so that a test can read the period it asked for.
class TimerWatchingControlCenter : public CControlCenterDlg {
 public:
  using CControlCenterDlg::CControlCenterDlg;
  std::vector<TimerStart> starts;

 protected:
  bool StartMonitorTimer(unsigned id, std::uint32_t milliseconds) override {
    starts.emplace_back(id, milliseconds);
    return CControlCenterDlg::StartMonitorTimer(id, milliseconds);
  }
};

// By the buttons' own style: the window they are on is hidden in the tray.
bool ExpertButtonsVisible(const RobotWindow& window) {
  for (int id : {IDC_UNREGISTERED_PROPERTIES, IDC_REGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS,
                 IDC_REGISTERED_USER_PASS}) {
    if ((window.ItemStyle(id) & WS_VISIBLE) == 0) {
      return false;
    }
  }
  return true;
}

TEST_F(ControlCenterTest, OptionsFromTheTrayRestartTheMonitorWithANewIntervalOnly) {
  WriteFourEntries();
  RegisterWholePhonebook();
  auto controlCenter = MakeControlCenter<TimerWatchingControlCenter>(" /monitor /nosplash");
  HWND window = nullptr;
  std::vector<TimerStart> afterUnchanged;
  std::vector<TimerStart> afterChanged;
  bool expertsBefore = true;
  bool expertsAfter = false;
  bool busyWhileOpen = false;
  Robot robot;
  robot.When(
      "the control center hidden in the tray, monitoring",
      [&] {
        window = ControlCenterWindow();
        return testing::HiddenInTrayMonitoring(window);
      },
      [&] {
        expertsBefore = ExpertButtonsVisible(RobotWindow(window));
        controlCenter->starts.clear();
        ::PostMessageA(window, WM_COMMAND, ID_TRAY_OPTIONS, 0);
      });
  // OK with the interval as it was: the running monitor is left alone.
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) { options.Click(IDOK); });
  robot.Then([&] {
    afterUnchanged = controlCenter->starts;
    ::PostMessageA(window, WM_COMMAND, ID_TRAY_OPTIONS, 0);
  });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [&](RobotWindow& options) {
    // The tray icon ignores the mouse while the dialog runs.
    ::SendMessageA(window, CControlCenterDlg::kTrayCallbackMessage, 1, WM_RBUTTONUP);
    busyWhileOpen = DialogsFromTemplate(IDD_OPTIONS).size() == 1;
    options.Click(IDC_EXTENDED_FUNCTIONS);
  });
  robot.OnWindow(MessageBoxWith("Are you sure you want to activate"),
                 [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(FromTemplate(IDD_OPTIONS), [](RobotWindow& options) {
    options.SetItemText(IDC_MONITOR_INTERVAL, "3");
    options.Click(IDOK);
  });
  robot.Then([&] {
    afterChanged = controlCenter->starts;
    expertsAfter = ExpertButtonsVisible(RobotWindow(window));
    ::PostMessageA(window, WM_COMMAND, ID_TRAY_SHUTDOWN, 0);
  });
  robot.OnWindow(MessageBoxWith(testing::kQuitQuestion),
                 [](RobotWindow& box) { box.Click(IDYES); });
  controlCenter->DoModal();
  ASSERT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_FALSE(expertsBefore);
  EXPECT_TRUE(afterUnchanged.empty()) << "an unchanged interval keeps the running timer";
  EXPECT_TRUE(busyWhileOpen) << "no menu came over the open dialog";
  EXPECT_EQ((std::vector<TimerStart>{{2u, 180000u}}), afterChanged);
  EXPECT_TRUE(expertsAfter) << "the expert buttons come at once on return";
}

}  // namespace
}  // namespace tollward
