// A menu loaded from the program's resources, destroyed by its one owner.
#pragma once

#include "platform/win32/WinApi.h"

namespace tollward::ui {

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { Destroy(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  // False when the resources have no such menu; a menu loaded before is destroyed first.
  bool LoadMenu(UINT id) {
    Destroy();
    m_menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    return m_menu != nullptr;
  }
  void Destroy() {
    if (m_menu != nullptr) {
      ::DestroyMenu(m_menu);
      m_menu = nullptr;
    }
  }

  HMENU GetHandle() const { return m_menu; }
  // The popup at `position`; null when there is none. It belongs to this menu.
  HMENU GetSubMenu(int position) const {
    return m_menu != nullptr ? ::GetSubMenu(m_menu, position) : nullptr;
  }

 private:
  HMENU m_menu = nullptr;
};

}  // namespace tollward::ui
