// Which further properties of an entry differ from those registered, field by field.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/EntryDetails.h"

namespace tollward {

enum class DetailField {
  kOptions,
  kCountryId,
  kCountryCode,
  kIpAddress,
  kDnsAddress,
  kDnsAltAddress,
  kWinsAddress,
  kWinsAltAddress,
  kFramingProtocol,
  kNetProtocols,
  kScript,
  kAutodialDll,
  kAutodialFunc,
  kDeviceType,
  kDeviceName,
  kAlternateNumbers,
};

// The options that have a name of their own: the flags of the 4.00 layout.
constexpr std::uint32_t kNamedOptions = 0x0000FFFF;

struct DetailChange {
  DetailField field;
  // For kOptions: the one named option that changed, or every changed option without a name
  // together. 0 for the other fields.
  std::uint32_t options = 0;

  bool operator==(const DetailChange& other) const {
    return field == other.field && options == other.options;
  }
};

// Every field that differs, in the order of DetailField; a change of options is one change per
// named option, in the order of their bits, then one for the options without a name. Texts are
// compared byte for byte: a script or DLL path with other letters may be another file.
std::vector<DetailChange> CompareDetails(const EntryDetails& registered,
                                         const EntryDetails& current);

}  // namespace tollward
