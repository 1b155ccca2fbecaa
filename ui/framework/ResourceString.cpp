// Texts of the program's string table, whole whatever their length.
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

std::string LoadResString(UINT id) {
  // LoadStringA copies into a fixed buffer and cuts what does not fit; with a zero length the
  // wide form instead hands out the resource itself, whose length is exact.
  const wchar_t* text = nullptr;
  const int length =
      ::LoadStringW(::GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) {
    return std::string();
  }
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) {
    return std::string();
  }
  std::string result(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], bytes, nullptr, nullptr);
  return result;
}

}  // namespace tollward::ui
