// A menu item's two pictures and how a bitmap menu lays the item out, without Win32, so that
// their ownership and the layout rules are tested natively.
#pragma once

#include <algorithm>

#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

// The normal and the checked picture of one item. Both are owned; the checked one may be the
// very same bitmap as the normal one, and is then released once with it. A copy owns copies of
// the bitmaps, with a shared picture shared again, so records can be kept as values anywhere.
class CMenuItemPictures {
 public:
  explicit CMenuItemPictures(IDrawingObjects& objects) : objects_(&objects) {}
  ~CMenuItemPictures() { Release(); }
  CMenuItemPictures(const CMenuItemPictures& other) : objects_(other.objects_) { CopyFrom(other); }
  CMenuItemPictures& operator=(const CMenuItemPictures& other) {
    if (this != &other) {
      Release();
      objects_ = other.objects_;
      CopyFrom(other);
    }
    return *this;
  }

  // Releases the pictures held, then loads the resources; 0 is none, and a checked 0 lets the
  // normal picture serve for both states. False when a resource could not be loaded.
  bool Load(unsigned normalId, unsigned checkedId) {
    Release();
    if (normalId != 0 && (normal_ = objects_->LoadBitmapResource(normalId)) == nullptr) {
      return false;
    }
    if (checkedId == 0) {
      checked_ = normal_;
      return true;
    }
    checked_ = objects_->LoadBitmapResource(checkedId);
    return checked_ != nullptr;
  }

  DrawingObject normal() const { return normal_; }
  DrawingObject checked() const { return checked_; }
  bool Shared() const { return normal_ == checked_; }

 private:
  void CopyFrom(const CMenuItemPictures& other) {
    normal_ = other.normal_ != nullptr ? objects_->CopyBitmap(other.normal_) : nullptr;
    if (other.Shared()) {
      checked_ = normal_;
    } else {
      checked_ = other.checked_ != nullptr ? objects_->CopyBitmap(other.checked_) : nullptr;
    }
  }

  void Release() {
    if (checked_ != nullptr && checked_ != normal_) {
      objects_->Destroy(checked_);
    }
    if (normal_ != nullptr) {
      objects_->Destroy(normal_);
    }
    normal_ = nullptr;
    checked_ = nullptr;
  }

  IDrawingObjects* objects_;
  DrawingObject normal_ = nullptr;
  DrawingObject checked_ = nullptr;
};

struct Extent {
  int width;
  int height;
};

// The layout values of a bitmap menu's item; no one changes them after construction.
struct MenuItemMetrics {
  unsigned minimumHeight = 18;
  int extraHeight = 4;
  // Width of the picture column left of the text, which the measured width also gains.
  unsigned textGutter = 21;
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
  return MenuItemPlaces{item.left + 2,           1,
                        item.top + d - 1,        pictures.width + 3,
                        d + pictures.height + 1, area,
                        area.left + 2,           item.top + (item.height() - text.height) / 2};
}

// A picture's top edge when it is centred by its own height in the item.
inline int CentredTop(const Box& item, int pictureHeight) {
  return item.top + (item.height() - pictureHeight) / 2;
}

}  // namespace tollward::ui
