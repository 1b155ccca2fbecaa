// A dialog built from a template, run modally by the framework's own loop or created modeless.
#pragma once

#include "platform/win32/WinApi.h"

#include <functional>
#include <optional>
#include <vector>

#include "ui/framework/Handles.h"
#include "ui/framework/Window.h"

namespace tollward::ui {

// One class per dialog of the program derives from CDialog and overrides the handlers it needs.
// One static dialog procedure finds the object (stored at WM_INITDIALOG) and forwards to the
// virtual handlers; no exception thrown by a handler ever reaches Windows.
//
// Modal run (DoModal): the owner is disabled, the dialog is created modeless and shown, and the
// framework's loop takes every message of the thread: PreTranslateMessage first, then
// IsDialogMessage for the dialog's keyboard, then translate and dispatch. It fetches messages for
// all windows of the thread, so timers and posted commands of other windows (the owner above
// all) keep arriving, as they do in the loops of message boxes and of nested dialogs. EndDialog
// ends the run; the owner is re-enabled before the dialog goes, so activation returns to it.
// When the session ends (WM_ENDSESSION) the modal runs nested in a dialog's own run end with
// IDCANCEL, without their OnCancel, so that the loops unwind to the dialog that decides the end.
//
// Modeless (Create): the dialog lives until EndDialog, Destroy or the object's destruction; the
// caller's loop drives it.
class CDialog : public CWindow {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // The result passed to EndDialog; -1 if the dialog could not be created, its initialisation
  // threw, or its window was destroyed without EndDialog.
  INT_PTR DoModal();
  bool Create();
  // Modal: ends the run with `result` once the current handler returns. Modeless: destroys it.
  void EndDialog(INT_PTR result);

  UINT TemplateId() const { return m_templateId; }
  bool IsModal() const { return m_modal; }
  // True once EndDialog has ended the current modal run, also when called from OnInitDialog.
  bool IsEnding() const { return m_ending; }

  // The framework object behind a dialog window, or null for any other window.
  static CDialog* FromHandle(HWND hwnd);

  // Dialogs constructed without a parent are owned by this window (the program's main window)
  // while they run modally.
  static void SetMainWindow(HWND hwnd);
  static HWND MainWindow();

  // Opens help topic `topic` for the dialog window `owner`. The program installs it: the
  // framework knows no help pages. Without one, IDHELP and F1 open nothing.
  using HelpHandler = std::function<void(HWND owner, UINT topic)>;
  static void SetHelpHandler(HelpHandler handler);

 protected:
  // True leaves the focus to the dialog manager (the first tab stop).
  virtual bool OnInitDialog() { return true; }
  // Commands of controls, menus and accelerators. Return false for what the class does not
  // handle: IDOK and IDCANCEL then go to OnOK and OnCancel.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnNotify(int id, NMHDR* header, LRESULT& result);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnOK() { EndDialog(IDOK); }
  // Reached by the Cancel button, Escape and the close box.
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Owner-drawn items of controls and menus (id 0 for a menu); true when drawn or measured.
  // Unhandled ones get the dialog manager's default.
  virtual bool OnDrawItem(int id, const DRAWITEMSTRUCT* draw);
  virtual bool OnMeasureItem(int id, MEASUREITEMSTRUCT* measure);
  // The help topic that IDHELP and F1 open through the help handler. `asking` is the window F1
  // was pressed in: this dialog, one of its controls, or a window that has no topic of its own
  // and passed the request on to its owner. None, the default, passes F1 on to the owner too.
  virtual std::optional<UINT> HelpTopic(HWND asking) const;
  // Opens this dialog's topic as IDHELP does, for a help button of another id.
  bool ShowHelpTopic() { return ShowHelpFor(m_hwnd); }
  // Any other message; return true with `result` set when handled. A control-color query left
  // alone here goes to the control's own handler (ui/framework/ControlColor.h), if it has one.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Sees every message of the modal loop before the dialog manager; true swallows it.
  virtual bool PreTranslateMessage(MSG* message);
  // The window moved to a monitor of another DPI and has taken the size the system suggests;
  // the system has scaled the template's controls and fonts, the rest is the dialog's to size.
  virtual void OnDpiChanged(unsigned dpi);

  // Shows resource picture `picture` in the picture control `control` (SS_BITMAP with
  // SS_REALSIZECONTROL, so that it keeps its template rectangle), drawn for the dialog's DPI
  // and scaled to fill that rectangle exactly; again after every change of the DPI.
  bool FitPicture(int control, UINT picture);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateWindowFor(HWND owner);
  void RunModalLoop();
  bool TranslateInLoop(MSG* message);
  void RestoreOwner();
  bool ShowHelpFor(HWND asking);
  void EndNestedRuns();
  void AdoptTemplatePictures();
  bool ShowFittedPicture(int control, UINT picture);

  struct FittedPicture {
    int control;
    UINT picture;
  };

  UINT m_templateId;
  HWND m_parent;
  HWND m_owner = nullptr;
  bool m_ownerDisabledByUs = false;
  // This run got the session's end and keeps every message box away until it ends.
  bool m_holdsMessageBoxes = false;
  bool m_modal = false;
  // The modal run this one is nested in, while it runs.
  CDialog* m_outerRun = nullptr;
  bool m_ending = false;
  bool m_initFailed = false;
  INT_PTR m_result = -1;
  // The bitmaps that the template's picture controls loaded, released once the controls are gone.
  std::vector<CBitmap> m_templatePictures;
  std::vector<FittedPicture> m_fittedPictures;
};

}  // namespace tollward::ui
