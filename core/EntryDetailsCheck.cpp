// Which further properties of an entry differ from those registered, field by field.
#include "core/EntryDetailsCheck.h"

namespace tollward {

std::vector<DetailChange> CompareDetails(const EntryDetails& registered,
                                         const EntryDetails& current) {
  std::vector<DetailChange> changes;
  if (registered == current) {
    return changes;
  }
  const std::uint32_t changedOptions = registered.options ^ current.options;
  for (std::uint32_t bit = 1; bit != 0 && bit <= kNamedOptions; bit <<= 1) {
    if ((changedOptions & bit) != 0) {
      changes.push_back({DetailField::kOptions, bit});
    }
  }
  if ((changedOptions & ~kNamedOptions) != 0) {
    changes.push_back({DetailField::kOptions, changedOptions & ~kNamedOptions});
  }
  const auto add = [&changes](bool differs, DetailField field) {
    if (differs) {
      changes.push_back({field, 0});
    }
  };
  add(registered.countryId != current.countryId, DetailField::kCountryId);
  add(registered.countryCode != current.countryCode, DetailField::kCountryCode);
  add(registered.ipAddress != current.ipAddress, DetailField::kIpAddress);
  add(registered.dnsAddress != current.dnsAddress, DetailField::kDnsAddress);
  add(registered.dnsAltAddress != current.dnsAltAddress, DetailField::kDnsAltAddress);
  add(registered.winsAddress != current.winsAddress, DetailField::kWinsAddress);
  add(registered.winsAltAddress != current.winsAltAddress, DetailField::kWinsAltAddress);
  add(registered.framingProtocol != current.framingProtocol, DetailField::kFramingProtocol);
  add(registered.netProtocols != current.netProtocols, DetailField::kNetProtocols);
  add(registered.script != current.script, DetailField::kScript);
  add(registered.autodialDll != current.autodialDll, DetailField::kAutodialDll);
  add(registered.autodialFunc != current.autodialFunc, DetailField::kAutodialFunc);
  add(registered.deviceType != current.deviceType, DetailField::kDeviceType);
  add(registered.deviceName != current.deviceName, DetailField::kDeviceName);
  add(registered.alternateNumbers != current.alternateNumbers, DetailField::kAlternateNumbers);
  return changes;
}

}  // namespace tollward
