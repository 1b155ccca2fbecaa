// Pixel sizes for a display's DPI and the picture set drawn for it, without Win32, so that these
// rules are tested natively.
#pragma once

namespace tollward::ui {

// The DPI at which every pixel size the program names is given.
constexpr unsigned kBaseDpi = 96;

// `pixels` at 96 DPI at `dpi`, rounded to the nearest pixel as the system scales its own sizes.
constexpr int ScaleForDpi(int pixels, unsigned dpi) {
  if (dpi == 0) {
    return pixels;
  }
  const long long scaled = static_cast<long long>(pixels) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>((scaled >= 0 ? scaled + half : scaled - half) / kBaseDpi);
}

// Every picture comes drawn at 100, 150 and 200 %. A display takes the largest set that is
// not larger than its scale, so a picture never overflows the room laid out for it, and a set's
// resource lies `kPictureSetStep` identifiers above the one of the next smaller set.
constexpr unsigned kPictureSetStep = 1000;
constexpr unsigned kPictureSetPercent[] = {100, 150, 200};

constexpr unsigned PictureSetFor(unsigned dpi) {
  unsigned set = 0;
  for (unsigned i = 0; i < sizeof(kPictureSetPercent) / sizeof(kPictureSetPercent[0]); ++i) {
    if (dpi * 100 >= kPictureSetPercent[i] * kBaseDpi) {
      set = i;
    }
  }
  return set;
}

// The resource of picture `id` drawn for `dpi`; 0 stays 0 (no picture).
constexpr unsigned PictureForDpi(unsigned id, unsigned dpi) {
  return id == 0 ? 0 : id + kPictureSetStep * PictureSetFor(dpi);
}

}  // namespace tollward::ui
