// The further properties of an entry: which changes count, and the file that keeps them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/EntryDetailsCheck.h"
#include "core/EntryDetailsStore.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;

// A modem entry with every further field set, as a registration would have kept it.
EntryDetails Registered() {
  EntryDetails details;
  details.options = entry_option::kUseCountryAndAreaCodes | entry_option::kModemLights;
  details.countryId = 49;
  details.countryCode = 49;
  details.ipAddress = {192, 168, 1, 7};
  details.dnsAddress = {192, 168, 1, 1};
  details.dnsAltAddress = {192, 168, 1, 2};
  details.winsAddress = {192, 168, 1, 3};
  details.winsAltAddress = {192, 168, 1, 4};
  details.framingProtocol = entry_protocol::kFramingPpp;
  details.netProtocols = entry_protocol::kIp;
  details.script = "C:\\WINNT\\system32\\ras\\provider.scp";
  details.autodialDll = "C:\\Program Files\\Provider\\autodial.dll";
  details.autodialFunc = "ProviderDial";
  details.deviceType = "modem";
  details.deviceName = "Standard 56000 bps Modem";
  details.alternateNumbers = {"030 1234568"};
  return details;
}

// Each field alone is covered through the checks (FurtherPropertiesCheckTest); here the rules of
// the comparison itself: options one by one, in the order of the fields, texts byte for byte.
TEST(EntryDetailsCheck, OptionsChangeOneByOneAndFieldsInTheirOrder) {
  using entry_option::kModemLights;
  using entry_option::kSwCompression;
  struct Case {
    const char* what;
    std::function<void(EntryDetails&)> change;
    std::vector<DetailChange> expected;
  };
  const std::vector<Case> cases = {
      {"nothing", [](EntryDetails&) {}, {}},
      {"two options swapped",
       [](EntryDetails& d) { d.options ^= kModemLights | kSwCompression; },
       {{DetailField::kOptions, kModemLights}, {DetailField::kOptions, kSwCompression}}},
      {"options of a later layout",
       [](EntryDetails& d) { d.options |= 0x00030000; },
       {{DetailField::kOptions, 0x00030000}}},
      {"script path in other letters",
       [](EntryDetails& d) { d.script[0] = 'c'; },
       {{DetailField::kScript}}},
      {"device and name server together",
       [](EntryDetails& d) {
         d.deviceType = "isdn";
         d.dnsAddress = {6, 6, 6, 6};
       },
       {{DetailField::kDnsAddress}, {DetailField::kDeviceType}}},
  };
  for (const Case& c : cases) {
    EntryDetails current = Registered();
    c.change(current);
    EXPECT_EQ(CompareDetails(Registered(), current), c.expected) << c.what;
  }
}

TEST(EntryDetailsStore, SavedRecordsLoadAsTheyWereAndADamagedFileLoadsNothing) {
  TempDir dir;
  const std::string path = dir.Path("Tollward.det");
  CEntryDetailsStore store;
  EntryDetails cut = Registered();
  cut.deviceType = std::string(40, 'x');
  store.Put("Office", Registered());
  store.Put("Home", EntryDetails{});
  store.Put("Fax", cut);
  ASSERT_TRUE(store.Save(path));

  CEntryDetailsStore loaded;
  ASSERT_EQ(loaded.Load(path), DetailsLoad::kLoaded);
  EXPECT_EQ(loaded.records(), store.records());
  ASSERT_NE(loaded.Find("Fax"), nullptr);
  EXPECT_EQ(loaded.Find("Fax")->deviceType, std::string(kMaxDeviceType, 'x'));
  EXPECT_EQ(loaded.Find("office"), nullptr);

  const Bytes sound = ReadBytes(path);
  Bytes twice = sound;
  // Records go by name: "Fax" with its alternate number, then "Home", whose record is whole
  // without any, so it can be appended once more as a fourth record.
  twice[CEntryDetailsStore::kHeaderSize - 4] = 4;
  const std::size_t home = CEntryDetailsStore::kHeaderSize + CEntryDetailsStore::kFixedRecordSize +
                           CEntryDetailsStore::kAlternateSize;
  twice.insert(twice.end(), sound.begin() + home,
               sound.begin() + home + CEntryDetailsStore::kFixedRecordSize);
  Bytes version = sound;
  version[24] = 0x40;
  Bytes otherTag = sound;
  otherTag[3] = 'X';
  const struct {
    const char* what;
    Bytes bytes;
  } damaged[] = {
      {"cut in the last record", Bytes(sound.begin(), sound.end() - 1)},
      {"a name twice", twice},
      {"version 2", version},
      {"another tag", otherTag},
      {"empty", {}},
  };
  for (const auto& file : damaged) {
    WriteBytes(path, file.bytes);
    EXPECT_EQ(loaded.Load(path), DetailsLoad::kDamaged) << file.what;
    EXPECT_EQ(loaded.size(), 0u) << file.what;
  }
  EXPECT_EQ(loaded.Load(dir.Path("none")), DetailsLoad::kMissing);
}

}  // namespace
}  // namespace tollward
