// The control-color handlers, kept as a property of the control's window.
#include "ui/framework/ControlColor.h"

namespace tollward::ui {
namespace {

constexpr char kHandlerProperty[] = "ui.ControlColorHandler";

}  // namespace

bool SetControlColorHandler(HWND control, IControlColorHandler* handler) {
  if (control == nullptr || !::IsWindow(control)) {
    return false;
  }
  if (handler == nullptr) {
    ::RemovePropA(control, kHandlerProperty);
    return true;
  }
  return ::SetPropA(control, kHandlerProperty, static_cast<HANDLE>(handler)) != FALSE;
}

IControlColorHandler* GetControlColorHandler(HWND control) {
  if (control == nullptr || !::IsWindow(control)) {
    return nullptr;
  }
  return static_cast<IControlColorHandler*>(::GetPropA(control, kHandlerProperty));
}

bool IsControlColorMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool ReflectControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!IsControlColorMessage(message)) {
    return false;
  }
  IControlColorHandler* handler = GetControlColorHandler(reinterpret_cast<HWND>(lParam));
  if (handler == nullptr) {
    return false;
  }
  HBRUSH brush = handler->CtlColor(reinterpret_cast<HDC>(wParam), message);
  if (brush == nullptr) {
    return false;
  }
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

}  // namespace tollward::ui
