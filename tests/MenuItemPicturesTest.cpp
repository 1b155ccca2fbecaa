// A menu item's pictures: each bitmap released once however records are copied and dropped;
// the item's measured size and the places of its parts.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/fakes/FakeDrawingObjects.h"
#include "logic/MenuItemPictures.h"

namespace tollward::ui {
namespace {

TEST(MenuItemPictures, EveryBitmapIsReleasedOnceHoweverRecordsAreCopiedAndDropped) {
  struct Case {
    const char* name;
    unsigned normal;
    unsigned checked;
    // Copies the record and drops records in some order; what is left in `first` goes last.
    std::function<void(std::unique_ptr<CMenuItemPictures>&, FakeDrawingObjects&)> play;
  };
  auto copyThenDropOriginalFirst = [](std::unique_ptr<CMenuItemPictures>& first,
                                      FakeDrawingObjects& objects) {
    auto copy = std::make_unique<CMenuItemPictures>(*first);
    EXPECT_EQ(first->Shared(), copy->Shared());
    if (first->normal() != nullptr) {
      EXPECT_NE(first->normal(), copy->normal());
      EXPECT_EQ(objects.Origin(first->normal()), objects.Origin(copy->normal()));
    }
    first.reset();
    EXPECT_EQ(copy->normal() == nullptr, objects.live.empty());
    first = std::move(copy);
  };
  const std::vector<Case> cases = {
      {"shared, copy outlives", 175, 0, copyThenDropOriginalFirst},
      {"two pictures, copy outlives", 164, 168, copyThenDropOriginalFirst},
      {"two pictures, copy goes first", 164, 168,
       [](std::unique_ptr<CMenuItemPictures>& first, FakeDrawingObjects&) {
         CMenuItemPictures copy(*first);
         EXPECT_NE(first->checked(), copy.checked());
       }},
      {"no picture", 0, 0, copyThenDropOriginalFirst},
      {"assigned over a record that had its own", 164, 168,
       [](std::unique_ptr<CMenuItemPictures>& first, FakeDrawingObjects& objects) {
         CMenuItemPictures other(objects);
         ASSERT_TRUE(other.Load(131, 0));
         other = *first;
         other = other;
         EXPECT_FALSE(other.Shared());
       }},
      {"loaded again", 164, 168,
       [](std::unique_ptr<CMenuItemPictures>& first, FakeDrawingObjects& objects) {
         ASSERT_TRUE(first->Load(131, 0));
         EXPECT_EQ(1u, objects.live.size());
       }},
      {"checked picture missing", 164, 999,
       [](std::unique_ptr<CMenuItemPictures>&, FakeDrawingObjects&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDrawingObjects objects;
    objects.missingBitmaps = {999};
    auto first = std::make_unique<CMenuItemPictures>(objects);
    const bool loaded = first->Load(c.normal, c.checked);
    EXPECT_EQ(c.checked != 999, loaded);
    EXPECT_EQ(c.checked == 0, first->Shared());
    c.play(first, objects);
    first.reset();
    EXPECT_TRUE(objects.live.empty());
    EXPECT_EQ(0, objects.badCalls);
  }
}

TEST(MenuItemPictures, AnItemIsAtLeast18HighAndItsTextPlus21Wide) {
  struct Case {
    Extent text, normal, checked, expected;
  };
  const Case cases[] = {
      {{60, 13}, {13, 13}, {13, 13}, {81, 18}},  // the usual font and pictures
      {{60, 9}, {0, 0}, {0, 0}, {81, 18}},       // no picture at all
      {{40, 16}, {12, 13}, {12, 13}, {61, 20}},  // a larger font
      {{40, 13}, {13, 13}, {13, 25}, {61, 25}},  // a tall checked picture
      {{0, 0}, {13, 22}, {0, 0}, {21, 22}},
  };
  for (const Case& c : cases) {
    const Extent size = MeasureMenuItem(MenuItemMetrics{}, c.text, c.normal, c.checked);
    EXPECT_EQ(c.expected.width, size.width) << c.text.width << "x" << c.text.height;
    EXPECT_EQ(c.expected.height, size.height) << c.text.width << "x" << c.text.height;
  }
}

TEST(MenuItemPictures, PartsArePlacedAfterTheFrameAndCentredByTheirOwnHeight) {
  const Box item{0, 36, 150, 54};
  const MenuItemPlaces places = PlaceMenuItem(MenuItemMetrics{}, item, {13, 13}, {70, 13});
  EXPECT_EQ(2, places.pictureLeft);
  EXPECT_EQ(1, places.frameLeft);
  EXPECT_EQ(36 + 2 - 1, places.frameTop);
  EXPECT_EQ(16, places.frameWidth);
  EXPECT_EQ(2 + 13 + 1, places.frameHeight);
  EXPECT_EQ(21, places.textArea.left);
  EXPECT_EQ(36, places.textArea.top);
  EXPECT_EQ(150, places.textArea.right);
  EXPECT_EQ(54, places.textArea.bottom);
  EXPECT_EQ(23, places.textLeft);
  EXPECT_EQ(38, places.textTop);
  // Odd remainders are truncated toward zero, for the picture as for the text.
  EXPECT_EQ(36 + 2, CentredTop(item, 13));
  EXPECT_EQ(36 + 3, PlaceMenuItem(MenuItemMetrics{}, item, {13, 13}, {70, 11}).textTop);
  EXPECT_EQ(36 - 2, CentredTop(item, 22));
}

}  // namespace
}  // namespace tollward::ui
