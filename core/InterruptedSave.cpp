// A data file whose save was cut off after the old file was removed, on a volume that cannot
// replace a file in one step: only its new version, "<file>.new", is left.
#include "core/InterruptedSave.h"

#include "core/InputFile.h"
#include "core/SafeFileWriter.h"

namespace tollward {

bool RecoverInterruptedSave(const std::string& path, const DataFileTest& complete) noexcept {
  try {
    const std::string newVersion = CSafeFileWriter::TemporaryPathFor(path);
    {
      // A file that is there, even one this user may not read, is the file: never replaced.
      CInputFile present(path);
      if (!present.IsMissing()) {
        return false;
      }
      CInputFile candidate(newVersion);
      if (!candidate.IsOpen()) {
        return false;
      }
    }
    if (!complete || !complete(newVersion)) {
      return false;
    }
    return ActiveFileSystem().Replace(newVersion, path);
  } catch (...) {
    return false;
  }
}

}  // namespace tollward
