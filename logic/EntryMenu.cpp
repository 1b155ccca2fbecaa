// The lists' context menus and drops as plain rules.
#include "logic/EntryMenu.h"

#include "res/resource.h"

namespace tollward {

EntryMenuPlan PlanEntryMenu(EntryView view, bool expertFunctions) {
  const bool unregistered = view == EntryView::kUnregistered;
  const unsigned move = unregistered ? ID_ENTRY_REGISTER : ID_ENTRY_UNREGISTER;
  const unsigned properties =
      unregistered ? ID_ENTRY_UNREGISTERED_PROPERTIES : ID_ENTRY_REGISTERED_PROPERTIES;
  const unsigned userPass =
      unregistered ? ID_ENTRY_UNREGISTERED_USER_PASS : ID_ENTRY_REGISTERED_USER_PASS;
  EntryMenuPlan plan{
      unregistered ? 1 : 0,
      {{move, unregistered ? unsigned{IDB_MENU_REGISTER} : unsigned{IDB_MENU_UNREGISTER}},
       {properties, IDB_MENU_PROPERTIES},
       {userPass, IDB_MENU_USER_PASS}},
      {},
      !expertFunctions,
      1};
  if (!expertFunctions) {
    plan.removedCommands = {properties, userPass};
  }
  return plan;
}

int ButtonForEntryCommand(unsigned command) {
  switch (command) {
    case ID_ENTRY_REGISTER:
      return IDC_REGISTER;
    case ID_ENTRY_UNREGISTER:
      return IDC_UNREGISTER;
    case ID_ENTRY_UNREGISTERED_PROPERTIES:
      return IDC_UNREGISTERED_PROPERTIES;
    case ID_ENTRY_REGISTERED_PROPERTIES:
      return IDC_REGISTERED_PROPERTIES;
    case ID_ENTRY_UNREGISTERED_USER_PASS:
      return IDC_UNREGISTERED_USER_PASS;
    case ID_ENTRY_REGISTERED_USER_PASS:
      return IDC_REGISTERED_USER_PASS;
    default:
      return 0;
  }
}

bool DropMoves(EntryView source, std::optional<EntryView> target) {
  return target.has_value() && *target != source;
}

}  // namespace tollward
