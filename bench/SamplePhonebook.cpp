// A phonebook of any size with its registrations, as the benchmarks scan it.
#include "bench/SamplePhonebook.h"

#include <algorithm>
#include <cstdio>

namespace tollward::bench {
namespace {

std::string Numbered(const char* format, std::size_t number) {
  char text[64];
  std::snprintf(text, sizeof text, format, static_cast<unsigned long>(number));
  return text;
}

}  // namespace

void FillSamplePhonebook(std::size_t entries, PhonebookState state, SamplePhonebook& sample) {
  sample.phonebook.Clear();
  sample.registered.clear();
  sample.registered.reserve(entries);
  sample.altered = 0;
  sample.added = 0;
  // A dial-up entry as the system's editor makes one: a modem, PPP over IP, the usual options.
  sample.details = EntryDetails{};
  sample.details.options = entry_option::kRemoteDefaultGateway | entry_option::kModemLights |
                           entry_option::kSwCompression | entry_option::kIpHeaderCompression;
  sample.details.countryId = 49;
  sample.details.countryCode = 49;
  sample.details.framingProtocol = entry_protocol::kFramingPpp;
  sample.details.netProtocols = entry_protocol::kIp;
  sample.details.deviceType = "modem";
  sample.details.deviceName = "Standard 56000 bps Modem";

  // Spread over the whole phonebook, since the checks walk it from the end.
  const std::size_t changed =
      state == PhonebookState::kUnchanged ? 0 : std::max<std::size_t>(1, entries / 100);
  const std::size_t spacing = changed == 0 ? 0 : entries / changed;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::string name = Numbered("Provider %06lu dial-in", i);
    const std::string areaCode = Numbered("0%lu", 20 + i % 880);
    const std::string number = Numbered("%07lu", 2000000 + i * 7 % 7000000);
    const std::string user = Numbered("customer%lu", i);
    const std::string password = Numbered("pw%08lx", i * 2654435761u % 0xFFFFFFFFu);
    sample.phonebook.Put(name, areaCode, number, user, password).details = sample.details;

    const bool isChanged = spacing != 0 && i % spacing == spacing / 2 && i / spacing < changed;
    if (isChanged && (i / spacing) % 2 == 1) {
      ++sample.added;  // never registered
      continue;
    }
    ConnectionRecord record = EmptyRecord();
    CopyField(record.szEntryName, name.c_str());
    CopyField(record.szAreaCode, areaCode.c_str());
    CopyField(record.szLocalPhoneNumber, number.c_str());
    CopyField(record.szUserName, user.c_str());
    CopyField(record.szPassword, password.c_str());
    if (isChanged) {
      // Registered with another number: the phonebook's entry now differs from its record.
      CopyField(record.szLocalPhoneNumber, "1234567");
      ++sample.altered;
    }
    sample.registered.push_back(record);
  }
}

std::vector<std::string> SampleBadAreaCodes(std::size_t count) {
  std::vector<std::string> codes;
  for (std::size_t i = 0; i < count; ++i) {
    codes.push_back(Numbered("09%04lu", i));
  }
  return codes;
}

}  // namespace tollward::bench
