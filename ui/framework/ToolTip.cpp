// Creation of the tooltip control and registration of the controls it describes.
#include "ui/framework/ToolTip.h"

namespace tollward::ui {
namespace {

TTTOOLINFOA ToolFor(HWND control) {
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = ::GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

bool CToolTip::Create(HWND owner, DWORD style) {
  HWND hwnd = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, ::GetModuleHandleA(nullptr), nullptr);
  Attach(hwnd);
  return hwnd != nullptr;
}

bool CToolTip::AddTool(HWND control, const char* text) const {
  if (control == nullptr) {
    return false;
  }
  TTTOOLINFOA tool = ToolFor(control);
  tool.lpszText = const_cast<char*>(text != nullptr ? text : "");
  return Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

std::string CToolTip::GetToolText(HWND control) const {
  // TTM_GETTEXT has no length query; tips are short (the system limits them to 80 characters
  // when they are given by callback, and this program's are shorter still).
  char buffer[1024] = {};
  TTTOOLINFOA tool = ToolFor(control);
  tool.lpszText = buffer;
  Send(TTM_GETTEXTA, sizeof(buffer), reinterpret_cast<LPARAM>(&tool));
  return std::string(buffer);
}

}  // namespace tollward::ui
