// The stand-in's reading of an entry's further properties from the keys the system's phonebook
// file uses for them.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/rasemu/PhonebookFile.h"

namespace rasemu {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;
namespace option = tollward::entry_option;
namespace protocol = tollward::entry_protocol;

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The first value of the key in the section, keys compared without regard to letter case as
// the profile functions do; `fallback` when there is none.
std::string Value(const Values& values, const char* key, const std::string& fallback = {}) {
  for (const auto& [name, value] : values) {
    if (lstrcmpiA(name.c_str(), key) == 0) {
      return Unquoted(value);
    }
  }
  return fallback;
}

std::uint32_t Number(const Values& values, const char* key, std::uint32_t fallback) {
  const std::string text = Value(values, key);
  if (text.empty()) {
    return fallback;
  }
  return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
}

// "a.b.c.d"; anything else reads as 0.0.0.0, as the service reads an address it cannot parse.
tollward::Ipv4Address Address(const Values& values, const char* key) {
  const std::string text = Value(values, key);
  unsigned parts[4] = {};
  char rest = '\0';
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                  &rest) != 4) {
    return {};
  }
  tollward::Ipv4Address address{};
  for (int i = 0; i < 4; ++i) {
    if (parts[i] > 255) {
      return {};
    }
    address[i] = static_cast<std::uint8_t>(parts[i]);
  }
  return address;
}

std::string Cut(const std::string& text, std::size_t maxLength) {
  return text.substr(0, maxLength);
}

// The system's file spells the media subsection's device name "Device" and starts each device
// subsection with "DEVICE=<type>"; a script is the "Name" of the "DEVICE=switch" subsection.
// These keys are told apart by their letter case, as the system's own reader does.
void ReadDevices(const Values& values, tollward::EntryDetails& details) {
  bool inSwitch = false;
  bool typeSeen = false;
  bool nameSeen = false;
  bool scriptSeen = false;
  for (const auto& [key, value] : values) {
    if (key == "DEVICE") {
      inSwitch = lstrcmpiA(value.c_str(), "switch") == 0;
      if (!inSwitch && !typeSeen) {
        details.deviceType = Cut(Unquoted(value), tollward::kMaxDeviceType);
        typeSeen = true;
      }
    } else if (key == "MEDIA") {
      inSwitch = false;
    } else if (key == "Device" && !nameSeen) {
      details.deviceName = Cut(Unquoted(value), tollward::kMaxDeviceName);
      nameSeen = true;
    } else if (inSwitch && lstrcmpiA(key.c_str(), "Name") == 0 && !scriptSeen) {
      details.script = Cut(Unquoted(value), tollward::kMaxDetailPath);
      scriptSeen = true;
    }
  }
}

std::uint32_t Options(const Values& values) {
  const struct {
    const char* key;
    std::uint32_t valueForOption;
    std::uint32_t option;
    std::uint32_t fallback;
  } flags[] = {
      {"UseDialingRules", 1, option::kUseCountryAndAreaCodes, 0},
      {"IpAssign", 2, option::kSpecificIpAddr, 1},
      {"IpNameAssign", 2, option::kSpecificNameServers, 1},
      {"IpHeaderCompression", 1, option::kIpHeaderCompression, 0},
      {"IpPrioritizeRemote", 1, option::kRemoteDefaultGateway, 1},
      {"LcpExtensions", 0, option::kDisableLcpExtensions, 1},
      {"ShowMonitorIconInTaskBar", 1, option::kModemLights, 0},
      {"SwCompression", 1, option::kSwCompression, 0},
      {"PromoteAlternates", 1, option::kPromoteAlternates, 0},
  };
  std::uint32_t options = 0;
  for (const auto& flag : flags) {
    if (Number(values, flag.key, flag.fallback) == flag.valueForOption) {
      options |= flag.option;
    }
  }
  return options;
}

// BaseProtocol counts 1, 2, 3; the structure's framing constants are bits.
std::uint32_t Framing(const Values& values) {
  switch (Number(values, "BaseProtocol", 1)) {
    case 2:
      return protocol::kFramingSlip;
    case 3:
      return protocol::kFramingRas;
    default:
      return protocol::kFramingPpp;
  }
}

}  // namespace

tollward::EntryDetails CPhonebookFile::ReadDetails(const std::string& name) const {
  tollward::EntryDetails details;
  const Section* section = Find(name);
  if (section == nullptr) {
    return details;
  }
  const Values& values = section->values;
  details.options = Options(values);
  details.countryId = Number(values, "CountryID", 0);
  details.countryCode = Number(values, "CountryCode", 0);
  details.ipAddress = Address(values, "IpAddress");
  details.dnsAddress = Address(values, "IpDnsAddress");
  details.dnsAltAddress = Address(values, "IpDns2Address");
  details.winsAddress = Address(values, "IpWinsAddress");
  details.winsAltAddress = Address(values, "IpWins2Address");
  details.framingProtocol = Framing(values);
  // The excluded protocols' bits are those of the structure's protocols.
  details.netProtocols = (protocol::kNetBeui | protocol::kIpx | protocol::kIp) &
                         ~Number(values, "ExcludedProtocols", 0);
  details.autodialDll = Cut(Value(values, "CustomDialDll"), tollward::kMaxDetailPath);
  details.autodialFunc = Cut(Value(values, "CustomDialFunc"), tollward::kMaxDetailPath);
  ReadDevices(values, details);
  // The first number is the entry's own; every further one is an alternate, in file order.
  bool first = true;
  for (const auto& [key, value] : values) {
    if (lstrcmpiA(key.c_str(), "LocalPhoneNumber") != 0) {
      continue;
    }
    if (!first) {
      details.alternateNumbers.push_back(Cut(Unquoted(value), tollward::kMaxAlternateNumber));
    }
    first = false;
  }
  return details;
}

}  // namespace rasemu
