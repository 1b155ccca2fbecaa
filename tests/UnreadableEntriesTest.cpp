// A scan over a phonebook that refuses some of its entries: what is checked, listed and kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakeEntry;
using testing::FakePhonebook;
using testing::MakeRecord;
using testing::RecordingConnections;
using testing::TempDir;
using Names = std::vector<std::string>;
using R = UnreadableReason;

// The fresh list a scan reports through; it lives shorter than the test, so it logs elsewhere.
class ReportingList : public CRASConnections {
 public:
  ReportingList(IPhonebook& phonebook, Names& reports, Names& boxes)
      : CRASConnections(phonebook), reports_(reports), boxes_(boxes) {}
  void ReportError() override { boxes_.push_back(errorText()); }
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned,
                               const ConnectionRecord&) override {
    reports_.push_back(checked.szEntryName);
  }

 private:
  Names& reports_;
  Names& boxes_;
};

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The registrations, those the phonebook could not show marked with a '*'.
Names RegisteredOf(CRASConnections& list) {
  Names names;
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    const bool unchecked = list.GetStatus(i) != EntryStatus::kRead;
    names.push_back(std::string(list.GetName(i)) + (unchecked ? "*" : ""));
  }
  return Sorted(names);
}

TEST(UnreadableEntries, AScanChecksWhatItCouldReadAndListsTheRestAsUnreadable) {
  struct Case {
    const char* what;
    std::function<void(FakePhonebook&)> arm;
    Names reported;    // the registered entries found manipulated
    Names registered;  // '*': kept without a check
    Names unregistered;
    std::vector<UnreadableEntry> unreadable;
    bool whole;  // nothing the one message would have to tell
    Names stored;
  };
  const auto alterOffice = [](FakePhonebook& pb) { pb.Find("Office")->localPhoneNumber = "0190"; };
  const Case cases[] = {
      {"nothing refused",
       [](FakePhonebook&) {},
       {},
       {"Home", "Office", "Work"},
       {},
       {},
       true,
       {"Home", "Office", "Work"}},
      {"dial parameters of a new entry, beside an altered one",
       [&](FakePhonebook& pb) {
         alterOffice(pb);
         pb.Put("Guest").failDialParams = true;
       },
       {"Office"},
       {"Home", "Work"},
       {"Office"},
       {{"Guest", R::kDialParams}},
       false,
       {"Home", "Work"}},
      {"properties of a registered entry",
       [](FakePhonebook& pb) { pb.Find("Work")->failProperties = true; },
       {},
       {"Home", "Office", "Work*"},
       {},
       {{"Work", R::kProperties}},
       false,
       {"Home", "Office", "Work"}},
      {"a registered name listed twice, beside an altered entry",
       [&](FakePhonebook& pb) {
         alterOffice(pb);
         pb.Find("Work")->listedTwice = true;
       },
       {"Office"},
       {"Home", "Work"},
       {"Office"},
       {{"Work", R::kDuplicateName}},
       false,
       {"Home", "Work"}},
      {"a name outside the code page, beside an altered entry",
       [&](FakePhonebook& pb) {
         alterOffice(pb);
         pb.Put("W\xD0\xBErk VPN").listedAs = "W?rk VPN";
       },
       {"Office"},
       {"Home", "Work"},
       {"Office"},
       {{"W?rk VPN", R::kNameOutsideCodePage}},
       false,
       {"Home", "Work"}},
      {"an entry added between the count and the listing",
       [](FakePhonebook& pb) {
         pb.beforeNextListing = [](FakePhonebook& changed) { changed.Put("Guest", "0190"); };
       },
       {},
       {"Home", "Office", "Work"},
       {"Guest"},
       {},
       true,
       {"Home", "Office", "Work"}},
      {"a phonebook that cannot be listed",
       [&](FakePhonebook& pb) {
         alterOffice(pb);
         pb.failEnumerate = true;
       },
       {},
       {"Home", "Office", "Work"},
       {},
       {},
       false,
       {"Home", "Office", "Work"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.Path("Tollward.con");
    FakePhonebook phonebook;
    phonebook.Put("Home", "089", "111");
    phonebook.Put("Office", "089", "222");
    phonebook.Put("Work", "030", "333");
    RecordingConnections registered(phonebook);
    RecordingConnections unregistered(phonebook);
    for (const FakeEntry& entry : phonebook.entries()) {
      registered.Add(
          MakeRecord(entry.name.c_str(), entry.areaCode.c_str(), entry.localPhoneNumber.c_str()));
    }
    ASSERT_TRUE(registered.Save(path));
    c.arm(phonebook);

    Names reports;
    Names boxes;
    PhonebookFindings findings;
    ScanAndResort(
        registered, unregistered,
        [&] { return std::make_unique<ReportingList>(phonebook, reports, boxes); }, &findings);

    EXPECT_EQ(reports, c.reported) << c.what;
    EXPECT_EQ(RegisteredOf(registered), c.registered) << c.what;
    EXPECT_EQ(Sorted(testing::NamesOf(unregistered)), c.unregistered) << c.what;
    EXPECT_EQ(unregistered.unreadable(), c.unreadable) << c.what;
    EXPECT_EQ(findings.unreadable, c.unreadable) << c.what;
    EXPECT_EQ(findings.empty(), c.whole) << c.what;
    // Each refusal is told once, by the scan's own message, never by a box per entry.
    EXPECT_TRUE(boxes.empty()) << c.what;
    EXPECT_TRUE(registered.reported.empty() && unregistered.reported.empty()) << c.what;
    ASSERT_TRUE(registered.Save()) << c.what;
    CRASConnections store(phonebook);
    store.Load(path);
    store.ClearPath();
    EXPECT_EQ(Sorted(testing::NamesOf(store)), c.stored) << c.what;
  }
}

}  // namespace
}  // namespace tollward
