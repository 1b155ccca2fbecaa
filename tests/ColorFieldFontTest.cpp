// The color field's font: matched by cell height, semi-bold, everything else the platform's.
#include <gtest/gtest.h>

#include "logic/ColorFieldFont.h"

namespace tollward::ui {
namespace {

TEST(ColorFieldFont, IsSemiBoldAtTheCellHeightAndWidthAskedForAndLeavesTheRestToThePlatform) {
  const FontParameters font = ColorFieldFont(20, 10);
  EXPECT_EQ(20, font.height);  // positive: matched by cell height, not character height
  EXPECT_EQ(10, font.width);
  EXPECT_EQ(600, font.weight);
  EXPECT_EQ(1, font.charSet);
  EXPECT_EQ(0, font.escapement + font.orientation + font.outPrecision + font.clipPrecision +
                   font.quality + font.pitchAndFamily);
  EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
  EXPECT_EQ(nullptr, font.faceName);
}

}  // namespace
}  // namespace tollward::ui
