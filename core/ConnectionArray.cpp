// The records of a connection list in their order, with a name index so lookups never scan.
#include "core/ConnectionArray.h"

#include <cstring>
#include <utility>

namespace tollward {

std::string ConnectionArray::KeyOf(const ConnectionRecord& record) {
  // Bounded by the field, so that even an unterminated name cannot run into the next field.
  const void* end = std::memchr(record.szEntryName, '\0', kEntryNameSize);
  const std::size_t length =
      end == nullptr ? kEntryNameSize
                     : static_cast<std::size_t>(static_cast<const char*>(end) - record.szEntryName);
  return std::string(record.szEntryName, length);
}

std::size_t ConnectionArray::Find(const char* name) const {
  if (name == nullptr) {
    return kNone;
  }
  if (!indexed_) {
    Reindex();
  }
  probe_.assign(name);
  const auto found = firstOf_.find(probe_);
  return found == firstOf_.end() ? kNone : found->second;
}

bool ConnectionArray::AppendUnique(const ConnectionRecord& record) {
  if (!indexed_) {
    Reindex();
  }
  // One hash of the name both refuses a twin and indexes the newcomer.
  const auto [entry, added] = firstOf_.try_emplace(KeyOf(record), records_.size());
  if (!added) {
    return false;
  }
  try {
    records_.push_back(record);
  } catch (...) {
    firstOf_.erase(entry);
    throw;
  }
  return true;
}

void ConnectionArray::Erase(std::size_t position) noexcept {
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position));
  indexed_ = false;
}

void ConnectionArray::SetCredentials(std::size_t position, const char* userName,
                                     const char* password) {
  ConnectionRecord& record = records_[position];
  CopyField(record.szUserName, userName);
  if (password != nullptr) {
    CopyField(record.szPassword, password);
  }
}

void ConnectionArray::Reserve(std::size_t count) {
  records_.reserve(count);
  if (indexed_) {
    firstOf_.reserve(count);
  }
}

void ConnectionArray::Assign(std::vector<ConnectionRecord>&& records) noexcept {
  records_ = std::move(records);
  indexed_ = false;
}

void ConnectionArray::Reindex() const {
  Index index;
  index.reserve(records_.size());
  for (std::size_t i = 0; i < records_.size(); ++i) {
    index.emplace(KeyOf(records_[i]), i);  // keeps the first of twin names
  }
  firstOf_.swap(index);
  indexed_ = true;
}

void ConnectionArray::Clear() {
  std::vector<ConnectionRecord>().swap(records_);
  Index().swap(firstOf_);
  indexed_ = true;
}

}  // namespace tollward
