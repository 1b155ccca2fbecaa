// The control center's template: every control where its dialog code and the user expect it.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <cstring>
#include <string>

#include "res/resource.h"
#include "ui/framework/Dialog.h"

namespace tollward::ui {
namespace {

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  RECT units;  // left, top, width, height in dialog units
  bool enabled;
  bool visible;
};

// Labels have no id of their own; they are found by their text.
constexpr int kLabel = -1;

const ExpectedControl kControls[] = {
    {kLabel, "Static", "unregistered phonebook entries", {7, 8, 251, 10}, true, true},
    {IDC_UNREGISTERED_LIST, "SysListView32", "", {7, 17, 251, 64}, true, true},
    {IDC_UNREGISTERED_PROPERTIES, "Button", "properties", {7, 81, 46, 11}, false, true},
    {IDC_UNREGISTERED_USER_PASS, "Button", "user/pass", {53, 81, 46, 11}, false, true},
    {IDC_REGISTER, "Button", "&register", {213, 81, 46, 11}, false, true},
    {kLabel, "Static", "registered phonebook entries", {7, 96, 251, 10}, true, true},
    {IDC_REGISTERED_LIST, "SysListView32", "", {7, 105, 251, 64}, true, true},
    {IDC_REGISTERED_PROPERTIES, "Button", "properties", {7, 169, 46, 11}, false, true},
    {IDC_REGISTERED_USER_PASS, "Button", "user/pass", {53, 169, 46, 11}, false, true},
    {IDC_UNREGISTER, "Button", "&unregister", {213, 169, 46, 11}, false, true},
    {IDC_HIDDEN_DEFAULT, "Button", "default", {328, 7, 10, 8}, false, false},
    {IDOK, "Button", "done", {288, 17, 50, 14}, true, true},
    {IDC_REFRESH, "Button", "&Refresh", {288, 40, 50, 14}, true, true},
    {IDC_MONITOR, "Button", "&Monitor", {288, 55, 50, 14}, true, true},
    {IDC_BAD_AREAS, "Button", "&Bad Areas", {288, 78, 50, 14}, true, true},
    {IDC_OPTIONS, "Button", "&Options", {288, 92, 50, 14}, true, true},
    {IDC_HELP_BUTTON, "Button", "&Help", {288, 115, 50, 14}, true, true},
    {IDC_ABOUT, "Button", "&About", {288, 129, 50, 14}, true, true},
    {IDCANCEL, "Button", "Cancel", {288, 166, 50, 14}, true, false},
};

HWND LabelWithText(HWND dialog, const char* text) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    char buffer[64] = {};
    ::GetWindowTextA(child, buffer, sizeof(buffer));
    if (std::strcmp(buffer, text) == 0) {
      return child;
    }
  }
  return nullptr;
}

// The dialog manager converts position and size each on its own, so a right edge is the sum of
// two rounded values, not the rounded sum.
RECT InDialogPixels(HWND dialog, const RECT& units) {
  RECT mapped = units;
  ::MapDialogRect(dialog, &mapped);
  return RECT{mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
}

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

DWORD Style(HWND hwnd) {
  return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

class ControlCenterTemplate : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.Create()); }
  CDialog dialog_{IDD_CONTROL_CENTER};
};

TEST_F(ControlCenterTemplate, HasEveryControlWithItsTextPlaceAndState) {
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(expected.text);
    HWND control = expected.id == kLabel ? LabelWithText(dialog_, expected.text)
                                         : dialog_.GetDlgItem(expected.id);
    ASSERT_NE(nullptr, control);
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof(className));
    EXPECT_STRCASEEQ(expected.className, className);
    EXPECT_EQ(expected.text, CWindow(control).GetText());
    const RECT want = InDialogPixels(dialog_, expected.units);
    const RECT got = ChildRect(dialog_, control);
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    EXPECT_EQ(want.right, got.right);
    EXPECT_EQ(want.bottom, got.bottom);
    EXPECT_EQ(expected.enabled, ::IsWindowEnabled(control) != FALSE);
    EXPECT_EQ(expected.visible, (Style(control) & WS_VISIBLE) != 0);
  }
}

TEST_F(ControlCenterTemplate, IsAFixedTopmostWindowWithMinimizeBoxOnly) {
  const DWORD style = Style(dialog_);
  const auto exStyle = static_cast<DWORD>(::GetWindowLongA(dialog_, GWL_EXSTYLE));
  EXPECT_EQ("Tollward", dialog_.GetText());
  EXPECT_NE(0u, style & WS_CAPTION);
  EXPECT_NE(0u, style & WS_SYSMENU);
  EXPECT_NE(0u, style & WS_MINIMIZEBOX);
  EXPECT_EQ(0u, style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(0u, exStyle & WS_EX_TOPMOST);
  EXPECT_NE(0u, exStyle & WS_EX_APPWINDOW);

  RECT client{};
  ::GetClientRect(dialog_, &client);
  const RECT want = InDialogPixels(dialog_, RECT{0, 0, 345, 188});
  EXPECT_EQ(want.right, client.right);
  EXPECT_EQ(want.bottom, client.bottom);
}

TEST_F(ControlCenterTemplate, ListViewsSortThemselvesAndKeepOneSelection) {
  const DWORD wanted = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING |
                       LVS_NOLABELWRAP | LVS_AUTOARRANGE | LVS_NOSORTHEADER;
  for (int id : {IDC_UNREGISTERED_LIST, IDC_REGISTERED_LIST}) {
    EXPECT_EQ(wanted, Style(dialog_.GetDlgItem(id)) & wanted) << id;
  }
}

TEST_F(ControlCenterTemplate, MonitorIsAPushLikeCheckBoxAndOnlyTheHiddenButtonIsDefault) {
  const DWORD monitor = Style(dialog_.GetDlgItem(IDC_MONITOR));
  EXPECT_EQ(static_cast<DWORD>(BS_AUTOCHECKBOX), monitor & BS_TYPEMASK);
  EXPECT_NE(0u, monitor & BS_PUSHLIKE);
  for (const ExpectedControl& control : kControls) {
    if (control.id == kLabel || std::strcmp(control.className, "Button") != 0 ||
        control.id == IDC_MONITOR) {
      continue;
    }
    const DWORD type = Style(dialog_.GetDlgItem(control.id)) & BS_TYPEMASK;
    EXPECT_EQ(control.id == IDC_HIDDEN_DEFAULT ? static_cast<DWORD>(BS_DEFPUSHBUTTON)
                                               : static_cast<DWORD>(BS_PUSHBUTTON),
              type)
        << control.text;
  }
}

}  // namespace
}  // namespace tollward::ui
