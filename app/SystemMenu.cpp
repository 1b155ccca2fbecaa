// The control center's system menu: the about item, the pictures of its items, and the
// commands a fixed-size window cannot do greyed.
#include "app/SystemMenu.h"

#include <string>

#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

void CSystemMenu::Prepare(HWND window) {
  HMENU menu = ::GetSystemMenu(window, FALSE);
  if (menu == nullptr) {
    return;
  }
  const std::string about = ui::LoadResString(IDS_ABOUT_MENU_ITEM);
  if (!about.empty()) {
    ::InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, IDM_ABOUTBOX, about.c_str());
    ::InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  }
  // One picture for both states: the items are never checked, the picture is their icon.
  aboutItemBitmap_ = ui::LoadResourceBitmap(IDB_SYSMENU_ABOUT);
  if (HBITMAP picture = aboutItemBitmap_.get()) {
    ::SetMenuItemBitmaps(menu, IDM_ABOUTBOX, MF_BYCOMMAND, picture, picture);
  }
  closeItemBitmap_ = ui::LoadResourceBitmap(IDB_SYSMENU_CLOSE);
  if (HBITMAP picture = closeItemBitmap_.get()) {
    ::SetMenuItemBitmaps(menu, SC_CLOSE, MF_BYCOMMAND, picture, picture);
  }
  for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_RESTORE}) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
  }
}

}  // namespace tollward
