// The program's name as its string table gives it: the caption of its boxes that have no other.
#pragma once

#include <string>

#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

inline std::string AppTitle() {
  return LoadResString(IDS_APP_TITLE);
}

}  // namespace tollward::ui
