// Loads any bytes as the bad area code file; a load must end as the layout says, and survive a
// save.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/ByteCodec.h"
#include "core/ErrorTables.h"
#include "core/RASBadAreaCodes.h"
#include "core/SafeFileWriter.h"
#include "fuzz/FuzzSupport.h"

namespace {

using namespace tollward;
using namespace tollward::bad_area_error;
using tollward::fuzzing::Bytes;
using tollward::fuzzing::Require;
using Codes = std::vector<ErrorCode>;

constexpr std::size_t kTagSize = 17;
constexpr std::size_t kVersionOffset = 17;
constexpr std::size_t kCountOffset = 25;
constexpr std::size_t kHeaderSize = 29;
const char kTag[kTagSize] = "RASBadAreaCodes:";
const std::uint8_t kVersionOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

// Keeps the codes of every report instead of showing them.
class RecordingBadAreaCodes : public CRASBadAreaCodes {
 public:
  void ReportError() override { reported.push_back(errorCode()); }
  Codes reported;
};

char Lower(std::uint8_t c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// The reports a load of these bytes must give, worked out from the file's layout alone.
Codes ExpectedReports(const std::uint8_t* data, std::size_t size) {
  if (size < kTagSize) {
    return {kLoadRead, kLoadArchive};
  }
  for (std::size_t i = 0; i < kTagSize; ++i) {
    if (Lower(data[i]) != Lower(static_cast<std::uint8_t>(kTag[i]))) {
      return {kLoadFileType, kLoadArchive};
    }
  }
  if (size < kCountOffset) {
    return {kLoadRead, kLoadArchive};
  }
  if (std::memcmp(data + kVersionOffset, kVersionOne, sizeof kVersionOne) != 0) {
    return {kLoadVersion, kLoadArchive};
  }
  if (size < kHeaderSize) {
    return {kLoadRead, kLoadArchive};
  }
  const std::uint64_t room = (size - kHeaderSize) / kBadAreaCodeSlotSize;
  if (room < Uint32At(data + kCountOffset)) {
    return {kLoadRead, kLoadArchive};
  }
  return {};
}

const std::uint8_t* SlotAt(const std::uint8_t* file, std::size_t index) {
  return file + kHeaderSize + index * kBadAreaCodeSlotSize;
}

// The saved file is the input with its tag spelled as written, without what followed the last
// slot, and with each slot's last byte a zero; every other byte is kept. The list's codes are
// the slots' texts.
void CheckCanonical(const std::uint8_t* input, const Bytes& saved, CRASBadAreaCodes& loaded) {
  const std::uint32_t count = Uint32At(input + kCountOffset);
  Require(saved.size() == kHeaderSize + std::uint64_t{count} * kBadAreaCodeSlotSize,
          "saved file has the size of its slots");
  Require(std::memcmp(saved.data(), kTag, kTagSize) == 0, "saved tag is the canonical one");
  Require(std::memcmp(saved.data() + kVersionOffset, input + kVersionOffset,
                      kHeaderSize - kVersionOffset) == 0,
          "saved version and count are those loaded");
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* before = SlotAt(input, i);
    const std::uint8_t* after = SlotAt(saved.data(), i);
    Require(
        std::memcmp(before, after, kBadAreaCodeMaxDigits) == 0 && after[kBadAreaCodeMaxDigits] == 0,
        "saved slot keeps its ten bytes and ends in a zero");
    const char* text = reinterpret_cast<const char*>(after);
    Require(
        std::string(loaded.Get(i + 1)) == std::string(text, strnlen(text, kBadAreaCodeSlotSize)),
        "the loaded code is the slot's text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzzing::ScratchPath("input.bac");
  static const std::string saved = fuzzing::ScratchPath("saved.bac");
  static const std::string again = fuzzing::ScratchPath("again.bac");
  fuzzing::WriteWholeFile(input, data, size);

  // The lists write themselves back when destroyed; their last paths are the scratch copies.
  RecordingBadAreaCodes first;
  const bool loaded = first.Load(input);
  const Codes expected = ExpectedReports(data, size);
  Require(first.reported == expected, "load reports what the layout says");
  Require(loaded == expected.empty(), "load succeeds exactly when the layout is whole");
  if (!loaded) {
    Require(first.GetCount() == 0, "a failed load leaves no codes");
    return 0;
  }
  Require(first.GetCount() == Uint32At(data + kCountOffset), "every code is loaded");

  Require(first.Save(saved), "a loaded list can be saved");
  const Bytes savedBytes = fuzzing::ReadWholeFile(saved);
  CheckCanonical(data, savedBytes, first);

  RecordingBadAreaCodes second;
  Require(second.Load(saved), "a saved list loads again");
  Require(second.GetCount() == first.GetCount(), "the reloaded list has every code");
  for (std::uint32_t i = 1; i <= first.GetCount(); ++i) {
    Require(std::strcmp(first.Get(i), second.Get(i)) == 0, "the reloaded codes are those saved");
  }
  Require(second.Save(again), "a reloaded list can be saved");
  Require(fuzzing::ReadWholeFile(again) == savedBytes, "saving is stable after one round trip");
  Require(second.reported.empty() && first.reported.empty(), "the round trip reports nothing");
  Require(!fuzzing::Exists(CSafeFileWriter::TemporaryPathFor(saved)), "no file left beside");
  return 0;
}
