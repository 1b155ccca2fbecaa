// Drives the dialogs that a call on this thread opens: each new one is handed to the next step.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tollward::testing {

class DialogRobot {
 public:
  using Step = std::function<void(HWND dialog)>;

  // Watches from a thread timer, which keeps firing inside modal loops, until destroyed.
  explicit DialogRobot(std::vector<Step> steps);
  ~DialogRobot();
  DialogRobot(const DialogRobot&) = delete;
  DialogRobot& operator=(const DialogRobot&) = delete;

  std::size_t stepsTaken() const { return taken_; }
  // True when dialogs stayed open long after the steps ran out and the robot cancelled them.
  bool gaveUp() const { return gaveUp_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK Visit(HWND window, LPARAM robot);
  void OnTick();

  std::vector<Step> steps_;
  std::set<HWND> seen_;
  std::size_t taken_ = 0;
  unsigned idleTicks_ = 0;
  bool gaveUp_ = false;
  UINT_PTR timer_ = 0;
};

std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// Presses a button the way the user would, through the dialog's own message loop.
void Click(HWND dialog, int id);

}  // namespace tollward::testing
