// The bad area code manager's rules: editing in place, and the list's owner and its save.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/BadAreaCodeEditor.h"
#include "tests/fakes/RecordingErrorBox.h"
#include "tests/fakes/TempDir.h"

namespace tollward {
namespace {

using testing::RecordingErrorBox;
using Texts = std::vector<std::string>;

const char kExists[] = "Add: new BadAreaCode already exists.";
const char kEmpty[] = "Add: new BadAreaCode is empty.";
const char kRedundantStart[] = "Add: new BadAreaCode is redundant";

Texts Codes(CRASBadAreaCodes& list) {
  Texts codes;
  for (std::uint32_t i = 1; i <= list.GetCount(); ++i) {
    codes.push_back(list.Get(i));
  }
  return codes;
}

// The start of each box's text, as long as the expected one, so the long redundancy text fits.
Texts Shown(const RecordingErrorBox& box, const Texts& expected) {
  Texts shown = box.Texts();
  for (std::size_t i = 0; i < shown.size() && i < expected.size(); ++i) {
    shown[i] = shown[i].substr(0, expected[i].size());
  }
  return shown;
}

struct Change {
  const char* text;  // null: the edit was cancelled
  const char* label;
  Texts codes;
  Texts boxes;
};

TEST(BadAreaCodeEditor, AnEditReplacesTheCodeOnlyWithNewDigitsThatTheListTakes) {
  const Change cases[] = {
      {nullptr, nullptr, {"0190", "0345"}, {}},
      {"", nullptr, {"0190", "0345"}, {}},
      {"0190 ", nullptr, {"0190", "0345"}, {}},
      {"01905", nullptr, {"0190", "0345"}, {kRedundantStart}},
      {"019", nullptr, {"0190", "0345"}, {kRedundantStart}},
      {"0345", nullptr, {"0190", "0345"}, {kExists}},
      {"-", nullptr, {"0190", "0345"}, {kEmpty}},
      {"0 8-9", "089", {"0345", "089"}, {}},
  };
  int dialog = 0;
  for (const Change& c : cases) {
    const std::string name = c.text != nullptr ? c.text : "(cancelled)";
    RecordingErrorBox box;
    CRASBadAreaCodes list(box);
    ASSERT_TRUE(list.Add("0190") && list.Add("0345"));
    CBadAreaCodeEditor editor(list);
    editor.Open(&dialog);
    const std::optional<std::string> label = editor.FinishEdit("0190", c.text);
    EXPECT_EQ(label.value_or("(none)"), c.label != nullptr ? c.label : "(none)") << name;
    EXPECT_EQ(Codes(list), c.codes) << name;
    EXPECT_EQ(Shown(box, c.boxes), c.boxes) << name;
    for (const testing::ShownErrorBox& shown : box.shown) {
      EXPECT_EQ(shown.owner, &dialog) << name;
    }
  }
}

TEST(BadAreaCodeEditor, ClosingGivesTheOwnerBackThenSavesWhereOnlyThatOwnerSeesAFailure) {
  testing::TempDir dir;
  int dialog = 0;
  int before = 0;
  for (NativeWindow previous : {static_cast<NativeWindow>(nullptr), NativeWindow{&before}}) {
    RecordingErrorBox box;
    CRASBadAreaCodes saved(box);
    saved.Save(dir.Path("Tollward.bac"));
    CRASBadAreaCodes unbound(box);
    for (CRASBadAreaCodes* list : {&saved, &unbound}) {
      list->SetOwnerWindow(previous);
      CBadAreaCodeEditor editor(*list);
      editor.Open(&dialog);
      EXPECT_EQ(list->ownerWindow(), &dialog);
      ASSERT_TRUE(editor.Add("0190"));
    }
    EXPECT_EQ(saved.ownerWindow(), previous);
    EXPECT_EQ(testing::ReadBytes(dir.Path("Tollward.bac")).size(), 40u) << "saved with its code";
    // The list without a file cannot save: told only to an owner that was there before.
    ASSERT_EQ(box.shown.size(), previous != nullptr ? 1u : 0u);
    if (previous != nullptr) {
      EXPECT_EQ(box.shown[0].owner, previous);
    }
  }
}

}  // namespace
}  // namespace tollward
