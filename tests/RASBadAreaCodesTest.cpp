// The bad area code list in memory: Add's rules, deletion, the number test, and its reports.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "tests/fakes/RecordingErrorBox.h"

namespace tollward {
namespace {

using testing::RecordingErrorBox;
using Texts = std::vector<std::string>;

const char kRedundantText[] =
    "Add: new BadAreaCode is redundant(1) or makes any predefined BadAreaCode redundant(2).\n\n"
    "Example1: 01905 is invalid if 0190 is already defined.\n"
    "Example2: 019 is invalid if 0190 is already defined.";

Texts Codes(CRASBadAreaCodes& list) {
  Texts codes;
  for (std::uint32_t i = 1; i <= list.GetCount(); ++i) {
    codes.push_back(list.Get(i));
  }
  return codes;
}

ConnectionRecord Record(const char* areaCode, const char* localNumber) {
  ConnectionRecord record = EmptyRecord();
  CopyField(record.szAreaCode, areaCode);
  CopyField(record.szLocalPhoneNumber, localNumber);
  return record;
}

class BadAreaCodes : public ::testing::Test {
 protected:
  int window_ = 0;  // stands in for a dialog's window; the list only passes it on
  NativeWindow owner_ = &window_;
  RecordingErrorBox box_;
  CRASBadAreaCodes list_{box_};
};

TEST_F(BadAreaCodes, AddStoresOnlyTheDigitsOfTheText) {
  const char* const cases[][2] = {{"0190-5", "01905"},
                                  {"(0)190", "0190"},
                                  {"+49 (0) 190", "490190"},
                                  {"(012) 345-6789", "0123456789"}};
  for (const auto& c : cases) {
    RecordingErrorBox box;
    CRASBadAreaCodes list(box);
    ASSERT_TRUE(list.Add(c[0])) << c[0];
    EXPECT_EQ(Codes(list), Texts{c[1]}) << c[0];
  }
}

TEST_F(BadAreaCodes, AddRefusesTextsWithoutDigitsAndCodesLongerThanTenDigits) {
  const struct {
    const char* text;
    ErrorCode code;
  } refused[] = {{"abc", 2}, {"", 2}, {nullptr, 2}, {"01234567890", 3}, {"0123-456-789-0", 3}};
  for (const auto& r : refused) {
    const char* label = r.text != nullptr ? r.text : "(null)";
    EXPECT_FALSE(list_.Add(r.text)) << label;
    EXPECT_EQ(list_.errorCode(), r.code) << label;
    EXPECT_EQ(list_.errorText(),
              r.code == 2 ? "Add: new BadAreaCode is empty." : "Add: new BadAreaCode is too long.")
        << label;
    EXPECT_FALSE(list_.unexpectedError()) << label;
  }
  EXPECT_EQ(list_.GetCount(), 0u);
}

TEST_F(BadAreaCodes, AddRefusesExistingAndRedundantCodesInThatOrder) {
  ASSERT_TRUE(list_.Add("0190"));
  // Normalised before the lookup, and an equal code counts as existing, not as redundant.
  for (const char* existing : {"0190", "0-190"}) {
    EXPECT_FALSE(list_.Add(existing)) << existing;
    EXPECT_EQ(list_.errorCode(), 4u) << existing;
    EXPECT_EQ(list_.errorText(), "Add: new BadAreaCode already exists.");
  }
  for (const char* redundant : {"01905", "019", "0", "0190123456"}) {
    EXPECT_FALSE(list_.Add(redundant)) << redundant;
    EXPECT_EQ(list_.errorCode(), 5u) << redundant;
    EXPECT_EQ(list_.errorText(), kRedundantText) << redundant;
  }
  EXPECT_FALSE(list_.Add("01901234567"));
  EXPECT_EQ(list_.errorCode(), 3u) << "the length rule comes before redundancy";

  EXPECT_TRUE(list_.Add("0191"));
  EXPECT_TRUE(list_.Add("0900"));
  EXPECT_FALSE(list_.Add("09001"));
  EXPECT_EQ(Codes(list_), (Texts{"0190", "0191", "0900"}));
}

TEST_F(BadAreaCodes, GetOutsideTheListReturnsQuestionMarksAsAnUnexpectedFailure) {
  ASSERT_TRUE(list_.Add("0190"));
  for (std::uint32_t index : {0u, 2u, 0xFFFFFFFFu}) {
    list_.ClearError();
    EXPECT_STREQ(list_.Get(index), "???") << index;
    EXPECT_EQ(list_.errorCode(), 17u) << index;
    EXPECT_TRUE(list_.unexpectedError()) << index;
  }
  EXPECT_EQ(list_.errorText(), "Get: invalid item number (exceeds array bounds).");
}

TEST_F(BadAreaCodes, DeleteRemovesWholeCodesOnlyAndKeepsTheOrderOfTheRest) {
  for (const char* code : {"0190", "0900", "0137"}) {
    ASSERT_TRUE(list_.Add(code));
  }
  list_.SetOwnerWindow(owner_);
  EXPECT_FALSE(list_.Delete("019"));
  EXPECT_EQ(list_.errorCode(), 25u);
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].text, "Delete: invalid item (name not found).");
  EXPECT_EQ(box_.shown[0].icon, ErrorBoxIcon::kInformation);

  EXPECT_TRUE(list_.Delete("0900"));
  EXPECT_EQ(Codes(list_), (Texts{"0190", "0137"}));
  EXPECT_TRUE(list_.Delete("0190"));
  EXPECT_TRUE(list_.Delete("0137"));
  EXPECT_EQ(list_.GetCount(), 0u);
  EXPECT_TRUE(list_.Add("01")) << "nothing of the deleted codes is left to be redundant to";
}

TEST_F(BadAreaCodes, ReportsAreShownOnlyWhileAnOwnerWindowIsSet) {
  EXPECT_FALSE(list_.Delete("0190"));
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(list_.errorCode(), 25u) << "unseen, but still kept";
  EXPECT_EQ(list_.errorText(), "Delete: invalid item (name not found).");

  list_.SetOwnerWindow(owner_);
  EXPECT_FALSE(list_.Add("x"));
  EXPECT_STREQ(list_.Get(0), "???");
  ASSERT_EQ(box_.shown.size(), 2u);
  EXPECT_EQ(box_.shown[0].text, "Add: new BadAreaCode is empty.");
  EXPECT_EQ(box_.shown[0].icon, ErrorBoxIcon::kInformation);
  EXPECT_EQ(box_.shown[1].icon, ErrorBoxIcon::kStop);
  for (const auto& shown : box_.shown) {
    EXPECT_EQ(shown.owner, owner_);
    EXPECT_EQ(shown.caption, "CRASBadAreaCodes error");
  }

  list_.SetOwnerWindow(nullptr);
  EXPECT_FALSE(list_.Add("0123456789012"));
  EXPECT_EQ(box_.shown.size(), 2u);
}

TEST_F(BadAreaCodes, CheckTestsTheFirstTenDigitsOfAreaCodeAndLocalNumberJoined) {
  ASSERT_TRUE(list_.Add("0900"));
  ASSERT_TRUE(list_.Add("0190"));
  ASSERT_TRUE(list_.Add("0123456789"));
  const struct {
    const char* areaCode;
    const char* localNumber;
    std::uint32_t match;
  } cases[] = {
      {"0190", "123456", 2}, {"01", "90 123", 2},      {"", "0190 555 12", 2}, {"(0)1", "90-55", 2},
      {"0900", "1", 1},      {"01234", "56789999", 3}, {"0180", "0190", 0},    {"", "", 0},
      {"019", "", 0},        {"089", "0190", 0},       {"1", "0123456789", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list_.Check(Record(c.areaCode, c.localNumber)), c.match)
        << c.areaCode << " / " << c.localNumber;
  }
  EXPECT_EQ(list_.errorCode(), 0u);
}

TEST_F(BadAreaCodes, CheckReadsEachFieldOnlyWithinItsOwnBytes) {
  ASSERT_TRUE(list_.Add("121"));
  // A damaged record whose area code fills its field to the last byte, without a zero.
  ConnectionRecord record = Record("", "12");
  std::memset(record.szAreaCode, '(', sizeof record.szAreaCode);
  EXPECT_EQ(list_.Check(record), 0u);
  ASSERT_TRUE(list_.Delete("121"));
  ASSERT_TRUE(list_.Add("12"));
  EXPECT_EQ(list_.Check(record), 1u);
}

TEST_F(BadAreaCodes, ConcatenateWritesAtMostTheMaximumAndClearsTheRest) {
  const struct {
    const char* first;
    const char* second;
    std::size_t maximum;
    const char* joined;
  } cases[] = {
      {"(01) 2345", "6789", 7, "0123456"},
      {"0123456789", "55", 7, "0123456"},
      {"", "55-12", 7, "5512"},
      {nullptr, "7", 7, "7"},
      {"12", "34", 0, ""},
      {"12", "34", 3, "123"},
  };
  for (const auto& c : cases) {
    char destination[9];
    std::memset(destination, 'z', sizeof destination);
    ASSERT_TRUE(list_.ConcatenatePhoneNumbersNormal(destination, c.first, c.second, c.maximum));
    EXPECT_EQ(std::string(destination, c.maximum + 1),
              std::string(c.joined) + std::string(c.maximum + 1 - std::strlen(c.joined), '\0'));
    EXPECT_EQ(destination[c.maximum + 1], 'z') << "written beyond the maximum";
  }
}

}  // namespace
}  // namespace tollward
