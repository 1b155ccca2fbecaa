// The colour field's colours, brush and font without Win32, so their ownership is tested natively.
#pragma once

#include <cstdint>

namespace tollward::ui {

// A colour as the platform lays it out: 0x00BBGGRR.
using ColorValue = std::uint32_t;

constexpr ColorValue Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<ColorValue>(red) | (static_cast<ColorValue>(green) << 8) |
         (static_cast<ColorValue>(blue) << 16);
}

constexpr ColorValue kBlack = Rgb(0, 0, 0);
constexpr ColorValue kWhite = Rgb(255, 255, 255);

// Everything the platform's logical-font creation takes, in its order.
struct FontParameters {
  int height;
  int width;
  int escapement;
  int orientation;
  int weight;
  bool italic;
  bool underline;
  bool strikeOut;
  std::uint8_t charSet;
  std::uint8_t outPrecision;
  std::uint8_t clipPrecision;
  std::uint8_t quality;
  std::uint8_t pitchAndFamily;
  // Null lets the platform choose the face from the other values.
  const char* faceName;
};

// A positive height asks for that cell height; 600 is semi-bold; 1 is the platform's default
// character set; every other choice is left to the platform.
constexpr FontParameters ColorFieldFont(int cellHeight, int averageWidth) {
  return FontParameters{cellHeight, averageWidth, 0, 0, 600, false, false, false, 1, 0, 0, 0,
                        0,          nullptr};
}

// A brush or font of the platform, by its handle; null is none.
using DrawingObject = void*;

// Creates and destroys the platform's drawing objects; tests count them.
class IDrawingObjects {
 public:
  virtual ~IDrawingObjects() = default;
  virtual DrawingObject MakeSolidBrush(ColorValue color) = 0;
  virtual DrawingObject MakeFont(const FontParameters& font) = 0;
  virtual void Destroy(DrawingObject object) = 0;
};

// What the field paints with. It owns its brush and its font: each one it made is destroyed
// exactly once, when it is replaced or when this object goes, whatever the order of calls.
class CColorFieldResources {
 public:
  // Black on white with a white brush, and no font of its own (the dialog's).
  explicit CColorFieldResources(IDrawingObjects& objects)
      : objects_(objects), brush_(objects.MakeSolidBrush(kWhite)) {}
  ~CColorFieldResources() {
    Release(brush_);
    Release(font_);
  }
  CColorFieldResources(const CColorFieldResources&) = delete;
  CColorFieldResources& operator=(const CColorFieldResources&) = delete;

  // Keeps both colours and replaces the brush by one of the background colour. False when the
  // new brush could not be made: the field then paints in the dialog's colours.
  bool SetColors(ColorValue text, ColorValue background) {
    text_ = text;
    background_ = background;
    Release(brush_);
    brush_ = objects_.MakeSolidBrush(background);
    return brush_ != nullptr;
  }

  // The old font goes before the new one is made, so that two never exist at once.
  bool SetFont(int cellHeight, int averageWidth) {
    Release(font_);
    font_ = objects_.MakeFont(ColorFieldFont(cellHeight, averageWidth));
    return font_ != nullptr;
  }

  ColorValue text() const { return text_; }
  ColorValue background() const { return background_; }
  DrawingObject brush() const { return brush_; }
  DrawingObject font() const { return font_; }

 private:
  void Release(DrawingObject& object) {
    if (object != nullptr) {
      objects_.Destroy(object);
      object = nullptr;
    }
  }

  IDrawingObjects& objects_;
  ColorValue text_ = kBlack;
  ColorValue background_ = kWhite;
  DrawingObject brush_;
  DrawingObject font_ = nullptr;
};

}  // namespace tollward::ui
