// The color field on a real edit control: its answer to the color query, its brush and its font.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <algorithm>
#include <vector>

#include "res/resource.h"
#include "tests/win/FieldColors.h"
#include "ui/controls/ColorEdit.h"
#include "ui/framework/Dialog.h"

namespace tollward::ui {
namespace {

using testing::FieldColors;
using testing::FontOf;
using testing::QueryFieldColors;

// A dialog on the report's template that counts the color queries of one control and leaves
// them to the framework, as a dialog without colors of its own does.
class CCountingDlg : public CDialog {
 public:
  CCountingDlg() : CDialog(IDD_MANIPULATED_CONNECTION) {}
  HWND watched = nullptr;
  int queries = 0;

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) override {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == watched) {
      ++queries;
    }
    return false;
  }
};

class ColorEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog_.Create());
    field_ = dialog_.GetDlgItem(IDC_ENTRY_NAME);
    dialog_.watched = field_;
  }

  FieldColors Query(HWND control) const { return QueryFieldColors(dialog_, control); }

  CCountingDlg dialog_;
  HWND field_ = nullptr;
};

bool IsAlive(HGDIOBJ object) {
  return ::GetObjectType(object) != 0;
}

TEST_F(ColorEditTest, AFieldAnswersForItselfOnlyWhileBoundAndStartsBlackOnWhite) {
  HWND other = dialog_.GetDlgItem(IDC_ALTERED_AREA_CODE);
  // The platform's own answer, for a control without colors of its own.
  const HBRUSH plain = Query(other).brush;
  auto answersForItself = [&](HWND control) { return Query(control).brush != plain; };
  {
    CColorEdit edit;
    ASSERT_TRUE(edit.BindDlgItem(dialog_, IDC_ENTRY_NAME));
    const FieldColors answer = Query(field_);
    EXPECT_EQ(edit.GetBrush(), answer.brush);
    EXPECT_EQ(RGB(255, 255, 255), answer.brushColor);
    EXPECT_EQ(RGB(255, 255, 255), answer.background);
    EXPECT_EQ(RGB(0, 0, 0), answer.text);
    EXPECT_EQ(FontOf(dialog_), FontOf(field_));
    EXPECT_FALSE(answersForItself(other));

    edit.Unbind();
    EXPECT_FALSE(answersForItself(field_));
    ASSERT_TRUE(edit.Bind(field_));
    // Binding elsewhere lets go of the first control.
    ASSERT_TRUE(edit.Bind(other));
    EXPECT_FALSE(answersForItself(field_));
    EXPECT_TRUE(answersForItself(other));
    EXPECT_FALSE(edit.Bind(nullptr));
    EXPECT_FALSE(answersForItself(other));
    ASSERT_TRUE(edit.Bind(other));
  }
  // A field that went first must not be asked any more.
  EXPECT_FALSE(answersForItself(other));
}

// The color at the middle of the control's client area, painted by its own paint code.
COLORREF PaintedMiddle(HWND control) {
  RECT client{};
  ::GetClientRect(control, &client);
  HDC screen = ::GetDC(control);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
  const COLORREF middle = ::GetPixel(dc, client.right / 2, client.bottom / 2);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(control, screen);
  return middle;
}

TEST_F(ColorEditTest, SetColorsReplacesTheBrushAndRepaintsBeforeReturning) {
  dialog_.Show(SW_SHOWNA);
  ::UpdateWindow(dialog_);
  ::SetWindowTextA(field_, "");
  CColorEdit edit;
  ASSERT_TRUE(edit.BindDlgItem(dialog_, IDC_ENTRY_NAME));
  const HBRUSH white = edit.GetBrush();

  const int before = dialog_.queries;
  ASSERT_TRUE(edit.SetColors(RGB(0, 0, 128), RGB(255, 208, 208)));
  EXPECT_GT(dialog_.queries, before);
  EXPECT_FALSE(IsAlive(white));
  const FieldColors answer = Query(field_);
  EXPECT_EQ(edit.GetBrush(), answer.brush);
  EXPECT_EQ(RGB(255, 208, 208), answer.brushColor);
  EXPECT_EQ(RGB(255, 208, 208), answer.background);
  EXPECT_EQ(RGB(0, 0, 128), answer.text);
  EXPECT_EQ(RGB(255, 208, 208), PaintedMiddle(field_));

  // Of all the brushes made on the way only the last one may remain. (Wine counts no GDI objects,
  // so there the handles themselves carry the check.)
  std::vector<HBRUSH> brushes{edit.GetBrush()};
  const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 20; ++i) {
    edit.SetColors(RGB(0, 0, 0), RGB(208, 255, i));
    brushes.push_back(edit.GetBrush());
  }
  EXPECT_EQ(objects, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
  EXPECT_EQ(1, std::count_if(brushes.begin(), brushes.end(), IsAlive));
  EXPECT_EQ(RGB(208, 255, 19), Query(field_).brushColor);
}

TEST_F(ColorEditTest, AFontSetBeforeBindingTakesEffectThenAndEachFontIsDeletedOnce) {
  HGDIOBJ firstFont = nullptr;
  HGDIOBJ secondFont = nullptr;
  HGDIOBJ brush = nullptr;
  {
    CColorEdit edit;
    ASSERT_TRUE(edit.SetTextFont(16, 8));
    firstFont = edit.GetTextFont();
    EXPECT_NE(firstFont, FontOf(field_));
    ASSERT_TRUE(edit.BindDlgItem(dialog_, IDC_ENTRY_NAME));
    EXPECT_EQ(firstFont, FontOf(field_));

    ASSERT_TRUE(edit.SetTextFont(20, 10));
    secondFont = edit.GetTextFont();
    EXPECT_FALSE(IsAlive(firstFont));
    EXPECT_EQ(secondFont, FontOf(field_));
    LOGFONTA font{};
    ASSERT_EQ(static_cast<int>(sizeof(font)), ::GetObjectA(secondFont, sizeof(font), &font));
    EXPECT_EQ(20, font.lfHeight);
    EXPECT_EQ(10, font.lfWidth);
    EXPECT_EQ(600, font.lfWeight);
    EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
    EXPECT_EQ(0, font.lfItalic + font.lfUnderline + font.lfStrikeOut);
    EXPECT_STREQ("", font.lfFaceName);
    brush = edit.GetBrush();
  }
  EXPECT_FALSE(IsAlive(secondFont));
  EXPECT_FALSE(IsAlive(brush));
  // The control is not left with a deleted font.
  EXPECT_EQ(FontOf(dialog_), FontOf(field_));
}

}  // namespace
}  // namespace tollward::ui
