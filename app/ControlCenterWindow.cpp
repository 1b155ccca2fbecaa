// The control center's window: icon, buttons, help and the about box.
#include "app/ControlCenterDlg.h"

#include "app/BadAreaCodeManager.h"
#include "res/resource.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/OptionsDlg.h"
#include "ui/framework/Dpi.h"
#include "ui/dialogs/Help.h"
#include "ui/framework/ResourceString.h"

namespace tollward {

bool CControlCenterDlg::PreTranslateMessage(MSG* message) {
  m_tips.Relay(message, m_panes);
  return ui::CDialog::PreTranslateMessage(message);
}

bool CControlCenterDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) {
    return false;
  }
  // The context menus' commands run exactly what the buttons under the views run.
  if (const int button = ButtonForEntryCommand(static_cast<unsigned>(id))) {
    return OnCommand(button, BN_CLICKED, GetDlgItem(button));
  }
  if (m_monitor.OnCommand(id)) {
    return true;
  }
  switch (id) {
    // The tray menu does what the control center's buttons do.
    case ID_TRAY_ABOUT:
    case IDC_ABOUT: {
      CBusyScope busy(m_monitor.cycle());
      ShowAbout();
      return true;
    }
    case IDC_MONITOR:
      m_monitor.OnMonitorButton(m_switches.monitor);
      return true;
    case ID_TRAY_BAD_AREAS:
    case IDC_BAD_AREAS:
      ManageBadAreaCodes(m_hwnd, m_badAreaCodes, m_panes, m_monitor);
      return true;
    case ID_TRAY_OPTIONS:
    case IDC_OPTIONS:
      EditOptions();
      return true;
    case IDC_HELP_BUTTON:
      return ShowHelpTopic();
    case ID_TRAY_SHUTDOWN:
      m_ends.Quit(WayOut::kShutdown);
      return true;
    default:
      break;
  }
  for (CEntryPane& pane : m_panes) {
    // An edit ends in the same scan as the Refresh button, so it counts, marks its time and
    // keeps the tray away; the refill took the selections along.
    if (pane.OnMoveCommand(id, OtherPane(m_panes, pane)) ||
        pane.OnEditCommand(id, m_monitor.cycle(), [this] {
          m_monitor.Refresh();
          for (const CEntryPane& each : m_panes) {
            each.UpdateButtons();
          }
        })) {
      return true;
    }
  }
  return false;
}

// Whatever the dialog's result: a Cancel after a refused OK may still have changed nothing, and
// the buttons and the timer must follow the record as it is now.
void CControlCenterDlg::EditOptions() {
  CBusyScope busy(m_monitor.cycle());
  const std::uint32_t intervalBefore = m_options.GetMonitorInterval();
  ui::COptionsDlg dialog;
  dialog.SetOptions(&m_options);
  dialog.DoModal();
  for (const CEntryPane& pane : m_panes) {
    pane.ShowExpertButtons();
  }
  m_monitor.cycle().OnOptionsClosed(intervalBefore);
}

void CControlCenterDlg::ShowAbout() {
  ui::CAboutDlg about;
  about.DoModal();
}

std::optional<UINT> CControlCenterDlg::HelpTopic(HWND asking) const {
  const bool ours = asking == m_hwnd || ::IsChild(m_hwnd, asking);
  return ours ? ui::help_topic::kControlCenter : ui::help_topic::kContents;
}

bool CControlCenterDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (m_monitor.OnMessage(message, wParam, lParam, result)) {
    return true;
  }
  switch (message) {
    case WM_LBUTTONUP:
      DropDraggedEntry(m_panes, m_hwnd, lParam);
      return false;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag is over without a drop.
      for (CEntryPane& pane : m_panes) {
        pane.EndDrag();
      }
      return false;
    case WM_CONTEXTMENU:
      for (CEntryPane& pane : m_panes) {
        if (pane.OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) {
          return true;
        }
      }
      return false;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // A change of the color scheme, or a high-contrast scheme switched on or off.
      if (message == WM_SYSCOLORCHANGE || wParam == SPI_SETHIGHCONTRAST) {
        for (const CEntryPane& pane : m_panes) {
          pane.ApplyColors();
        }
      }
      return false;
    case WM_QUERYENDSESSION:
      m_ends.OnQueryEndSession();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wParam != FALSE) {
        m_ends.OnEndSession();
      }
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      // The system keeps the low four bits for itself.
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        return true;
      }
      return false;
    case WM_PAINT:
      return m_icons.PaintIconic(m_hwnd);
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(m_icons.DragIcon());
      return true;
    case WM_DESTROY:
      if (MainWindow() == m_hwnd) {
        SetMainWindow(nullptr);
      }
      return false;
    default:
      return false;
  }
}

// The system has scaled the template; the columns, the menus' items and pictures and the icons
// are the program's own.
void CControlCenterDlg::OnDpiChanged(unsigned dpi) {
  for (const CEntryPane& pane : m_panes) {
    pane.OnDpiChanged();
  }
  m_monitor.SetDpi(dpi);
  m_icons.Show(m_hwnd, dpi);
}

}  // namespace tollward
