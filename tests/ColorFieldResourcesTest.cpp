// The colour field's brush and font: made and destroyed in pairs whatever the order of calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/fakes/FakeDrawingObjects.h"
#include "ui/controls/ColorFieldResources.h"

namespace tollward::ui {
namespace {

TEST(ColorFieldResources, EachSettingReplacesItsObjectOldOneFirst) {
  FakeDrawingObjects objects;
  CColorFieldResources field(objects);
  EXPECT_EQ(kBlack, field.text());
  EXPECT_EQ(kWhite, objects.live.at(1).first);
  EXPECT_EQ(nullptr, field.font());

  const DrawingObject white = field.brush();
  ASSERT_TRUE(field.SetColors(Rgb(1, 2, 3), Rgb(255, 208, 208)));
  ASSERT_TRUE(field.SetFont(16, 8));
  const DrawingObject firstFont = field.font();
  ASSERT_TRUE(field.SetFont(20, 10));
  EXPECT_EQ(objects.log, (std::vector<std::string>{"make brush 1", "destroy 1", "make brush 2",
                                                   "make font 3", "destroy 3", "make font 4"}));
  EXPECT_NE(white, field.brush());
  EXPECT_NE(firstFont, field.font());
  EXPECT_EQ(Rgb(1, 2, 3), field.text());
  EXPECT_EQ(Rgb(255, 208, 208), field.background());
  EXPECT_EQ(Rgb(255, 208, 208), objects.live.at(2).first);

  const FontParameters& font = objects.live.at(4).second;
  EXPECT_EQ(20, font.height);  // positive: matched by cell height, not character height
  EXPECT_EQ(10, font.width);
  EXPECT_EQ(600, font.weight);
  EXPECT_EQ(1, font.charSet);
  EXPECT_EQ(0, font.escapement + font.orientation + font.outPrecision + font.clipPrecision +
                   font.quality + font.pitchAndFamily);
  EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
  EXPECT_EQ(nullptr, font.faceName);
}

TEST(ColorFieldResources, EveryObjectMadeIsDestroyedExactlyOnceWhateverTheOrderOfCalls) {
  using Calls = std::function<void(CColorFieldResources&, FakeDrawingObjects&)>;
  const std::vector<Calls> sequences = {
      [](CColorFieldResources&, FakeDrawingObjects&) {},
      [](CColorFieldResources& f, FakeDrawingObjects&) { f.SetFont(20, 10); },
      [](CColorFieldResources& f, FakeDrawingObjects&) {
        f.SetFont(20, 10);
        f.SetColors(kBlack, Rgb(192, 192, 192));
        f.SetFont(16, 8);
        f.SetColors(kWhite, kBlack);
      },
      // Objects that could not be made leave nothing to destroy, and a later success counts.
      [](CColorFieldResources& f, FakeDrawingObjects& objects) {
        objects.failMaking = true;
        EXPECT_FALSE(f.SetColors(kBlack, Rgb(255, 208, 208)));
        EXPECT_EQ(nullptr, f.brush());
        EXPECT_FALSE(f.SetFont(20, 10));
        objects.failMaking = false;
        EXPECT_TRUE(f.SetColors(kBlack, kWhite));
      },
  };
  for (std::size_t i = 0; i < sequences.size(); ++i) {
    SCOPED_TRACE(i);
    FakeDrawingObjects objects;
    {
      CColorFieldResources field(objects);
      sequences[i](field, objects);
      EXPECT_LE(objects.live.size(), 2u);
    }
    EXPECT_TRUE(objects.live.empty());
    EXPECT_EQ(0, objects.badCalls);
  }
}

}  // namespace
}  // namespace tollward::ui
