// The further properties of each registered entry, by name, and the file that keeps them.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <functional>

#include "platform/EntryDetails.h"

namespace tollward {

// How a load left the store; it is empty unless kLoaded.
enum class DetailsLoad {
  kLoaded,
  kMissing,     // there is no file
  kUnreadable,  // the file exists but cannot be opened
  kDamaged,     // the file was read but is not a whole, valid details file
};

// How a save left the file; on a failure, the step that failed.
enum class DetailsSave { kSaved, kOpenFailed, kWriteFailed };

// The file: the tag "RASEntryDetails:" with its zero (17 bytes), the version 1.0 as a
// little-endian double (8), the count (4), then one record per entry in the order of the names'
// bytes: the name (257 bytes), options, country id and code (4 each), the IP, DNS, alternate DNS,
// WINS and alternate WINS addresses (4 each, a.b.c.d), framing and network protocols (4 each),
// script, AutoDial DLL and function (260 each), device type (17) and name (129), the number of
// alternate numbers (4) and those numbers (129 each). Texts are zero-terminated and zero-filled;
// integers little-endian.
class CEntryDetailsStore {
 public:
  static constexpr std::size_t kHeaderSize = 29;
  static constexpr std::size_t kNameSize = 257;
  static constexpr std::size_t kFixedRecordSize = 1227;
  static constexpr std::size_t kAlternateSize = kMaxAlternateNumber + 1;

  // Null when no record has exactly this name.
  const EntryDetails* Find(std::string_view name) const;
  // Adds or replaces the record of this name, each text cut to what its field can hold.
  void Put(const std::string& name, EntryDetails details);
  bool Remove(std::string_view name);
  // Hands the record of this name over to `target`, in place of one it holds there; false when
  // there is none. Nothing is copied.
  bool MoveTo(std::string_view name, CEntryDetailsStore& target);
  void Clear() { records_.clear(); }
  std::size_t size() const { return records_.size(); }
  // Ordered by the names' bytes; looked up without making a string of the name.
  using Records = std::map<std::string, EntryDetails, std::less<>>;
  const Records& records() const { return records_; }

  // Replaces the records by the file's and remembers the path, whatever the outcome. A file with
  // two records of one name is damaged.
  DetailsLoad Load(const std::string& path);
  // Writes the records to the remembered path, unless the file holds these bytes already. The
  // old file is replaced only by a complete new one. False without a path or when writing failed.
  bool Save() const { return SaveFile() == DetailsSave::kSaved; }
  bool Save(const std::string& path);
  DetailsSave SaveFile() const;
  DetailsSave SaveFile(const std::string& path);
  void ClearPath() { path_.reset(); }
  const std::optional<std::string>& path() const { return path_; }

 private:
  Records records_;
  std::optional<std::string> path_;
};

}  // namespace tollward
