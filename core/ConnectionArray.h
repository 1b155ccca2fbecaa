// The records of a connection list in their order, with a name index so lookups never scan.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/ConnectionRecord.h"
#include "core/NameIndex.h"

namespace tollward {

// Positions here are 0-based; the list turns them into the 1-based indexes its callers see.
// A name may occur more than once (a loaded file is taken as it stands); the index always
// points at its first occurrence. Removing records only marks the index stale, so that a run
// of removals (or a load) costs no index work until the next lookup.
class CConnectionArray {
 public:
  static constexpr std::size_t kNone = CNameIndex::kNone;

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const ConnectionRecord& operator[](std::size_t position) const { return records_[position]; }

  // The position of the first record with exactly this name, or kNone. May rebuild the index.
  std::size_t Find(const char* name) const;

  // Appends a copy unless a record of that name is there already; false then. On an exception
  // the array is as it was.
  bool AppendUnique(const ConnectionRecord& record);
  // Removes one record and keeps the order of the rest.
  void Erase(std::size_t position) noexcept;
  // Changes only the user name and, when one is given, the password; the name, and so the
  // index, stays as it is.
  void SetCredentials(std::size_t position, const char* userName, const char* password);
  // Makes room for this many records in all, so that filling a list of known size never moves
  // the records already in it.
  void Reserve(std::size_t count);
  // Hands the records over, in their room, and leaves the array empty.
  std::vector<ConnectionRecord> TakeRecords() noexcept;
  // Takes over records read elsewhere.
  void Assign(std::vector<ConnectionRecord>&& records) noexcept;
  // Releases the storage itself, not only the records.
  void Clear() noexcept;

 private:
  void Reindex() const;

  std::vector<ConnectionRecord> records_;
  mutable CNameIndex index_;
  mutable bool indexed_ = true;
};

}  // namespace tollward
