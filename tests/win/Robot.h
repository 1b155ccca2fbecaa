// A test robot that drives the program's real windows from inside their own message loops.
#pragma once

#include "platform/win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

namespace tollward::testing {

// A top-level window the robot found: reading its controls, and acting on them.
//
// Readers send messages (the windows belong to the robot's own thread, so that is a plain call).
// Actions that would run the program's handlers are posted, so that the handlers run from the
// message loop after the robot's step has returned, exactly as after a real click or key.
class RobotWindow {
 public:
  explicit RobotWindow(HWND hwnd) : hwnd_(hwnd) {}
  HWND hwnd() const { return hwnd_; }

  std::string Caption() const;
  HWND Owner() const { return ::GetWindow(hwnd_, GW_OWNER); }
  std::string ItemText(int id) const;
  // The text of a message box (its static with id 0xFFFF).
  std::string MessageText() const { return ItemText(0xFFFF); }
  // The icon a message box shows, to compare with LoadIcon(nullptr, IDI_...); null for none.
  HICON MessageIcon() const;
  // The ids of the visible buttons, in the order of the window's children.
  std::vector<int> VisibleButtons() const;
  bool HasItem(int id) const { return ::GetDlgItem(hwnd_, id) != nullptr; }
  LONG ItemStyle(int id) const { return ::GetWindowLongA(::GetDlgItem(hwnd_, id), GWL_STYLE); }
  bool IsItemEnabled(int id) const;
  bool IsItemVisible(int id) const;
  bool IsChecked(int id) const;
  int ListCount(int id) const;
  std::string ListText(int id, int row, int column) const;
  int ListSelectionMark(int id) const;

  // Posts BM_CLICK to the button: it takes the focus and sends its command, as a mouse click.
  void Click(int id) const;
  // Posts WM_COMMAND with the control's id, as a menu or an accelerator would.
  void Command(int id, int code = BN_CLICKED) const;
  // Posts a key press (down and up) to a control, or to the window itself for id 0.
  void PressKey(int id, UINT virtualKey) const;
  // Posts any message to the window, e.g. WM_TIMER with the id of the timer to drive.
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Sets a control's text at once (WM_SETTEXT), as typing would leave it.
  void SetItemText(int id, const char* text) const;
  // Selects a list view row and makes it the selection mark, as a click on it does.
  void SelectListItem(int id, int row) const;
  void Close() const { Post(WM_CLOSE); }

 private:
  HWND hwnd_;
};

// What a window step waits for; the description names the step in failure reports.
struct WindowMatch {
  std::string description;
  std::function<bool(HWND)> test;
};

WindowMatch WithCaption(const std::string& caption);
// A dialog of the program's framework made from the given template.
WindowMatch FromTemplate(UINT templateId);
// A message box whose text contains `part`.
WindowMatch MessageBoxWith(const std::string& part);
// Any message box, e.g. for a last step that catches a box that should never come.
WindowMatch AnyMessageBox();

// Usage: create the robot, queue the steps, then run the code under test, which enters its own
// message loop (a modal dialog, a message box); the robot's thread timer fires inside that loop
// and performs the steps in order. When the code under test returns at once (a modeless window),
// call RunUntilDone to pump the messages instead.
//
//   Robot robot;
//   robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
//     version = about.ItemText(IDC_ABOUT_VERSION);
//     about.Click(IDOK);
//   });
//   CAboutDlg().DoModal();
//   EXPECT_TRUE(robot.Done()) << robot.Failures();
//
// Windows that already existed when the robot was created are never matched; every window that
// appears later can be matched by any number of steps. A step that finds nothing within its limit
// (a safeguard against a hung test, not a measure of the program's timing) is reported in
// Failures, and the robot then unwinds: it answers every message box with Yes and cancels every
// other dialog of the thread until the code under test returns. To check that a window never
// comes, queue a step for it last and check afterwards that the step did not act: a modal window
// waits for the robot, so the outcome does not depend on timing. Only one robot runs at a time.
class Robot {
 public:
  Robot();
  ~Robot();
  Robot(const Robot&) = delete;
  Robot& operator=(const Robot&) = delete;

  // Waits for a visible top-level window of this thread that matches, then acts on it.
  Robot& OnWindow(WindowMatch match, std::function<void(RobotWindow&)> action);
  // Waits until the condition holds, then acts.
  Robot& When(std::string description, std::function<bool()> condition,
              std::function<void()> action);
  // Acts at the next tick after the previous step.
  Robot& Then(std::function<void()> action);

  // How many ticks a step may wait before the robot gives up (750, some 15 seconds, by default).
  void SetStepLimit(int ticks) { stepLimit_ = ticks; }

  bool Done() const { return next_ == steps_.size(); }
  bool Aborted() const { return aborting_; }
  const std::string& Failures() const { return failures_; }
  // Pumps this thread's messages until every step ran or the robot gave up; returns Done().
  bool RunUntilDone();
  // The visible windows of this thread that appeared after the robot was created.
  std::vector<HWND> NewWindows() const;

 private:
  struct Step {
    std::string description;
    std::function<bool(HWND)> windowTest;
    std::function<void(RobotWindow&)> windowAction;
    std::function<bool()> condition;
    std::function<void()> action;
  };

  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  bool TryStep(Step& step);
  void Unwind();

  std::vector<HWND> baseline_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int waited_ = 0;
  int stepLimit_;
  bool inTick_ = false;
  bool aborting_ = false;
  std::string failures_;
  UINT_PTR timer_ = 0;
};

}  // namespace tollward::testing
