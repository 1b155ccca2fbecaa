// The bitmap menu: registering its items, measuring and drawing them, and the transparent blit.
#include "ui/controls/BitmapMenu.h"

#include <utility>
#include <vector>

#include "ui/framework/Dpi.h"
#include "ui/framework/HighContrast.h"

namespace tollward::ui {
namespace {

constexpr COLORREF kSelectedBackground = RGB(32, 32, 128);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kSelectedGrayedText = RGB(0xCC, 0xCC, 0xCC);

// The dark blue and its light texts, or in a high-contrast scheme the system's colors for a
// selection, which the user chose to be readable.
struct SelectionColors {
  COLORREF background;
  COLORREF text;
  COLORREF grayedText;
};

SelectionColors SelectionColorsNow() {
  if (HighContrastOn()) {
    return SelectionColors{::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                           ::GetSysColor(COLOR_GRAYTEXT)};
  }
  return SelectionColors{kSelectedBackground, kSelectedText, kSelectedGrayedText};
}

// The menu's own picture in the drawing for `dpi`, or the 100 % one where there is none.
UINT PictureIdForDpi(UINT id, unsigned dpi) {
  const UINT drawn = PictureForDpi(id, dpi);
  if (drawn != id &&
      ::FindResourceA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(drawn), RT_BITMAP) == nullptr) {
    return id;
  }
  return drawn;
}

std::wstring Widened(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) {
    return std::wstring();
  }
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}
// The state bits that an item keeps when it becomes owner-drawn.
constexpr UINT kKeptStates = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBREAK | MF_MENUBARBREAK;

Extent SizeOf(HBITMAP bitmap) {
  const SIZE size = BitmapSize(bitmap);
  return Extent{size.cx, size.cy};
}

Box BoxOf(const RECT& rect) {
  return Box{rect.left, rect.top, rect.right, rect.bottom};
}

// Fills without a brush of its own; the context's background color is left as it was.
void FillSolidRect(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  const COLORREF previous = ::SetBkColor(dc, color);
  const RECT rect{left, top, right, bottom};
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

// A one-pixel frame of `width` × `height` at (x, y): top and left edges in one color, right
// and bottom in the other.
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight) {
  FillSolidRect(dc, x, y, x + width - 1, y + 1, topLeft);
  FillSolidRect(dc, x, y, x + 1, y + height - 1, topLeft);
  FillSolidRect(dc, x + width - 1, y, x + width, y + height, bottomRight);
  FillSolidRect(dc, x, y + height - 1, x + width, y + height, bottomRight);
}

std::string MenuText(HMENU menu, UINT id) {
  const int length = ::GetMenuStringA(menu, id, nullptr, 0, MF_BYCOMMAND);
  if (length <= 0) {
    return std::string();
  }
  // Room to spare: some platforms count the length in other units than they copy.
  std::vector<char> text(2 * static_cast<size_t>(length) + 2, '\0');
  ::GetMenuStringA(menu, id, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND);
  return std::string(text.data());
}

}  // namespace

CMenuItemPictures& CMenuItemPictures::operator=(const CMenuItemPictures& other) {
  if (this != &other) {
    Release();
    CopyFrom(other);
  }
  return *this;
}

bool CMenuItemPictures::Load(const MenuItemPictureIds& ids) {
  Release();
  ids_ = ids;
  if (ids.normal != 0) {
    normal_ = LoadResourceBitmap(ids.normal);
    if (!normal_) {
      return false;
    }
  }
  if (!ids.Shared()) {
    checked_ = LoadResourceBitmap(ids.checked);
  }
  return ids.Shared() || static_cast<bool>(checked_);
}

HBITMAP CMenuItemPictures::Shown(bool checked) const {
  return PictureShown(ids_, checked) == MenuItemPicture::kChecked ? checked_.get() : normal_.get();
}

void CMenuItemPictures::CopyFrom(const CMenuItemPictures& other) {
  ids_ = other.ids_;
  normal_ = CopyBitmap(other.normal_.get());
  checked_ = CopyBitmap(other.checked_.get());
}

void CMenuItemPictures::Release() {
  checked_.reset();
  normal_.reset();
  ids_ = MenuItemPictureIds{};
}

CBitmapMenuItem::CBitmapMenuItem() {
  PointAccessibleInfo();
}

CBitmapMenuItem::CBitmapMenuItem(std::string text)
    : m_text(std::move(text)), m_wideText(Widened(m_text)) {
  PointAccessibleInfo();
}

CBitmapMenuItem::CBitmapMenuItem(const CBitmapMenuItem& other)
    : m_metrics(other.m_metrics),
      m_pictures(other.m_pictures),
      m_transparent(other.m_transparent),
      m_text(other.m_text),
      m_dpi(other.m_dpi),
      m_normalId(other.m_normalId),
      m_checkedId(other.m_checkedId),
      m_wideText(other.m_wideText) {
  PointAccessibleInfo();
}

CBitmapMenuItem& CBitmapMenuItem::operator=(const CBitmapMenuItem& other) {
  if (this != &other) {
    m_metrics = other.m_metrics;
    m_pictures = other.m_pictures;
    m_transparent = other.m_transparent;
    m_text = other.m_text;
    m_dpi = other.m_dpi;
    m_normalId = other.m_normalId;
    m_checkedId = other.m_checkedId;
    m_wideText = other.m_wideText;
    PointAccessibleInfo();
  }
  return *this;
}

void CBitmapMenuItem::PointAccessibleInfo() {
  m_accessible.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
  m_accessible.cchWText = static_cast<DWORD>(m_wideText.size());
  m_accessible.pszWText = m_wideText.empty() ? nullptr : m_wideText.data();
}

bool CBitmapMenuItem::LoadBitmaps(UINT normalId, UINT checkedId, COLORREF transparent) {
  m_transparent = transparent;
  m_normalId = normalId;
  m_checkedId = checkedId;
  return m_pictures.Load(
      MenuItemPictureIds{PictureIdForDpi(normalId, m_dpi), PictureIdForDpi(checkedId, m_dpi)});
}

bool CBitmapMenuItem::SetDpi(unsigned dpi) {
  m_dpi = dpi;
  m_metrics = MenuItemMetrics::ForDpi(dpi);
  return LoadBitmaps(m_normalId, m_checkedId, m_transparent);
}

void CBitmapMenuItem::Measure(MEASUREITEMSTRUCT* measure) const {
  SIZE text{0, 0};
  if (const CScreenContext screen = ScreenContext()) {
    // The font the menu draws with at its DPI: the stock GUI font keeps its 96-DPI size.
    const LOGFONTA menuFont = MenuFontForDpi(m_dpi);
    const CFont font(::CreateFontIndirectA(&menuFont));
    const CSelection selection = SelectInto(
        screen.get(), font ? font.get() : static_cast<HGDIOBJ>(::GetStockObject(DEFAULT_GUI_FONT)));
    ::GetTextExtentPoint32A(screen.get(), m_text.c_str(), static_cast<int>(m_text.size()), &text);
  }
  const Extent size = MeasureMenuItem(m_metrics, Extent{text.cx, text.cy}, SizeOf(normalBitmap()),
                                      SizeOf(checkedBitmap()));
  measure->itemWidth = static_cast<UINT>(size.width);
  measure->itemHeight = static_cast<UINT>(size.height);
}

void CBitmapMenuItem::Draw(const DRAWITEMSTRUCT* draw) const {
  HDC dc = draw->hDC;
  HMENU menu = reinterpret_cast<HMENU>(draw->hwndItem);
  if (dc == nullptr || menu == nullptr) {
    return;
  }
  const UINT state = ::GetMenuState(menu, draw->itemID, MF_BYCOMMAND);
  const bool grayed = state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0;
  const bool checked = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  const COLORREF background = ::GetBkColor(dc);
  const SelectionColors colors = SelectionColorsNow();
  const Box item = BoxOf(draw->rcItem);

  SIZE text{0, 0};
  ::GetTextExtentPoint32A(dc, m_text.c_str(), static_cast<int>(m_text.size()), &text);
  const Extent normal = SizeOf(normalBitmap());
  const Extent other = SizeOf(checkedBitmap());
  const Extent pictures{std::max(normal.width, other.width), std::max(normal.height, other.height)};
  const MenuItemPlaces places = PlaceMenuItem(m_metrics, item, pictures, Extent{text.cx, text.cy});

  if (HBITMAP bitmap = m_pictures.Shown(checked)) {
    DrawTransparentBitmap(dc, bitmap, places.pictureLeft, -1, draw->rcItem);
    Draw3dRect(dc, places.frameLeft, places.frameTop, places.frameWidth, places.frameHeight,
               selected ? RGB(255, 255, 255) : background, selected ? RGB(0, 0, 0) : background);
  }

  const Box& area = places.textArea;
  FillSolidRect(dc, area.left, area.top, area.right, area.bottom,
                selected ? colors.background : background);
  ::SetBkMode(dc, TRANSPARENT);
  if (selected) {
    ::SetTextColor(dc, grayed ? colors.grayedText : colors.text);
  }
  if (grayed && !selected) {
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_text.c_str()), 0, places.textLeft,
                 places.textTop, text.cx, text.cy, DST_PREFIXTEXT | DSS_DISABLED);
  } else {
    RECT bounds{places.textLeft, places.textTop, item.right, item.bottom};
    ::DrawTextA(dc, m_text.c_str(), -1, &bounds, 0);
  }
}

// The mask technique: the target keeps its pixels where the picture has the transparent
// color, and takes the picture's everywhere else.
void CBitmapMenuItem::DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y,
                                            const RECT& item) const {
  const CMemoryContext image = MemoryContext(target);
  const CSelection imageSelection = SelectInto(image.get(), bitmap);
  if (!imageSelection) {
    return;
  }
  const SIZE size = BitmapSize(bitmap);
  POINT extent{size.cx, size.cy};
  ::DPtoLP(image.get(), &extent, 1);
  const int width = extent.x;
  const int height = extent.y;
  y = y < 0 ? CenterdTop(BoxOf(item), height) : item.top + y;

  const CBitmap backBitmap(::CreateBitmap(width, height, 1, 1, nullptr));
  const CBitmap maskBitmap(::CreateBitmap(width, height, 1, 1, nullptr));
  const CBitmap mergeBitmap(::CreateCompatibleBitmap(target, width, height));
  const CBitmap saveBitmap(::CreateCompatibleBitmap(target, width, height));
  const CMemoryContext backContext = MemoryContext(target);
  const CMemoryContext maskContext = MemoryContext(target);
  const CMemoryContext mergeContext = MemoryContext(target);
  const CMemoryContext saveContext = MemoryContext(target);
  const CSelection backSelection = SelectInto(backContext.get(), backBitmap.get());
  const CSelection maskSelection = SelectInto(maskContext.get(), maskBitmap.get());
  const CSelection mergeSelection = SelectInto(mergeContext.get(), mergeBitmap.get());
  const CSelection saveSelection = SelectInto(saveContext.get(), saveBitmap.get());
  if (!backSelection || !maskSelection || !mergeSelection || !saveSelection) {
    return;
  }
  HDC imageDc = image.get();
  HDC back = backContext.get();
  HDC mask = maskContext.get();
  HDC merge = mergeContext.get();
  HDC save = saveContext.get();
  ::SetMapMode(imageDc, ::GetMapMode(target));
  ::BitBlt(save, 0, 0, width, height, imageDc, 0, 0, SRCCOPY);

  const COLORREF imageBackground = ::SetBkColor(imageDc, m_transparent);
  ::BitBlt(mask, 0, 0, width, height, imageDc, 0, 0, SRCCOPY);
  ::SetBkColor(imageDc, imageBackground);

  ::BitBlt(back, 0, 0, width, height, mask, 0, 0, NOTSRCCOPY);
  ::BitBlt(merge, 0, 0, width, height, target, x, y, SRCCOPY);
  ::BitBlt(merge, 0, 0, width, height, mask, 0, 0, SRCAND);
  ::BitBlt(imageDc, 0, 0, width, height, back, 0, 0, SRCAND);
  ::BitBlt(merge, 0, 0, width, height, imageDc, 0, 0, SRCPAINT);
  ::BitBlt(target, x, y, width, height, merge, 0, 0, SRCCOPY);
  ::BitBlt(imageDc, 0, 0, width, height, save, 0, 0, SRCCOPY);
}

bool CBitmapMenu::LoadMenuResource(UINT id) {
  RemoveAll();
  m_menu = LoadResourceMenu(id);
  return static_cast<bool>(m_menu);
}

bool CBitmapMenu::SetItemBitmap(UINT id, UINT normalId, UINT checkedId, COLORREF transparent) {
  HMENU menu = GetMenu();
  if (menu == nullptr) {
    return false;
  }
  const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) {
    return false;
  }
  const auto known = m_items.find(id);
  std::string text = MenuText(menu, id);
  // An item drawn without a text would show only its picture and could not be told apart;
  // a command registered before has its text in its record already.
  if (text.empty() && known == m_items.end()) {
    return false;
  }
  if (known != m_items.end()) {
    if (!ModifyToOwnerDrawn(menu, id, state, known->second)) {
      return false;
    }
    // The first record stays; the pictures asked for now must exist all the same.
    CBitmapMenuItem probe(std::move(text));
    probe.SetDpi(m_dpi);
    return probe.LoadBitmaps(normalId, checkedId, transparent);
  }
  // Built in place, where it stays: the menu keeps a pointer into it, and moving a record
  // would copy its pictures.
  const auto record = m_items.try_emplace(id, std::move(text)).first;
  record->second.SetDpi(m_dpi);
  if (!ModifyToOwnerDrawn(menu, id, state, record->second)) {
    m_items.erase(record);
    return false;
  }
  if (!record->second.LoadBitmaps(normalId, checkedId, transparent)) {
    // The item stays owner-drawn; the menu must not keep a pointer into a record that goes.
    ::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_OWNERDRAW | (state & kKeptStates), id, nullptr);
    m_items.erase(record);
    return false;
  }
  return true;
}

bool CBitmapMenu::ModifyToOwnerDrawn(HMENU menu, UINT id, UINT state,
                                     const CBitmapMenuItem& record) const {
  const auto* data = reinterpret_cast<const char*>(record.accessibleInfo());
  return ::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_OWNERDRAW | (state & kKeptStates), id, data) !=
         FALSE;
}

void CBitmapMenu::SetDpi(unsigned dpi) {
  if (dpi == m_dpi) {
    return;
  }
  m_dpi = dpi;
  HMENU menu = GetMenu();
  for (auto& entry : m_items) {
    entry.second.SetDpi(dpi);
    // The system keeps an item's measured size until the item is modified.
    const UINT state = menu != nullptr ? ::GetMenuState(menu, entry.first, MF_BYCOMMAND) : ~0u;
    if (state != ~0u) {
      ModifyToOwnerDrawn(menu, entry.first, state, entry.second);
    }
  }
}

const CBitmapMenuItem* CBitmapMenu::Lookup(UINT controlType, UINT itemId) const {
  if (controlType != ODT_MENU) {
    return nullptr;
  }
  return Item(LOWORD(itemId));
}

const CBitmapMenuItem* CBitmapMenu::Item(UINT id) const {
  const auto found = m_items.find(id);
  return found != m_items.end() ? &found->second : nullptr;
}

bool CBitmapMenu::DrawItem(const DRAWITEMSTRUCT* draw) const {
  const CBitmapMenuItem* item = draw != nullptr ? Lookup(draw->CtlType, draw->itemID) : nullptr;
  if (item == nullptr) {
    return false;
  }
  item->Draw(draw);
  return true;
}

bool CBitmapMenu::MeasureItem(MEASUREITEMSTRUCT* measure) const {
  const CBitmapMenuItem* item =
      measure != nullptr ? Lookup(measure->CtlType, measure->itemID) : nullptr;
  if (item == nullptr) {
    return false;
  }
  item->Measure(measure);
  return true;
}

void CBitmapMenu::RemoveAll() {
  m_menu.reset();
  m_items.clear();
}

}  // namespace tollward::ui
