// Dragging an entry from one of the control center's lists onto the other.
#include "app/ControlCenterDlg.h"
#include "logic/EntryMenu.h"
#include "res/resource.h"

namespace tollward {

// The control center holds the mouse until the button is released, wherever that happens.
void CControlCenterDlg::BeginDrag(int source) {
  m_dragSource = source;
  ::SetCapture(m_hwnd);
  if (HCURSOR cursor =
          ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_DRAG_ENTRY))) {
    ::SetCursor(cursor);
  }
}

// Only the other view itself takes the entry: its header is a window of its own, so a drop on
// it is a drop elsewhere.
void CControlCenterDlg::EndDrag(LPARAM clientPoint) {
  const int source = m_dragSource;
  // Before the move, so that its message box, if any, gets the mouse.
  m_dragSource = 0;
  if (::GetCapture() == m_hwnd) {
    ::ReleaseCapture();
  }
  if (source == 0) {
    return;
  }
  POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  ::ClientToScreen(m_hwnd, &point);
  HWND target = ::WindowFromPoint(point);
  const DropTarget where = target == nullptr                        ? DropTarget::kElsewhere
                           : target == m_unregisteredView.GetHwnd() ? DropTarget::kUnregisteredView
                           : target == m_registeredView.GetHwnd()   ? DropTarget::kRegisteredView
                                                                    : DropTarget::kElsewhere;
  switch (MoveForDrop(source, where)) {
    case DropMove::kRegister:
      RegisterSelected();
      break;
    case DropMove::kUnregister:
      UnregisterSelected();
      break;
    case DropMove::kNone:
      break;
  }
}

}  // namespace tollward
