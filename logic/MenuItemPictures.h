// Which picture a bitmap menu's item shows and how the item is laid out, without Win32, so that
// the rules are tested natively.
#pragma once

#include <algorithm>

#include "ui/framework/DpiScale.h"

namespace tollward::ui {

// Which resources an item's two pictures come from. 0 is none; a checked 0 lets the normal
// picture serve in both states, as the very same bitmap.
struct MenuItemPictureIds {
  unsigned normal = 0;
  unsigned checked = 0;

  bool Shared() const { return checked == 0; }
};

enum class MenuItemPicture { kNormal, kChecked };

// The picture an item shows: a checked item its own checked picture where it has one.
inline MenuItemPicture PictureShown(const MenuItemPictureIds& ids, bool checked) {
  return checked && !ids.Shared() ? MenuItemPicture::kChecked : MenuItemPicture::kNormal;
}

struct Extent {
  int width;
  int height;
};

// The layout values of a bitmap menu's item, given at 96 DPI.
struct MenuItemMetrics {
  unsigned minimumHeight = 18;
  int extraHeight = 4;
  // Width of the picture column left of the text, which the measured width also gains.
  unsigned textGutter = 21;
  // From the item's left edge to its picture, and from the picture column to the text.
  int pictureInset = 2;
  int textInset = 2;

  // Every value at `dpi`, so that an item keeps its proportions to its text and pictures.
  static MenuItemMetrics ForDpi(unsigned dpi) {
    const MenuItemMetrics base;
    MenuItemMetrics scaled;
    scaled.minimumHeight =
        static_cast<unsigned>(ScaleForDpi(static_cast<int>(base.minimumHeight), dpi));
    scaled.extraHeight = ScaleForDpi(base.extraHeight, dpi);
    scaled.textGutter = static_cast<unsigned>(ScaleForDpi(static_cast<int>(base.textGutter), dpi));
    scaled.pictureInset = ScaleForDpi(base.pictureInset, dpi);
    scaled.textInset = ScaleForDpi(base.textInset, dpi);
    return scaled;
  }
};

// The item's size: its text with some room above and below, at least as high as either picture
// and the minimum, and wider by the picture column.
inline Extent MeasureMenuItem(const MenuItemMetrics& metrics, Extent text, Extent normal,
                              Extent checked) {
  int height = text.height + metrics.extraHeight;
  height = std::max({height, normal.height, checked.height});
  const int minimum = static_cast<int>(metrics.minimumHeight);
  return Extent{text.width + static_cast<int>(metrics.textGutter), std::max(height, minimum)};
}

struct Box {
  int left;
  int top;
  int right;
  int bottom;
  int height() const { return bottom - top; }
};

// Where an item's parts go inside its rectangle `item`, for pictures of at most `pictures` and
// a text of `text` in the context's font. The frame's odd origin and height are those of the
// menus this program always drew.
struct MenuItemPlaces {
  int pictureLeft;
  int frameLeft;
  int frameTop;
  int frameWidth;
  int frameHeight;
  Box textArea;
  int textLeft;
  int textTop;
};

inline MenuItemPlaces PlaceMenuItem(const MenuItemMetrics& metrics, const Box& item,
                                    Extent pictures, Extent text) {
  const int d = (item.height() - pictures.height) / 2;
  const Box area{item.left + static_cast<int>(metrics.textGutter), item.top, item.right,
                 item.bottom};
  return MenuItemPlaces{item.left + metrics.pictureInset,
                        metrics.pictureInset - 1,
                        item.top + d - 1,
                        pictures.width + metrics.pictureInset + 1,
                        d + pictures.height + 1,
                        area,
                        area.left + metrics.textInset,
                        item.top + (item.height() - text.height) / 2};
}

// A picture's top edge when it is centerd by its own height in the item.
inline int CenterdTop(const Box& item, int pictureHeight) {
  return item.top + (item.height() - pictureHeight) / 2;
}

}  // namespace tollward::ui
