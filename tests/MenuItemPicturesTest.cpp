// A menu item's pictures: which one it shows; the item's measured size and the places of its
// parts.
#include <gtest/gtest.h>

#include <string>

#include "logic/MenuItemPictures.h"

namespace tollward::ui {
namespace {

TEST(MenuItemPictures, ACheckedItemShowsItsOwnCheckedPictureOrElseTheNormalOne) {
  struct Case {
    MenuItemPictureIds ids;
    bool checked;
    MenuItemPicture shown;
  };
  const Case cases[] = {
      {{164, 168}, true, MenuItemPicture::kChecked}, {{164, 168}, false, MenuItemPicture::kNormal},
      {{175, 0}, true, MenuItemPicture::kNormal},  // shared: one bitmap for both states
      {{175, 0}, false, MenuItemPicture::kNormal},   {{0, 168}, true, MenuItemPicture::kChecked},
      {{0, 168}, false, MenuItemPicture::kNormal},  // no picture while unchecked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ids.normal) + "/" + std::to_string(c.ids.checked) +
                 (c.checked ? " checked" : ""));
    EXPECT_EQ(c.shown, PictureShown(c.ids, c.checked));
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

TEST(MenuItemPictures, PartsArePlacedAfterTheFrameAndCenterdByTheirOwnHeight) {
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
  EXPECT_EQ(36 + 2, CenterdTop(item, 13));
  EXPECT_EQ(36 + 3, PlaceMenuItem(MenuItemMetrics{}, item, {13, 13}, {70, 11}).textTop);
  EXPECT_EQ(36 - 2, CenterdTop(item, 22));
}

}  // namespace
}  // namespace tollward::ui
