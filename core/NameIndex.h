// The positions of a connection list's records by entry name, without an allocation per name.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/ConnectionRecord.h"

namespace tollward {

// The name bounded by its field, so that even an unterminated name cannot run into the next.
std::string_view NameOf(const ConnectionRecord& record);

// Open addressing over the records' own names: a slot holds a name's hash and its position, so
// a list of any size costs two words a slot and a lookup reads the record only on a hash match.
// The records are handed to each call; the index never keeps a pointer to them, so copying or
// moving it along with them is safe. The first position indexed for a name is the one kept.
class CNameIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The position indexed for this name, or kNone.
  std::size_t Find(std::string_view name, const std::vector<ConnectionRecord>& records) const;
  // Makes room for this many names in all; afterwards Insert up to that count cannot throw.
  void Reserve(std::size_t count);
  // Indexes `position` under `name` unless the name is indexed already, and returns the
  // position the name now has. Room must have been made for it.
  std::size_t Insert(std::string_view name, std::size_t position,
                     const std::vector<ConnectionRecord>& records) noexcept;
  // Indexes all records afresh, each name at its first occurrence.
  void Rebuild(const std::vector<ConnectionRecord>& records);
  // Releases the storage itself.
  void Clear() noexcept;

  std::size_t size() const { return used_; }

 private:
  struct Slot {
    std::size_t hash;
    std::size_t positionPlusOne;  // 0 for an empty slot
  };

  // The slot holding the name, or the empty slot where it belongs.
  std::size_t Probe(std::string_view name, std::size_t hash,
                    const std::vector<ConnectionRecord>& records) const noexcept;

  std::vector<Slot> slots_;  // empty, or a power of two long and never more than half full
  std::size_t used_ = 0;
};

}  // namespace tollward
