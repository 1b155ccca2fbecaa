// The control center's tooltips, their texts, delays and colors.
#include "app/ControlCenterTips.h"

#include "res/resource.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ResourceString.h"

namespace tollward {
namespace {

struct Tip {
  int control;
  UINT text;
};

constexpr Tip kTips[] = {
    {IDC_BAD_AREAS, IDS_TIP_BAD_AREAS},
    {IDC_OPTIONS, IDS_TIP_OPTIONS},
    {IDC_ABOUT, IDS_TIP_ABOUT},
    {IDC_UNREGISTERED_LIST, IDS_TIP_UNREGISTERED_LIST},
    {IDC_REGISTERED_LIST, IDS_TIP_REGISTERED_LIST},
    {IDC_UNREGISTER, IDS_TIP_UNREGISTER},
    {IDC_REGISTER, IDS_TIP_REGISTER},
    {IDC_UNREGISTERED_PROPERTIES, IDS_TIP_PROPERTIES},
    {IDC_REGISTERED_PROPERTIES, IDS_TIP_PROPERTIES},
    {IDC_MONITOR, IDS_TIP_MONITOR},
    {IDC_REFRESH, IDS_TIP_REFRESH},
};

constexpr COLORREF kTipBackground = RGB(224, 224, 255);
constexpr COLORREF kTipText = RGB(0, 0, 0);

}  // namespace

void CControlCenterTips::Prepare(HWND dialog) {
  if (!tooltip_.Create(dialog, TTS_ALWAYSTIP)) {
    return;
  }
  for (const Tip& tip : kTips) {
    // The lists' tips are asked for when shown: over a row they say why the entry is there.
    const bool list = tip.control == IDC_UNREGISTERED_LIST || tip.control == IDC_REGISTERED_LIST;
    tooltip_.AddTool(::GetDlgItem(dialog, tip.control),
                     list ? LPSTR_TEXTCALLBACKA : ui::LoadResString(tip.text).c_str());
  }
  // Wide enough for a host name; a longer tip breaks into lines.
  tooltip_.Send(TTM_SETMAXTIPWIDTH, 0, ui::ScaleFor(dialog, 400));
  tooltip_.Activate(true);
  tooltip_.SetDelayTime(TTDT_INITIAL, 750);
  tooltip_.SetDelayTime(TTDT_RESHOW, 250);
  tooltip_.SetDelayTime(TTDT_AUTOPOP, 3000);
  tooltip_.SetTipBkColor(kTipBackground);
  tooltip_.SetTipTextColor(kTipText);
}

void CControlCenterTips::Relay(MSG* message, EntryPanes& panes) {
  if (tooltip_.GetHwnd() == nullptr) {
    return;
  }
  tooltip_.RelayEvent(message);
  for (CEntryPane& pane : panes) {
    if (pane.TipRowChanged(*message)) {
      tooltip_.Send(TTM_UPDATE);
    }
  }
}

}  // namespace tollward
