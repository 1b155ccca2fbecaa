// The lists' context menus and drops: what each view's menu holds and which move a drop makes.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "logic/EntryMenu.h"
#include "res/resource.h"

namespace tollward {
namespace {

TEST(EntryMenu, EachViewOffersItsMoveAndOnlyExpertsTheRest) {
  struct Case {
    EntryView view;
    bool expert;
    int popup;
    unsigned move, movePicture, properties, userPass;
  };
  const Case cases[] = {
      {EntryView::kUnregistered, true, 1, ID_ENTRY_REGISTER, IDB_MENU_REGISTER,
       ID_ENTRY_UNREGISTERED_PROPERTIES, ID_ENTRY_UNREGISTERED_USER_PASS},
      {EntryView::kRegistered, false, 0, ID_ENTRY_UNREGISTER, IDB_MENU_UNREGISTER,
       ID_ENTRY_REGISTERED_PROPERTIES, ID_ENTRY_REGISTERED_USER_PASS},
      {EntryView::kUnregistered, false, 1, ID_ENTRY_REGISTER, IDB_MENU_REGISTER,
       ID_ENTRY_UNREGISTERED_PROPERTIES, ID_ENTRY_UNREGISTERED_USER_PASS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move + (c.expert ? 1000000 : 0));
    const EntryMenuPlan plan = PlanEntryMenu(c.view, c.expert);
    EXPECT_EQ(c.popup, plan.popup);
    ASSERT_EQ(3u, plan.pictures.size());
    EXPECT_EQ(c.move, plan.pictures[0].command);
    EXPECT_EQ(c.movePicture, plan.pictures[0].picture);
    EXPECT_EQ(c.properties, plan.pictures[1].command);
    EXPECT_EQ(unsigned{IDB_MENU_PROPERTIES}, plan.pictures[1].picture);
    EXPECT_EQ(c.userPass, plan.pictures[2].command);
    EXPECT_EQ(unsigned{IDB_MENU_USER_PASS}, plan.pictures[2].picture);
    EXPECT_EQ(!c.expert, plan.removeSeparator);
    EXPECT_EQ(1u, plan.separatorPosition);
    const std::vector<unsigned> removed =
        c.expert ? std::vector<unsigned>{} : std::vector<unsigned>{c.properties, c.userPass};
    EXPECT_EQ(removed, plan.removedCommands);
    // Every command stands for the button under its own view.
    EXPECT_EQ(c.view == EntryView::kUnregistered ? IDC_REGISTER : IDC_UNREGISTER,
              ButtonForEntryCommand(c.move));
  }
  EXPECT_EQ(IDC_UNREGISTERED_PROPERTIES, ButtonForEntryCommand(ID_ENTRY_UNREGISTERED_PROPERTIES));
  EXPECT_EQ(IDC_REGISTERED_PROPERTIES, ButtonForEntryCommand(ID_ENTRY_REGISTERED_PROPERTIES));
  EXPECT_EQ(IDC_UNREGISTERED_USER_PASS, ButtonForEntryCommand(ID_ENTRY_UNREGISTERED_USER_PASS));
  EXPECT_EQ(IDC_REGISTERED_USER_PASS, ButtonForEntryCommand(ID_ENTRY_REGISTERED_USER_PASS));
  EXPECT_EQ(0, ButtonForEntryCommand(ID_TRAY_ABOUT));
  EXPECT_EQ(0, ButtonForEntryCommand(IDC_REGISTER));
}

TEST(EntryMenu, OnlyTheOtherViewTakesADroppedEntry) {
  const std::optional<EntryView> targets[] = {std::nullopt, EntryView::kUnregistered,
                                              EntryView::kRegistered};
  // Rows: from the unregistered view, from the registered view; columns: the targets above.
  const bool expected[2][3] = {{false, false, true}, {false, true, false}};
  const EntryView sources[] = {EntryView::kUnregistered, EntryView::kRegistered};
  for (int s = 0; s < 2; ++s) {
    for (int t = 0; t < 3; ++t) {
      EXPECT_EQ(expected[s][t], DropMoves(sources[s], targets[t])) << s << " " << t;
    }
  }
}

}  // namespace
}  // namespace tollward
