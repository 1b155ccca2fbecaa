// The bitmap menu on the program's own menus and pictures, drawn into a memory context whose
// pixels are read back.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/controls/BitmapMenu.h"
#include "ui/framework/Handles.h"

namespace tollward::ui {
namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 18;
// What lay under the item before it was drawn, and the menu's background color.
constexpr COLORREF kUnderneath = RGB(0, 200, 200);
constexpr COLORREF kMenuBack = RGB(230, 230, 230);
constexpr COLORREF kDarkBlue = RGB(32, 32, 128);
constexpr int kEntryPopupUnregistered = 1;

bool IsAlive(HGDIOBJ object) {
  return ::GetObjectType(object) != 0;
}

// A 32-bit picture in a memory context.
class Canvas {
 public:
  Canvas(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    previous_ = ::SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(kUnderneath);
    ::FillRect(dc_, &all, brush);
    ::DeleteObject(brush);
    ::SetBkColor(dc_, kMenuBack);
    ::SetTextColor(dc_, RGB(0, 0, 0));
  }
  ~Canvas() {
    ::SelectObject(dc_, previous_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }
  std::set<COLORREF> ColorsIn(int left, int top, int right, int bottom) const {
    std::set<COLORREF> colors;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        colors.insert(At(x, y));
      }
    }
    return colors;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// The pixels of a bitmap, row by row.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof(info), &info);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, bitmap);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < info.bmHeight; ++y) {
    for (int x = 0; x < info.bmWidth; ++x) {
      pixels.push_back(::GetPixel(dc, x, y));
    }
  }
  ::SelectObject(dc, previous);
  ::DeleteDC(dc);
  return pixels;
}

class BitmapMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(menu_.LoadMenuResource(IDR_ENTRY_MENU));
    popup_ = menu_.GetSubMenu(kEntryPopupUnregistered);
    ASSERT_NE(nullptr, popup_);
  }

  bool Draw(const Canvas& canvas, UINT id, bool selected, HMENU popup = nullptr) const {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = selected ? ODS_SELECTED : 0;
    draw.hwndItem = reinterpret_cast<HWND>(popup != nullptr ? popup : popup_);
    draw.hDC = canvas.dc();
    draw.rcItem = RECT{0, 0, kWidth, kHeight};
    return menu_.DrawItem(&draw);
  }

  // The 13 × 13 picture lies at (2, 2) of an 18-pixel item; magenta shows what lay beneath.
  static void ExpectPicture(const Canvas& canvas, HBITMAP picture) {
    const std::vector<COLORREF> pixels = PixelsOf(picture);
    int transparent = 0;
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 13; ++x) {
        const COLORREF source = pixels[static_cast<size_t>(y * 13 + x)];
        transparent += source == kMenuTransparent ? 1 : 0;
        ASSERT_EQ(source == kMenuTransparent ? kUnderneath : source, canvas.At(2 + x, 2 + y))
            << x << "," << y;
      }
    }
    EXPECT_GT(transparent, 0);
  }

  CBitmapMenu menu_;
  HMENU popup_ = nullptr;
};

TEST_F(BitmapMenuTest, OnlyRegisteredMenuItemsAreAnsweredAndAFirstRecordStays) {
  CBitmapMenu empty;
  EXPECT_FALSE(empty.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  EXPECT_FALSE(empty.LoadMenuResource(9999));
  EXPECT_EQ(nullptr, empty.GetMenu());

  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  EXPECT_NE(0u, ::GetMenuState(popup_, ID_ENTRY_REGISTER, MF_BYCOMMAND) & MF_OWNERDRAW);
  EXPECT_EQ("register phonebook entry", menu_.Item(ID_ENTRY_REGISTER)->text());
  const HBITMAP first = menu_.Item(ID_ENTRY_REGISTER)->normalBitmap();
  EXPECT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_UNREGISTER));
  EXPECT_EQ(first, menu_.Item(ID_ENTRY_REGISTER)->normalBitmap());
  EXPECT_EQ("register phonebook entry", menu_.Item(ID_ENTRY_REGISTER)->text());

  EXPECT_FALSE(menu_.SetItemBitmap(12345, IDB_MENU_REGISTER));
  // A missing picture leaves the item owner-drawn but without a record: the owner's default.
  EXPECT_FALSE(menu_.SetItemBitmap(ID_ENTRY_UNREGISTERED_USER_PASS, 9999));
  EXPECT_EQ(nullptr, menu_.Item(ID_ENTRY_UNREGISTERED_USER_PASS));
  // An item without a text is refused before it is touched.
  ::ModifyMenuA(popup_, ID_ENTRY_UNREGISTERED_PROPERTIES, MF_BYCOMMAND | MF_STRING,
                ID_ENTRY_UNREGISTERED_PROPERTIES, "");
  EXPECT_FALSE(menu_.SetItemBitmap(ID_ENTRY_UNREGISTERED_PROPERTIES, IDB_MENU_PROPERTIES));
  EXPECT_EQ(0u,
            ::GetMenuState(popup_, ID_ENTRY_UNREGISTERED_PROPERTIES, MF_BYCOMMAND) & MF_OWNERDRAW);

  Canvas canvas(kWidth, kHeight);
  EXPECT_TRUE(Draw(canvas, ID_ENTRY_REGISTER, false));
  // Only the low 16 bits name the command.
  EXPECT_TRUE(Draw(canvas, ID_ENTRY_REGISTER | 0x10000, false));
  EXPECT_FALSE(Draw(canvas, ID_ENTRY_UNREGISTERED_USER_PASS, false));
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_BUTTON;
  measure.itemID = ID_ENTRY_REGISTER;
  EXPECT_FALSE(menu_.MeasureItem(&measure));
  measure.CtlType = ODT_MENU;
  EXPECT_TRUE(menu_.MeasureItem(&measure));
  measure.itemID = ID_ENTRY_UNREGISTERED_USER_PASS;
  EXPECT_FALSE(menu_.MeasureItem(&measure));

  menu_.RemoveAll();
  EXPECT_EQ(nullptr, menu_.GetMenu());
  EXPECT_FALSE(::IsMenu(popup_));
  EXPECT_FALSE(IsAlive(first));
}

// Screen readers cannot read an owner-drawn item's text from the menu; they find it in the item's
// data, behind the signature that says the data is theirs.
TEST_F(BitmapMenuTest, EachOwnerDrawnItemCarriesItsTextForScreenReadersAtAnyDpi) {
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_UNREGISTERED_PROPERTIES, IDB_MENU_PROPERTIES));
  auto accessibleText = [this](UINT id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    ::GetMenuItemInfoA(popup_, id, FALSE, &info);
    const auto* data = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
    EXPECT_NE(0u, info.fType & MFT_OWNERDRAW);
    if (data == nullptr || data->dwMSAASignature != static_cast<DWORD>(MSAA_MENU_SIG)) {
      return std::wstring(L"(no signature)");
    }
    return std::wstring(data->pszWText, data->cchWText);
  };
  EXPECT_EQ(L"register phonebook entry", accessibleText(ID_ENTRY_REGISTER));
  EXPECT_EQ(L"phonebook entry properties", accessibleText(ID_ENTRY_UNREGISTERED_PROPERTIES));

  // At 200 % the pictures are those drawn for it, and the items still carry their texts.
  menu_.SetDpi(192);
  EXPECT_EQ(26, BitmapSize(menu_.Item(ID_ENTRY_REGISTER)->normalBitmap()).cx);
  EXPECT_EQ(L"register phonebook entry", accessibleText(ID_ENTRY_REGISTER));
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = ID_ENTRY_REGISTER;
  ASSERT_TRUE(menu_.MeasureItem(&measure));
  EXPECT_GE(measure.itemHeight, 26u + 2);
}

TEST_F(BitmapMenuTest, ThePictureKeepsWhatLayBeneathItsMagentaAndIsFramedOnlyWhileSelected) {
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  const HBITMAP picture = menu_.Item(ID_ENTRY_REGISTER)->normalBitmap();
  // The frame's corners and an edge each: top-left edges, then bottom-right edges.
  const POINT light[] = {{1, 1}, {8, 1}, {1, 8}};
  const POINT dark[] = {{16, 1}, {16, 16}, {8, 16}};
  for (bool selected : {false, true}) {
    SCOPED_TRACE(selected ? "selected" : "not selected");
    Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(Draw(canvas, ID_ENTRY_REGISTER, selected));
    ExpectPicture(canvas, picture);
    for (const POINT& p : light) {
      EXPECT_EQ(selected ? RGB(255, 255, 255) : kMenuBack, canvas.At(p.x, p.y));
    }
    for (const POINT& p : dark) {
      EXPECT_EQ(selected ? RGB(0, 0, 0) : kMenuBack, canvas.At(p.x, p.y));
    }
    EXPECT_EQ(kUnderneath, canvas.At(0, 0));
    EXPECT_EQ(kMenuBack, ::GetBkColor(canvas.dc()));
  }
}

TEST_F(BitmapMenuTest, TheTextAreaShowsSelectionAndGreyingInItsColors) {
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  const COLORREF highlight = ::GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
  struct Case {
    bool grayed;
    bool selected;
    std::set<COLORREF> colors;
  };
  const Case cases[] = {
      {false, false, {kMenuBack, RGB(0, 0, 0)}},
      {false, true, {kDarkBlue, RGB(255, 255, 255)}},
      {true, true, {kDarkBlue, RGB(0xCC, 0xCC, 0xCC)}},
      // Embossed: the text in the shadow color over its own copy in the highlight color.
      {true, false, {kMenuBack, highlight, shadow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.grayed ? "grayed" : "enabled") + (c.selected ? ", selected" : ""));
    ::EnableMenuItem(popup_, ID_ENTRY_REGISTER, MF_BYCOMMAND | (c.grayed ? MF_GRAYED : MF_ENABLED));
    Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(Draw(canvas, ID_ENTRY_REGISTER, c.selected));
    EXPECT_EQ(c.colors, canvas.ColorsIn(21, 0, kWidth, kHeight));
    // The area reaches the item's right edge over its full height.
    EXPECT_EQ(c.selected ? kDarkBlue : kMenuBack, canvas.At(kWidth - 1, 0));
  }
}

TEST_F(BitmapMenuTest, AnItemMeasuresItsTextInTheMenuFontPlusThePictureColumn) {
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER));
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
  const std::string text = "register phonebook entry";
  SIZE extent{};
  ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = ID_ENTRY_REGISTER;
  ASSERT_TRUE(menu_.MeasureItem(&measure));
  EXPECT_EQ(static_cast<UINT>(extent.cx + 21), measure.itemWidth);
  EXPECT_EQ(static_cast<UINT>(std::max<LONG>(18, extent.cy + 4)), measure.itemHeight);
  EXPECT_GE(measure.itemHeight, 18u);
}

TEST_F(BitmapMenuTest, ACheckedItemShowsItsCheckedPictureOrElseTheNormalOne) {
  CBitmapMenu tray;
  ASSERT_TRUE(tray.LoadMenuResource(IDR_TRAY_MENU));
  HMENU trayPopup = tray.GetSubMenu(0);
  ASSERT_TRUE(tray.SetItemBitmap(ID_TRAY_MONITOR, IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON));
  ASSERT_TRUE(menu_.SetItemBitmap(ID_ENTRY_REGISTER, IDB_MENU_REGISTER, 0));
  const CBitmapMenuItem* monitor = tray.Item(ID_TRAY_MONITOR);
  const HBITMAP registerPicture = menu_.Item(ID_ENTRY_REGISTER)->normalBitmap();
  EXPECT_EQ(registerPicture, menu_.Item(ID_ENTRY_REGISTER)->checkedBitmap());
  for (bool checked : {false, true}) {
    SCOPED_TRACE(checked ? "checked" : "unchecked");
    ::CheckMenuItem(trayPopup, ID_TRAY_MONITOR, MF_BYCOMMAND | (checked ? MF_CHECKED : 0));
    ::CheckMenuItem(popup_, ID_ENTRY_REGISTER, MF_BYCOMMAND | (checked ? MF_CHECKED : 0));
    Canvas monitorCanvas(kWidth, kHeight);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = ID_TRAY_MONITOR;
    draw.hwndItem = reinterpret_cast<HWND>(trayPopup);
    draw.hDC = monitorCanvas.dc();
    draw.rcItem = RECT{0, 0, kWidth, kHeight};
    ASSERT_TRUE(tray.DrawItem(&draw));
    ExpectPicture(monitorCanvas, checked ? monitor->checkedBitmap() : monitor->normalBitmap());
    Canvas registerCanvas(kWidth, kHeight);
    ASSERT_TRUE(Draw(registerCanvas, ID_ENTRY_REGISTER, false));
    ExpectPicture(registerCanvas, registerPicture);
  }
}

TEST(BitmapMenuItem, ACopyOwnsCopiesOfThePicturesAndEitherMayGoFirst) {
  struct Case {
    UINT normal;
    UINT checked;
    bool copyFirst;
  };
  for (const Case& c : {Case{IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON, false},
                        Case{IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON, true},
                        Case{IDB_MENU_REGISTER, 0, false}, Case{IDB_MENU_REGISTER, 0, true}}) {
    SCOPED_TRACE(std::to_string(c.checked) + (c.copyFirst ? ", copy goes first" : ""));
    auto original = std::make_unique<CBitmapMenuItem>("item");
    ASSERT_TRUE(original->LoadBitmaps(c.normal, c.checked, RGB(1, 2, 3)));
    auto copy = std::make_unique<CBitmapMenuItem>(*original);
    const HBITMAP ours[] = {original->normalBitmap(), original->checkedBitmap()};
    const HBITMAP theirs[] = {copy->normalBitmap(), copy->checkedBitmap()};
    EXPECT_EQ("item", copy->text());
    EXPECT_EQ(RGB(1, 2, 3), copy->transparentColor());
    EXPECT_EQ(c.checked == 0, theirs[0] == theirs[1]);
    for (int i = 0; i < 2; ++i) {
      EXPECT_NE(ours[i], theirs[i]);
      EXPECT_EQ(PixelsOf(ours[i]), PixelsOf(theirs[i]));
    }
    (c.copyFirst ? copy : original).reset();
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(c.copyFirst, IsAlive(ours[i]));
      EXPECT_NE(c.copyFirst, IsAlive(theirs[i]));
    }
    original.reset();
    copy.reset();
    for (int i = 0; i < 2; ++i) {
      EXPECT_FALSE(IsAlive(ours[i]));
      EXPECT_FALSE(IsAlive(theirs[i]));
    }
  }
}

}  // namespace
}  // namespace tollward::ui
