// The reason an unregistered entry shows, the reported registrations kept for it, and its tip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/EntryReasons.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;

TEST(EntryReasons, WhatKeepsAnEntryFromBeingRegisteredIsSaidFirst) {
  struct Case {
    UnregisteredFacts facts;
    EntryReason reason;
  };
  const Case cases[] = {
      {{false, false, false}, EntryReason::kNew},
      {{false, false, true}, EntryReason::kAltered},
      {{false, true, true}, EntryReason::kBadAreaCode},
      {{true, true, true}, EntryReason::kNotReadable},
      {{true, false, false}, EntryReason::kNotReadable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.reason, ReasonForUnregistered(c.facts));
  }
}

TEST(EntryReasons, ARegistrationSaysOnlyWhyItWentUnchecked) {
  EXPECT_EQ(EntryReason::kNone, ReasonForRegistered(EntryStatus::kRead));
  EXPECT_EQ(EntryReason::kNotReadable, ReasonForRegistered(EntryStatus::kUnreadable));
  EXPECT_EQ(EntryReason::kMissing, ReasonForRegistered(EntryStatus::kMissing));
}

TEST(EntryReasons, AReportedRegistrationIsKeptWhileItsEntryStaysUnregistered) {
  FakePhonebook phonebook;
  CRASConnections unregistered(phonebook);
  ASSERT_TRUE(unregistered.Add(MakeRecord("Office", "089", "999")));
  ASSERT_TRUE(unregistered.Add(MakeRecord("Home", "030", "987")));
  CAlteredRegistrations altered;
  altered.Remember(MakeRecord("Office", "089", "123"));
  altered.Remember(MakeRecord("Office", "089", "456"));
  altered.Remember(MakeRecord("Gone", "040", "1"));
  ASSERT_NE(nullptr, altered.Find("Office"));
  EXPECT_STREQ("456", altered.Find("Office")->szLocalPhoneNumber) << "the latest report counts";

  altered.KeepOnly(unregistered);
  EXPECT_EQ(nullptr, altered.Find("Gone"));
  EXPECT_NE(nullptr, altered.Find("Office"));
  EXPECT_EQ(nullptr, altered.Find("office")) << "names are compared as the lists do";
  altered.Forget("Office");
  EXPECT_TRUE(altered.empty());
}

TEST(EntryReasons, ATipAddsOnlyTheTextsThatTheirColumnsCut) {
  const std::vector<ColumnText> columns = {{"Connection", "Company VPN", false},
                                           {"Area Code", "", false},
                                           {"Local Phone Number", "vpn.example.com", true}};
  EXPECT_EQ("New.\nLocal Phone Number: vpn.example.com", EntryTip("New.", columns));
  EXPECT_EQ("Local Phone Number: vpn.example.com", EntryTip("", columns));
  EXPECT_EQ("", EntryTip("", {{"Connection", "Home", false}}));
  EXPECT_EQ("(none)", ShownValue("", "(none)"));
  EXPECT_EQ("089", ShownValue("089", "(none)"));
}

}  // namespace
}  // namespace tollward
