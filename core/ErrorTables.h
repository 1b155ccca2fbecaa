// The complete error code tables of the connection list and of the bad-area-code list.
#pragma once

#include "core/ErrorState.h"

namespace tollward {

extern const ErrorTable kConnectionErrors;
extern const ErrorTable kBadAreaCodeErrors;

// Codes named where the lists raise them; the texts live only in the tables.
namespace connection_error {
constexpr ErrorCode kRetrieveUnhandled = 1;
constexpr ErrorCode kRetrieveEnumeration = 2;
constexpr ErrorCode kRetrieveDialParams = 3;
constexpr ErrorCode kRetrieveProperties = 4;
constexpr ErrorCode kRetrieveAdd = 5;
constexpr ErrorCode kRetrieveIncomplete = 6;
constexpr ErrorCode kAddUnhandled = 8;
constexpr ErrorCode kAddNameExists = 9;
constexpr ErrorCode kGetUnhandled = 16;
constexpr ErrorCode kGetInvalidIndex = 17;
constexpr ErrorCode kSetTooLong = 18;
constexpr ErrorCode kSetPhonebookFailed = 19;
constexpr ErrorCode kDeleteUnhandled = 24;
constexpr ErrorCode kDeleteNotFound = 25;
constexpr ErrorCode kSaveUnhandled = 32;
constexpr ErrorCode kSaveOpen = 33;
constexpr ErrorCode kSaveArchive = 34;
constexpr ErrorCode kSaveWrite = 35;
constexpr ErrorCode kWriteEntryUnhandled = 36;
constexpr ErrorCode kWriteEntryWrite = 37;
constexpr ErrorCode kSaveNoPath = 38;
constexpr ErrorCode kLoadUnhandled = 40;
constexpr ErrorCode kLoadOpen = 41;
constexpr ErrorCode kLoadArchive = 42;
constexpr ErrorCode kLoadRead = 43;
constexpr ErrorCode kLoadFileType = 44;
constexpr ErrorCode kLoadVersion = 45;
constexpr ErrorCode kReadEntryUnhandled = 46;
constexpr ErrorCode kReadEntryRead = 47;
constexpr ErrorCode kLoadNoPath = 48;
constexpr ErrorCode kFindUnhandled = 56;
constexpr ErrorCode kCheckUnhandled = 64;
constexpr ErrorCode kRemoveBadAreasUnhandled = 72;
constexpr ErrorCode kRemoveBadAreasCannotMove = 73;
}  // namespace connection_error

namespace bad_area_error {
constexpr ErrorCode kAddUnhandled = 1;
constexpr ErrorCode kAddEmpty = 2;
constexpr ErrorCode kAddTooLong = 3;
constexpr ErrorCode kAddExists = 4;
constexpr ErrorCode kAddRedundant = 5;
constexpr ErrorCode kFindUnhandled = 8;
constexpr ErrorCode kGetUnhandled = 16;
constexpr ErrorCode kGetInvalidIndex = 17;
constexpr ErrorCode kDeleteUnhandled = 24;
constexpr ErrorCode kDeleteNotFound = 25;
constexpr ErrorCode kSaveUnhandled = 32;
constexpr ErrorCode kSaveOpen = 33;
constexpr ErrorCode kSaveArchive = 34;
constexpr ErrorCode kSaveWrite = 35;
constexpr ErrorCode kSaveNoPath = 36;
constexpr ErrorCode kLoadUnhandled = 40;
constexpr ErrorCode kLoadOpen = 41;
constexpr ErrorCode kLoadArchive = 42;
constexpr ErrorCode kLoadRead = 43;
constexpr ErrorCode kLoadFileType = 44;
constexpr ErrorCode kLoadVersion = 45;
constexpr ErrorCode kLoadNoPath = 46;
constexpr ErrorCode kCheckUnhandled = 48;
constexpr ErrorCode kCheckNormalization = 49;
constexpr ErrorCode kCheckConcatenation = 50;
constexpr ErrorCode kConcatenateUnhandled = 56;
constexpr ErrorCode kNormalizeUnhandled = 64;
}  // namespace bad_area_error

}  // namespace tollward
