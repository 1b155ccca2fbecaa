// The colour field's brush and font: made and destroyed in pairs whatever the order of calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/controls/ColorFieldResources.h"

namespace tollward::ui {
namespace {

// Hands out numbered objects and remembers every call; a destroy of an object that is not alive
// (twice, or never made) is a fault of the caller.
class FakeDrawingObjects : public IDrawingObjects {
 public:
  struct Object {
    bool isFont;
    ColorValue color;
    FontParameters font;
  };

  DrawingObject MakeSolidBrush(ColorValue color) override {
    return Make("brush", Object{false, color, {}});
  }
  DrawingObject MakeFont(const FontParameters& font) override {
    return Make("font", Object{true, 0, font});
  }
  void Destroy(DrawingObject object) override {
    const auto key = reinterpret_cast<std::uintptr_t>(object);
    if (live.erase(key) == 0) {
      ++badDestroys;
    }
    log.push_back("destroy " + std::to_string(key));
  }

  const Object& Of(DrawingObject object) const {
    return live.at(reinterpret_cast<std::uintptr_t>(object));
  }
  int LiveOfKind(bool fonts) const {
    int count = 0;
    for (const auto& entry : live) {
      count += entry.second.isFont == fonts ? 1 : 0;
    }
    return count;
  }

  bool failMaking = false;
  std::map<std::uintptr_t, Object> live;
  std::vector<std::string> log;
  int badDestroys = 0;

 private:
  DrawingObject Make(const char* kind, const Object& object) {
    if (failMaking) {
      log.push_back(std::string("fail ") + kind);
      return nullptr;
    }
    const std::uintptr_t key = ++next_;
    live[key] = object;
    log.push_back(std::string("make ") + kind + " " + std::to_string(key));
    return reinterpret_cast<DrawingObject>(key);
  }

  std::uintptr_t next_ = 0;
};

TEST(ColorFieldResources, StartsBlackOnAWhiteBrushInTheDialogsFont) {
  FakeDrawingObjects objects;
  CColorFieldResources field(objects);
  EXPECT_EQ(kBlack, field.text());
  EXPECT_EQ(kWhite, field.background());
  ASSERT_NE(nullptr, field.brush());
  EXPECT_EQ(kWhite, objects.Of(field.brush()).color);
  EXPECT_EQ(nullptr, field.font());
}

TEST(ColorFieldResources, SetColorsReplacesTheBrushByOneOfTheNewBackground) {
  FakeDrawingObjects objects;
  CColorFieldResources field(objects);
  const DrawingObject white = field.brush();

  ASSERT_TRUE(field.SetColors(Rgb(1, 2, 3), Rgb(208, 255, 208)));
  EXPECT_EQ(Rgb(1, 2, 3), field.text());
  EXPECT_EQ(Rgb(208, 255, 208), field.background());
  EXPECT_NE(white, field.brush());
  EXPECT_EQ(0u, objects.live.count(reinterpret_cast<std::uintptr_t>(white)));
  EXPECT_EQ(Rgb(208, 255, 208), objects.Of(field.brush()).color);

  ASSERT_TRUE(field.SetColors(kBlack, Rgb(255, 208, 208)));
  EXPECT_EQ(1, objects.LiveOfKind(false));
  EXPECT_EQ(Rgb(255, 208, 208), objects.Of(field.brush()).color);
}

TEST(ColorFieldResources, SetFontDestroysTheOldFontBeforeMakingASemiBoldOneOfTheGivenCell) {
  FakeDrawingObjects objects;
  CColorFieldResources field(objects);
  ASSERT_TRUE(field.SetFont(16, 8));
  const auto first = reinterpret_cast<std::uintptr_t>(field.font());
  objects.log.clear();

  ASSERT_TRUE(field.SetFont(20, 10));
  const auto second = reinterpret_cast<std::uintptr_t>(field.font());
  EXPECT_EQ(objects.log, (std::vector<std::string>{"destroy " + std::to_string(first),
                                                   "make font " + std::to_string(second)}));
  EXPECT_EQ(1, objects.LiveOfKind(true));

  const FontParameters& font = objects.Of(field.font()).font;
  EXPECT_EQ(20, font.height);  // positive: matched by cell height, not character height
  EXPECT_EQ(10, font.width);
  EXPECT_EQ(600, font.weight);
  EXPECT_EQ(1, font.charSet);
  EXPECT_EQ(0, font.escapement + font.orientation);
  EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
  EXPECT_EQ(0, font.outPrecision + font.clipPrecision + font.quality + font.pitchAndFamily);
  EXPECT_EQ(nullptr, font.faceName);
}

TEST(ColorFieldResources, EveryObjectMadeIsDestroyedExactlyOnceWhateverTheOrderOfCalls) {
  const std::vector<std::function<void(CColorFieldResources&)>> sequences = {
      [](CColorFieldResources&) {},
      [](CColorFieldResources& f) { f.SetFont(20, 10); },
      [](CColorFieldResources& f) {
        f.SetColors(kBlack, kWhite);
        f.SetColors(kBlack, kWhite);
      },
      [](CColorFieldResources& f) {
        f.SetFont(20, 10);
        f.SetColors(kBlack, Rgb(192, 192, 192));
        f.SetFont(16, 8);
        f.SetColors(kWhite, kBlack);
        f.SetFont(20, 10);
      },
  };
  for (std::size_t i = 0; i < sequences.size(); ++i) {
    SCOPED_TRACE(i);
    FakeDrawingObjects objects;
    {
      CColorFieldResources field(objects);
      sequences[i](field);
      EXPECT_EQ(1, objects.LiveOfKind(false));
      EXPECT_LE(objects.LiveOfKind(true), 1);
    }
    EXPECT_TRUE(objects.live.empty());
    EXPECT_EQ(0, objects.badDestroys);
  }
}

TEST(ColorFieldResources, ObjectsThatCouldNotBeMadeAreNeverDestroyed) {
  FakeDrawingObjects objects;
  {
    CColorFieldResources field(objects);
    objects.failMaking = true;
    EXPECT_FALSE(field.SetColors(kBlack, Rgb(255, 208, 208)));
    EXPECT_EQ(nullptr, field.brush());
    EXPECT_EQ(Rgb(255, 208, 208), field.background());
    EXPECT_FALSE(field.SetFont(20, 10));
    EXPECT_EQ(nullptr, field.font());

    objects.failMaking = false;
    EXPECT_TRUE(field.SetColors(kBlack, kWhite));
    EXPECT_NE(nullptr, field.brush());
  }
  EXPECT_TRUE(objects.live.empty());
  EXPECT_EQ(0, objects.badDestroys);
}

}  // namespace
}  // namespace tollward::ui
