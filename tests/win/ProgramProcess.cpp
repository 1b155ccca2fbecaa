// A copy of the real program started in a process of its own and watched from outside.
#include "tests/win/ProgramProcess.h"

#include "res/resource.h"
#include "tests/win/Robot.h"

namespace tollward::testing {

Program::Program(const std::string& exe, const std::string& switches) {
  std::string commandLine = '"' + exe + '"' + switches;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  started_ = ::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process_) != FALSE;
}

Program::~Program() {
  if (started_) {
    if (IsRunning()) {
      ::TerminateProcess(process_.hProcess, 99);
      ::WaitForSingleObject(process_.hProcess, 5000);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
}

bool Program::IsRunning() const {
  return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD& code) const {
  if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
    return false;
  }
  return ::GetExitCodeProcess(process_.hProcess, &code) != FALSE;
}

bool Program::QuitWithYes(HWND controlCenter, DWORD& code) const {
  ::PostMessageA(controlCenter, WM_COMMAND, IDCANCEL, 0);
  const HWND question = WaitForWindow(MessageBoxSaying("Do you really want to quit now?"));
  if (question == nullptr) {
    return false;
  }
  ::PostMessageA(question, WM_COMMAND, IDYES, 0);
  return WaitForExit(code);
}

HWND Program::WaitForWindow(const std::function<bool(HWND)>& test) const {
  for (int i = 0; i < 600 && IsRunning(); ++i) {
    if (HWND found = FindWindowNow(test)) {
      return found;
    }
    ::Sleep(50);
  }
  return nullptr;
}

HWND Program::FindWindowNow(const std::function<bool(HWND)>& test) const {
  struct Search {
    DWORD process;
    const std::function<bool(HWND)>* test;
    HWND found;
  } search{process_.dwProcessId, &test, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->process && ::IsWindowVisible(hwnd) && (*s->test)(hwnd)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsControlCenter(HWND hwnd) {
  return RobotWindow(hwnd).Caption() == "Tollward" &&
         RobotWindow(hwnd).HasItem(IDC_UNREGISTERED_LIST);
}

std::function<bool(HWND)> MessageBoxSaying(const std::string& text) {
  return [text](HWND hwnd) { return RobotWindow(hwnd).MessageText() == text; };
}

}  // namespace tollward::testing
