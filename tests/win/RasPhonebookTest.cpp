// The phonebook as the program reads and writes it: RASAPI32 calls answered by the stand-in.
#include <gtest/gtest.h>

#include "platform/win32/RasPhonebook.h"
#include "tests/win/PhonebookFixture.h"

namespace tollward {
namespace {

using testing::ContainsInOrder;

class RasPhonebookTest : public testing::PhonebookFileTest {
 protected:
  // The texts are followed through the calls, the passwords too.
  void SetUp() override {
    PhonebookFileTest::SetUp();
    RevealPasswords();
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    EXPECT_TRUE(phonebook_.EnumerateEntries(phonebook_.CountEntries(), names));
    return names;
  }

  CRasPhonebook phonebook_;
};

const std::vector<std::string> kSeveralEntries = {
    "; dial-up entries",
    "[Office]",
    "AreaCode=089",
    "LocalPhoneNumber=1234567",
    "UserName=smith",
    "Password=secret",
    "[office]",
    "AreaCode=030",
    "LocalPhoneNumber=7654321",
    "UserName=night",
    "Password=shift",
    "[Home]",
    "AreaCode=040",
    "LocalPhoneNumber=555",
    "[Mobile]",
    "AreaCode=",
    "LocalPhoneNumber=0171999",
    "UserName=me",
    "Password=pw",
};

TEST_F(RasPhonebookTest, EnumeratesEveryEntryInFileOrder) {
  WritePhonebook(kSeveralEntries);
  EXPECT_EQ(phonebook_.CountEntries(), 4u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Office", "office", "Home", "Mobile"}));

  // Sections of a profile file are found without regard to letter case, as in the system's own
  // phonebook file: the later of two such names is listed but reads the earlier one's values.
  PhonebookDialParams dial;
  ASSERT_TRUE(phonebook_.GetDialParams("office", dial));
  EXPECT_EQ(dial.userName, "smith");
}

TEST_F(RasPhonebookTest, ReadsCredentialsAndNumberOfEachEntry) {
  WritePhonebook(kSeveralEntries);
  PhonebookDialParams dial;
  PhonebookEntryProperties props;

  ASSERT_TRUE(phonebook_.GetDialParams("Office", dial));
  ASSERT_TRUE(phonebook_.GetProperties("Office", props));
  EXPECT_EQ(dial.userName, "smith");
  EXPECT_EQ(dial.password, "secret");
  EXPECT_EQ(props.areaCode, "089");
  EXPECT_EQ(props.localPhoneNumber, "1234567");

  ASSERT_TRUE(phonebook_.GetDialParams("Home", dial));
  ASSERT_TRUE(phonebook_.GetProperties("Home", props));
  EXPECT_EQ(dial.userName, "");
  EXPECT_EQ(dial.password, "");
  EXPECT_EQ(props.areaCode, "040");

  ASSERT_TRUE(phonebook_.GetDialParams("Mobile", dial));
  ASSERT_TRUE(phonebook_.GetProperties("Mobile", props));
  EXPECT_EQ(dial.userName, "me");
  EXPECT_EQ(props.areaCode, "");
  EXPECT_EQ(props.localPhoneNumber, "0171999");
}

TEST_F(RasPhonebookTest, MissingFileIsAnEmptyPhonebook) {
  EXPECT_EQ(phonebook_.CountEntries(), 0u);
  std::vector<std::string> names = {"left over"};
  EXPECT_TRUE(phonebook_.EnumerateEntries(0, names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(testing::FileExists(phonebookPath()));
}

TEST_F(RasPhonebookTest, UnknownEntryIsRefusedAndNothingIsWritten) {
  WritePhonebook(kSeveralEntries);
  const std::string before = PhonebookText();
  PhonebookDialParams dial;
  PhonebookEntryProperties props;
  EXPECT_FALSE(phonebook_.GetDialParams("Nowhere", dial));
  EXPECT_FALSE(phonebook_.GetProperties("Nowhere", props));
  EXPECT_FALSE(phonebook_.SetDialParams("Nowhere", "user", "pass"));
  EXPECT_EQ(PhonebookText(), before);
}

TEST_F(RasPhonebookTest, SetDialParamsWritesCredentialsAndKeepsEveryOtherLine) {
  WritePhonebook({"; kept comment", "[Office]", "Device=modem", "AreaCode=089",
                  "LocalPhoneNumber=1234567", "UserName=smith", "Password=secret", "Extra=1",
                  "[Home]", "AreaCode=040", "UserName=family", "Password=home"});
  ASSERT_TRUE(phonebook_.SetDialParams("Office", "jones", "n3w"));

  PhonebookDialParams dial;
  ASSERT_TRUE(phonebook_.GetDialParams("Office", dial));
  EXPECT_EQ(dial.userName, "jones");
  EXPECT_EQ(dial.password, "n3w");
  ASSERT_TRUE(phonebook_.GetDialParams("Home", dial));
  EXPECT_EQ(dial.userName, "family");
  EXPECT_EQ(dial.password, "home");

  const std::vector<std::string> lines = PhonebookLines();
  EXPECT_TRUE(ContainsInOrder(
      lines, {"; kept comment", "[Office]", "Device=modem", "AreaCode=089",
              "LocalPhoneNumber=1234567", "UserName=jones", "Password=n3w", "Extra=1", "[Home]",
              "AreaCode=040", "UserName=family", "Password=home"}))
      << PhonebookText();
}

TEST_F(RasPhonebookTest, CredentialsWithBlanksAndQuotesReadBackExactly) {
  WritePhonebook({"[Office]", "UserName=smith", "Password=secret"});
  for (const char* password : {" lead", "trail ", "\"quoted\"", "'", "a=b;c", "x\"y"}) {
    ASSERT_TRUE(phonebook_.SetDialParams("Office", " user ", password));
    PhonebookDialParams dial;
    ASSERT_TRUE(phonebook_.GetDialParams("Office", dial));
    EXPECT_EQ(dial.password, password);
    EXPECT_EQ(dial.userName, " user ");
  }
}

TEST_F(RasPhonebookTest, TextsFillTheirFieldsToTheLastCharacterAndNoFurther) {
  const std::string name(256, 'N');
  WritePhonebook({"[" + name + "]", "AreaCode=0123456789ABC",
                  "LocalPhoneNumber=" + std::string(128, '7'),
                  "UserName=" + std::string(300, 'u')});
  ASSERT_EQ(Names(), std::vector<std::string>{name});
  PhonebookDialParams dial;
  PhonebookEntryProperties props;
  ASSERT_TRUE(phonebook_.GetDialParams(name, dial));
  ASSERT_TRUE(phonebook_.GetProperties(name, props));
  EXPECT_EQ(props.areaCode, "0123456789");
  EXPECT_EQ(props.localPhoneNumber, std::string(128, '7'));
  EXPECT_EQ(dial.userName, std::string(256, 'u'));

  ASSERT_TRUE(phonebook_.SetDialParams(name, "u", std::string(256, 'p')));
  ASSERT_TRUE(phonebook_.GetDialParams(name, dial));
  EXPECT_EQ(dial.password, std::string(256, 'p'));
}

TEST_F(RasPhonebookTest, TooLongTextsAreRefusedBeforeTheCall) {
  WritePhonebook({"[Office]", "UserName=smith"});
  const std::string before = PhonebookText();
  EXPECT_FALSE(phonebook_.SetDialParams("Office", std::string(257, 'u'), "p"));
  EXPECT_FALSE(phonebook_.SetDialParams("Office", "u", std::string(257, 'p')));
  PhonebookDialParams dial;
  EXPECT_FALSE(phonebook_.GetDialParams(std::string(257, 'N'), dial));
  EXPECT_EQ(PhonebookText(), before);
}

// Whoever changes the file between two scans must be seen by the second one.
TEST_F(RasPhonebookTest, ChangesToTheFileAreSeenAtTheNextCall) {
  WritePhonebook({"[Office]", "LocalPhoneNumber=1234567"});
  ASSERT_EQ(phonebook_.CountEntries(), 1u);
  PhonebookEntryProperties props;
  ASSERT_TRUE(phonebook_.GetProperties("Office", props));

  WritePhonebook({"[Office]", "LocalPhoneNumber=0190666", "[Intruder]", "AreaCode=0900"});
  EXPECT_EQ(phonebook_.CountEntries(), 2u);
  ASSERT_TRUE(phonebook_.GetProperties("Office", props));
  EXPECT_EQ(props.localPhoneNumber, "0190666");
  ASSERT_TRUE(phonebook_.GetProperties("Intruder", props));
  EXPECT_EQ(props.areaCode, "0900");
}

TEST_F(RasPhonebookTest, EnumerationFailsWhenEntriesWereAddedSinceCounting) {
  WritePhonebook({"[Office]", "[Home]"});
  const std::uint32_t count = phonebook_.CountEntries();
  WritePhonebook({"[Office]", "[Home]", "[Intruder]"});
  std::vector<std::string> names;
  EXPECT_FALSE(phonebook_.EnumerateEntries(count, names));
  EXPECT_TRUE(names.empty());
}

// An entry laid out as the system's own phonebook file keeps it: the options under their keys,
// the media and device subsections, a script in the switch subsection, alternate numbers.
TEST_F(RasPhonebookTest, ReadsTheFurtherPropertiesWhereTheSystemsFileKeepsThem) {
  WritePhonebook({"[Provider]",
                  "BaseProtocol=1",
                  "ExcludedProtocols=3",
                  "CustomDialDll=C:\\x\\ad.dll",
                  "CustomDialFunc=Dial",
                  "IpAddress=0.0.0.0",
                  "IpDnsAddress=10.1.2.3",
                  "IpDns2Address=10.1.2.4",
                  "IpWinsAddress=bad",
                  "IpNameAssign=2",
                  "IpPrioritizeRemote=1",
                  "MEDIA=serial",
                  "Port=COM1",
                  "Device=Standard 56000 bps Modem",
                  "DEVICE=modem",
                  "AreaCode=030",
                  "LocalPhoneNumber=1234567",
                  "LocalPhoneNumber=1234568",
                  "CountryID=49",
                  "CountryCode=49",
                  "UseDialingRules=1",
                  "DEVICE=switch",
                  "Type=Terminal",
                  "Name=C:\\ras\\provider.scp",
                  "[Plain]",
                  "LocalPhoneNumber=1"});
  PhonebookEntryProperties props;
  ASSERT_TRUE(phonebook_.GetProperties("Provider", props));
  EXPECT_EQ(props.localPhoneNumber, "1234567");
  const EntryDetails& details = props.details;
  EXPECT_EQ(details.options, entry_option::kUseCountryAndAreaCodes |
                                 entry_option::kSpecificNameServers |
                                 entry_option::kRemoteDefaultGateway);
  EXPECT_EQ(details.countryId, 49u);
  EXPECT_EQ(details.dnsAddress, (Ipv4Address{10, 1, 2, 3}));
  EXPECT_EQ(details.dnsAltAddress, (Ipv4Address{10, 1, 2, 4}));
  EXPECT_EQ(details.winsAddress, (Ipv4Address{}));
  EXPECT_EQ(details.framingProtocol, entry_protocol::kFramingPpp);
  EXPECT_EQ(details.netProtocols, entry_protocol::kIp);
  EXPECT_EQ(details.autodialDll, "C:\\x\\ad.dll");
  EXPECT_EQ(details.autodialFunc, "Dial");
  EXPECT_EQ(details.deviceType, "modem");
  EXPECT_EQ(details.deviceName, "Standard 56000 bps Modem");
  EXPECT_EQ(details.script, "C:\\ras\\provider.scp");
  EXPECT_EQ(details.alternateNumbers, std::vector<std::string>{"1234568"});

  ASSERT_TRUE(phonebook_.GetProperties("Plain", props));
  EXPECT_TRUE(props.details.script.empty());
  EXPECT_TRUE(props.details.alternateNumbers.empty());
  EXPECT_EQ(props.details.options, entry_option::kRemoteDefaultGateway);
}

}  // namespace
}  // namespace tollward
