// A read-only edit field of a dialog that paints its text and background in colors of its own.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/ControlColor.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Handles.h"

namespace tollward::ui {

// Bound to an edit control of a dialog made by the framework (whose dialog procedure reflects
// the control-color query to it). Starts as black on white in the dialog's font. Owns its
// brush and its font; the object must outlive neither its binding nor the painting of the
// control, so it unbinds itself when it goes.
class CColorEdit : public CEdit, private IControlColorHandler {
 public:
  CColorEdit();
  virtual ~CColorEdit();
  CColorEdit(const CColorEdit&) = delete;
  CColorEdit& operator=(const CColorEdit&) = delete;

  // Binds the object to the control, after letting go of any earlier one; false for no window.
  bool Bind(HWND control);
  bool BindDlgItem(HWND dialog, int id) { return Bind(::GetDlgItem(dialog, id)); }
  // The control goes back to the dialog's font and colors; the object keeps its settings.
  void Unbind();
  bool IsBound() const { return m_hwnd != nullptr; }

  // Both colors take effect at once: the bound control is redrawn before this returns.
  bool SetColors(COLORREF text, COLORREF background);
  // A semi-bold font of the given cell height and average width in device units, pushed into
  // the bound control at once, or at binding.
  bool SetTextFont(int cellHeight, int averageWidth);

  COLORREF GetTextColor() const { return m_textColor; }
  COLORREF GetBackgroundColor() const { return m_backgroundColor; }
  HBRUSH GetBrush() const { return m_brush.get(); }
  HFONT GetTextFont() const { return m_font.get(); }

 protected:
  // Runs when a window has just been bound: a font set before takes effect now.
  virtual void PreSubclassWindow();

 private:
  HBRUSH CtlColor(HDC dc, UINT message) override;
  void ApplyFont() const;

  COLORREF m_textColor = kBlack;
  COLORREF m_backgroundColor = kWhite;
  // Each made here, and replaced only after the old one has gone, so that two never exist at
  // once; null when it could not be made (the dialog's then serves).
  CBrush m_brush;
  CFont m_font;
};

}  // namespace tollward::ui
