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
  const auto found = firstOf_.find(std::string(name));
  return found == firstOf_.end() ? kNone : found->second;
}

void ConnectionArray::Append(const ConnectionRecord& record) {
  std::string key = KeyOf(record);
  records_.push_back(record);
  try {
    firstOf_.emplace(std::move(key), records_.size() - 1);
  } catch (...) {
    records_.pop_back();
    throw;
  }
}

void ConnectionArray::Erase(std::size_t position) {
  // The only step that can throw comes before anything changes.
  const std::string key = KeyOf(records_[position]);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position));

  for (auto& entry : firstOf_) {
    if (entry.second > position) {
      --entry.second;
    }
  }
  const auto erased = firstOf_.find(key);
  if (erased == firstOf_.end() || erased->second != position) {
    return;
  }
  // The removed record was the first of its name; a later twin (only a loaded file has one)
  // becomes the first.
  for (std::size_t i = position; i < records_.size(); ++i) {
    if (std::strncmp(records_[i].szEntryName, key.c_str(), kEntryNameSize) == 0) {
      erased->second = i;
      return;
    }
  }
  firstOf_.erase(erased);
}

void ConnectionArray::SetCredentials(std::size_t position, const char* userName,
                                     const char* password) {
  ConnectionRecord& record = records_[position];
  CopyField(record.szUserName, userName);
  if (password != nullptr) {
    CopyField(record.szPassword, password);
  }
}

void ConnectionArray::Assign(std::vector<ConnectionRecord>&& records) {
  std::unordered_map<std::string, std::size_t> index;
  index.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    index.emplace(KeyOf(records[i]), i);
  }
  records_ = std::move(records);
  firstOf_ = std::move(index);
}

void ConnectionArray::Clear() {
  std::vector<ConnectionRecord>().swap(records_);
  std::unordered_map<std::string, std::size_t>().swap(firstOf_);
}

}  // namespace tollward
