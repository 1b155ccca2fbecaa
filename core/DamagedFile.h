// Keeps a data file that could not be read beside it, before a save writes over it.
#pragma once

#include <string>

namespace tollward {

// Where the n-th distinct unreadable content of a file is kept: "<file>.damaged" for the first,
// then "<file>.damaged.2", "<file>.damaged.3", ...
std::string DamagedCopyPath(const std::string& path, unsigned number);

// True when a save may replace the file without losing anything: the file is missing, or its
// bytes are kept beside it, now or by an earlier call (the same bytes are never kept twice).
// A missing file whose "<file>.new" is still there counts as that file: those bytes are kept.
// False when they could not be kept.
bool KeepDamagedFile(const std::string& path) noexcept;

}  // namespace tollward
