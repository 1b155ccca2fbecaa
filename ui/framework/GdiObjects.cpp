// The drawing objects of GDI32 behind the seam: making, copying and releasing them.
#include "ui/framework/GdiObjects.h"

namespace tollward::ui {
namespace {

class CGdiObjects final : public IDrawingObjects {
 public:
  DrawingObject MakeSolidBrush(ColorValue color) override { return ::CreateSolidBrush(color); }

  DrawingObject MakeFont(const FontParameters& font) override {
    return ::CreateFontA(font.height, font.width, font.escapement, font.orientation, font.weight,
                         font.italic, font.underline, font.strikeOut, font.charSet,
                         font.outPrecision, font.clipPrecision, font.quality, font.pitchAndFamily,
                         font.faceName);
  }

  DrawingObject LoadBitmapResource(unsigned id) override {
    return ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  }

  // Through two memory contexts, so the copy has the screen's format whatever the source's.
  DrawingObject CopyBitmap(DrawingObject source) override {
    const SIZE size = BitmapSize(static_cast<HBITMAP>(source));
    if (size.cx == 0 || size.cy == 0) {
      return nullptr;
    }
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    bool copied = false;
    if (copy != nullptr && from != nullptr && to != nullptr) {
      CSelection fromSelection(from, source);
      CSelection toSelection(to, copy);
      copied = fromSelection.Selected() && toSelection.Selected() &&
               ::BitBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, SRCCOPY) != FALSE;
    }
    if (from != nullptr) {
      ::DeleteDC(from);
    }
    if (to != nullptr) {
      ::DeleteDC(to);
    }
    if (!copied && copy != nullptr) {
      ::DeleteObject(copy);
      copy = nullptr;
    }
    return copy;
  }

  DrawingObject MakeMemoryContext(DrawingObject context) override {
    return ::CreateCompatibleDC(static_cast<HDC>(context));
  }

  void Destroy(DrawingObject object) override {
    if (::GetObjectType(object) == OBJ_MEMDC) {
      ::DeleteDC(static_cast<HDC>(object));
    } else {
      ::DeleteObject(static_cast<HGDIOBJ>(object));
    }
  }
};

}  // namespace

IDrawingObjects& GdiObjects() {
  static CGdiObjects objects;
  return objects;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof(info), &info) == 0) {
    return SIZE{0, 0};
  }
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace tollward::ui
