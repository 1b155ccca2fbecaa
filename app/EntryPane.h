// One of the control center's two panes: a list view, the entries it shows, the buttons under it,
// its color and its role, and the move of an entry from one pane to the other.
#pragma once

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>

#include "app/InteractiveOptions.h"
#include "app/InteractiveRASConnections.h"
#include "core/RASBadAreaCodes.h"
#include "logic/EntryMenu.h"
#include "logic/EntryReasons.h"
#include "logic/MonitorCycle.h"
#include "ui/controls/BitmapMenu.h"
#include "ui/framework/ListView.h"

namespace tollward {

// What both panes draw on: the codes that refuse a registration, the registrations that reports
// showed, and whether the expert functions are on.
struct PaneContext {
  CRASBadAreaCodes& badAreaCodes;
  CAlteredRegistrations& altered;
  const CInteractiveOptions& options;
};

// A pane's own controls of the dialog's template, and its background.
struct PaneControls {
  int list;
  int move;
  int properties;
  int userPass;
  UINT tip;
  COLORREF color;
};

class CEntryPane {
 public:
  CEntryPane(EntryView role, CInteractiveRASConnections& entries, const PaneContext& context);

  EntryView role() const { return role_; }
  CInteractiveRASConnections& entries() { return entries_; }
  HWND view() const { return view_.GetHwnd(); }

  // Registering is a move from the unregistered pane, unregistering one from the registered
  // pane; `from` makes its checks before anything moves.
  static void Move(CEntryPane& from, CEntryPane& to);

  // The view of the dialog's template; the first fill sets it up, and its color stays.
  void Attach(HWND dialog);
  void Fill();
  void Refill();
  // A change of the color scheme, and of the window's DPI.
  void ApplyColors() const;
  void OnDpiChanged() const;

  std::string SelectedName() const;
  void UpdateButtons() const;
  void ShowExpertButtons() const;

  // Each answers false for what is not the pane's own. `other` is the pane that double click,
  // Space and the move button send the selected entry to.
  bool OnNotify(int id, NMHDR* header, LRESULT& result, CEntryPane& other);
  bool OnMoveCommand(int id, CEntryPane& other);
  // The expert actions, each followed by `refresh` while no scan may yet sort the lists.
  bool OnEditCommand(int id, CMonitorCycle& monitor, const std::function<void()>& refresh);
  // WM_CONTEXTMENU from the keyboard, which has no position.
  bool OnContextMenu(HWND window, LPARAM position);
  bool DrawMenuItem(const DRAWITEMSTRUCT* draw) const;
  bool MeasureMenuItem(MEASUREITEMSTRUCT* measure) const;
  // A mouse move over the view onto another row: the tip must be asked for anew.
  bool TipRowChanged(const MSG& message);

  // The dialog holds the mouse from the drag's start until the button is released.
  void BeginDrag();
  // Whether the pane was the drag's source; the drag is over either way.
  bool EndDrag();

 private:
  EntryReason ReasonOf(unsigned index);
  void ShowReason(int item, EntryReason reason) const;
  std::string TipAt(POINT screen);
  bool OnTipText(NMTTDISPINFOA* tip);
  bool OnListNotify(NMHDR* header, CEntryPane& other);
  void ShowMenu(bool atCursor);
  void SizeColumns() const;
  void ShowReasonPictures() const;
  // The checks of an entry leaving this pane.
  bool ConfirmLeaving(const std::string& name);
  void RefuseUnreadable(const std::string& name) const;
  void Forget(const std::string& name);

  EntryView role_;
  const PaneControls& controls_;
  CInteractiveRASConnections& entries_;
  PaneContext context_;
  HWND dialog_ = nullptr;
  ui::CListView view_;
  // The text of the tip being shown, and the row it is about.
  std::string tipText_;
  int tipRow_ = -1;
  bool dragged_ = false;
  // Set only while the view's context menu is tracked.
  ui::CBitmapMenu* activePopup_ = nullptr;
};

// The control center's two panes, each at the place of its role.
using EntryPanes = std::array<CEntryPane, 2>;

CEntryPane& PaneOf(EntryPanes& panes, EntryView role);
CEntryPane& OtherPane(EntryPanes& panes, const CEntryPane& pane);
void RefillPanes(EntryPanes& panes);

// The end of a drag, released at this point of the dialog's client area: only the other pane's
// view itself takes the entry; its header is a window of its own, so a drop on it is a drop
// elsewhere.
void DropDraggedEntry(EntryPanes& panes, HWND dialog, LPARAM clientPoint);

}  // namespace tollward
