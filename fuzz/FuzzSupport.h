// What every file fuzzer shares: a scratch folder of its own, whole-file I/O, and a hard stop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tollward::fuzzing {

using Bytes = std::vector<std::uint8_t>;

// A path inside a folder that belongs to this process alone and is removed when it exits.
std::string ScratchPath(const std::string& name);

void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size);
Bytes ReadWholeFile(const std::string& path);
bool Exists(const std::string& path);

// Ends the process the way a sanitizer finding does, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what);

// Fails with `what` unless the condition holds.
inline void Require(bool condition, const char* what) {
  if (!condition) {
    Fail(what);
  }
}

}  // namespace tollward::fuzzing
