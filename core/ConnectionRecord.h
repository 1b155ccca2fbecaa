// The guarded unit: one phonebook entry's name and the four values a manipulation would change.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tollward {

// Field sizes follow the phonebook's own limits, plus the terminating zero.
constexpr std::size_t kEntryNameSize = 257;
constexpr std::size_t kAreaCodeSize = 11;
constexpr std::size_t kLocalPhoneNumberSize = 129;
constexpr std::size_t kPasswordSize = 257;
constexpr std::size_t kUserNameSize = 257;

// Stored byte for byte (after scrambling) in the connection file, so layout and size are fixed.
struct ConnectionRecord {
  char szEntryName[kEntryNameSize];
  char szAreaCode[kAreaCodeSize];
  char szLocalPhoneNumber[kLocalPhoneNumberSize];
  char szPassword[kPasswordSize];
  char szUserName[kUserNameSize];
};

constexpr std::size_t kConnectionRecordSize = 911;

static_assert(sizeof(ConnectionRecord) == kConnectionRecordSize, "record must have no padding");
static_assert(alignof(ConnectionRecord) == 1, "record is a plain byte block");
static_assert(offsetof(ConnectionRecord, szEntryName) == 0);
static_assert(offsetof(ConnectionRecord, szAreaCode) == 257);
static_assert(offsetof(ConnectionRecord, szLocalPhoneNumber) == 268);
static_assert(offsetof(ConnectionRecord, szPassword) == 397);
static_assert(offsetof(ConnectionRecord, szUserName) == 654);

// A record the system builds: all zero first, so the bytes after each text are zero too.
inline ConnectionRecord EmptyRecord() {
  return ConnectionRecord{};
}

// Copies text into a field, cut to the field's size and always terminated; the rest stays zero.
template <std::size_t N>
void CopyField(char (&field)[N], const char* text) {
  std::size_t i = 0;
  if (text != nullptr) {
    for (; i + 1 < N && text[i] != '\0'; ++i) {
      field[i] = text[i];
    }
  }
  for (; i < N; ++i) {
    field[i] = '\0';
  }
}

}  // namespace tollward
