// What follows the display's DPI: the picture set drawn for it, and a menu item's layout, which
// must keep its text and pictures whole at every scale.
#include <gtest/gtest.h>

#include "logic/MenuItemPictures.h"
#include "ui/framework/DpiScale.h"

namespace tollward::ui {
namespace {

TEST(DpiLayout, EachDpiTakesTheLargestPictureSetThatDoesNotOverflowItsRoom) {
  struct Case {
    unsigned dpi;
    unsigned set;
  };
  // 100, 125, 150, 175, 200 and 300 %.
  const Case cases[] = {{96, 0}, {120, 0}, {144, 1}, {168, 1}, {192, 2}, {288, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(c.set, PictureSetFor(c.dpi));
    // The set's pictures are never larger than the room that 13 pixels at 100 % take.
    EXPECT_LE(13 * kPictureSetPercent[c.set] / 100, static_cast<unsigned>(ScaleForDpi(13, c.dpi)));
  }
  EXPECT_EQ(0u, PictureForDpi(0, 192)) << "no picture stays no picture";
  EXPECT_EQ(161u + 2 * kPictureSetStep, PictureForDpi(161, 192));
}

TEST(DpiLayout, AMenuItemHoldsItsTextAndPicturesWholeAtEveryScale) {
  for (unsigned dpi : {96u, 120u, 144u, 192u, 288u}) {
    SCOPED_TRACE(dpi);
    const MenuItemMetrics metrics = MenuItemMetrics::ForDpi(dpi);
    // The menu font's height and the set's pictures at this DPI.
    const Extent text{ScaleForDpi(90, dpi), ScaleForDpi(13, dpi)};
    const int side = static_cast<int>(13 * kPictureSetPercent[PictureSetFor(dpi)] / 100);
    const Extent picture{side, side};
    const Extent item = MeasureMenuItem(metrics, text, picture, picture);
    EXPECT_GE(item.height, text.height + 2) << "room above and below the text";
    EXPECT_GE(item.height, picture.height);
    EXPECT_GE(item.width, text.width + picture.width);

    const Box box{0, 0, item.width, item.height};
    const MenuItemPlaces places = PlaceMenuItem(metrics, box, picture, text);
    EXPECT_GE(places.pictureLeft, 0);
    EXPECT_LT(places.pictureLeft + picture.width, places.textArea.left) << "picture in its column";
    EXPECT_LE(places.textLeft - places.textArea.left, picture.width / 2) << "text by its picture";
    EXPECT_GE(places.textTop, box.top);
    EXPECT_LE(places.textTop + text.height, box.bottom);
  }
}

}  // namespace
}  // namespace tollward::ui
