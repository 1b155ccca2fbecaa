// The option record's own error codes; the texts are those the lists use for the same codes.
#pragma once

#include "core/ErrorState.h"

namespace tollward {

extern const ErrorTable kOptionsErrors;

namespace options_error {
constexpr ErrorCode kSaveUnhandled = 32;
constexpr ErrorCode kSaveOpen = 33;
constexpr ErrorCode kSaveArchive = 34;
constexpr ErrorCode kSaveWrite = 35;
constexpr ErrorCode kLoadUnhandled = 40;
constexpr ErrorCode kLoadOpen = 41;
constexpr ErrorCode kLoadArchive = 42;
constexpr ErrorCode kLoadRead = 43;
constexpr ErrorCode kLoadFileType = 44;
constexpr ErrorCode kLoadVersion = 45;
}  // namespace options_error

}  // namespace tollward
