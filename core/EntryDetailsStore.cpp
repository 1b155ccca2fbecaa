// The further properties of each registered entry, by name, and the file that keeps them.
#include "core/EntryDetailsStore.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/AsciiText.h"
#include "core/InputFile.h"
#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

constexpr char kTag[] = "RASEntryDetails:";
constexpr std::size_t kTagSize = sizeof kTag;
// The double 1.0, little-endian.
constexpr std::uint8_t kVersion[8] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F};
constexpr std::size_t kPathSize = kMaxDetailPath + 1;
constexpr std::size_t kDeviceTypeSize = kMaxDeviceType + 1;
constexpr std::size_t kDeviceNameSize = kMaxDeviceName + 1;

static_assert(kTagSize == 17);
static_assert(CEntryDetailsStore::kHeaderSize == kTagSize + sizeof kVersion + 4);
static_assert(CEntryDetailsStore::kFixedRecordSize == CEntryDetailsStore::kNameSize + 3 * 4 +
                                                          5 * 4 + 2 * 4 + 3 * kPathSize +
                                                          kDeviceTypeSize + kDeviceNameSize + 4);

using Bytes = std::vector<std::uint8_t>;

void PutUint32(Bytes& out, std::uint32_t value) {
  for (unsigned i = 0; i < 4; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

// The text, zero-filled to the field's size; the caller has cut it to fit with its zero.
void PutText(Bytes& out, const std::string& text, std::size_t size) {
  out.insert(out.end(), text.begin(), text.end());
  out.insert(out.end(), size - text.size(), 0);
}

void PutAddress(Bytes& out, const Ipv4Address& address) {
  out.insert(out.end(), address.begin(), address.end());
}

Bytes RecordBytes(const std::string& name, const EntryDetails& details) {
  Bytes out;
  out.reserve(CEntryDetailsStore::kFixedRecordSize +
              details.alternateNumbers.size() * CEntryDetailsStore::kAlternateSize);
  PutText(out, name, CEntryDetailsStore::kNameSize);
  PutUint32(out, details.options);
  PutUint32(out, details.countryId);
  PutUint32(out, details.countryCode);
  for (const Ipv4Address* address :
       {&details.ipAddress, &details.dnsAddress, &details.dnsAltAddress, &details.winsAddress,
        &details.winsAltAddress}) {
    PutAddress(out, *address);
  }
  PutUint32(out, details.framingProtocol);
  PutUint32(out, details.netProtocols);
  PutText(out, details.script, kPathSize);
  PutText(out, details.autodialDll, kPathSize);
  PutText(out, details.autodialFunc, kPathSize);
  PutText(out, details.deviceType, kDeviceTypeSize);
  PutText(out, details.deviceName, kDeviceNameSize);
  PutUint32(out, static_cast<std::uint32_t>(details.alternateNumbers.size()));
  for (const std::string& number : details.alternateNumbers) {
    PutText(out, number, CEntryDetailsStore::kAlternateSize);
  }
  return out;
}

// The whole file's bytes, record by record, to a save's writer or a comparison with the disk.
template <typename Sink>
bool PutFile(Sink& sink, const CEntryDetailsStore::Records& records) {
  Bytes header(kTag, kTag + kTagSize);
  header.insert(header.end(), std::begin(kVersion), std::end(kVersion));
  PutUint32(header, static_cast<std::uint32_t>(records.size()));
  if (!sink.Write(header.data(), header.size())) {
    return false;
  }
  for (const auto& [name, details] : records) {
    const Bytes record = RecordBytes(name, details);
    if (!sink.Write(record.data(), record.size())) {
      return false;
    }
  }
  return true;
}

// Reads the fields of one record in order; any short read spoils the rest.
class RecordReader {
 public:
  explicit RecordReader(CInputFile& file) : file_(file) {}

  bool ok() const { return ok_; }

  std::uint32_t Uint32() {
    std::uint8_t bytes[4] = {};
    ok_ = ok_ && file_.Read(bytes, sizeof bytes);
    std::uint32_t value = 0;
    for (unsigned i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
  }

  Ipv4Address Address() {
    Ipv4Address address{};
    ok_ = ok_ && file_.Read(address.data(), address.size());
    return address;
  }

  // A field without its zero is cut before its last byte, as the save would write it.
  std::string Text(std::size_t size) {
    buffer_.assign(size, '\0');
    ok_ = ok_ && file_.Read(buffer_.data(), size);
    buffer_.back() = '\0';
    return std::string(buffer_.data());
  }

 private:
  CInputFile& file_;
  std::vector<char> buffer_;
  bool ok_ = true;
};

std::string Cut(const std::string& text, std::size_t maxLength) {
  return text.size() > maxLength ? text.substr(0, maxLength) : text;
}

// Texts end at their first zero in the file, so one inside a text would not survive a save.
std::string Fitted(const std::string& text, std::size_t maxLength) {
  return Cut(text.substr(0, text.find('\0')), maxLength);
}

}  // namespace

const EntryDetails* CEntryDetailsStore::Find(std::string_view name) const {
  const auto found = records_.find(name);
  return found == records_.end() ? nullptr : &found->second;
}

void CEntryDetailsStore::Put(const std::string& name, EntryDetails details) {
  EntryDetails fitted = std::move(details);
  fitted.script = Fitted(fitted.script, kMaxDetailPath);
  fitted.autodialDll = Fitted(fitted.autodialDll, kMaxDetailPath);
  fitted.autodialFunc = Fitted(fitted.autodialFunc, kMaxDetailPath);
  fitted.deviceType = Fitted(fitted.deviceType, kMaxDeviceType);
  fitted.deviceName = Fitted(fitted.deviceName, kMaxDeviceName);
  for (std::string& number : fitted.alternateNumbers) {
    number = Fitted(number, kMaxAlternateNumber);
  }
  records_[Fitted(name, kNameSize - 1)] = std::move(fitted);
}

bool CEntryDetailsStore::Remove(std::string_view name) {
  const auto found = records_.find(name);
  if (found == records_.end()) {
    return false;
  }
  records_.erase(found);
  return true;
}

bool CEntryDetailsStore::MoveTo(std::string_view name, CEntryDetailsStore& target) {
  const auto found = records_.find(name);
  if (found == records_.end()) {
    return false;
  }
  auto node = records_.extract(found);
  const auto existing = target.records_.find(node.key());
  if (existing != target.records_.end()) {
    target.records_.erase(existing);
  }
  target.records_.insert(std::move(node));
  return true;
}

DetailsLoad CEntryDetailsStore::Load(const std::string& path) {
  records_.clear();
  path_ = path;
  try {
    CInputFile file(path);
    if (!file.IsOpen()) {
      return file.IsMissing() ? DetailsLoad::kMissing : DetailsLoad::kUnreadable;
    }
    char tag[kTagSize];
    std::uint8_t version[sizeof kVersion];
    if (!file.Read(tag, sizeof tag) || !file.Read(version, sizeof version)) {
      return DetailsLoad::kDamaged;
    }
    for (std::size_t i = 0; i < kTagSize; ++i) {
      if (AsciiLower(tag[i]) != AsciiLower(kTag[i])) {
        return DetailsLoad::kDamaged;
      }
    }
    if (std::memcmp(version, kVersion, sizeof kVersion) != 0) {
      return DetailsLoad::kDamaged;
    }
    RecordReader reader(file);
    const std::uint32_t count = reader.Uint32();
    // Record by record, so that memory follows what the file really holds, not its count.
    Records loaded;
    for (std::uint32_t i = 0; i < count && reader.ok(); ++i) {
      const std::string name = reader.Text(kNameSize);
      EntryDetails details;
      details.options = reader.Uint32();
      details.countryId = reader.Uint32();
      details.countryCode = reader.Uint32();
      details.ipAddress = reader.Address();
      details.dnsAddress = reader.Address();
      details.dnsAltAddress = reader.Address();
      details.winsAddress = reader.Address();
      details.winsAltAddress = reader.Address();
      details.framingProtocol = reader.Uint32();
      details.netProtocols = reader.Uint32();
      details.script = reader.Text(kPathSize);
      details.autodialDll = reader.Text(kPathSize);
      details.autodialFunc = reader.Text(kPathSize);
      details.deviceType = reader.Text(kDeviceTypeSize);
      details.deviceName = reader.Text(kDeviceNameSize);
      const std::uint32_t alternates = reader.Uint32();
      for (std::uint32_t a = 0; a < alternates && reader.ok(); ++a) {
        details.alternateNumbers.push_back(reader.Text(kAlternateSize));
      }
      if (reader.ok() && !loaded.emplace(name, std::move(details)).second) {
        return DetailsLoad::kDamaged;  // a second record of one name: which one is meant?
      }
    }
    if (!reader.ok()) {
      return DetailsLoad::kDamaged;
    }
    records_.swap(loaded);
    return DetailsLoad::kLoaded;
  } catch (...) {
    records_.clear();
    return DetailsLoad::kDamaged;
  }
}

bool CEntryDetailsStore::Save(const std::string& path) {
  return SaveFile(path) == DetailsSave::kSaved;
}

DetailsSave CEntryDetailsStore::SaveFile(const std::string& path) {
  try {
    path_ = path;
  } catch (...) {
    path_.reset();
    return DetailsSave::kWriteFailed;
  }
  return SaveFile();
}

DetailsSave CEntryDetailsStore::SaveFile() const {
  if (!path_) {
    return DetailsSave::kOpenFailed;
  }
  try {
    // Left alone when it holds these bytes already; read afresh, so that a file another program
    // changed, cut short or removed is written again.
    {
      CFileComparison comparison(*path_);
      if (PutFile(comparison, records_) && comparison.Matched()) {
        return DetailsSave::kSaved;
      }
    }
    CSafeFileWriter writer;
    if (!writer.Open(*path_)) {
      return DetailsSave::kOpenFailed;
    }
    return PutFile(writer, records_) && writer.Commit() ? DetailsSave::kSaved
                                                        : DetailsSave::kWriteFailed;
  } catch (...) {
    return DetailsSave::kWriteFailed;
  }
}

}  // namespace tollward
