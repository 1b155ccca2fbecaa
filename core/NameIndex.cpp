// The positions of a connection list's records by entry name, without an allocation per name.
#include "core/NameIndex.h"

#include "core/AsciiText.h"

#include <functional>
#include <utility>

namespace tollward {
namespace {

constexpr std::size_t kSmallestTable = 16;

std::size_t HashOf(std::string_view name) {
  return std::hash<std::string_view>{}(name);
}

}  // namespace

std::string_view NameOf(const ConnectionRecord& record) {
  return FieldView(record.szEntryName);
}

std::size_t CNameIndex::Probe(std::string_view name, std::size_t hash,
                              const std::vector<ConnectionRecord>& records) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  while (slots_[at].positionPlusOne != 0) {
    const Slot& slot = slots_[at];
    if (slot.hash == hash && NameOf(records[slot.positionPlusOne - 1]) == name) {
      return at;
    }
    at = (at + 1) & mask;
  }
  return at;
}

std::size_t CNameIndex::Find(std::string_view name,
                             const std::vector<ConnectionRecord>& records) const {
  if (used_ == 0) {
    return kNone;
  }
  const Slot& slot = slots_[Probe(name, HashOf(name), records)];
  return slot.positionPlusOne == 0 ? kNone : slot.positionPlusOne - 1;
}

void CNameIndex::Reserve(std::size_t count) {
  if (count == 0) {
    return;
  }
  std::size_t length = slots_.empty() ? kSmallestTable : slots_.size();
  while (length / 2 < count) {
    length *= 2;
  }
  if (length == slots_.size()) {
    return;
  }
  // The hashes are kept, so growing never reads a record.
  std::vector<Slot> grown(length, Slot{0, 0});
  const std::size_t mask = length - 1;
  for (const Slot& slot : slots_) {
    if (slot.positionPlusOne != 0) {
      std::size_t at = slot.hash & mask;
      while (grown[at].positionPlusOne != 0) {
        at = (at + 1) & mask;
      }
      grown[at] = slot;
    }
  }
  slots_.swap(grown);
}

std::size_t CNameIndex::Insert(std::string_view name, std::size_t position,
                               const std::vector<ConnectionRecord>& records) noexcept {
  const std::size_t hash = HashOf(name);
  Slot& slot = slots_[Probe(name, hash, records)];
  if (slot.positionPlusOne == 0) {
    slot = Slot{hash, position + 1};
    ++used_;
  }
  return slot.positionPlusOne - 1;
}

void CNameIndex::Rebuild(const std::vector<ConnectionRecord>& records) {
  CNameIndex fresh;
  fresh.Reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    fresh.Insert(NameOf(records[i]), i, records);
  }
  *this = std::move(fresh);
}

void CNameIndex::Clear() noexcept {
  std::vector<Slot>().swap(slots_);
  used_ = 0;
}

}  // namespace tollward
