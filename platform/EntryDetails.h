// The further properties of a phonebook entry that decide where and how it connects.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tollward {

// An IPv4 address in the order it is written, a.b.c.d.
using Ipv4Address = std::array<std::uint8_t, 4>;

// Longest texts the service hands out, without the terminating zero: MAX_PATH for the script
// and the AutoDial DLL and function, and the RAS limits for device and phone numbers.
constexpr std::size_t kMaxDetailPath = 259;
constexpr std::size_t kMaxDeviceType = 16;
constexpr std::size_t kMaxDeviceName = 128;
constexpr std::size_t kMaxAlternateNumber = 128;

// The entry's options (the RASEO_ flags of the 4.00 layout) as bits of `options`.
namespace entry_option {
constexpr std::uint32_t kUseCountryAndAreaCodes = 0x00000001;
constexpr std::uint32_t kSpecificIpAddr = 0x00000002;
constexpr std::uint32_t kSpecificNameServers = 0x00000004;
constexpr std::uint32_t kIpHeaderCompression = 0x00000008;
constexpr std::uint32_t kRemoteDefaultGateway = 0x00000010;
constexpr std::uint32_t kDisableLcpExtensions = 0x00000020;
constexpr std::uint32_t kTerminalBeforeDial = 0x00000040;
constexpr std::uint32_t kTerminalAfterDial = 0x00000080;
constexpr std::uint32_t kModemLights = 0x00000100;
constexpr std::uint32_t kSwCompression = 0x00000200;
constexpr std::uint32_t kRequireEncryptedPw = 0x00000400;
constexpr std::uint32_t kRequireMsEncryptedPw = 0x00000800;
constexpr std::uint32_t kRequireDataEncryption = 0x00001000;
constexpr std::uint32_t kNetworkLogon = 0x00002000;
constexpr std::uint32_t kUseLogonCredentials = 0x00004000;
constexpr std::uint32_t kPromoteAlternates = 0x00008000;
}  // namespace entry_option

// The framing protocol (RASFP_) and the network protocol bits (RASNP_).
namespace entry_protocol {
constexpr std::uint32_t kFramingPpp = 1;
constexpr std::uint32_t kFramingSlip = 2;
constexpr std::uint32_t kFramingRas = 4;
constexpr std::uint32_t kNetBeui = 1;
constexpr std::uint32_t kIpx = 2;
constexpr std::uint32_t kIp = 4;
}  // namespace entry_protocol

struct EntryDetails {
  std::uint32_t options = 0;
  std::uint32_t countryId = 0;
  std::uint32_t countryCode = 0;
  Ipv4Address ipAddress{};
  Ipv4Address dnsAddress{};
  Ipv4Address dnsAltAddress{};
  Ipv4Address winsAddress{};
  Ipv4Address winsAltAddress{};
  std::uint32_t framingProtocol = 0;
  std::uint32_t netProtocols = 0;
  std::string script;
  std::string autodialDll;
  std::string autodialFunc;
  std::string deviceType;
  std::string deviceName;
  // In the service's order; none where it keeps none or does not hand them out.
  std::vector<std::string> alternateNumbers;

  bool operator==(const EntryDetails& other) const {
    return options == other.options && countryId == other.countryId &&
           countryCode == other.countryCode && ipAddress == other.ipAddress &&
           dnsAddress == other.dnsAddress && dnsAltAddress == other.dnsAltAddress &&
           winsAddress == other.winsAddress && winsAltAddress == other.winsAltAddress &&
           framingProtocol == other.framingProtocol && netProtocols == other.netProtocols &&
           script == other.script && autodialDll == other.autodialDll &&
           autodialFunc == other.autodialFunc && deviceType == other.deviceType &&
           deviceName == other.deviceName && alternateNumbers == other.alternateNumbers;
  }
  bool operator!=(const EntryDetails& other) const { return !(*this == other); }
};

}  // namespace tollward
