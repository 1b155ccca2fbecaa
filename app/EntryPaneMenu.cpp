// What a pane's view tells: its notifications, its context menu, and the drag of its entries
// onto the other pane.
#include "app/EntryPane.h"

#include "res/resource.h"
#include "ui/framework/Dpi.h"

namespace tollward {
namespace {

// A registration whose entry is gone is drawn greyed; every other row as the view draws it.
LRESULT GreyMissing(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (draw.nmcd.lItemlParam == static_cast<LPARAM>(EntryStatus::kMissing)) {
        draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
      }
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace

bool CEntryPane::OnNotify(int id, NMHDR* header, LRESULT& result, CEntryPane& other) {
  if (header->code == TTN_GETDISPINFOA) {
    return OnTipText(reinterpret_cast<NMTTDISPINFOA*>(header));
  }
  if (id != controls_.list) {
    return false;
  }
  if (header->code == NM_CUSTOMDRAW) {
    result = GreyMissing(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    return true;
  }
  return OnListNotify(header, other);
}

// Both views answer alike, each moving its entries to the other.
bool CEntryPane::OnListNotify(NMHDR* header, CEntryPane& other) {
  switch (header->code) {
    case NM_DBLCLK:
      // A double click on the empty part of the view moves nothing.
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem < 0) {
        return false;
      }
      break;
    case LVN_KEYDOWN: {
      // The menu's own loop takes the key's release, so no second request follows this one.
      const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
      if (key == VK_APPS) {
        ShowMenu(false);
        return true;
      }
      if (key != VK_SPACE) {
        return false;
      }
      break;
    }
    case NM_SETFOCUS:
      view_.FocusFirstItemIfNone();
      // The focus rectangle shows even when the focus came by the mouse.
      ::SendMessageA(dialog_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      return false;
    case NM_RCLICK:
      // The empty part of a view has no menu.
      if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem < 0) {
        return false;
      }
      ShowMenu(true);
      return true;
    case LVN_BEGINDRAG:
      BeginDrag();
      return true;
    case LVN_ITEMCHANGED:
      UpdateButtons();
      return true;
    default:
      return false;
  }
  Move(*this, other);
  return true;
}

// The mouse's own request has been answered by the right click already; only the keyboard's
// (Shift+F10, and the context-menu key where the system turns it into a request) comes without
// a position.
bool CEntryPane::OnContextMenu(HWND window, LPARAM position) {
  const bool noPosition =
      static_cast<short>(LOWORD(position)) == -1 && static_cast<short>(HIWORD(position)) == -1;
  if (!noPosition || window != view_.GetHwnd()) {
    return false;
  }
  ShowMenu(false);
  return true;
}

void CEntryPane::ShowMenu(bool atCursor) {
  POINT at{};
  if (atCursor) {
    ::GetCursorPos(&at);
  } else {
    if (!view_.IsWindow()) {
      return;
    }
    const int mark = view_.GetSelectionMark();
    if (mark < 0) {
      return;
    }
    POINT item{};
    view_.Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(mark), reinterpret_cast<LPARAM>(&item));
    const RECT frame = view_.GetWindowRect();
    at = POINT{frame.left + item.x, frame.top + item.y};
  }

  // Made afresh each time, so its pictures live only while it is shown.
  ui::CBitmapMenu menu;
  if (!menu.LoadMenuResource(IDR_ENTRY_MENU)) {
    return;
  }
  menu.SetDpi(ui::DpiOf(dialog_));
  const EntryMenuPlan plan = PlanEntryMenu(role_, context_.options.showExtendedFunctionality);
  HMENU popup = menu.GetSubMenu(plan.popup);
  if (popup == nullptr) {
    return;
  }
  for (const EntryMenuPicture& item : plan.pictures) {
    menu.SetItemBitmap(item.command, item.picture);
  }
  for (unsigned command : plan.removedCommands) {
    ::RemoveMenu(popup, command, MF_BYCOMMAND);
  }
  if (plan.removeSeparator) {
    ::RemoveMenu(popup, plan.separatorPosition, MF_BYPOSITION);
  }
  activePopup_ = &menu;
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
  activePopup_ = nullptr;
}

bool CEntryPane::DrawMenuItem(const DRAWITEMSTRUCT* draw) const {
  return activePopup_ != nullptr && activePopup_->DrawItem(draw);
}

bool CEntryPane::MeasureMenuItem(MEASUREITEMSTRUCT* measure) const {
  return activePopup_ != nullptr && activePopup_->MeasureItem(measure);
}

// The dialog holds the mouse until the button is released, wherever that happens.
void CEntryPane::BeginDrag() {
  dragged_ = true;
  ::SetCapture(dialog_);
  if (HCURSOR cursor =
          ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_DRAG_ENTRY))) {
    ::SetCursor(cursor);
  }
}

bool CEntryPane::EndDrag() {
  const bool was = dragged_;
  dragged_ = false;
  return was;
}

void DropDraggedEntry(EntryPanes& panes, HWND dialog, LPARAM clientPoint) {
  CEntryPane* source = nullptr;
  // Before the move, so that its message box, if any, gets the mouse.
  for (CEntryPane& pane : panes) {
    if (pane.EndDrag()) {
      source = &pane;
    }
  }
  if (::GetCapture() == dialog) {
    ::ReleaseCapture();
  }
  if (source == nullptr) {
    return;
  }
  POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  ::ClientToScreen(dialog, &point);
  const HWND target = ::WindowFromPoint(point);
  std::optional<EntryView> where;
  for (const CEntryPane& pane : panes) {
    if (target != nullptr && target == pane.view()) {
      where = pane.role();
    }
  }
  if (DropMoves(source->role(), where)) {
    CEntryPane::Move(*source, OtherPane(panes, *source));
  }
}

}  // namespace tollward
