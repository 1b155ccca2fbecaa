// The user's list of bad area codes, the digit prefixes no registered connection may dial.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/ConnectionRecord.h"
#include "core/ErrorState.h"
#include "platform/ErrorBox.h"
#include "platform/NativeWindow.h"

namespace tollward {

class CSafeFileWriter;

// A code is 1 to 10 digits; its slot in memory and in the file holds the terminating zero too.
constexpr std::size_t kBadAreaCodeMaxDigits = 10;
constexpr std::size_t kBadAreaCodeSlotSize = kBadAreaCodeMaxDigits + 1;

extern const char kBadAreaCodesErrorCaption[];

class CRASBadAreaCodes : public CErrorState {
 public:
  // Reports go to errorBox, but only while an owner window is set.
  explicit CRASBadAreaCodes(IErrorBox& errorBox = SystemErrorBox());
  // Saves to the remembered path; a failure of that last save is never shown.
  ~CRASBadAreaCodes() override;
  CRASBadAreaCodes(const CRASBadAreaCodes&) = delete;
  CRASBadAreaCodes& operator=(const CRASBadAreaCodes&) = delete;

  void ReportError() override;

  std::uint32_t GetCount() const { return static_cast<std::uint32_t>(slots_.size()); }

  // Keeps only the digits of text and appends them, unless that code is empty, too long,
  // already listed, or a prefix of a listed code or the other way round.
  bool Add(const char* text);
  // The 1-based index of the code that equals code exactly; 0 when there is none.
  std::uint32_t Find(const char* code) const;
  // The code at the 1-based index, valid until the list changes; "???" for a bad index.
  const char* Get(std::uint32_t index);
  bool Delete(const char* code);

  // Drops every character of text that is not a decimal digit, in place.
  static bool NormalizeNumber(char* text);
  // Writes the digits of first and then of second into destination, at most maximumLength of
  // them; destination must hold maximumLength + 1 bytes and is always terminated.
  bool ConcatenatePhoneNumbersNormal(char* destination, const char* first, const char* second,
                                     std::size_t maximumLength);
  // The 1-based index of the first code that the record's first 10 digits of area code and
  // local number, joined, begin with; 0 when none does.
  std::uint32_t Check(const ConnectionRecord& record);

  // Without a path, the remembered one; a given path is remembered even if the file then fails.
  bool Save();
  bool Save(const std::string& path);
  bool Load();
  bool Load(const std::string& path);
  // The file's content after the open step; each reports its own failure.
  bool SaveToArchive(CSafeFileWriter& archive);
  bool LoadFromArchive(std::FILE* archive);

  const std::optional<std::string>& path() const { return path_; }
  // Leaves the list without a file, so that no later save writes anywhere.
  void ClearPath() { path_.reset(); }

  // The window that owns the error boxes; none means failures are kept but not shown. Returns
  // the owner before, for the caller to give back when its window goes.
  NativeWindow SetOwnerWindow(NativeWindow owner) {
    const NativeWindow previous = ownerWindow_;
    ownerWindow_ = owner;
    return previous;
  }
  NativeWindow ownerWindow() const { return ownerWindow_; }

 private:
  using Slot = std::array<char, kBadAreaCodeSlotSize>;
  static_assert(sizeof(Slot) == kBadAreaCodeSlotSize, "slots are stored back to back");

  bool SaveToRememberedPath();
  // Whether the file holds exactly what a save of the list writes.
  bool FileHoldsList(const std::string& path) const noexcept;
  bool LoadFromRememberedPath();

  std::vector<Slot> slots_;
  std::optional<std::string> path_;
  IErrorBox& errorBox_;
  NativeWindow ownerWindow_ = nullptr;
  bool destroying_ = false;
};

}  // namespace tollward
