// Loads any bytes as the details file; a load must end as the layout says, and survive a save.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/ByteCodec.h"
#include "core/EntryDetailsStore.h"
#include "core/SafeFileWriter.h"
#include "fuzz/FuzzSupport.h"

namespace {

using namespace tollward;
using tollward::fuzzing::Bytes;
using tollward::fuzzing::Require;

constexpr std::size_t kTagSize = 17;
constexpr std::size_t kCountOffset = 25;
constexpr std::size_t kHeaderSize = 29;
const char kTag[kTagSize] = "RASEntryDetails:";
const std::uint8_t kVersionOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
// The name leads each record; its size, then the sizes of the fields after it.
constexpr std::size_t kNameSize = 257;
// Text fields (their last byte always saved as zero) and plain ones, after the name.
struct Field {
  std::size_t size;
  bool text;
};
constexpr Field kFieldsAfterName[] = {{4, false},  {4, false}, {4, false},  {4, false},
                                      {4, false},  {4, false}, {4, false},  {4, false},
                                      {4, false},  {4, false}, {260, true}, {260, true},
                                      {260, true}, {17, true}, {129, true}};
constexpr std::size_t kAlternateSize = 129;

char Lower(std::uint8_t c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// A text field as a save writes it back: up to the first zero, at most size - 1 bytes, then zeros.
void PutCanonicalText(const std::uint8_t* field, std::size_t size, Bytes& out) {
  std::size_t length = 0;
  while (length + 1 < size && field[length] != 0) {
    ++length;
  }
  out.insert(out.end(), field, field + length);
  out.insert(out.end(), size - length, 0);
}

// The records the layout holds, each already in the form a save writes, by name; false when the
// file is not whole or names an entry twice.
bool ParseLayout(const std::uint8_t* data, std::size_t size, std::map<std::string, Bytes>& out) {
  if (size < kHeaderSize) {
    return false;
  }
  for (std::size_t i = 0; i < kTagSize; ++i) {
    if (Lower(data[i]) != Lower(static_cast<std::uint8_t>(kTag[i]))) {
      return false;
    }
  }
  if (std::memcmp(data + kTagSize, kVersionOne, sizeof kVersionOne) != 0) {
    return false;
  }
  const std::uint32_t count = Uint32At(data + kCountOffset);
  std::size_t at = kHeaderSize;
  for (std::uint32_t r = 0; r < count; ++r) {
    if (size - at < CEntryDetailsStore::kFixedRecordSize) {
      return false;
    }
    Bytes record;
    PutCanonicalText(data + at, kNameSize, record);
    const std::string name(reinterpret_cast<const char*>(record.data()));
    at += kNameSize;
    for (const Field& field : kFieldsAfterName) {
      if (field.text) {
        PutCanonicalText(data + at, field.size, record);
      } else {
        record.insert(record.end(), data + at, data + at + field.size);
      }
      at += field.size;
    }
    const std::uint32_t alternates = Uint32At(data + at);
    record.insert(record.end(), data + at, data + at + 4);
    at += 4;
    if ((size - at) / kAlternateSize < alternates) {
      return false;
    }
    for (std::uint32_t a = 0; a < alternates; ++a) {
      PutCanonicalText(data + at, kAlternateSize, record);
      at += kAlternateSize;
    }
    if (!out.emplace(name, std::move(record)).second) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzzing::ScratchPath("input.det");
  static const std::string saved = fuzzing::ScratchPath("saved.det");
  static const std::string again = fuzzing::ScratchPath("again.det");
  fuzzing::WriteWholeFile(input, data, size);

  std::map<std::string, Bytes> expected;
  const bool whole = ParseLayout(data, size, expected);
  CEntryDetailsStore first;
  const DetailsLoad result = first.Load(input);
  Require(result == (whole ? DetailsLoad::kLoaded : DetailsLoad::kDamaged),
          "load succeeds exactly when the layout is whole and every name is there once");
  if (!whole) {
    Require(first.size() == 0, "a failed load leaves no records");
    return 0;
  }
  Require(first.size() == expected.size(), "every record is loaded");

  // The saved file is the header with the canonical tag and the count, then the records by
  // name, each field cut at its zero; nothing that followed the last record.
  Bytes canonical(kTag, kTag + kTagSize);
  canonical.insert(canonical.end(), kVersionOne, kVersionOne + sizeof kVersionOne);
  canonical.insert(canonical.end(), data + kCountOffset, data + kHeaderSize);
  for (const auto& record : expected) {
    canonical.insert(canonical.end(), record.second.begin(), record.second.end());
  }
  Require(first.Save(saved), "a loaded store can be saved");
  const Bytes savedBytes = fuzzing::ReadWholeFile(saved);
  Require(savedBytes == canonical, "the saved file is the canonical form of the input");

  CEntryDetailsStore second;
  Require(second.Load(saved) == DetailsLoad::kLoaded, "a saved store loads again");
  Require(second.records() == first.records(), "the reloaded records are those saved");
  Require(second.Save(again), "a reloaded store can be saved");
  Require(fuzzing::ReadWholeFile(again) == savedBytes, "saving is stable after one round trip");
  Require(!fuzzing::Exists(CSafeFileWriter::TemporaryPathFor(saved)), "no file left beside");
  return 0;
}
