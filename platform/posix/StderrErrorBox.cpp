// Error reports of the native build, which has no desktop: one line on the standard error stream.
#include <cstdio>

#include "platform/ErrorBox.h"

namespace tollward {
namespace {

class StderrErrorBox final : public IErrorBox {
 public:
  void Show(NativeWindow, const char* text, const char* caption, ErrorBoxIcon icon) override {
    std::fprintf(stderr, "%s (%s): %s\n", caption != nullptr ? caption : "",
                 icon == ErrorBoxIcon::kStop ? "stop" : "information", text != nullptr ? text : "");
  }
};

}  // namespace

IErrorBox& SystemErrorBox() {
  static StderrErrorBox box;
  return box;
}

}  // namespace tollward
