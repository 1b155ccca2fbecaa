// The scrambled form of a ConnectionRecord in the connection file.
#pragma once

#include <cstdint>

#include "core/ConnectionRecord.h"

namespace tollward {

constexpr std::uint8_t kEntryBias = 0x5D;
constexpr std::uint8_t kEntryMask = 0x3C;

// Each byte is mixed with its position and with the plain byte after it; the last byte stays.
void ScrambleBytes(std::uint8_t (&bytes)[kConnectionRecordSize]);
// The exact inverse of ScrambleBytes, for any 911 bytes.
void UnscrambleBytes(std::uint8_t (&bytes)[kConnectionRecordSize]);

// The file form of a record; the record itself is not touched.
void ScrambleEntry(const ConnectionRecord& record, std::uint8_t (&out)[kConnectionRecordSize]);

// Undoes ScrambleEntry, then terminates every field inside its own size, so that a damaged or
// hostile file can never make a text run into the next field or past the record.
void UnscrambleEntry(const std::uint8_t (&in)[kConnectionRecordSize], ConnectionRecord& record);

// Puts a zero into the last byte of each field. A record the system wrote has zeros there
// already, so this never changes what a stored record means.
void TerminateFields(ConnectionRecord& record);

}  // namespace tollward
