// What the lists' context menu holds, which button each of its commands stands for, and what a
// drop of a dragged entry does.
#pragma once

#include <optional>
#include <vector>

namespace tollward {

// The two list views, which are also the two panes' roles and their places in the control
// center's array of panes.
enum class EntryView { kUnregistered = 0, kRegistered = 1 };

inline EntryView OtherView(EntryView view) {
  return view == EntryView::kUnregistered ? EntryView::kRegistered : EntryView::kUnregistered;
}

struct EntryMenuPicture {
  unsigned command;
  unsigned picture;
};

// How to make a view's menu out of the resource's two popups.
struct EntryMenuPlan {
  // Position of the popup in the menu resource.
  int popup;
  // The move command first, then properties, then user name and password.
  std::vector<EntryMenuPicture> pictures;
  // Taken out by command, then the separator by its position.
  std::vector<unsigned> removedCommands;
  bool removeSeparator;
  unsigned separatorPosition;
};

// Without the expert functions a view's menu holds its move command alone.
EntryMenuPlan PlanEntryMenu(EntryView view, bool expertFunctions);

// The button of the control center whose action a context-menu command runs; 0 for any other.
int ButtonForEntryCommand(unsigned command);

// Only the other view takes a dragged entry. The target is the view the button was released on,
// none where it was released elsewhere.
bool DropMoves(EntryView source, std::optional<EntryView> target);

}  // namespace tollward
