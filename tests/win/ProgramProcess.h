// A copy of the real program started in a process of its own and watched from outside.
#pragma once

#include "platform/win32/WinApi.h"

#include <functional>
#include <string>

namespace tollward::testing {

class Program {
 public:
  // Starts `exe` with the switches appended to its quoted path, in the program's own folder.
  Program(const std::string& exe, const std::string& switches);
  // A program still running at the end of a test is ended, so that no test leaves one behind.
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return started_; }
  bool IsRunning() const;
  // A limit against a hung test, not a measure of the program.
  bool WaitForExit(DWORD& code) const;
  // Cancel on the control center, Yes to the quit question, then the exit: how a user ends the
  // program. False when the question or the exit does not come.
  bool QuitWithYes(HWND controlCenter, DWORD& code) const;
  // The first visible top-level window of the program that passes the test; null if none comes.
  HWND WaitForWindow(const std::function<bool(HWND)>& test) const;
  HWND FindWindowNow(const std::function<bool(HWND)>& test) const;

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// The control center: caption "Tollward" and the unregistered list view.
bool IsControlCenter(HWND hwnd);
std::function<bool(HWND)> MessageBoxSaying(const std::string& text);

}  // namespace tollward::testing
