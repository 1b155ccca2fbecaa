// The window system's handles, each with its one owner: drawing objects, device contexts, the
// selection of an object into a context, icons, menus and image lists.
#pragma once

#include "platform/win32/WinApi.h"

#include <commctrl.h>

#include "platform/win32/UniqueHandle.h"
#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

using CBrush = CUniqueHandle<HBRUSH, &::DeleteObject>;
using CFont = CUniqueHandle<HFONT, &::DeleteObject>;
using CBitmap = CUniqueHandle<HBITMAP, &::DeleteObject>;
using CMemoryContext = CUniqueHandle<HDC, &::DeleteDC>;
using CIcon = CUniqueHandle<HICON, &::DestroyIcon>;
using CMenuHandle = CUniqueHandle<HMENU, &::DestroyMenu>;
using CImageList = CUniqueHandle<HIMAGELIST, &::ImageList_Destroy>;

inline void ReleaseScreenContext(HDC screen) {
  ::ReleaseDC(nullptr, screen);
}
using CScreenContext = CUniqueHandle<HDC, &ReleaseScreenContext>;

// An object selected into a context, with the context's earlier object.
struct Selection {
  HDC context = nullptr;
  HGDIOBJ previous = nullptr;
  bool operator==(const Selection& other) const {
    return context == other.context && previous == other.previous;
  }
};

inline void PutBackSelection(Selection selection) {
  ::SelectObject(selection.context, selection.previous);
}
// Keeps an object selected for its own lifetime and puts the context's earlier object back when
// it goes, so that the object can then be deleted: GDI does not delete an object still selected.
using CSelection = CUniqueHandle<Selection, &PutBackSelection>;

// False (nothing to put back) when there is no context or object, or the selection failed.
CSelection SelectInto(HDC context, HGDIOBJ object);

inline CScreenContext ScreenContext() {
  return CScreenContext(::GetDC(nullptr));
}
// Compatible with `context`, or with the screen for null.
inline CMemoryContext MemoryContext(HDC context) {
  return CMemoryContext(::CreateCompatibleDC(context));
}

// The program's resources; each owner is empty where there is no such resource.
// The icon of `id` in the image nearest to `size` pixels square.
CIcon LoadResourceIcon(UINT id, int size);
CMenuHandle LoadResourceMenu(UINT id);
CBitmap LoadResourceBitmap(UINT id);

CFont MakeFont(const FontParameters& font);
// A new bitmap of the same size and pixels in the screen's format, whatever the source's.
CBitmap CopyBitmap(HBITMAP source);
// Size of a bitmap in pixels; 0 × 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace tollward::ui
