// Texts of the program's string table, whole whatever their length, and formatted from them.
#pragma once

#include "platform/win32/WinApi.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tollward::ui {

// The text of string `id`, empty if there is none.
std::string LoadResString(UINT id);

// String `id` used as a printf format for `args`; the formats are the program's own texts.
template <typename... Args>
std::string FormatResString(UINT id, Args... args) {
  const std::string format = LoadResString(id);
  const int length = std::snprintf(nullptr, 0, format.c_str(), args...);
  if (length <= 0) {
    return std::string();
  }
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), format.c_str(), args...);
  return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace tollward::ui
