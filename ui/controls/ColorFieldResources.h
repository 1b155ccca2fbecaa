// The colour field's colours, brush and font without Win32, so their ownership is tested natively.
#pragma once

#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

// A positive height asks for that cell height; 600 is semi-bold; 1 is the platform's default
// character set; every other choice is left to the platform.
constexpr FontParameters ColorFieldFont(int cellHeight, int averageWidth) {
  return FontParameters{cellHeight, averageWidth, 0, 0, 600, false, false, false, 1, 0, 0, 0,
                        0,          nullptr};
}

// What the field paints with. It owns its brush and its font: each one it made is destroyed
// exactly once, when it is replaced or when this object goes, whatever the order of calls.
class CColorFieldResources {
 public:
  // Black on white with a white brush, and no font of its own (the dialog's).
  explicit CColorFieldResources(IDrawingObjects& objects)
      : objects_(objects), brush_(objects, objects.MakeSolidBrush(kWhite)) {}

  // Keeps both colours and replaces the brush by one of the background colour. False when the
  // new brush could not be made: the field then paints in the dialog's colours.
  bool SetColors(ColorValue text, ColorValue background) {
    text_ = text;
    background_ = background;
    brush_.Reset();
    brush_ = COwnedObject(objects_, objects_.MakeSolidBrush(background));
    return static_cast<bool>(brush_);
  }

  // The old font goes before the new one is made, so that two never exist at once.
  bool SetFont(int cellHeight, int averageWidth) {
    font_.Reset();
    font_ = COwnedObject(objects_, objects_.MakeFont(ColorFieldFont(cellHeight, averageWidth)));
    return static_cast<bool>(font_);
  }

  ColorValue text() const { return text_; }
  ColorValue background() const { return background_; }
  DrawingObject brush() const { return brush_.get(); }
  DrawingObject font() const { return font_.get(); }

 private:
  IDrawingObjects& objects_;
  ColorValue text_ = kBlack;
  ColorValue background_ = kWhite;
  COwnedObject brush_;
  COwnedObject font_;
};

}  // namespace tollward::ui
