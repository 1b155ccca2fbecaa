// The dialog framework's modal loop, handlers and modeless dialogs, driven through a real template.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/win32/MessageBox.h"
#include "res/resource.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/framework/Dialog.h"

namespace tollward::ui {
namespace {

using testing::FromTemplate;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

constexpr UINT_PTR kProbeTimer = 7;
constexpr char kProbeQuestion[] = "Probe: a box in the middle of a handler";

// A dialog on the control center's template whose handlers record what reaches them. Its buttons
// are given test meanings: Refresh ends with 42, About opens a message box, Bad Areas opens a
// nested about box, Options throws.
class CProbeDlg : public CDialog {
 public:
  explicit CProbeDlg(HWND parent = nullptr) : CDialog(IDD_CONTROL_CENTER, parent) {}

  bool swallowEscape = false;
  bool throwInInit = false;
  bool endInInit = false;
  bool throwInPreTranslate = false;
  int escapesSeen = 0;
  int throwsDone = 0;
  bool nestedLoopOpen = false;
  std::vector<bool> timerSeenInNestedLoop;
  std::vector<bool> commandSeenInNestedLoop;
  bool shownEver = false;

 protected:
  bool OnInitDialog() override {
    if (throwInInit) {
      throw std::runtime_error("initialisation failed");
    }
    if (endInInit) {
      EndDialog(5);
    }
    return true;
  }

  bool OnCommand(int id, int, HWND) override {
    switch (id) {
      case IDC_REFRESH:
        EndDialog(42);
        return true;
      case IDC_ABOUT:
        nestedLoopOpen = true;
        ShowMessageBox(m_hwnd, kProbeQuestion, AppTitle().c_str(), MB_OK | MB_ICONINFORMATION);
        nestedLoopOpen = false;
        return true;
      case IDC_BAD_AREAS: {
        nestedLoopOpen = true;
        CAboutDlg(m_hwnd).DoModal();
        nestedLoopOpen = false;
        return true;
      }
      case IDC_OPTIONS:
        ++throwsDone;
        throw std::runtime_error("handler failed");
      case IDC_MONITOR:
        commandSeenInNestedLoop.push_back(nestedLoopOpen);
        return true;
      default:
        return false;
    }
  }

  void OnTimer(UINT_PTR id) override {
    if (id == kProbeTimer) {
      timerSeenInNestedLoop.push_back(nestedLoopOpen);
    }
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message == WM_SHOWWINDOW && wParam != FALSE) {
      shownEver = true;
    }
    return false;
  }

  bool PreTranslateMessage(MSG* message) override {
    if (throwInPreTranslate) {
      throw std::runtime_error("pre-translation failed");
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
      ++escapesSeen;
      return swallowEscape;
    }
    return false;
  }
};

TEST(ModalLoop, PreTranslateMessageComesBeforeTheDialogManager) {
  CProbeDlg probe;
  probe.swallowEscape = true;
  bool openAfterSwallowedEscape = false;
  Robot robot;
  robot
      .OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                [](RobotWindow& dialog) { dialog.PressKey(IDC_REFRESH, VK_ESCAPE); })
      .When(
          "the escape reached the probe", [&] { return probe.escapesSeen == 1; },
          [&] {
            openAfterSwallowedEscape = probe.IsVisible();
            probe.swallowEscape = false;
            RobotWindow(probe).PressKey(IDC_REFRESH, VK_ESCAPE);
          });

  EXPECT_EQ(IDCANCEL, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(openAfterSwallowedEscape);
  EXPECT_EQ(2, probe.escapesSeen);
}

TEST(ModalLoop, ReturnsTheResultGivenToEndDialog) {
  CProbeDlg probe;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                 [](RobotWindow& dialog) { dialog.Click(IDC_REFRESH); });
  EXPECT_EQ(42, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(nullptr, probe.GetHwnd());

  CProbeDlg second;
  Robot okRobot;
  okRobot.OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                   [](RobotWindow& dialog) { dialog.Click(IDOK); });
  EXPECT_EQ(IDOK, second.DoModal());
  EXPECT_TRUE(okRobot.Done()) << okRobot.Failures();
}

TEST(ModalLoop, DisablesTheOwnerWhileRunningAndActivatesItAfterwards) {
  CAboutDlg owner;
  ASSERT_TRUE(owner.Create());
  owner.Show(SW_SHOW);
  bool ownerEnabledDuringRun = true;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& dialog) {
    ownerEnabledDuringRun = owner.IsEnabled();
    dialog.Click(IDOK);
  });

  CProbeDlg probe(owner);
  EXPECT_EQ(IDOK, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_TRUE(owner.IsEnabled());
  EXPECT_EQ(owner.GetHwnd(), ::GetActiveWindow());
}

TEST(ModalLoop, LeavesAnOwnerDisabledThatWasDisabledBefore) {
  CAboutDlg owner;
  ASSERT_TRUE(owner.Create());
  owner.Enable(false);
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [](RobotWindow& dialog) { dialog.Click(IDOK); });
  CProbeDlg probe(owner);
  EXPECT_EQ(IDOK, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_FALSE(owner.IsEnabled());
}

TEST(ModalLoop, ADialogWithoutParentIsOwnedByTheMainWindow) {
  CAboutDlg mainWindow;
  ASSERT_TRUE(mainWindow.Create());
  CDialog::SetMainWindow(mainWindow);
  HWND ownerDuringRun = nullptr;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& dialog) {
    ownerDuringRun = ::GetWindow(dialog.hwnd(), GW_OWNER);
    dialog.Click(IDOK);
  });
  CProbeDlg probe;
  probe.DoModal();
  CDialog::SetMainWindow(nullptr);
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(mainWindow.GetHwnd(), ownerDuringRun);
}

// Timers and posted commands of a dialog arrive while another loop runs on top of it.
void ExpectDeliveryDuringNestedLoop(int openerId, const testing::WindowMatch& nested,
                                    int nestedCloseId) {
  CProbeDlg probe;
  HWND nestedWindow = nullptr;
  Robot robot;
  robot
      .OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                [&](RobotWindow& dialog) { dialog.Click(openerId); })
      .OnWindow(nested,
                [&](RobotWindow& window) {
                  nestedWindow = window.hwnd();
                  RobotWindow(probe).Post(WM_TIMER, kProbeTimer);
                  RobotWindow(probe).Command(IDC_MONITOR);
                })
      .When(
          "the timer and the command reached the probe",
          [&] {
            return !probe.timerSeenInNestedLoop.empty() && !probe.commandSeenInNestedLoop.empty();
          },
          [&] { RobotWindow(nestedWindow).Click(nestedCloseId); })
      .When(
          "the nested loop ended", [&] { return !probe.nestedLoopOpen; },
          [&] { RobotWindow(probe).Click(IDOK); });

  EXPECT_EQ(IDOK, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(std::vector<bool>{true}, probe.timerSeenInNestedLoop);
  EXPECT_EQ(std::vector<bool>{true}, probe.commandSeenInNestedLoop);
}

TEST(ModalLoop, DeliversTimersAndPostedCommandsWhileAMessageBoxIsOpen) {
  ExpectDeliveryDuringNestedLoop(IDC_ABOUT, MessageBoxWith(kProbeQuestion), IDOK);
}

TEST(ModalLoop, DeliversTimersAndPostedCommandsWhileASubDialogRuns) {
  ExpectDeliveryDuringNestedLoop(IDC_BAD_AREAS, FromTemplate(IDD_ABOUTBOX), IDOK);
}

TEST(HandlerExceptions, AnExceptionInAHandlerLeavesTheDialogRunning) {
  CProbeDlg probe;
  probe.throwInPreTranslate = false;
  Robot robot;
  robot
      .OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                [](RobotWindow& dialog) { dialog.Click(IDC_OPTIONS); })
      .When(
          "the handler threw", [&] { return probe.throwsDone == 1; },
          [&] {
            probe.throwInPreTranslate = true;
            RobotWindow(probe).Click(IDC_OPTIONS);
          })
      .When(
          "the handler threw again", [&] { return probe.throwsDone == 2; },
          [&] { RobotWindow(probe).Click(IDC_REFRESH); });

  EXPECT_EQ(42, probe.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
}

TEST(HandlerExceptions, AFailedInitialisationEndsTheRunWithoutAWindow) {
  CAboutDlg owner;
  ASSERT_TRUE(owner.Create());
  CProbeDlg probe(owner);
  probe.throwInInit = true;
  Robot robot;
  EXPECT_EQ(-1, probe.DoModal());
  EXPECT_EQ(nullptr, probe.GetHwnd());
  EXPECT_TRUE(robot.NewWindows().empty());
  EXPECT_TRUE(owner.IsEnabled());

  CProbeDlg modeless;
  modeless.throwInInit = true;
  EXPECT_FALSE(modeless.Create());
  EXPECT_EQ(nullptr, modeless.GetHwnd());
}

TEST(ModalLoop, ADialogEndedDuringItsInitialisationIsNeverShown) {
  CProbeDlg probe;
  probe.endInInit = true;
  EXPECT_EQ(5, probe.DoModal());
  EXPECT_FALSE(probe.shownEver);
  EXPECT_EQ(nullptr, probe.GetHwnd());
}

TEST(Modeless, LivesUntilEndDialogOrTheObjectGoes) {
  HWND first = nullptr;
  {
    CProbeDlg probe;
    ASSERT_TRUE(probe.Create());
    first = probe.GetHwnd();
    EXPECT_EQ(&probe, CDialog::FromHandle(first));
    probe.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(nullptr, probe.GetHwnd());
  }
  HWND second = nullptr;
  {
    CProbeDlg probe;
    ASSERT_TRUE(probe.Create());
    second = probe.GetHwnd();
  }
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_EQ(nullptr, CDialog::FromHandle(::GetDesktopWindow()));
}

}  // namespace
}  // namespace tollward::ui
