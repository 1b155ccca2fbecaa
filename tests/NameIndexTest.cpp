// The name index behind the connection list: every name findable at its first position, at any
// size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/NameIndex.h"
#include "tests/fakes/FakePhonebook.h"
#include "tests/fakes/RecordingConnections.h"

namespace tollward {
namespace {

using testing::FakePhonebook;
using testing::MakeRecord;
using testing::NamesOf;
using testing::RecordingConnections;
using Records = std::vector<ConnectionRecord>;

std::string NameNumber(std::size_t i) {
  return "Provider " + std::to_string(i);
}

// Indexes each record as the list does when it appends: room first, then the name.
void IndexAll(CNameIndex& index, const Records& records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    index.Reserve(i + 1);
    index.Insert(NameOf(records[i]), i, records);
  }
}

TEST(NameIndex, FindsEveryNameAtItsFirstPositionWhileTheTableGrows) {
  Records records;
  for (std::size_t i = 0; i < 3000; ++i) {
    records.push_back(MakeRecord(NameNumber(i).c_str()));
  }
  records.push_back(MakeRecord("Provider 17"));  // a twin, as a loaded store may hold one
  CNameIndex index;
  EXPECT_EQ(index.Find("Provider 0", records), CNameIndex::kNone) << "an empty index";
  IndexAll(index, records);
  EXPECT_EQ(index.size(), 3000u) << "the twin takes no slot";

  for (std::size_t i = 0; i < 3000; ++i) {
    ASSERT_EQ(index.Find(NameNumber(i), records), i) << NameNumber(i);
  }
  EXPECT_EQ(index.Find("Provider 17", records), 17u) << "the first of twins";
  // Names that share a beginning, an end or the letters but not the case are other names.
  for (const char* absent :
       {"Provider 3000", "Provider 1 ", "Provider", "provider 1", "", "rovider 1"}) {
    EXPECT_EQ(index.Find(absent, records), CNameIndex::kNone) << absent;
  }
}

TEST(NameIndex, RebuildKeepsFirstOccurrencesAndClearForgetsEverything) {
  const Records records = {MakeRecord("Home"), MakeRecord("Office"), MakeRecord("Home"),
                           MakeRecord("Fax")};
  CNameIndex index;
  index.Rebuild(records);
  EXPECT_EQ(index.Find("Home", records), 0u);
  EXPECT_EQ(index.Find("Fax", records), 3u);
  EXPECT_EQ(index.size(), 3u);

  const Records shifted(records.begin() + 1, records.end());
  index.Rebuild(shifted);
  EXPECT_EQ(index.Find("Office", shifted), 0u) << "positions follow the records given";
  EXPECT_EQ(index.Find("Home", shifted), 1u);

  index.Clear();
  EXPECT_EQ(index.size(), 0u);
  EXPECT_EQ(index.Find("Office", shifted), CNameIndex::kNone);
}

TEST(NameIndex, ANameThatFillsItsWholeFieldIsReadOnlyInsideIt) {
  ConnectionRecord full = MakeRecord("");
  std::memset(full.szEntryName, 'x', kEntryNameSize);  // no terminator anywhere in the field
  const Records records = {full};
  EXPECT_EQ(NameOf(full).size(), kEntryNameSize);
  CNameIndex index;
  IndexAll(index, records);
  EXPECT_EQ(index.Find(std::string(kEntryNameSize, 'x'), records), 0u);
  EXPECT_EQ(index.Find(std::string(kEntryNameSize - 1, 'x'), records), CNameIndex::kNone);
}

// Through the list: lookups stay right across removals and in copies that then go their own way.
TEST(NameIndex, ListLookupsStayRightAfterDeletesAndInCopies) {
  FakePhonebook phonebook;
  RecordingConnections list(phonebook);
  for (std::size_t i = 0; i < 200; ++i) {
    ASSERT_TRUE(list.Add(MakeRecord(NameNumber(i).c_str())));
  }
  for (unsigned index = 200; index > 0; index -= 2) {
    ASSERT_TRUE(list.Delete(index));  // every second record, from the end
  }
  ASSERT_EQ(list.GetCount(), 100u);
  EXPECT_EQ(list.Find("Provider 198"), 100u);
  EXPECT_EQ(list.Find("Provider 1"), 0u) << "deleted";
  EXPECT_FALSE(list.Add(MakeRecord("Provider 0"))) << "still known after the deletes";

  RecordingConnections copy(list);
  ASSERT_TRUE(copy.Add(MakeRecord("Provider 1")));
  ASSERT_TRUE(copy.Delete(1));
  EXPECT_EQ(copy.Find("Provider 2"), 1u);
  EXPECT_EQ(copy.Find("Provider 1"), 100u);
  EXPECT_EQ(list.Find("Provider 0"), 1u) << "the original keeps its own records and index";
  EXPECT_EQ(list.Find("Provider 1"), 0u);
  EXPECT_EQ(NamesOf(list).size(), 100u);
}

}  // namespace
}  // namespace tollward
