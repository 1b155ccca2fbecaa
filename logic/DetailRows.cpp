// The rows the manipulation report shows for further properties that differ: name and values.
#include "logic/DetailRows.h"

#include <cstdio>

#include "core/EntryDetailsCheck.h"
#include "res/resource.h"

namespace tollward {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string Address(const Ipv4Address& address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", address[0], address[1], address[2], address[3]);
  return text;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) {
      joined += separator;
    }
    joined += part;
  }
  return joined;
}

std::string Framing(std::uint32_t framing, const TextById& text) {
  switch (framing) {
    case entry_protocol::kFramingPpp:
      return text(IDS_DETAIL_FRAMING_PPP);
    case entry_protocol::kFramingSlip:
      return text(IDS_DETAIL_FRAMING_SLIP);
    case entry_protocol::kFramingRas:
      return text(IDS_DETAIL_FRAMING_RAS);
    default:
      return Hex(framing);
  }
}

std::string Protocols(std::uint32_t protocols, const TextById& text) {
  const struct {
    std::uint32_t bit;
    unsigned id;
  } named[] = {{entry_protocol::kNetBeui, IDS_DETAIL_PROTOCOL_NETBEUI},
               {entry_protocol::kIpx, IDS_DETAIL_PROTOCOL_IPX},
               {entry_protocol::kIp, IDS_DETAIL_PROTOCOL_IP}};
  std::vector<std::string> parts;
  std::uint32_t rest = protocols;
  for (const auto& protocol : named) {
    if ((protocols & protocol.bit) != 0) {
      parts.push_back(text(protocol.id));
      rest &= ~protocol.bit;
    }
  }
  if (rest != 0) {
    parts.push_back(Hex(rest));
  }
  return Joined(parts, ", ");
}

// The bit's position among the named options, which the option names' ids follow.
unsigned OptionIndex(std::uint32_t bit) {
  unsigned index = 0;
  while (bit > 1) {
    bit >>= 1;
    ++index;
  }
  return index;
}

}  // namespace

std::vector<DetailRow> MakeDetailRows(const EntryDetails& registered, const EntryDetails& current,
                                      const TextById& text) {
  std::vector<DetailRow> rows;
  for (const DetailChange& change : CompareDetails(registered, current)) {
    const auto row = [&](unsigned labelId, std::string before, std::string after) {
      rows.push_back({text(labelId), std::move(before), std::move(after)});
    };
    const auto onOff = [&](std::uint32_t options) {
      return text((options & change.options) != 0 ? IDS_DETAIL_ON : IDS_DETAIL_OFF);
    };
    switch (change.field) {
      case DetailField::kOptions:
        if ((change.options & ~kNamedOptions) != 0) {
          row(IDS_DETAIL_OTHER_OPTIONS, Hex(registered.options & ~kNamedOptions),
              Hex(current.options & ~kNamedOptions));
        } else {
          row(IDS_DETAIL_OPTION_FIRST + OptionIndex(change.options), onOff(registered.options),
              onOff(current.options));
        }
        break;
      case DetailField::kCountryId:
        row(IDS_DETAIL_COUNTRY_ID, std::to_string(registered.countryId),
            std::to_string(current.countryId));
        break;
      case DetailField::kCountryCode:
        row(IDS_DETAIL_COUNTRY_CODE, std::to_string(registered.countryCode),
            std::to_string(current.countryCode));
        break;
      case DetailField::kIpAddress:
        row(IDS_DETAIL_IP_ADDRESS, Address(registered.ipAddress), Address(current.ipAddress));
        break;
      case DetailField::kDnsAddress:
        row(IDS_DETAIL_DNS, Address(registered.dnsAddress), Address(current.dnsAddress));
        break;
      case DetailField::kDnsAltAddress:
        row(IDS_DETAIL_DNS_ALT, Address(registered.dnsAltAddress), Address(current.dnsAltAddress));
        break;
      case DetailField::kWinsAddress:
        row(IDS_DETAIL_WINS, Address(registered.winsAddress), Address(current.winsAddress));
        break;
      case DetailField::kWinsAltAddress:
        row(IDS_DETAIL_WINS_ALT, Address(registered.winsAltAddress),
            Address(current.winsAltAddress));
        break;
      case DetailField::kFramingProtocol:
        row(IDS_DETAIL_FRAMING, Framing(registered.framingProtocol, text),
            Framing(current.framingProtocol, text));
        break;
      case DetailField::kNetProtocols:
        row(IDS_DETAIL_NET_PROTOCOLS, Protocols(registered.netProtocols, text),
            Protocols(current.netProtocols, text));
        break;
      case DetailField::kScript:
        row(IDS_DETAIL_SCRIPT, registered.script, current.script);
        break;
      case DetailField::kAutodialDll:
        row(IDS_DETAIL_AUTODIAL_DLL, registered.autodialDll, current.autodialDll);
        break;
      case DetailField::kAutodialFunc:
        row(IDS_DETAIL_AUTODIAL_FUNC, registered.autodialFunc, current.autodialFunc);
        break;
      case DetailField::kDeviceType:
        row(IDS_DETAIL_DEVICE_TYPE, registered.deviceType, current.deviceType);
        break;
      case DetailField::kDeviceName:
        row(IDS_DETAIL_DEVICE_NAME, registered.deviceName, current.deviceName);
        break;
      case DetailField::kAlternateNumbers:
        row(IDS_DETAIL_ALTERNATES, Joined(registered.alternateNumbers, "; "),
            Joined(current.alternateNumbers, "; "));
        break;
    }
  }
  return rows;
}

}  // namespace tollward
