// What the lists' context menu holds, which button each of its commands stands for, and what a
// drop of a dragged entry does.
#pragma once

#include <vector>

namespace tollward {

// The two list views; the values are those of the views' context-menu requests.
enum class EntryView { kUnregistered = 0, kRegistered = 1 };

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

// Where the button was released at the end of a drag.
enum class DropTarget { kElsewhere, kUnregisteredView, kRegisteredView };
enum class DropMove { kNone, kRegister, kUnregister };

// Only the other view takes a dragged entry; 0 is no drag, 1 and 2 a drag from the unregistered
// and the registered view.
DropMove MoveForDrop(int dragSource, DropTarget target);

}  // namespace tollward
