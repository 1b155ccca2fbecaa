// Loads any bytes as the connection file; a load must end as the layout says, and survive a save.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/ByteCodec.h"
#include "core/EntryScrambler.h"
#include "core/ErrorTables.h"
#include "core/SafeFileWriter.h"
#include "fuzz/FuzzSupport.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace {

using namespace tollward;
using namespace tollward::connection_error;
using tollward::fuzzing::Bytes;
using tollward::fuzzing::Require;
using tollward::testing::FakePhonebook;
using tollward::testing::RecordingConnections;
using Codes = std::vector<ErrorCode>;

constexpr std::size_t kTagSize = 16;
constexpr std::size_t kVersionOffset = 16;
constexpr std::size_t kCountOffset = 24;
constexpr std::size_t kHeaderSize = 28;
const char kTag[kTagSize] = "RASConnections:";
const std::uint8_t kVersionOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
// The last byte of each field; a loaded record always holds a zero there.
constexpr std::size_t kFieldEnds[] = {256, 267, 396, 653, 910};

char Lower(std::uint8_t c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// The reports a load of these bytes must give, worked out from the file's layout alone.
Codes ExpectedReports(const std::uint8_t* data, std::size_t size) {
  if (size < kTagSize) {
    return {kLoadRead};
  }
  for (std::size_t i = 0; i < kTagSize; ++i) {
    if (Lower(data[i]) != Lower(static_cast<std::uint8_t>(kTag[i]))) {
      return {kLoadFileType};
    }
  }
  if (size < kCountOffset) {
    return {kLoadRead};
  }
  if (std::memcmp(data + kVersionOffset, kVersionOne, sizeof kVersionOne) != 0) {
    return {kLoadVersion};
  }
  if (size < kHeaderSize) {
    return {kLoadRead};
  }
  const std::uint64_t room = (size - kHeaderSize) / kConnectionRecordSize;
  if (room < Uint32At(data + kCountOffset)) {
    return {kReadEntryRead, kLoadRead};
  }
  return {};
}

using RecordBytes = std::uint8_t[kConnectionRecordSize];

// A stored record's plain bytes, before the load cut each field at its end.
void PlainBytesAt(const std::uint8_t* file, std::size_t index, RecordBytes& plain) {
  std::memcpy(plain, file + kHeaderSize + index * kConnectionRecordSize, kConnectionRecordSize);
  UnscrambleBytes(plain);
}

bool IsFieldEnd(std::size_t offset) {
  for (std::size_t end : kFieldEnds) {
    if (offset == end) {
      return true;
    }
  }
  return false;
}

// The saved file is the input with its tag spelled as written, without what followed the last
// record, and with each field of each record ending in a zero; every other byte is kept.
void CheckCanonical(const std::uint8_t* input, const Bytes& saved, CRASConnections& loaded) {
  const std::uint32_t count = Uint32At(input + kCountOffset);
  Require(saved.size() == kHeaderSize + std::uint64_t{count} * kConnectionRecordSize,
          "saved file has the size of its records");
  Require(std::memcmp(saved.data(), kTag, kTagSize) == 0, "saved tag is the canonical one");
  Require(std::memcmp(saved.data() + kVersionOffset, input + kVersionOffset,
                      kHeaderSize - kVersionOffset) == 0,
          "saved version and count are those loaded");
  for (std::uint32_t i = 0; i < count; ++i) {
    RecordBytes before;
    RecordBytes after;
    PlainBytesAt(input, i, before);
    PlainBytesAt(saved.data(), i, after);
    for (std::size_t b = 0; b < kConnectionRecordSize; ++b) {
      Require(after[b] == (IsFieldEnd(b) ? 0 : before[b]), "saved record keeps every text byte");
    }
    Require(std::memcmp(&loaded.GetRecord(i + 1), after, kConnectionRecordSize) == 0,
            "the loaded record is the stored one");
  }
}

bool SameRecords(CRASConnections& a, CRASConnections& b) {
  if (a.GetCount() != b.GetCount()) {
    return false;
  }
  for (unsigned i = 1; i <= a.GetCount(); ++i) {
    if (std::memcmp(&a.GetRecord(i), &b.GetRecord(i), kConnectionRecordSize) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzzing::ScratchPath("input.con");
  static const std::string saved = fuzzing::ScratchPath("saved.con");
  static const std::string again = fuzzing::ScratchPath("again.con");
  fuzzing::WriteWholeFile(input, data, size);

  FakePhonebook phonebook;
  RecordingConnections first(phonebook);
  const bool loaded = first.Load(input);
  first.ClearPath();
  const Codes expected = ExpectedReports(data, size);
  Require(first.reported == expected, "load reports what the layout says");
  Require(loaded == expected.empty(), "load succeeds exactly when the layout is whole");
  if (!loaded) {
    Require(first.GetCount() == 0, "a failed load leaves no records");
    return 0;
  }
  Require(first.GetCount() == Uint32At(data + kCountOffset), "every record is loaded");

  Require(first.Save(saved), "a loaded list can be saved");
  first.ClearPath();
  const Bytes savedBytes = fuzzing::ReadWholeFile(saved);
  CheckCanonical(data, savedBytes, first);

  RecordingConnections second(phonebook);
  Require(second.Load(saved), "a saved list loads again");
  Require(SameRecords(first, second), "the reloaded records are those saved");
  Require(second.Save(again), "a reloaded list can be saved");
  second.ClearPath();
  Require(fuzzing::ReadWholeFile(again) == savedBytes, "saving is stable after one round trip");
  Require(second.reported.empty() && first.reported.empty(), "the round trip reports nothing");
  Require(!fuzzing::Exists(CSafeFileWriter::TemporaryPathFor(saved)), "no file left beside");
  return 0;
}
