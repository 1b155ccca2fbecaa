// The control center's tooltips: a fixed text for each button, and for each pane's view the text
// its pane gives for the row under the mouse.
#pragma once

#include "platform/win32/WinApi.h"

#include "app/EntryPane.h"
#include "ui/framework/ToolTip.h"

namespace tollward {

class CControlCenterTips {
 public:
  void Prepare(HWND dialog);
  // The tooltip control learns of the mouse only through the messages relayed to it.
  void Relay(MSG* message, EntryPanes& panes);

 private:
  ui::CToolTip tooltip_;
};

}  // namespace tollward
