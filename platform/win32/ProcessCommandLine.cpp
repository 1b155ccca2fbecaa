// The command line of the running Windows process, and the file it runs.
#include "platform/win32/ProcessCommandLine.h"

#include "platform/win32/WinApi.h"

#include <vector>

namespace tollward {
namespace {

// The path in the code page, or empty when a character of it has no place there: a '?' in its
// stead would name another file or none.
std::string InCodePage(const std::wstring& path) {
  BOOL lossy = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr,
                                           0, nullptr, &lossy);
  if (length <= 1 || lossy) {
    return {};
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, text.data(), length,
                        nullptr, nullptr);
  text.resize(static_cast<std::size_t>(length - 1));
  return text;
}

std::wstring ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      return std::wstring(buffer.data(), length);
    }
    if (buffer.size() >= 32768) {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
}

// The same file under another of its names, from the system: long or short (8.3).
std::wstring Renamed(const std::wstring& path, DWORD(WINAPI* convert)(LPCWSTR, LPWSTR, DWORD)) {
  const DWORD length = convert(path.c_str(), nullptr, 0);
  if (length == 0) {
    return {};
  }
  std::wstring renamed(length, L'\0');
  const DWORD written = convert(path.c_str(), renamed.data(), length);
  if (written == 0 || written >= length) {
    return {};
  }
  renamed.resize(written);
  return renamed;
}

}  // namespace

std::string CProcessCommandLine::Text() const {
  const char* text = GetCommandLineA();
  return text != nullptr ? text : "";
}

std::string CProcessCommandLine::ProgramFile() const {
  try {
    const std::wstring module = ModuleFileName();
    if (module.empty()) {
      return {};
    }
    // The long form, so that a start through a short name still finds the program's folder
    // under the name that the system's program folders carry.
    const std::wstring full = Renamed(module, &::GetLongPathNameW);
    const std::string path = InCodePage(full.empty() ? module : full);
    if (!path.empty()) {
      return path;
    }
    // A folder outside the code page: its short name is plain ASCII where the volume keeps one.
    return InCodePage(Renamed(module, &::GetShortPathNameW));
  } catch (...) {
    return {};
  }
}

ICommandLine& SystemCommandLine() {
  static CProcessCommandLine commandLine;
  return commandLine;
}

}  // namespace tollward
