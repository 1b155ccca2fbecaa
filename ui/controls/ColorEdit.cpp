// The color field: its binding, its colors and font, and its answer to the color query.
#include "ui/controls/ColorEdit.h"

#include "logic/ColorFieldFont.h"

namespace tollward::ui {
namespace {

HFONT DialogFont(HWND control) {
  return reinterpret_cast<HFONT>(::SendMessageA(::GetParent(control), WM_GETFONT, 0, 0));
}

}  // namespace

CColorEdit::CColorEdit() : m_brush(::CreateSolidBrush(kWhite)) {}

CColorEdit::~CColorEdit() {
  Unbind();
}

bool CColorEdit::Bind(HWND control) {
  Unbind();
  if (control == nullptr || !::IsWindow(control)) {
    return false;
  }
  Attach(control);
  SetControlColorHandler(control, this);
  PreSubclassWindow();
  return true;
}

void CColorEdit::Unbind() {
  HWND control = Detach();
  if (control == nullptr || !::IsWindow(control)) {
    return;
  }
  if (GetControlColorHandler(control) == this) {
    SetControlColorHandler(control, nullptr);
  }
  // The control must not keep painting with a font that is about to be deleted.
  if (m_font &&
      reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)) == GetTextFont()) {
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(control)), TRUE);
  }
  ::InvalidateRect(control, nullptr, TRUE);
}

bool CColorEdit::SetColors(COLORREF text, COLORREF background) {
  m_textColor = text;
  m_backgroundColor = background;
  m_brush.reset();
  m_brush.reset(::CreateSolidBrush(background));
  const bool made = static_cast<bool>(m_brush);
  // Without a window there is nothing to redraw; a null window would mean the whole desktop.
  if (m_hwnd != nullptr) {
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return made;
}

bool CColorEdit::SetTextFont(int cellHeight, int averageWidth) {
  m_font.reset();
  m_font = MakeFont(ColorFieldFont(cellHeight, averageWidth));
  const bool made = static_cast<bool>(m_font);
  if (m_hwnd != nullptr) {
    ApplyFont();
  }
  return made;
}

void CColorEdit::PreSubclassWindow() {
  if (m_font) {
    ApplyFont();
  }
}

void CColorEdit::ApplyFont() const {
  // A font that could not be made leaves the dialog's, not the system's, which a null would give.
  HFONT font = GetTextFont() != nullptr ? GetTextFont() : DialogFont(m_hwnd);
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HBRUSH CColorEdit::CtlColor(HDC dc, UINT) {
  // The background mode stays opaque, so the character cells take the background color too.
  ::SetBkColor(dc, m_backgroundColor);
  ::SetTextColor(dc, m_textColor);
  return GetBrush();
}

}  // namespace tollward::ui
