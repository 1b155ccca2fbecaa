// The scrambled form of a ConnectionRecord in the connection file.
#include "core/EntryScrambler.h"

#include <cstring>

namespace tollward {

void ScrambleBytes(std::uint8_t (&b)[kConnectionRecordSize]) {
  // Upward, so that b[i + 1] is still the plain byte when position i is mixed with it.
  for (unsigned i = 0; i + 1 < kConnectionRecordSize; ++i) {
    const auto position = static_cast<std::uint8_t>(i);
    const auto t =
        static_cast<std::uint8_t>((i & 1u) + static_cast<std::uint8_t>(~b[i]) + kEntryBias);
    b[i] = static_cast<std::uint8_t>(t ^ b[i + 1] ^ position ^ kEntryMask);
  }
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
  std::memcpy(out, &record, kConnectionRecordSize);
  ScrambleBytes(out);
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
