// Drives the dialogs that a call on this thread opens: each new one is handed to the next step.
#include "tests/win/DialogRobot.h"

namespace tollward::testing {
namespace {

DialogRobot* active = nullptr;

constexpr UINT kTickMilliseconds = 20;
// A safety net against a hung test, not a measure of anything: about ten seconds of ticks.
constexpr unsigned kIdleTicksBeforeGivingUp = 500;

bool IsDialog(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window);
}

}  // namespace

DialogRobot::DialogRobot(std::vector<Step> steps) : steps_(std::move(steps)) {
  active = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

DialogRobot::~DialogRobot() {
  KillTimer(nullptr, timer_);
  active = nullptr;
}

void CALLBACK DialogRobot::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (active != nullptr) {
    active->OnTick();
  }
}

BOOL CALLBACK DialogRobot::Visit(HWND window, LPARAM robot) {
  auto* self = reinterpret_cast<DialogRobot*>(robot);
  if (!IsDialog(window)) {
    return TRUE;
  }
  if (self->gaveUp_) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  if (self->seen_.insert(window).second && self->taken_ < self->steps_.size()) {
    self->idleTicks_ = 0;
    self->steps_[self->taken_++](window);
  }
  return TRUE;
}

void DialogRobot::OnTick() {
  if (++idleTicks_ > kIdleTicksBeforeGivingUp) {
    gaveUp_ = true;
  }
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(this));
}

std::string ItemText(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

void Click(HWND dialog, int id) {
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace tollward::testing
