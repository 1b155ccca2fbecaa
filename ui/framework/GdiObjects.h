// The platform's side of the drawing-object seam, and the selection of an object into a context.
#pragma once

#include "platform/win32/WinApi.h"

#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

// Makes brushes, fonts, bitmaps and memory device contexts with GDI32, and releases each as its
// kind needs (DeleteDC for a context, DeleteObject for the rest).
IDrawingObjects& GdiObjects();

// Owned objects made by GdiObjects().
inline COwnedObject OwnedBitmap(HBITMAP bitmap) {
  return COwnedObject(GdiObjects(), bitmap);
}
inline COwnedObject OwnedMemoryContext(HDC compatibleWith) {
  return COwnedObject(GdiObjects(), GdiObjects().MakeMemoryContext(compatibleWith));
}

inline HBITMAP AsBitmap(const COwnedObject& object) {
  return static_cast<HBITMAP>(object.get());
}
inline HDC AsContext(const COwnedObject& object) {
  return static_cast<HDC>(object.get());
}

// Keeps an object selected into a context for its own lifetime and puts the context's earlier
// object back when it goes, so that the object can then be deleted: GDI does not delete an
// object that is still selected.
class CSelection {
 public:
  CSelection(HDC context, HGDIOBJ object)
      : m_context(context),
        m_previous(context != nullptr && object != nullptr ? ::SelectObject(context, object)
                                                           : nullptr) {}
  ~CSelection() {
    if (m_previous != nullptr) {
      ::SelectObject(m_context, m_previous);
    }
  }
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;

  bool Selected() const { return m_previous != nullptr; }

 private:
  HDC m_context;
  HGDIOBJ m_previous;
};

// Size of a bitmap in pixels; 0 × 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace tollward::ui
