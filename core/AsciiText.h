// Letter case of ASCII text, and the text of a fixed field that need not hold its zero.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tollward {

// ASCII only: the files' tags and the program's switches are ASCII, and lowering a byte of
// another code page could make two different names or a blank appear where there was none.
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowered(std::string text) {
  for (char& c : text) {
    c = AsciiLower(c);
  }
  return text;
}

// The text of a field up to its zero, or all of it when a damaged field has none: reading on
// would run into the next field.
template <std::size_t N>
std::string_view FieldView(const char (&field)[N]) {
  const void* end = std::memchr(field, '\0', N);
  return std::string_view(
      field, end == nullptr ? N : static_cast<std::size_t>(static_cast<const char*>(end) - field));
}

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(FieldView(field));
}

}  // namespace tollward
