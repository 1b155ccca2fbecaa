// The window system's handles: loading and making them for their owners, copying a bitmap.
#include "ui/framework/Handles.h"

namespace tollward::ui {

CSelection SelectInto(HDC context, HGDIOBJ object) {
  HGDIOBJ previous =
      context != nullptr && object != nullptr ? ::SelectObject(context, object) : nullptr;
  return previous != nullptr ? CSelection(Selection{context, previous}) : CSelection();
}

CIcon LoadResourceIcon(UINT id, int size) {
  return CIcon(static_cast<HICON>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
}

CMenuHandle LoadResourceMenu(UINT id) {
  return CMenuHandle(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}

CBitmap LoadResourceBitmap(UINT id) {
  return CBitmap(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}

CFont MakeFont(const FontParameters& font) {
  return CFont(::CreateFontA(font.height, font.width, font.escapement, font.orientation,
                             font.weight, font.italic, font.underline, font.strikeOut, font.charSet,
                             font.outPrecision, font.clipPrecision, font.quality,
                             font.pitchAndFamily, font.faceName));
}

// Through two memory contexts, so the copy has the screen's format whatever the source's.
CBitmap CopyBitmap(HBITMAP source) {
  const SIZE size = BitmapSize(source);
  if (size.cx == 0 || size.cy == 0) {
    return CBitmap();
  }
  CBitmap copy;
  CMemoryContext from;
  CMemoryContext to;
  {
    const CScreenContext screen = ScreenContext();
    copy.reset(::CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    from = MemoryContext(screen.get());
    to = MemoryContext(screen.get());
  }
  if (!copy || !from || !to) {
    return CBitmap();
  }
  const CSelection fromSelection = SelectInto(from.get(), source);
  const CSelection toSelection = SelectInto(to.get(), copy.get());
  if (!fromSelection || !toSelection ||
      ::BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY) == FALSE) {
    return CBitmap();
  }
  return copy;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof(info), &info) == 0) {
    return SIZE{0, 0};
  }
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace tollward::ui
