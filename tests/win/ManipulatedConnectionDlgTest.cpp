// The manipulated-connection report from its real template: values, masking, colors, closing.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/FieldColors.h"
#include "tests/win/Robot.h"
#include "ui/framework/ListView.h"
#include "ui/dialogs/ManipulatedConnectionDlg.h"

namespace tollward::ui {
namespace {

using testing::ColorName;
using testing::FontOf;
using testing::FromTemplate;
using testing::QueryFieldColors;
using testing::Robot;
using testing::RobotWindow;

constexpr int kValueFields[] = {IDC_REGISTERED_AREA_CODE,    IDC_ALTERED_AREA_CODE,
                                IDC_REGISTERED_LOCAL_NUMBER, IDC_ALTERED_LOCAL_NUMBER,
                                IDC_REGISTERED_USER_NAME,    IDC_ALTERED_USER_NAME,
                                IDC_REGISTERED_PASSWORD,     IDC_ALTERED_PASSWORD};

ManipulationReport OfficeReport() {
  ManipulationReport report;
  report.entryName = "Office";
  report.areaCode = {"089", "089"};
  report.localNumber = {"1234567", "0190666"};
  report.userName = {"smith", "Smith"};
  report.password = {"", "secret"};
  return report;
}

DWORD Style(HWND hwnd) {
  return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

TEST(ManipulatedConnectionDlg, ColorsEachRowByItsTwoValuesAndTheNameGreyInItsLargerFont) {
  CManipulatedConnectionDlg dialog;
  dialog.SetReport(OfficeReport());
  ASSERT_TRUE(dialog.Create());

  std::vector<std::string> colors;
  for (int id : kValueFields) {
    const testing::FieldColors answer = QueryFieldColors(dialog, id);
    EXPECT_EQ(answer.background, answer.brushColor) << id;
    EXPECT_EQ(RGB(0, 0, 0), answer.text) << id;
    colors.push_back(ColorName(answer.brushColor));
  }
  // Area code equal; local number changed; user name changed only in letter case; password set.
  EXPECT_EQ(colors,
            (std::vector<std::string>{"green", "green", "red", "red", "red", "red", "red", "red"}));

  const testing::FieldColors name = QueryFieldColors(dialog, IDC_ENTRY_NAME);
  EXPECT_EQ("grey", ColorName(name.brushColor));
  EXPECT_EQ(RGB(0, 0, 0), name.text);
  LOGFONTA font{};
  ASSERT_NE(0, ::GetObjectA(FontOf(dialog.GetDlgItem(IDC_ENTRY_NAME)), sizeof(font), &font));
  EXPECT_EQ(20, font.lfHeight);
  EXPECT_EQ(10, font.lfWidth);
  // The other fields keep the dialog's font.
  EXPECT_EQ(FontOf(dialog), FontOf(dialog.GetDlgItem(IDC_ALTERED_PASSWORD)));
}

// Spies on the texts the fields are given while the dialog starts.
std::vector<int>* g_textOrder = nullptr;

LRESULT CALLBACK RecordSetText(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_SETTEXT && g_textOrder != nullptr &&
      ::GetParent(message->hwnd) != nullptr) {
    g_textOrder->push_back(::GetDlgCtrlID(message->hwnd));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ManipulatedConnectionDlg, FillsItsFieldsInTheirFixedOrder) {
  std::vector<int> order;
  g_textOrder = &order;
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordSetText, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(nullptr, hook);
  CManipulatedConnectionDlg dialog;
  dialog.SetReport(OfficeReport());
  const bool created = dialog.Create();
  ::UnhookWindowsHookEx(hook);
  g_textOrder = nullptr;
  ASSERT_TRUE(created);
  EXPECT_EQ(order, (std::vector<int>{
                       IDC_REGISTERED_AREA_CODE, IDC_ALTERED_AREA_CODE, IDC_REGISTERED_LOCAL_NUMBER,
                       IDC_ALTERED_LOCAL_NUMBER, IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD,
                       IDC_REGISTERED_USER_NAME, IDC_ALTERED_USER_NAME, IDC_ENTRY_NAME}));
}

TEST(ManipulatedConnectionDlg, IsATopmostCenterdNoticeWithOnlyOKToEndItAndEscapeDoesTheSame) {
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT window{};
  HWND focus = nullptr;
  HWND okButton = nullptr;
  bool cancelVisible = true;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
    style = Style(report.hwnd());
    exStyle = static_cast<DWORD>(::GetWindowLongA(report.hwnd(), GWL_EXSTYLE));
    ::GetWindowRect(report.hwnd(), &window);
    focus = ::GetFocus();
    okButton = ::GetDlgItem(report.hwnd(), IDOK);
    cancelVisible = report.IsItemVisible(IDCANCEL);
    report.PressKey(IDOK, VK_ESCAPE);
  });
  CManipulatedConnectionDlg dialog;
  dialog.SetReport(OfficeReport());
  EXPECT_EQ(IDOK, dialog.DoModal());
  ASSERT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_NE(0u, style & WS_CAPTION);
  EXPECT_EQ(0u, style & WS_SYSMENU);
  EXPECT_NE(0u, exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(cancelVisible);
  EXPECT_EQ(okButton, focus);

  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const POINT expected = CenteredOrigin(window, work, work);
  EXPECT_NEAR(expected.x, window.left, 1);
  EXPECT_NEAR(expected.y, window.top, 1);
}

RECT RectOf(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  return rect;
}

TEST(ManipulatedConnectionDlg, ListsDifferingFurtherPropertiesInRedAboveOKAndGrowsOnlyForThem) {
  CManipulatedConnectionDlg plain;
  plain.SetReport(OfficeReport());
  ASSERT_TRUE(plain.Create());
  EXPECT_EQ(0u, Style(plain.GetDlgItem(IDC_FURTHER_PROPERTIES)) & WS_VISIBLE);

  ManipulationReport report = OfficeReport();
  report.furtherRows = {{"Name server", "192.168.1.1", "6.6.6.6"},
                        {"Dial script", "", "C:\\evil.scp"}};
  CManipulatedConnectionDlg dialog;
  dialog.SetReport(report);
  ASSERT_TRUE(dialog.Create());
  const CListView list(dialog.GetDlgItem(IDC_FURTHER_PROPERTIES));
  ASSERT_NE(0u, Style(list) & WS_VISIBLE);
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(0, 0), "Name server");
  EXPECT_EQ(list.GetItemText(0, 1), "192.168.1.1");
  EXPECT_EQ(list.GetItemText(0, 2), "6.6.6.6");
  EXPECT_EQ(list.GetItemText(1, 2), "C:\\evil.scp");
  EXPECT_EQ(ColorName(list.GetTextBkColor()), "red");

  // OK moved below the list, the password row above it, and the dialog grew by the list.
  EXPECT_GE(RectOf(dialog.GetDlgItem(IDOK)).top, RectOf(list).bottom);
  EXPECT_LE(RectOf(dialog.GetDlgItem(IDC_ALTERED_PASSWORD)).bottom, RectOf(list).top);
  const RECT grown = RectOf(dialog);
  const RECT before = RectOf(plain);
  EXPECT_EQ(grown.right - grown.left, before.right - before.left);
  EXPECT_GE(grown.bottom - grown.top,
            before.bottom - before.top + (RectOf(list).bottom - RectOf(list).top));
  EXPECT_LE(RectOf(dialog.GetDlgItem(IDOK)).bottom, grown.bottom);
}

}  // namespace
}  // namespace tollward::ui
