// The further properties of each registered entry, by name, and the file that keeps them.
#include "core/EntryDetailsStore.h"

#include <cstdint>
#include <utility>

#include "core/ByteCodec.h"
#include "core/InputFile.h"
#include "core/SafeFileWriter.h"

namespace tollward {
namespace {

constexpr CFileHeader kHeader("RASEntryDetails:", CFileHeader::Letters::kAnyCase);
constexpr std::size_t kPathSize = kMaxDetailPath + 1;
constexpr std::size_t kDeviceTypeSize = kMaxDeviceType + 1;
constexpr std::size_t kDeviceNameSize = kMaxDeviceName + 1;

static_assert(CEntryDetailsStore::kHeaderSize == kHeader.ListSize());
static_assert(CEntryDetailsStore::kFixedRecordSize == CEntryDetailsStore::kNameSize + 3 * 4 +
                                                          5 * 4 + 2 * 4 + 3 * kPathSize +
                                                          kDeviceTypeSize + kDeviceNameSize + 4);

void PutRecord(CByteWriter& out, const std::string& name, const EntryDetails& details) {
  out.Text(name, CEntryDetailsStore::kNameSize);
  out.Uint32(details.options);
  out.Uint32(details.countryId);
  out.Uint32(details.countryCode);
  for (const Ipv4Address* address :
       {&details.ipAddress, &details.dnsAddress, &details.dnsAltAddress, &details.winsAddress,
        &details.winsAltAddress}) {
    out.Raw(address->data(), address->size());
  }
  out.Uint32(details.framingProtocol);
  out.Uint32(details.netProtocols);
  out.Text(details.script, kPathSize);
  out.Text(details.autodialDll, kPathSize);
  out.Text(details.autodialFunc, kPathSize);
  out.Text(details.deviceType, kDeviceTypeSize);
  out.Text(details.deviceName, kDeviceNameSize);
  out.Uint32(static_cast<std::uint32_t>(details.alternateNumbers.size()));
  for (const std::string& number : details.alternateNumbers) {
    out.Text(number, CEntryDetailsStore::kAlternateSize);
  }
}

// The whole file's bytes, record by record, to a save's writer or a comparison with the disk.
template <typename Sink>
bool PutFile(Sink& sink, const CEntryDetailsStore::Records& records) {
  CByteWriter header;
  kHeader.Put(header, static_cast<std::uint32_t>(records.size()));
  if (!sink.Write(header.data(), header.size())) {
    return false;
  }
  for (const auto& [name, details] : records) {
    CByteWriter record(CEntryDetailsStore::kFixedRecordSize +
                       details.alternateNumbers.size() * CEntryDetailsStore::kAlternateSize);
    PutRecord(record, name, details);
    if (!sink.Write(record.data(), record.size())) {
      return false;
    }
  }
  return true;
}

Ipv4Address ReadAddress(CByteReader& reader) {
  Ipv4Address address{};
  reader.Raw(address.data(), address.size());
  return address;
}

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
    CByteReader reader(file.get());
    std::uint32_t count = 0;
    if (kHeader.Read(reader, count) != CFileHeader::Check::kSound) {
      return DetailsLoad::kDamaged;
    }
    // Record by record, so that memory follows what the file really holds, not its count.
    Records loaded;
    for (std::uint32_t i = 0; i < count && reader.ok(); ++i) {
      const std::string name = reader.Text(kNameSize);
      EntryDetails details;
      details.options = reader.Uint32();
      details.countryId = reader.Uint32();
      details.countryCode = reader.Uint32();
      details.ipAddress = ReadAddress(reader);
      details.dnsAddress = ReadAddress(reader);
      details.dnsAltAddress = ReadAddress(reader);
      details.winsAddress = ReadAddress(reader);
      details.winsAltAddress = ReadAddress(reader);
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
