// A data file whose save was cut off after the old file was removed, on a volume that cannot
// replace a file in one step: only its new version, "<file>.new", is left.
#pragma once

#include <functional>
#include <string>

namespace tollward {

// Tells whether a file holds a complete data file of the kind expected.
using DataFileTest = std::function<bool(const std::string&)>;

// At start-up, before the file is read: a missing file whose new version lies beside it and
// passes `complete` is put back in its place from that version. True when it was; false when
// there was nothing to take or it could not be taken. A new version that fails the test is left
// where it is, for the file's loader to keep aside as damaged (KeepDamagedFile).
bool RecoverInterruptedSave(const std::string& path, const DataFileTest& complete) noexcept;

}  // namespace tollward
