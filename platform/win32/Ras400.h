// The RAS 4.00 structure layouts the program hands to RASAPI32 (MinGW's ras.h has only later ones).
#pragma once

#include "platform/win32/WinApi.h"

#include <ras.h>
#include <raserror.h>

#include <cstddef>

namespace tollward::ras400 {

// Field lengths without the terminating zero, as RASAPI32 defines them.
constexpr std::size_t kMaxEntryName = 256;
constexpr std::size_t kMaxPhoneNumber = 128;
constexpr std::size_t kMaxAreaCode = 10;
constexpr std::size_t kMaxUserName = 256;
constexpr std::size_t kMaxPassword = 256;
constexpr std::size_t kMaxDomain = 15;

struct EntryName {
  DWORD dwSize;
  CHAR szEntryName[kMaxEntryName + 1];
};

struct DialParams {
  DWORD dwSize;
  CHAR szEntryName[kMaxEntryName + 1];
  CHAR szPhoneNumber[kMaxPhoneNumber + 1];
  CHAR szCallbackNumber[kMaxPhoneNumber + 1];
  CHAR szUserName[kMaxUserName + 1];
  CHAR szPassword[kMaxPassword + 1];
  CHAR szDomain[kMaxDomain + 1];
};

struct Entry {
  DWORD dwSize;
  DWORD dwfOptions;
  DWORD dwCountryID;
  DWORD dwCountryCode;
  CHAR szAreaCode[kMaxAreaCode + 1];
  CHAR szLocalPhoneNumber[kMaxPhoneNumber + 1];
  DWORD dwAlternateOffset;
  RASIPADDR ipaddr;
  RASIPADDR ipaddrDns;
  RASIPADDR ipaddrDnsAlt;
  RASIPADDR ipaddrWins;
  RASIPADDR ipaddrWinsAlt;
  DWORD dwFrameSize;
  DWORD dwfNetProtocols;
  DWORD dwFramingProtocol;
  CHAR szScript[MAX_PATH];
  CHAR szAutodialDll[MAX_PATH];
  CHAR szAutodialFunc[MAX_PATH];
  CHAR szDeviceType[RAS_MaxDeviceType + 1];
  CHAR szDeviceName[RAS_MaxDeviceName + 1];
  CHAR szX25PadType[RAS_MaxPadType + 1];
  CHAR szX25Address[RAS_MaxX25Address + 1];
  CHAR szX25Facilities[RAS_MaxFacilities + 1];
  CHAR szX25UserData[RAS_MaxUserData + 1];
  DWORD dwChannels;
  DWORD dwReserved1;
  DWORD dwReserved2;
};

// The sizes the service tells the versions apart by; a drift here breaks every call.
static_assert(sizeof(EntryName) == 264, "RASENTRYNAMEA 4.00 is 264 bytes");
static_assert(sizeof(DialParams) == 1052, "RASDIALPARAMSA 4.00 is 1052 bytes");
static_assert(sizeof(Entry) == 1768, "RASENTRYA 4.00 is 1768 bytes");

// The later layouts only append fields, so the 4.00 part sits at the same offsets in them.
static_assert(offsetof(RASENTRYNAMEA, szEntryName) == offsetof(EntryName, szEntryName));
static_assert(offsetof(RASDIALPARAMSA, szUserName) == offsetof(DialParams, szUserName));
static_assert(offsetof(RASDIALPARAMSA, szPassword) == offsetof(DialParams, szPassword));
static_assert(offsetof(RASENTRYA, szAreaCode) == offsetof(Entry, szAreaCode));
static_assert(offsetof(RASENTRYA, szLocalPhoneNumber) == offsetof(Entry, szLocalPhoneNumber));
static_assert(offsetof(RASENTRYA, dwReserved2) == offsetof(Entry, dwReserved2));

}  // namespace tollward::ras400
