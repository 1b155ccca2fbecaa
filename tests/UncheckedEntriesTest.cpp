// Scans over a phonebook that refuses some entries or loses registered ones: what is checked,
// said, listed and kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/Registration.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::NamesOf;
using R = UnreadableReason;
using Names = std::vector<std::string>;
using Arm = std::function<void(FakePhonebook&, CRASConnections&)>;

// The scan's reporting list: each report as the registered name against the live one, and any
// box it would show.
class ReportingList : public CRASConnections {
 public:
  ReportingList(IPhonebook& phonebook, Names& log) : CRASConnections(phonebook), log_(log) {}
  void ReportError() override { log_.push_back("box " + errorText()); }
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord&) override {
    log_.push_back(std::string(checked.szEntryName) + " as " + GetName(index));
  }

 private:
  Names& log_;
};

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// Registered Home, Office and Work, as the phonebook holds them, and stored.
class UncheckedEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    phonebook_.Clear();
    phonebook_.failEnumerate = false;
    registered_.ClearRecords();
    unregistered_.ClearRecords();
    for (const char* name : {"Home", "Office", "Work"}) {
      phonebook_.Put(name, "089", name);
      ASSERT_TRUE(registered_.Add(MakeRecord(name, "089", name)));
    }
    ASSERT_TRUE(registered_.Save(path_));
  }
  // One scan as the monitor runs it; true when it was clean.
  bool Scan() {
    log_.clear();
    ScanAndResort(
        registered_, unregistered_,
        [this] { return std::make_unique<ReportingList>(phonebook_, log_); }, &findings_);
    return findings_.empty() && unregistered_.GetCount() + unregistered_.unreadable().size() == 0;
  }
  // The registrations, '*' marking an unreadable entry's and '~' a gone one's.
  Names Registered() {
    Names names;
    for (unsigned i = 1; i <= registered_.GetCount(); ++i) {
      const EntryStatus status = registered_.GetStatus(i);
      names.push_back(registered_.GetName(i) + std::string(status == EntryStatus::kUnreadable ? "*"
                                                           : status == EntryStatus::kMissing  ? "~"
                                                                                             : ""));
    }
    return Sorted(names);
  }
  Names Stored() {
    registered_.Save();
    CRASConnections store(phonebook_);
    store.Load(path_);
    store.ClearPath();
    return Sorted(NamesOf(store));
  }

  testing::TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  CRASConnections registered_{phonebook_};
  CRASConnections unregistered_{phonebook_};
  PhonebookFindings findings_;
  Names log_;
};

TEST_F(UncheckedEntries, AScanChecksWhatItCouldReadAndListsTheRestAsUnreadable) {
  struct Case {
    const char* what;
    Arm arm;
    Names reported, registered, unregistered;
    std::vector<UnreadableEntry> unreadable;
    bool listed;
  };
  const Case cases[] = {
      {"dial parameters of a new entry",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("Guest").failDialParams = true; },
       {"Office as Office"},
       {"Home", "Work"},
       {"Office"},
       {{"Guest", R::kDialParams}},
       true},
      {"properties of a registered entry",
       [](FakePhonebook& pb, CRASConnections&) { pb.Find("Work")->failProperties = true; },
       {"Office as Office"},
       {"Home", "Work*"},
       {"Office"},
       {{"Work", R::kProperties}},
       true},
      {"a registered name listed twice",
       [](FakePhonebook& pb, CRASConnections&) { pb.Find("Work")->listedTwice = true; },
       {"Office as Office"},
       {"Home", "Work"},
       {"Office"},
       {{"Work", R::kDuplicateName}},
       true},
      {"a name outside the code page",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("W\xD0\xBErk VPN").listedAs = "W?rk VPN"; },
       {"Office as Office"},
       {"Home", "Work"},
       {"Office"},
       {{"W?rk VPN", R::kNameOutsideCodePage}},
       true},
      {"an entry added between the count and the listing",
       [](FakePhonebook& pb, CRASConnections&) {
         pb.beforeNextListing = [](FakePhonebook& changed) { changed.Put("Guest"); };
       },
       {"Office as Office"},
       {"Home", "Work"},
       {"Guest", "Office"},
       {},
       true},
      {"a phonebook that cannot be listed",
       [](FakePhonebook& pb, CRASConnections&) { pb.failEnumerate = true; },
       {},
       {"Home", "Office", "Work"},
       {},
       {},
       false},
  };
  for (const Case& c : cases) {
    SetUp();
    phonebook_.Find("Office")->localPhoneNumber = "0190";
    c.arm(phonebook_, registered_);
    EXPECT_FALSE(Scan()) << c.what;
    EXPECT_EQ(c.reported, log_) << c.what << ": reports, and never a box per entry";
    EXPECT_EQ(c.registered, Registered()) << c.what;
    EXPECT_EQ(c.unregistered, Sorted(NamesOf(unregistered_))) << c.what;
    EXPECT_EQ(c.unreadable, unregistered_.unreadable()) << c.what;
    EXPECT_EQ(c.unreadable, findings_.unreadable) << c.what;
    EXPECT_EQ(c.listed, findings_.listed) << c.what;
    Names stored = c.registered;
    for (std::string& name : stored) {
      name.erase(name.find_last_not_of('*') + 1);
    }
    EXPECT_EQ(stored, Stored()) << c.what;
  }
}

TEST_F(UncheckedEntries, AGoneRegistrationIsSaidOnceKeptAndComparedWhenItsNameReturns) {
  struct Case {
    const char* what;
    Arm arm;
    Names reported, registered, unregistered;
    bool clean;
  };
  const Case cases[] = {
      {"still gone",
       [](FakePhonebook&, CRASConnections&) {},
       {},
       {"Home", "Office", "Work~"},
       {},
       true},
      {"back unchanged",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("Work", "089", "Work"); },
       {},
       {"Home", "Office", "Work"},
       {},
       true},
      {"back with another number",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("Work", "089", "0190"); },
       {"Work as Work"},
       {"Home", "Office"},
       {"Work"},
       false},
      {"back in other letter case",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("WORK", "089", "Work"); },
       {"Work as WORK"},
       {"Home", "Office", "Work~"},
       {"WORK"},
       false},
      {"back with blanks around its name",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put(" Work ", "089", "0190"); },
       {"Work as  Work "},
       {"Home", "Office", "Work~"},
       {" Work "},
       false},
      {"unregistered by the user, then back",
       [](FakePhonebook& pb, CRASConnections& registered) {
         EXPECT_EQ(MoveOutcome::kUnchecked, UnregisterEntry("Work", registered, registered));
         EXPECT_TRUE(ForgetRegistration("Work", registered));
         pb.Put("Work", "089", "Work");
       },
       {},
       {"Home", "Office"},
       {"Work"},
       false},
  };
  for (const Case& c : cases) {
    SetUp();
    phonebook_.Remove("Work");
    EXPECT_FALSE(Scan()) << c.what << ": the scan that first misses it";
    EXPECT_EQ(Names{"Work"}, findings_.missing) << c.what;

    c.arm(phonebook_, registered_);
    EXPECT_EQ(c.clean, Scan()) << c.what;
    EXPECT_TRUE(findings_.missing.empty()) << c.what << ": said once";
    EXPECT_EQ(c.reported, log_) << c.what;
    EXPECT_EQ(c.registered, Registered()) << c.what;
    EXPECT_EQ(c.unregistered, Sorted(NamesOf(unregistered_))) << c.what;
    Names stored = c.registered;
    for (std::string& name : stored) {
      name.erase(name.find_last_not_of('~') + 1);
    }
    EXPECT_EQ(stored, Stored()) << c.what;
    Scan();
    EXPECT_TRUE(log_.empty()) << c.what << ": a rename is told once, not at every scan";
  }
}

}  // namespace
}  // namespace tollward
