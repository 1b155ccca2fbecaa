// The scrambled form of a ConnectionRecord in the connection file.
#include "core/EntryScrambler.h"

#include <cstring>

namespace tollward {

namespace {

// What each position adds and mixes in, as bytes: with them the loop below works on bytes
// alone, which the compiler mixes sixteen or more at a time.
struct PositionBytes {
  std::uint8_t added[kConnectionRecordSize];
  std::uint8_t mixed[kConnectionRecordSize];
};

constexpr PositionBytes MakePositionBytes() {
  PositionBytes bytes{};
  for (unsigned i = 0; i < kConnectionRecordSize; ++i) {
    bytes.added[i] = static_cast<std::uint8_t>((i & 1u) + kEntryBias);
    bytes.mixed[i] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(i) ^ kEntryMask);
  }
  return bytes;
}

constexpr PositionBytes kPositionBytes = MakePositionBytes();

// Out of place, so that no position depends on a byte the loop has already written; the store's
// comparison scrambles every record at every scan.
void Scramble(const std::uint8_t* __restrict plain, std::uint8_t* __restrict out) {
  for (unsigned i = 0; i + 1 < kConnectionRecordSize; ++i) {
    const auto t =
        static_cast<std::uint8_t>(static_cast<std::uint8_t>(~plain[i]) + kPositionBytes.added[i]);
    out[i] = static_cast<std::uint8_t>(t ^ plain[i + 1] ^ kPositionBytes.mixed[i]);
  }
  out[kConnectionRecordSize - 1] = plain[kConnectionRecordSize - 1];
}

}  // namespace

void ScrambleBytes(std::uint8_t (&b)[kConnectionRecordSize]) {
  std::uint8_t plain[kConnectionRecordSize];
  std::memcpy(plain, b, kConnectionRecordSize);
  Scramble(plain, b);
}

void UnscrambleBytes(std::uint8_t (&b)[kConnectionRecordSize]) {
  // Downward, so that b[i + 1] has already been restored when position i is undone.
  for (unsigned i = kConnectionRecordSize - 1; i-- > 0;) {
    const auto position = static_cast<std::uint8_t>(i);
    const auto t = static_cast<std::uint8_t>(b[i] ^ b[i + 1] ^ position ^ kEntryMask);
    b[i] = static_cast<std::uint8_t>(~static_cast<std::uint8_t>(t - (i & 1u) - kEntryBias));
  }
}

void ScrambleEntry(const ConnectionRecord& record, std::uint8_t (&out)[kConnectionRecordSize]) {
  Scramble(reinterpret_cast<const std::uint8_t*>(&record), out);
}

void UnscrambleEntry(const std::uint8_t (&in)[kConnectionRecordSize], ConnectionRecord& record) {
  std::uint8_t plain[kConnectionRecordSize];
  std::memcpy(plain, in, kConnectionRecordSize);
  UnscrambleBytes(plain);
  std::memcpy(&record, plain, kConnectionRecordSize);
  TerminateFields(record);
}

void TerminateFields(ConnectionRecord& record) {
  record.szEntryName[kEntryNameSize - 1] = '\0';
  record.szAreaCode[kAreaCodeSize - 1] = '\0';
  record.szLocalPhoneNumber[kLocalPhoneNumberSize - 1] = '\0';
  record.szPassword[kPasswordSize - 1] = '\0';
  record.szUserName[kUserNameSize - 1] = '\0';
}

}  // namespace tollward
