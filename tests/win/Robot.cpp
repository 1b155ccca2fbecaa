// A test robot that drives the program's real windows from inside their own message loops.
#include "tests/win/Robot.h"

#include <algorithm>

#include "ui/framework/Dialog.h"
#include "ui/framework/ListView.h"

namespace tollward::testing {
namespace {

// Ticks are a safeguard only: the steps of a healthy test each take a few ticks.
constexpr UINT kTickMilliseconds = 20;
constexpr int kStepLimitTicks = 750;

Robot* g_robot = nullptr;

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  if (::IsWindowVisible(hwnd)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  }
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool HasClass(HWND hwnd, const char* name) {
  char className[16] = {};
  ::GetClassNameA(hwnd, className, sizeof(className));
  return ::lstrcmpiA(className, name) == 0;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool IsMessageBox(HWND hwnd) {
  return HasClass(hwnd, "#32770") && ui::CDialog::FromHandle(hwnd) == nullptr &&
         ::GetDlgItem(hwnd, 0xFFFF) != nullptr;
}

}  // namespace

std::string RobotWindow::Caption() const {
  return ui::CWindow(hwnd_).GetText();
}

std::string RobotWindow::ItemText(int id) const {
  return ui::CWindow(hwnd_).GetItemText(id);
}

HICON RobotWindow::MessageIcon() const {
  for (HWND child : Children(hwnd_)) {
    if (HasClass(child, "Static") &&
        (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      return reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
  }
  return nullptr;
}

std::vector<int> RobotWindow::VisibleButtons() const {
  std::vector<int> ids;
  for (HWND child : Children(hwnd_)) {
    if (HasClass(child, "Button") && ::IsWindowVisible(child)) {
      ids.push_back(::GetDlgCtrlID(child));
    }
  }
  return ids;
}

bool RobotWindow::IsItemEnabled(int id) const {
  return ::IsWindowEnabled(::GetDlgItem(hwnd_, id)) != FALSE;
}

bool RobotWindow::IsItemVisible(int id) const {
  return ::IsWindowVisible(::GetDlgItem(hwnd_, id)) != FALSE;
}

bool RobotWindow::IsChecked(int id) const {
  return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

int RobotWindow::ListCount(int id) const {
  return ui::CListView(::GetDlgItem(hwnd_, id)).GetItemCount();
}

std::string RobotWindow::ListText(int id, int row, int column) const {
  return ui::CListView(::GetDlgItem(hwnd_, id)).GetItemText(row, column);
}

int RobotWindow::ListSelectionMark(int id) const {
  return ui::CListView(::GetDlgItem(hwnd_, id)).GetSelectionMark();
}

void RobotWindow::Click(int id) const {
  ::PostMessageA(::GetDlgItem(hwnd_, id), BM_CLICK, 0, 0);
}

void RobotWindow::Command(int id, int code) const {
  ::PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(::GetDlgItem(hwnd_, id)));
}

void RobotWindow::PressKey(int id, UINT virtualKey) const {
  HWND target = id == 0 ? hwnd_ : ::GetDlgItem(hwnd_, id);
  const UINT scan = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void RobotWindow::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  ::PostMessageA(hwnd_, message, wParam, lParam);
}

void RobotWindow::SetItemText(int id, const char* text) const {
  ::SetDlgItemTextA(hwnd_, id, text);
}

void RobotWindow::SelectListItem(int id, int row) const {
  ui::CListView(::GetDlgItem(hwnd_, id)).SelectItem(row);
}

WindowMatch WithCaption(const std::string& caption) {
  return {"a window captioned \"" + caption + "\"",
          [caption](HWND hwnd) { return ui::CWindow(hwnd).GetText() == caption; }};
}

WindowMatch FromTemplate(UINT templateId) {
  return {"a dialog from template " + std::to_string(templateId), [templateId](HWND hwnd) {
            const ui::CDialog* dialog = ui::CDialog::FromHandle(hwnd);
            return dialog != nullptr && dialog->TemplateId() == templateId;
          }};
}

WindowMatch MessageBoxWith(const std::string& part) {
  return {"a message box saying \"" + part + "\"", [part](HWND hwnd) {
            return IsMessageBox(hwnd) &&
                   RobotWindow(hwnd).MessageText().find(part) != std::string::npos;
          }};
}

WindowMatch AnyMessageBox() {
  return {"any message box", &IsMessageBox};
}

Robot::Robot() : baseline_(ThreadWindows()), stepLimit_(kStepLimitTicks) {
  g_robot = this;
  timer_ = ::SetTimer(nullptr, 0, kTickMilliseconds, &Robot::OnTick);
}

Robot::~Robot() {
  if (timer_ != 0) {
    ::KillTimer(nullptr, timer_);
  }
  if (g_robot == this) {
    g_robot = nullptr;
  }
}

Robot& Robot::OnWindow(WindowMatch match, std::function<void(RobotWindow&)> action) {
  steps_.push_back({match.description, match.test, std::move(action), nullptr, nullptr});
  return *this;
}

Robot& Robot::When(std::string description, std::function<bool()> condition,
                   std::function<void()> action) {
  steps_.push_back(
      {std::move(description), nullptr, nullptr, std::move(condition), std::move(action)});
  return *this;
}

Robot& Robot::Then(std::function<void()> action) {
  return When(
      "the next tick", [] { return true; }, std::move(action));
}

std::vector<HWND> Robot::NewWindows() const {
  std::vector<HWND> windows = ThreadWindows();
  windows.erase(std::remove_if(windows.begin(), windows.end(),
                               [this](HWND hwnd) {
                                 return std::find(baseline_.begin(), baseline_.end(), hwnd) !=
                                        baseline_.end();
                               }),
                windows.end());
  return windows;
}

bool Robot::RunUntilDone() {
  MSG message{};
  while (!Done() && !aborting_ && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return Done();
}

void CALLBACK Robot::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_robot != nullptr) {
    g_robot->Tick();
  }
}

void Robot::Tick() {
  // An action may open a nested loop in which this timer fires again; one step at a time.
  if (inTick_) {
    return;
  }
  inTick_ = true;
  if (aborting_) {
    Unwind();
  } else if (next_ < steps_.size()) {
    if (TryStep(steps_[next_])) {
      ++next_;
      waited_ = 0;
    } else if (++waited_ > stepLimit_) {
      failures_ += "step " + std::to_string(next_ + 1) + " waited in vain for " +
                   steps_[next_].description + "\n";
      aborting_ = true;
      Unwind();
    }
  }
  inTick_ = false;
}

bool Robot::TryStep(Step& step) {
  if (step.windowTest) {
    for (HWND hwnd : NewWindows()) {
      if (step.windowTest(hwnd)) {
        RobotWindow window(hwnd);
        step.windowAction(window);
        return true;
      }
    }
    return false;
  }
  if (!step.condition()) {
    return false;
  }
  step.action();
  return true;
}

void Robot::Unwind() {
  for (HWND hwnd : NewWindows()) {
    if (IsMessageBox(hwnd)) {
      const int answer = ::GetDlgItem(hwnd, IDYES) != nullptr ? IDYES : IDOK;
      ::PostMessageA(hwnd, WM_COMMAND, answer, 0);
    } else if (::IsWindowEnabled(hwnd)) {
      ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    }
  }
}

}  // namespace tollward::testing
