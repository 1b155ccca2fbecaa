// An error box that shows nothing and remembers every box it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "platform/ErrorBox.h"

namespace tollward::testing {

struct ShownErrorBox {
  NativeWindow owner;
  std::string text;
  std::string caption;
  ErrorBoxIcon icon;
};

class RecordingErrorBox : public IErrorBox {
 public:
  void Show(NativeWindow owner, const char* text, const char* caption, ErrorBoxIcon icon) override {
    shown.push_back({owner, text != nullptr ? text : "", caption != nullptr ? caption : "", icon});
  }

  // The texts in the order shown, for tests that check a sequence of reports.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownErrorBox& box : shown) {
      texts.push_back(box.text);
    }
    return texts;
  }

  std::vector<ShownErrorBox> shown;
};

}  // namespace tollward::testing
