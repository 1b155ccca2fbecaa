// A registered entry that leaves the phonebook and perhaps comes back: what is said and kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/logic/Registration.h"
#include "core/GuardSequences.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::NamesOf;
using testing::TempDir;
using Names = std::vector<std::string>;

// The fresh list a scan reports through: each report as the registered name against the live.
class ReportingList : public CRASConnections {
 public:
  ReportingList(IPhonebook& phonebook, Names& reports)
      : CRASConnections(phonebook), reports_(reports) {}
  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord&) override {
    reports_.push_back(std::string(checked.szEntryName) + " as " + GetName(index));
  }

 private:
  Names& reports_;
};

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The registrations, those whose entry is gone marked with a '~'.
Names RegisteredOf(CRASConnections& list) {
  Names names;
  for (unsigned i = 1; i <= list.GetCount(); ++i) {
    const bool missing = list.GetStatus(i) == EntryStatus::kMissing;
    names.push_back(std::string(list.GetName(i)) + (missing ? "~" : ""));
  }
  return Sorted(names);
}

class MissingEntries : public ::testing::Test {
 protected:
  // One scan as the monitor runs it; true when it was clean.
  bool Scan() {
    reports_.clear();
    ScanAndResort(
        registered_, unregistered_,
        [this] { return std::make_unique<ReportingList>(phonebook_, reports_); }, &findings_);
    return findings_.empty() && unregistered_.GetCount() == 0;
  }
  Names Stored() {
    registered_.Save();
    CRASConnections store(phonebook_);
    store.Load(path_);
    store.ClearPath();
    return Sorted(NamesOf(store));
  }

  TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.con");
  FakePhonebook phonebook_;
  CRASConnections registered_{phonebook_};
  CRASConnections unregistered_{phonebook_};
  PhonebookFindings findings_;
  Names reports_;
};

TEST_F(MissingEntries, AGoneRegistrationIsSaidOnceKeptAndComparedWhenItsNameReturns) {
  struct Case {
    const char* what;
    std::function<void(FakePhonebook&, CRASConnections&)> then;
    Names reported;
    Names registered;  // '~': missing
    Names unregistered;
    Names stored;
    bool clean;
  };
  const Case cases[] = {
      {"still gone",
       [](FakePhonebook&, CRASConnections&) {},
       {},
       {"Home", "Work~"},
       {},
       {"Home", "Work"},
       true},
      {"back unchanged",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("Work", "030", "333"); },
       {},
       {"Home", "Work"},
       {},
       {"Home", "Work"},
       true},
      {"back with another number",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("Work", "030", "0190"); },
       {"Work as Work"},
       {"Home"},
       {"Work"},
       {"Home"},
       false},
      {"back in other letter case",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put("WORK", "030", "333"); },
       {"Work as WORK"},
       {"Home", "Work~"},
       {"WORK"},
       {"Home", "Work"},
       false},
      {"back with blanks around its name",
       [](FakePhonebook& pb, CRASConnections&) { pb.Put(" Work ", "030", "0190"); },
       {"Work as  Work "},
       {"Home", "Work~"},
       {" Work "},
       {"Home", "Work"},
       false},
      {"unregistered by the user, then back",
       [](FakePhonebook& pb, CRASConnections& registered) {
         EXPECT_EQ(MoveOutcome::kUnchecked, UnregisterEntry("Work", registered, registered));
         EXPECT_TRUE(ForgetRegistration("Work", registered));
         pb.Put("Work", "030", "333");
       },
       {},
       {"Home"},
       {"Work"},
       {"Home"},
       false},
  };
  for (const Case& c : cases) {
    phonebook_.Clear();
    registered_.ClearRecords();
    phonebook_.Put("Home", "089", "111");
    phonebook_.Put("Work", "030", "333");
    ASSERT_TRUE(registered_.Add(MakeRecord("Home", "089", "111")));
    ASSERT_TRUE(registered_.Add(MakeRecord("Work", "030", "333")));
    ASSERT_TRUE(registered_.Save(path_));
    ASSERT_TRUE(Scan()) << c.what;

    phonebook_.Remove("Work");
    EXPECT_FALSE(Scan()) << c.what << ": the scan that first misses it";
    EXPECT_EQ(Names{"Work"}, findings_.missing) << c.what;
    EXPECT_EQ((Names{"Home", "Work~"}), RegisteredOf(registered_)) << c.what;

    c.then(phonebook_, registered_);
    EXPECT_EQ(c.clean, Scan()) << c.what;
    EXPECT_TRUE(findings_.missing.empty()) << c.what << ": said once";
    EXPECT_EQ(c.reported, reports_) << c.what;
    EXPECT_EQ(c.registered, RegisteredOf(registered_)) << c.what;
    EXPECT_EQ(c.unregistered, Sorted(NamesOf(unregistered_))) << c.what;
    EXPECT_EQ(c.stored, Stored()) << c.what;
    // A disguised rename is told once, not at every scan while it stays listed.
    Scan();
    EXPECT_TRUE(reports_.empty()) << c.what;
  }
}

}  // namespace
}  // namespace tollward
