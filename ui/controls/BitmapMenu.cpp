// The bitmap menu: registering its items, measuring and drawing them, and the transparent blit.
#include "ui/controls/BitmapMenu.h"

#include <utility>
#include <vector>

#include "ui/framework/GdiObjects.h"

namespace tollward::ui {
namespace {

constexpr COLORREF kSelectedBackground = RGB(32, 32, 128);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kSelectedGrayedText = RGB(0xCC, 0xCC, 0xCC);
// The state bits that an item keeps when it becomes owner-drawn.
constexpr UINT kKeptStates = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBREAK | MF_MENUBARBREAK;

Extent SizeOf(HBITMAP bitmap) {
  const SIZE size = BitmapSize(bitmap);
  return Extent{size.cx, size.cy};
}

Box BoxOf(const RECT& rect) {
  return Box{rect.left, rect.top, rect.right, rect.bottom};
}

// Fills without a brush of its own; the context's background colour is left as it was.
void FillSolidRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  const COLORREF previous = ::SetBkColor(dc, colour);
  const RECT rect{left, top, right, bottom};
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

// A one-pixel frame of `width` × `height` at (x, y): top and left edges in one colour, right
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

CBitmapMenuItem::CBitmapMenuItem() : m_pictures(GdiObjects()) {}

CBitmapMenuItem::CBitmapMenuItem(std::string text)
    : m_pictures(GdiObjects()), m_text(std::move(text)) {}

bool CBitmapMenuItem::LoadBitmaps(UINT normalId, UINT checkedId, COLORREF transparent) {
  m_transparent = transparent;
  return m_pictures.Load(normalId, checkedId);
}

void CBitmapMenuItem::Measure(MEASUREITEMSTRUCT* measure) const {
  HDC screen = ::GetDC(nullptr);
  SIZE text{0, 0};
  if (screen != nullptr) {
    HGDIOBJ previous = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextExtentPoint32A(screen, m_text.c_str(), static_cast<int>(m_text.size()), &text);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
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
  const Box item = BoxOf(draw->rcItem);

  SIZE text{0, 0};
  ::GetTextExtentPoint32A(dc, m_text.c_str(), static_cast<int>(m_text.size()), &text);
  const Extent normal = SizeOf(normalBitmap());
  const Extent other = SizeOf(checkedBitmap());
  const Extent pictures{std::max(normal.width, other.width), std::max(normal.height, other.height)};
  const MenuItemPlaces places = PlaceMenuItem(m_metrics, item, pictures, Extent{text.cx, text.cy});

  if (HBITMAP bitmap = checked ? checkedBitmap() : normalBitmap()) {
    DrawTransparentBitmap(dc, bitmap, places.pictureLeft, -1, draw->rcItem);
    Draw3dRect(dc, places.frameLeft, places.frameTop, places.frameWidth, places.frameHeight,
               selected ? RGB(255, 255, 255) : background, selected ? RGB(0, 0, 0) : background);
  }

  const Box& area = places.textArea;
  FillSolidRect(dc, area.left, area.top, area.right, area.bottom,
                selected ? kSelectedBackground : background);
  ::SetBkMode(dc, TRANSPARENT);
  if (selected) {
    ::SetTextColor(dc, grayed ? kSelectedGrayedText : kSelectedText);
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
// colour, and takes the picture's everywhere else.
void CBitmapMenuItem::DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y,
                                            const RECT& item) const {
  COwnedObject image = OwnedMemoryContext(target);
  CSelection imageSelection(AsContext(image), bitmap);
  if (!imageSelection.Selected()) {
    return;
  }
  const SIZE size = BitmapSize(bitmap);
  POINT extent{size.cx, size.cy};
  ::DPtoLP(AsContext(image), &extent, 1);
  const int width = extent.x;
  const int height = extent.y;
  y = y < 0 ? CentredTop(BoxOf(item), height) : item.top + y;

  COwnedObject backBitmap = OwnedBitmap(::CreateBitmap(width, height, 1, 1, nullptr));
  COwnedObject maskBitmap = OwnedBitmap(::CreateBitmap(width, height, 1, 1, nullptr));
  COwnedObject mergeBitmap = OwnedBitmap(::CreateCompatibleBitmap(target, width, height));
  COwnedObject saveBitmap = OwnedBitmap(::CreateCompatibleBitmap(target, width, height));
  COwnedObject back = OwnedMemoryContext(target);
  COwnedObject mask = OwnedMemoryContext(target);
  COwnedObject merge = OwnedMemoryContext(target);
  COwnedObject save = OwnedMemoryContext(target);
  CSelection backSelection(AsContext(back), AsBitmap(backBitmap));
  CSelection maskSelection(AsContext(mask), AsBitmap(maskBitmap));
  CSelection mergeSelection(AsContext(merge), AsBitmap(mergeBitmap));
  CSelection saveSelection(AsContext(save), AsBitmap(saveBitmap));
  if (!backSelection.Selected() || !maskSelection.Selected() || !mergeSelection.Selected() ||
      !saveSelection.Selected()) {
    return;
  }
  HDC imageDc = AsContext(image);
  ::SetMapMode(imageDc, ::GetMapMode(target));
  ::BitBlt(AsContext(save), 0, 0, width, height, imageDc, 0, 0, SRCCOPY);

  const COLORREF imageBackground = ::SetBkColor(imageDc, m_transparent);
  ::BitBlt(AsContext(mask), 0, 0, width, height, imageDc, 0, 0, SRCCOPY);
  ::SetBkColor(imageDc, imageBackground);

  ::BitBlt(AsContext(back), 0, 0, width, height, AsContext(mask), 0, 0, NOTSRCCOPY);
  ::BitBlt(AsContext(merge), 0, 0, width, height, target, x, y, SRCCOPY);
  ::BitBlt(AsContext(merge), 0, 0, width, height, AsContext(mask), 0, 0, SRCAND);
  ::BitBlt(imageDc, 0, 0, width, height, AsContext(back), 0, 0, SRCAND);
  ::BitBlt(AsContext(merge), 0, 0, width, height, imageDc, 0, 0, SRCPAINT);
  ::BitBlt(target, x, y, width, height, AsContext(merge), 0, 0, SRCCOPY);
  ::BitBlt(imageDc, 0, 0, width, height, AsContext(save), 0, 0, SRCCOPY);
}

bool CBitmapMenu::LoadMenuResource(UINT id) {
  RemoveAll();
  auto menu = std::make_unique<CMenu>();
  if (!menu->LoadMenu(id)) {
    RemoveAll();
    return false;
  }
  m_menu = std::move(menu);
  return true;
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
  const bool known = m_items.count(id) != 0;
  std::string text = MenuText(menu, id);
  // An item drawn without a text would show only its picture and could not be told apart;
  // a command registered before has its text in its record already.
  if (text.empty() && !known) {
    return false;
  }
  if (::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_OWNERDRAW | (state & kKeptStates), id, nullptr) ==
      FALSE) {
    return false;
  }
  if (known) {
    // The first record stays; the pictures asked for now must exist all the same.
    return CBitmapMenuItem(std::move(text)).LoadBitmaps(normalId, checkedId, transparent);
  }
  // Built in place: moving a record would copy its pictures.
  const auto record = m_items.try_emplace(id, std::move(text)).first;
  if (!record->second.LoadBitmaps(normalId, checkedId, transparent)) {
    m_items.erase(record);
    return false;
  }
  return true;
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
