// Loads any bytes as the options file; each field must end as the layout says, and survive a save.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/ByteCodec.h"
#include "core/SafeFileWriter.h"
#include "fuzz/FuzzSupport.h"
#include "options/Options.h"
#include "options/OptionsErrors.h"
#include "tests/fakes/FakeAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"

namespace {

using namespace tollward;
using namespace tollward::options_error;
using tollward::fuzzing::Bytes;
using tollward::fuzzing::Require;
using Codes = std::vector<ErrorCode>;

constexpr std::size_t kTagSize = 9;
constexpr std::size_t kVersionOffset = 9;
constexpr std::size_t kIntervalOffset = 17;
constexpr std::size_t kFlagsOffset = 21;
constexpr std::size_t kRecordSize = 24;
const std::uint8_t kTag[kTagSize] = {'O', 'p', 't', 'i', 'o', 'n', 's', ':', 0};
const std::uint8_t kVersionOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

// Keeps the codes of every report instead of showing them.
class RecordingOptions : public COptions {
 public:
  using COptions::COptions;
  void ReportError() override { reported.push_back(errorCode()); }
  Codes reported;
};

// The four values the file keeps, as a record holds them.
struct FileValues {
  std::uint32_t interval;
  bool flags[3];

  static FileValues Of(const COptions& options) {
    return {options.GetMonitorInterval(),
            {options.minimizeOnMonitorStart, options.showExtendedFunctionality,
             options.flashTrayIconAfterScan}};
  }
  bool operator==(const FileValues& other) const {
    return interval == other.interval && std::memcmp(flags, other.flags, sizeof flags) == 0;
  }
};

// The reports a load of these bytes must give, worked out from the file's layout alone.
Codes ExpectedReports(const std::uint8_t* data, std::size_t size) {
  if (size < kTagSize) {
    return {kLoadRead, kLoadArchive};
  }
  if (std::memcmp(data, kTag, kTagSize) != 0) {
    return {kLoadFileType, kLoadArchive};
  }
  if (size < kIntervalOffset) {
    return {kLoadRead, kLoadArchive};
  }
  if (std::memcmp(data + kVersionOffset, kVersionOne, sizeof kVersionOne) != 0) {
    return {kLoadVersion, kLoadArchive};
  }
  if (size < kRecordSize) {
    return {kLoadRead, kLoadArchive};
  }
  return {};
}

// Behind a sound header each field is taken as far as the file reaches; a damaged header
// changes nothing.
FileValues ExpectedValues(const std::uint8_t* data, std::size_t size, const FileValues& before) {
  FileValues values = before;
  const bool soundHeader = size >= kIntervalOffset && std::memcmp(data, kTag, kTagSize) == 0 &&
                           std::memcmp(data + kVersionOffset, kVersionOne, 8) == 0;
  if (!soundHeader) {
    return values;
  }
  if (size >= kFlagsOffset) {
    values.interval = Uint32At(data + kIntervalOffset);
  }
  for (std::size_t i = 0; i < 3 && kFlagsOffset + i < size; ++i) {
    values.flags[i] = data[kFlagsOffset + i] != 0;
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzzing::ScratchPath("input.ini");
  static const std::string saved = fuzzing::ScratchPath("saved.ini");
  static const std::string again = fuzzing::ScratchPath("again.ini");
  // The record writes itself into its program's folder when destroyed: a scratch folder too.
  static const testing::FakeCommandLine commandLine('"' + fuzzing::ScratchPath("program") +
                                                    "\\Tollward.exe\" /monitor");
  fuzzing::WriteWholeFile(input, data, size);

  testing::FakeAutostartStore store;
  RecordingOptions first(store, commandLine);
  // Not the initial values, so that a load that resets a field instead of keeping it shows.
  first.SetMonitorInterval(9999);
  first.minimizeOnMonitorStart = true;
  first.showExtendedFunctionality = true;
  first.flashTrayIconAfterScan = false;
  const FileValues before = FileValues::Of(first);

  std::string path = input;
  const bool loaded = first.Load(path);
  const Codes expected = ExpectedReports(data, size);
  Require(first.reported == expected, "load reports what the layout says");
  Require(loaded == expected.empty(), "load succeeds exactly when the record is whole");
  Require(FileValues::Of(first) == ExpectedValues(data, size, before),
          "load takes each field the file holds and no other");
  if (!loaded) {
    return 0;
  }

  path = saved;
  Require(first.Save(path), "loaded options can be saved");
  const Bytes savedBytes = fuzzing::ReadWholeFile(saved);
  Require(savedBytes.size() == kRecordSize, "the saved file is one record");
  Require(std::memcmp(savedBytes.data(), data, kFlagsOffset) == 0,
          "tag, version and interval are saved as loaded");
  for (std::size_t i = kFlagsOffset; i < kRecordSize; ++i) {
    Require(savedBytes[i] == (data[i] != 0 ? 1 : 0), "each flag is saved as 0 or 1");
  }

  RecordingOptions second(store, commandLine);
  Require(second.Load(path), "saved options load again");
  Require(FileValues::Of(second) == FileValues::Of(first), "the reloaded values are those saved");
  path = again;
  Require(second.Save(path), "reloaded options can be saved");
  Require(fuzzing::ReadWholeFile(again) == savedBytes, "saving is stable after one round trip");
  Require(first.reported.empty() && second.reported.empty(), "the round trip reports nothing");
  Require(!fuzzing::Exists(CSafeFileWriter::TemporaryPathFor(saved)), "no file left beside");
  return 0;
}
