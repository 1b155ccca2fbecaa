// Numbered stand-ins for the platform's drawing objects, with a log of every call.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/DrawingObjects.h"

namespace tollward::ui {

// Destroying or copying an object that is not alive is counted as a fault.
class FakeDrawingObjects : public IDrawingObjects {
 public:
  DrawingObject MakeSolidBrush(ColorValue color) override { return Make("brush", color, {}); }
  DrawingObject MakeFont(const FontParameters& font) override { return Make("font", 0, font); }
  DrawingObject LoadBitmapResource(unsigned id) override {
    return missingBitmaps.count(id) != 0 ? nullptr : Make("bitmap", id, {});
  }
  DrawingObject CopyBitmap(DrawingObject bitmap) override {
    const auto found = live.find(Key(bitmap));
    if (found == live.end()) {
      ++badCalls;
      return nullptr;
    }
    return Make("copy", found->second.first, {});
  }
  DrawingObject MakeMemoryContext(DrawingObject) override { return Make("context", 0, {}); }
  void Destroy(DrawingObject object) override {
    badCalls += live.erase(Key(object)) == 0 ? 1 : 0;
    log.push_back("destroy " + std::to_string(Key(object)));
  }

  static std::uintptr_t Key(DrawingObject object) {
    return reinterpret_cast<std::uintptr_t>(object);
  }
  // What the live object was made from: a colour, or a bitmap's resource id (copies keep it).
  ColorValue Origin(DrawingObject object) const { return live.at(Key(object)).first; }

  bool failMaking = false;
  std::set<unsigned> missingBitmaps;
  std::map<std::uintptr_t, std::pair<ColorValue, FontParameters>> live;
  std::vector<std::string> log;
  int badCalls = 0;

 private:
  DrawingObject Make(const char* kind, ColorValue origin, const FontParameters& font) {
    if (failMaking) {
      return nullptr;
    }
    live[++next_] = {origin, font};
    log.push_back(std::string("make ") + kind + " " + std::to_string(next_));
    return reinterpret_cast<DrawingObject>(next_);
  }
  std::uintptr_t next_ = 0;
};

}  // namespace tollward::ui
