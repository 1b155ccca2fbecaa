// The bad area code list: its rules for adding codes and the test of a connection's number.
#include "core/RASBadAreaCodes.h"

#include <algorithm>
#include <cstring>

#include "core/AsciiText.h"
#include "core/ErrorTables.h"

namespace tollward {

const char kBadAreaCodesErrorCaption[] = "CRASBadAreaCodes error";

namespace {

const char kInvalidCode[] = "???";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A copy of text reduced to its digits; false only when the copy cannot be made.
bool NormalizedCopy(const char* text, std::string& digits) noexcept {
  try {
    digits = text != nullptr ? text : "";
  } catch (...) {
    return false;
  }
  return CRASBadAreaCodes::NormalizeNumber(digits.data());
}

}  // namespace

CRASBadAreaCodes::CRASBadAreaCodes(IErrorBox& errorBox)
    : CErrorState(kBadAreaCodeErrors), errorBox_(errorBox) {
  ClearError();
}

CRASBadAreaCodes::~CRASBadAreaCodes() {
  // The program's last write of the list; nobody is left to read a box about it.
  destroying_ = true;
  Save();
}

void CRASBadAreaCodes::ReportError() {
  if (destroying_ || ownerWindow_ == nullptr) {
    return;
  }
  errorBox_.Show(ownerWindow_, errorText().c_str(), kBadAreaCodesErrorCaption, ReportIcon());
}

bool CRASBadAreaCodes::Add(const char* text) {
  return RunReported(bad_area_error::kAddUnhandled, [&]() -> ErrorCode {
    std::string digits;
    if (!NormalizedCopy(text, digits)) {
      return bad_area_error::kAddUnhandled;
    }
    const std::size_t length = std::strlen(digits.c_str());
    if (length == 0) {
      return bad_area_error::kAddEmpty;
    }
    if (length > kBadAreaCodeMaxDigits) {
      return bad_area_error::kAddTooLong;
    }
    if (Find(digits.c_str()) != 0) {
      return bad_area_error::kAddExists;
    }
    for (const Slot& slot : slots_) {
      const std::size_t storedLength = std::strlen(slot.data());
      // An empty slot can only come from a damaged file; it is no prefix the user chose.
      if (storedLength != 0 &&
          std::strncmp(digits.c_str(), slot.data(), std::min(length, storedLength)) == 0) {
        return bad_area_error::kAddRedundant;
      }
    }
    Slot slot{};
    std::memcpy(slot.data(), digits.c_str(), length);
    slots_.push_back(slot);
    return kNoError;
  });
}

std::uint32_t CRASBadAreaCodes::Find(const char* code) const {
  const char* wanted = code != nullptr ? code : "";
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (std::strcmp(slots_[i].data(), wanted) == 0) {
      return static_cast<std::uint32_t>(i + 1);
    }
  }
  return 0;
}

const char* CRASBadAreaCodes::Get(std::uint32_t index) {
  const char* code = kInvalidCode;
  RunReported(bad_area_error::kGetUnhandled, [&]() -> ErrorCode {
    if (index < 1 || index > GetCount()) {
      return bad_area_error::kGetInvalidIndex;
    }
    code = slots_[index - 1].data();
    return kNoError;
  });
  return code;
}

bool CRASBadAreaCodes::Delete(const char* code) {
  return RunReported(bad_area_error::kDeleteUnhandled, [&]() -> ErrorCode {
    const std::uint32_t index = Find(code);
    if (index == 0) {
      return bad_area_error::kDeleteNotFound;
    }
    slots_.erase(slots_.begin() + (index - 1));
    return kNoError;
  });
}

bool CRASBadAreaCodes::NormalizeNumber(char* text) {
  if (text == nullptr) {
    return false;
  }
  char* kept = text;
  for (const char* read = text; *read != '\0'; ++read) {
    if (IsDigit(*read)) {
      *kept++ = *read;
    }
  }
  *kept = '\0';
  return true;
}

bool CRASBadAreaCodes::ConcatenatePhoneNumbersNormal(char* destination, const char* first,
                                                     const char* second,
                                                     std::size_t maximumLength) {
  return RunReported(bad_area_error::kConcatenateUnhandled, [&]() -> ErrorCode {
    if (destination == nullptr) {
      return bad_area_error::kConcatenateUnhandled;
    }
    std::string firstDigits;
    std::string secondDigits;
    if (!NormalizedCopy(first, firstDigits) || !NormalizedCopy(second, secondDigits)) {
      return bad_area_error::kCheckNormalization;
    }
    std::memset(destination, 0, maximumLength + 1);
    std::size_t length = 0;
    for (const char* digit = firstDigits.c_str(); *digit != '\0' && length < maximumLength;
         ++digit) {
      destination[length++] = *digit;
    }
    for (const char* digit = secondDigits.c_str(); *digit != '\0' && length < maximumLength;
         ++digit) {
      destination[length++] = *digit;
    }
    return kNoError;
  });
}

std::uint32_t CRASBadAreaCodes::Check(const ConnectionRecord& record) {
  std::uint32_t match = 0;
  RunReported(bad_area_error::kCheckUnhandled, [&]() -> ErrorCode {
    char joined[kBadAreaCodeSlotSize];
    if (!ConcatenatePhoneNumbersNormal(joined, FieldText(record.szAreaCode).c_str(),
                                       FieldText(record.szLocalPhoneNumber).c_str(),
                                       kBadAreaCodeMaxDigits)) {
      return bad_area_error::kCheckConcatenation;
    }
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      const std::size_t length = std::strlen(slots_[i].data());
      // An empty slot (from a damaged file) would otherwise match every number there is.
      if (length != 0 && std::strncmp(joined, slots_[i].data(), length) == 0) {
        match = static_cast<std::uint32_t>(i + 1);
        break;
      }
    }
    return kNoError;
  });
  return match;
}

}  // namespace tollward
