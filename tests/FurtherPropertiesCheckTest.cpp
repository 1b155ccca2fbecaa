// A registered entry whose further properties changed counts as altered, through the store and
// its details file; a store from before the details file takes them without a report.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/Registration.h"
#include "core/EntryDetailsStore.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::NamesOf;
using testing::RecordingConnections;
using testing::TempDir;

// What a report was handed: the entry, whether any of its four fields differed, and the further
// properties registered with it.
struct Report {
  std::string name;
  bool fourFieldsDiffer;
  EntryDetails registered;
};

class ReportingList : public CRASConnections {
 public:
  ReportingList(IPhonebook& phonebook, std::vector<Report>& reports)
      : CRASConnections(phonebook), reports_(reports) {}
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned,
                               const ConnectionRecord& differences) override {
    const ConnectionRecord none = EmptyRecord();
    reports_.push_back({checked.szEntryName, std::memcmp(&differences, &none, sizeof none) != 0,
                        CheckedDetails() != nullptr ? *CheckedDetails() : EntryDetails{}});
  }

 private:
  std::vector<Report>& reports_;
};

EntryDetails ModemEntry() {
  EntryDetails details;
  details.options = entry_option::kRemoteDefaultGateway;
  details.countryId = 49;
  details.countryCode = 49;
  details.dnsAddress = {192, 168, 1, 1};
  details.framingProtocol = entry_protocol::kFramingPpp;
  details.netProtocols = entry_protocol::kIp;
  details.script = "C:\\ras\\provider.scp";
  details.deviceType = "modem";
  details.deviceName = "Standard Modem";
  return details;
}

class FurtherProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook_.Put("Office", "030", "1234567", "anna").details = ModemEntry();
    phonebook_.Put("Home", "040", "555");
  }

  ReportingListFactory Reporting() {
    return [this] { return std::make_unique<ReportingList>(phonebook_, reports_); };
  }

  // A run of the program: start-up, then what `during` does, then "done".
  void Run(const std::function<void(CRASConnections&, CRASConnections&)>& during) {
    RecordingConnections registered(phonebook_);
    RecordingConnections unregistered(phonebook_);
    ASSERT_EQ(RunStartUpCheck(registered, unregistered, badAreas_, store_, Reporting()),
              StoreBinding::kBound);
    during(registered, unregistered);
    registeredNames_ = NamesOf(registered);
    ASSERT_TRUE(SaveRegistrationsForQuit(registered, store_, StoreBinding::kBound));
  }

  void RegisterBoth() {
    Run([this](CRASConnections& registered, CRASConnections& unregistered) {
      for (const char* name : {"Office", "Home"}) {
        ASSERT_EQ(RegisterEntry(name, unregistered, registered, badAreas_), MoveOutcome::kMoved);
      }
    });
  }

  // Both entries as they were, and registered by a run before.
  void Reset() {
    std::filesystem::remove(store_);
    std::filesystem::remove(detailsFile_);
    phonebook_.Find("Office")->details = ModemEntry();
    RegisterBoth();
    reports_.clear();
  }

  void Scan() {
    Run([this](CRASConnections& registered, CRASConnections& unregistered) {
      ASSERT_TRUE(ScanAndResort(registered, unregistered, Reporting()));
    });
  }

  TempDir dir_;
  const std::string store_ = dir_.Path("Tollward.con");
  const std::string detailsFile_ = dir_.Path("Tollward.det");
  FakePhonebook phonebook_;
  CRASBadAreaCodes badAreas_;
  std::vector<Report> reports_;
  std::vector<std::string> registeredNames_;
};

TEST_F(FurtherProperties, EachChangedFieldIsReportedAndTheEntryListedUnregistered) {
  const std::vector<std::pair<const char*, std::function<void(EntryDetails&)>>> changes = {
      {"options", [](EntryDetails& d) { d.options |= entry_option::kSpecificNameServers; }},
      {"country id", [](EntryDetails& d) { d.countryId = 44; }},
      {"country code", [](EntryDetails& d) { d.countryCode = 44; }},
      {"IP address",
       [](EntryDetails& d) {
         d.ipAddress = {10, 0, 0, 9};
       }},
      {"name server",
       [](EntryDetails& d) {
         d.dnsAddress = {6, 6, 6, 6};
       }},
      {"alternate name server",
       [](EntryDetails& d) {
         d.dnsAltAddress = {6, 6, 6, 7};
       }},
      {"WINS server",
       [](EntryDetails& d) {
         d.winsAddress = {6, 6, 6, 8};
       }},
      {"alternate WINS server",
       [](EntryDetails& d) {
         d.winsAltAddress = {6, 6, 6, 9};
       }},
      {"framing", [](EntryDetails& d) { d.framingProtocol = entry_protocol::kFramingSlip; }},
      {"network protocols", [](EntryDetails& d) { d.netProtocols = entry_protocol::kIpx; }},
      {"dial script", [](EntryDetails& d) { d.script = "C:\\evil.scp"; }},
      {"AutoDial DLL", [](EntryDetails& d) { d.autodialDll = "C:\\evil.dll"; }},
      {"AutoDial function", [](EntryDetails& d) { d.autodialFunc = "Run"; }},
      {"device type", [](EntryDetails& d) { d.deviceType = "vpn"; }},
      {"device name", [](EntryDetails& d) { d.deviceName = "WAN Miniport (PPTP)"; }},
      {"alternate numbers", [](EntryDetails& d) { d.alternateNumbers = {"0190 1"}; }},
  };
  const auto expectOneReportOfOffice = [this] {
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].name, "Office");
    EXPECT_FALSE(reports_[0].fourFieldsDiffer);
    EXPECT_EQ(reports_[0].registered, ModemEntry());
    EXPECT_EQ(registeredNames_, std::vector<std::string>{"Home"});
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    // Changed while the program runs: the scan reports it from the registered list.
    Reset();
    Run([&](CRASConnections& registered, CRASConnections& unregistered) {
      change(phonebook_.Find("Office")->details);
      ASSERT_TRUE(ScanAndResort(registered, unregistered, Reporting()));
    });
    expectOneReportOfOffice();

    // Changed between two runs: the start-up reports it from the store and its details file.
    Reset();
    change(phonebook_.Find("Office")->details);
    Run([](CRASConnections&, CRASConnections&) {});
    expectOneReportOfOffice();
  }
}

TEST_F(FurtherProperties, AStoreFromBeforeTheDetailsFileTakesThemSilentlyThenGuardsThem) {
  RegisterBoth();
  ASSERT_TRUE(std::filesystem::remove(detailsFile_));
  phonebook_.Find("Office")->details.script = "C:\\ras\\new.scp";

  Scan();
  EXPECT_TRUE(reports_.empty());
  EXPECT_EQ(registeredNames_, (std::vector<std::string>{"Home", "Office"}));
  CEntryDetailsStore kept;
  ASSERT_EQ(kept.Load(detailsFile_), DetailsLoad::kLoaded);
  ASSERT_NE(kept.Find("Office"), nullptr);
  EXPECT_EQ(kept.Find("Office")->script, "C:\\ras\\new.scp");

  phonebook_.Find("Office")->details.script = "C:\\evil.scp";
  Scan();
  ASSERT_FALSE(reports_.empty());
  EXPECT_EQ(reports_.front().registered.script, "C:\\ras\\new.scp");
  EXPECT_EQ(registeredNames_, std::vector<std::string>{"Home"});
}

}  // namespace
}  // namespace tollward
