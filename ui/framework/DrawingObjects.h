// What the platform's drawing objects are made from, colors and font parameters, without Win32,
// so that the portable rules can name them.
#pragma once

#include <cstdint>

namespace tollward::ui {

// A color as the platform lays it out: 0x00BBGGRR.
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

}  // namespace tollward::ui
