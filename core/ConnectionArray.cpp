// The records of a connection list in their order, with a name index so lookups never scan.
#include "core/ConnectionArray.h"

#include <algorithm>
#include <utility>

namespace tollward {

std::size_t CConnectionArray::Find(const char* name) const {
  if (name == nullptr) {
    return kNone;
  }
  if (!indexed_) {
    Reindex();
  }
  return index_.Find(name, records_);
}

bool CConnectionArray::AppendUnique(const ConnectionRecord& record) {
  if (!indexed_) {
    Reindex();
  }
  // Room in both first: once it is there, neither the index nor the append can fail half-way.
  if (records_.size() == records_.capacity()) {
    records_.reserve(std::max<std::size_t>(8, records_.size() * 2));
  }
  index_.Reserve(records_.size() + 1);
  if (index_.Insert(NameOf(record), records_.size(), records_) != records_.size()) {
    return false;
  }
  records_.push_back(record);
  return true;
}

void CConnectionArray::Erase(std::size_t position) noexcept {
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position));
  indexed_ = false;
}

void CConnectionArray::SetCredentials(std::size_t position, const char* userName,
                                      const char* password) {
  ConnectionRecord& record = records_[position];
  CopyField(record.szUserName, userName);
  if (password != nullptr) {
    CopyField(record.szPassword, password);
  }
}

void CConnectionArray::Reserve(std::size_t count) {
  records_.reserve(count);
  if (indexed_) {
    index_.Reserve(count);
  }
}

std::vector<ConnectionRecord> CConnectionArray::TakeRecords() noexcept {
  std::vector<ConnectionRecord> taken = std::move(records_);
  Clear();
  return taken;
}

void CConnectionArray::Assign(std::vector<ConnectionRecord>&& records) noexcept {
  records_ = std::move(records);
  indexed_ = false;
}

void CConnectionArray::Reindex() const {
  index_.Rebuild(records_);  // a failure leaves the index stale, to be built at the next lookup
  indexed_ = true;
}

void CConnectionArray::Clear() noexcept {
  std::vector<ConnectionRecord>().swap(records_);
  index_.Clear();
  indexed_ = true;
}

}  // namespace tollward
