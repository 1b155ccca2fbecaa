// The program's drawing objects (brushes, fonts, bitmaps, memory device contexts) behind one
// interface without Win32, so that each one's single owner and single release are tested natively.
#pragma once

#include <cstdint>
#include <utility>

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

// A drawing object of the platform, by its handle; null is none.
using DrawingObject = void*;

// Makes and destroys the platform's drawing objects; tests count them. Every maker answers null
// when the platform refuses.
class IDrawingObjects {
 public:
  virtual ~IDrawingObjects() = default;
  virtual DrawingObject MakeSolidBrush(ColorValue color) = 0;
  virtual DrawingObject MakeFont(const FontParameters& font) = 0;
  // A bitmap of the program's resources.
  virtual DrawingObject LoadBitmapResource(unsigned id) = 0;
  // A new bitmap of the same size and pixels, compatible with the screen.
  virtual DrawingObject CopyBitmap(DrawingObject bitmap) = 0;
  // A memory device context compatible with `context`, or with the screen for null.
  virtual DrawingObject MakeMemoryContext(DrawingObject context) = 0;
  // Releases any object made above in the way its kind needs.
  virtual void Destroy(DrawingObject object) = 0;
};

// The one owner of one drawing object: it is destroyed exactly once, when it is replaced or
// when its owner goes. Moving hands the ownership on; there is no copy.
class COwnedObject {
 public:
  COwnedObject() = default;
  COwnedObject(IDrawingObjects& objects, DrawingObject object)
      : objects_(&objects), object_(object) {}
  ~COwnedObject() { Reset(); }
  COwnedObject(const COwnedObject&) = delete;
  COwnedObject& operator=(const COwnedObject&) = delete;
  COwnedObject(COwnedObject&& other) noexcept
      : objects_(other.objects_), object_(std::exchange(other.object_, nullptr)) {}
  COwnedObject& operator=(COwnedObject&& other) noexcept {
    if (this != &other) {
      Reset();
      objects_ = other.objects_;
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  DrawingObject get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Reset() {
    if (object_ != nullptr) {
      objects_->Destroy(object_);
      object_ = nullptr;
    }
  }

 private:
  IDrawingObjects* objects_ = nullptr;
  DrawingObject object_ = nullptr;
};

}  // namespace tollward::ui
