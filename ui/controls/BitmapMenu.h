// A menu from the resources whose chosen items are drawn by the program with a small picture
// in front of their text.
#pragma once

#include "platform/win32/WinApi.h"

#include <oleacc.h>

#include <map>
#include <string>

#include "logic/MenuItemPictures.h"
#include "ui/framework/DpiScale.h"
#include "ui/framework/Handles.h"

namespace tollward::ui {

// Pixels of this color in a menu picture let the menu show through.
constexpr COLORREF kMenuTransparent = RGB(255, 0, 255);

// The normal and the checked picture of one item, each owned; a shared checked picture is the
// normal bitmap itself and goes with it. A copy owns copies of the bitmaps, with a shared picture
// shared again, so records can be kept as values anywhere.
class CMenuItemPictures {
 public:
  CMenuItemPictures() = default;
  CMenuItemPictures(const CMenuItemPictures& other) { CopyFrom(other); }
  CMenuItemPictures& operator=(const CMenuItemPictures& other);

  // Releases the pictures held, then loads the resources. False when one could not be loaded.
  bool Load(const MenuItemPictureIds& ids);
  HBITMAP Shown(bool checked) const;

 private:
  void CopyFrom(const CMenuItemPictures& other);
  void Release();

  MenuItemPictureIds ids_;
  CBitmap normal_;
  CBitmap checked_;
};

// One owner-drawn item: its pictures, their transparent color and its text, as read from the
// menu when it was registered. A record is a value: a copy owns copies of the pictures.
class CBitmapMenuItem {
 public:
  CBitmapMenuItem();
  explicit CBitmapMenuItem(std::string text);
  virtual ~CBitmapMenuItem() = default;
  CBitmapMenuItem(const CBitmapMenuItem& other);
  CBitmapMenuItem& operator=(const CBitmapMenuItem& other);

  // Releases the pictures held, then loads the resources (0 is none; a checked 0 means the
  // normal picture for both states), in the drawing for the item's DPI where there is one.
  bool LoadBitmaps(UINT normalId, UINT checkedId, COLORREF transparent);
  // Sizes the item for `dpi` and loads its pictures again in the drawing for that DPI.
  bool SetDpi(unsigned dpi);
  void Measure(MEASUREITEMSTRUCT* measure) const;
  void Draw(const DRAWITEMSTRUCT* draw) const;
  // Draws `bitmap` at (x, y) of the item rectangle without its transparent pixels; a negative
  // y centers it vertically by its own height.
  void DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y, const RECT& item) const;

  const std::string& text() const { return m_text; }
  // What a screen reader finds as the item's data: the signature and the text, since it cannot
  // read the text of an owner-drawn item from the menu.
  const MSAAMENUINFO* accessibleInfo() const { return &m_accessible; }
  HBITMAP normalBitmap() const { return m_pictures.Shown(false); }
  HBITMAP checkedBitmap() const { return m_pictures.Shown(true); }
  COLORREF transparentColor() const { return m_transparent; }

 private:
  void PointAccessibleInfo();

  MenuItemMetrics m_metrics;
  CMenuItemPictures m_pictures;
  COLORREF m_transparent = kMenuTransparent;
  std::string m_text;
  unsigned m_dpi = kBaseDpi;
  UINT m_normalId = 0;
  UINT m_checkedId = 0;
  std::wstring m_wideText;
  // Handed to the menu as the item's data; points into m_wideText.
  MSAAMENUINFO m_accessible{};
};

// The owner window hands its WM_MEASUREITEM and WM_DRAWITEM to MeasureItem and DrawItem; they
// answer false for whatever is not one of this menu's registered items. Tracking, checking,
// enabling and texts are done on the platform menu through GetMenu.
class CBitmapMenu {
 public:
  CBitmapMenu() = default;
  virtual ~CBitmapMenu() { RemoveAll(); }
  CBitmapMenu(const CBitmapMenu&) = delete;
  CBitmapMenu& operator=(const CBitmapMenu&) = delete;

  // Empties the object first; on failure it stays empty.
  bool LoadMenuResource(UINT id);
  // Makes the item of command `id` owner-drawn with these pictures (see LoadBitmaps). False
  // when nothing is loaded, there is no such item, the item has no text to draw, or a picture
  // is missing (the item is then owner-drawn without a record, and left to the owner's default).
  // A command registered before keeps its first record.
  bool SetItemBitmap(UINT id, UINT normalId, UINT checkedId = 0,
                     COLORREF transparent = kMenuTransparent);
  // The DPI of the window the menu opens over: item sizes, pictures and the measuring font
  // follow it. Items registered later take it too.
  void SetDpi(unsigned dpi);
  bool DrawItem(const DRAWITEMSTRUCT* draw) const;
  bool MeasureItem(MEASUREITEMSTRUCT* measure) const;
  // Destroys the menu and every record.
  void RemoveAll();

  HMENU GetMenu() const { return m_menu.get(); }
  // The popup at `position`; null when there is none. It belongs to this menu.
  HMENU GetSubMenu(int position) const {
    return m_menu ? ::GetSubMenu(m_menu.get(), position) : nullptr;
  }
  // The record of a command, or null.
  const CBitmapMenuItem* Item(UINT id) const;

 private:
  const CBitmapMenuItem* Lookup(UINT controlType, UINT itemId) const;
  bool ModifyToOwnerDrawn(HMENU menu, UINT id, UINT state, const CBitmapMenuItem& record) const;

  CMenuHandle m_menu;
  std::map<UINT, CBitmapMenuItem> m_items;
  unsigned m_dpi = kBaseDpi;
};

}  // namespace tollward::ui
