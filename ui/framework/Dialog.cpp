// The dialog procedure, the modal loop and the modeless creation of the framework's dialogs.
#include "ui/framework/Dialog.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <utility>

#include "platform/win32/MessageBox.h"
#include "ui/framework/ControlColor.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/MessageLoop.h"
#include "ui/framework/Static.h"

namespace tollward::ui {
namespace {

HWND g_mainWindow = nullptr;
// The innermost modal run of the thread; each run knows the one it is nested in.
thread_local CDialog* g_innermostRun = nullptr;

CDialog::HelpHandler& InstalledHelpHandler() {
  static CDialog::HelpHandler handler;
  return handler;
}

// List views and tooltips are registered by comctl32 only once asked for; templates use them.
void EnsureCommonControls() {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    return ::InitCommonControlsEx(&init) != FALSE;
  }();
  static_cast<void>(initialised);
}

// These few messages are answered by the dialog procedure's own result; all others through
// DWLP_MSGRESULT.
bool AnsweredDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

// A dialog run without a parent belongs to the main window, or rather to whatever popup of it
// was active last, so that a dialog opened from a sub-dialog stays in front of that one.
HWND ModalOwner(HWND parent) {
  HWND owner = parent != nullptr ? parent : g_mainWindow;
  if (owner == nullptr || !::IsWindow(owner)) {
    return nullptr;
  }
  owner = ::GetAncestor(owner, GA_ROOT);
  if (parent == nullptr && owner != nullptr) {
    owner = ::GetLastActivePopup(owner);
  }
  return owner;
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
  if (m_hwnd != nullptr) {
    HWND hwnd = Detach();
    // The window must not call back into an object that is going away.
    ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    RestoreOwner();
    ::DestroyWindow(hwnd);
  }
}

void CDialog::SetMainWindow(HWND hwnd) {
  g_mainWindow = hwnd;
}

HWND CDialog::MainWindow() {
  return g_mainWindow;
}

void CDialog::SetHelpHandler(HelpHandler handler) {
  InstalledHelpHandler() = std::move(handler);
}

CDialog* CDialog::FromHandle(HWND hwnd) {
  if (hwnd == nullptr || !::IsWindow(hwnd)) {
    return nullptr;
  }
  char className[16] = {};
  ::GetClassNameA(hwnd, className, sizeof(className));
  if (std::strcmp(className, "#32770") != 0 ||
      ::GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
    return nullptr;
  }
  return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR CDialog::DoModal() {
  if (m_hwnd != nullptr) {
    return -1;
  }
  m_owner = ModalOwner(m_parent);
  m_modal = true;
  m_outerRun = g_innermostRun;
  g_innermostRun = this;
  m_ending = false;
  m_result = -1;
  if (m_owner != nullptr && ::IsWindowEnabled(m_owner)) {
    ::EnableWindow(m_owner, FALSE);
    m_ownerDisabledByUs = true;
  }
  if (CreateWindowFor(m_owner)) {
    // A dialog that ended in its own initialisation is never seen.
    if (!m_ending) {
      Show(SW_SHOW);
      RunModalLoop();
    }
  }
  RestoreOwner();
  if (m_hwnd != nullptr) {
    ::DestroyWindow(m_hwnd);
  }
  if (m_owner != nullptr && ::IsWindow(m_owner) && ::IsWindowVisible(m_owner) &&
      ::IsWindowEnabled(m_owner)) {
    ::SetActiveWindow(m_owner);
  }
  g_innermostRun = m_outerRun;
  m_outerRun = nullptr;
  m_modal = false;
  if (m_holdsMessageBoxes) {
    HoldMessageBoxes(false);
    m_holdsMessageBoxes = false;
  }
  return m_result;
}

bool CDialog::Create() {
  if (m_hwnd != nullptr) {
    return false;
  }
  m_modal = false;
  m_owner = m_parent != nullptr ? ::GetAncestor(m_parent, GA_ROOT) : nullptr;
  return CreateWindowFor(m_owner);
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_modal) {
    if (m_hwnd != nullptr) {
      ::DestroyWindow(m_hwnd);
    }
    return;
  }
  m_result = result;
  m_ending = true;
  // The owner first: when the dialog disappears, Windows activates an enabled owner.
  RestoreOwner();
  if (m_hwnd != nullptr) {
    Show(SW_HIDE);
    // Wakes the loop if it is waiting in GetMessage.
    Post(WM_NULL);
  }
}

bool CDialog::CreateWindowFor(HWND owner) {
  EnsureCommonControls();
  m_initFailed = false;
  HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                   owner, &DialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd == nullptr) {
    return false;
  }
  if (m_initFailed) {
    ::DestroyWindow(hwnd);
    return false;
  }
  return true;
}

void CDialog::RunModalLoop() {
  MSG message{};
  while (!m_ending && m_hwnd != nullptr && NextMessage(message)) {
    if (TranslateInLoop(&message)) {
      continue;
    }
    if (m_hwnd != nullptr && ::IsDialogMessageA(m_hwnd, &message)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool CDialog::TranslateInLoop(MSG* message) {
  try {
    return PreTranslateMessage(message);
  } catch (...) {
    return false;
  }
}

void CDialog::RestoreOwner() {
  if (m_ownerDisabledByUs && m_owner != nullptr && ::IsWindow(m_owner)) {
    ::EnableWindow(m_owner, TRUE);
  }
  m_ownerDisabledByUs = false;
}

bool CDialog::OnCommand(int, int, HWND) {
  return false;
}

bool CDialog::OnNotify(int, NMHDR*, LRESULT&) {
  return false;
}

void CDialog::OnTimer(UINT_PTR) {}

bool CDialog::OnDrawItem(int, const DRAWITEMSTRUCT*) {
  return false;
}

bool CDialog::OnMeasureItem(int, MEASUREITEMSTRUCT*) {
  return false;
}

void CDialog::EndNestedRuns() {
  bool running = false;
  for (const CDialog* run = g_innermostRun; run != nullptr; run = run->m_outerRun) {
    running = running || run == this;
  }
  if (!running) {
    return;
  }
  for (CDialog* run = g_innermostRun; run != this; run = run->m_outerRun) {
    run->EndDialog(IDCANCEL);
  }
}

std::optional<UINT> CDialog::HelpTopic(HWND) const {
  return std::nullopt;
}

bool CDialog::ShowHelpFor(HWND asking) {
  const std::optional<UINT> topic = HelpTopic(asking);
  const HelpHandler& handler = InstalledHelpHandler();
  if (!topic || !handler) {
    return false;
  }
  handler(m_hwnd, *topic);
  return true;
}

// A picture control frees the bitmap it loaded from the template on Windows but not on Wine, where
// every opening of such a dialog would leave one behind. Setting the image once makes it the
// dialog's on both (the control then frees nothing), and the dialog releases it exactly once.
void CDialog::AdoptTemplatePictures() {
  for (HWND child = ::GetWindow(m_hwnd, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) {
      continue;
    }
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof(className));
    if (::lstrcmpiA(className, "Static") != 0) {
      continue;
    }
    const CStatic picture(child);
    if (HBITMAP bitmap = picture.GetBitmap()) {
      picture.SetBitmap(bitmap);
      m_templatePictures.emplace_back(bitmap);
    }
  }
}

bool CDialog::FitPicture(int control, UINT picture) {
  m_fittedPictures.push_back(FittedPicture{control, picture});
  return ShowFittedPicture(control, picture);
}

// The smallest drawing that covers the rectangle is scaled down into it: shrinking with
// halftoning keeps a picture sharp, where growing one would blur it. The large drawings are
// stored run-length encoded, which only a device bitmap is made from.
bool CDialog::ShowFittedPicture(int control, UINT picture) {
  HWND item = GetDlgItem(control);
  RECT room{};
  if (item == nullptr || !::GetClientRect(item, &room) || room.right <= 0 || room.bottom <= 0) {
    return false;
  }
  CBitmap source;
  for (unsigned set = 0; set < std::size(kPictureSetPercent); ++set) {
    const UINT id = picture + set * kPictureSetStep;
    CBitmap drawn(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    if (!drawn) {
      continue;
    }
    const SIZE size = BitmapSize(drawn.get());
    source = std::move(drawn);
    if (size.cx >= room.right && size.cy >= room.bottom) {
      break;
    }
  }
  if (!source) {
    return false;
  }
  CBitmap fitted;
  {
    const CScreenContext screen = ScreenContext();
    fitted.reset(::CreateCompatibleBitmap(screen.get(), room.right, room.bottom));
    const CMemoryContext from = MemoryContext(screen.get());
    const CMemoryContext to = MemoryContext(screen.get());
    const CSelection fromSelection = SelectInto(from.get(), source.get());
    const CSelection toSelection = SelectInto(to.get(), fitted.get());
    const SIZE size = BitmapSize(source.get());
    ::SetStretchBltMode(to.get(), HALFTONE);
    ::SetBrushOrgEx(to.get(), 0, 0, nullptr);
    ::StretchBlt(to.get(), 0, 0, room.right, room.bottom, from.get(), 0, 0, size.cx, size.cy,
                 SRCCOPY);
  }
  if (!fitted) {
    return false;
  }
  // The control hands back the picture it showed; that one was adopted, and goes with the rest.
  CStatic(item).SetBitmap(fitted.get());
  m_templatePictures.push_back(std::move(fitted));
  return true;
}

void CDialog::OnDpiChanged(unsigned) {}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

bool CDialog::PreTranslateMessage(MSG*) {
  return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    if (self != nullptr) {
      self->m_hwnd = hwnd;
    }
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (self == nullptr) {
    return FALSE;
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->m_hwnd = nullptr;
    self->m_templatePictures.clear();
    return FALSE;
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Windows cannot unwind a C++ exception; the message counts as unhandled. A dialog whose
    // initialisation failed is not shown half-built.
    if (message == WM_INITDIALOG) {
      self->m_initFailed = true;
    }
    return FALSE;
  }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Once the session ends, no dialog opened from this one may keep the program waiting for the
  // user; the dialog's own handler then decides its end.
  if (message == WM_ENDSESSION && wParam != FALSE) {
    EndNestedRuns();
    // Nor may what those runs' callers do next; until this dialog's own run ends.
    if (m_modal && !m_holdsMessageBoxes) {
      HoldMessageBoxes(true);
      m_holdsMessageBoxes = true;
    }
  }
  switch (message) {
    case WM_INITDIALOG:
      AdoptTemplatePictures();
      return OnInitDialog() ? TRUE : FALSE;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      if (suggested != nullptr) {
        ::SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
      }
      for (const FittedPicture& fitted : m_fittedPictures) {
        ShowFittedPicture(fitted.control, fitted.picture);
      }
      OnDpiChanged(HIWORD(wParam));
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
        return TRUE;
      }
      if (id == IDOK) {
        OnOK();
        return TRUE;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return id == IDHELP && ShowHelpFor(m_hwnd) ? TRUE : FALSE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (header == nullptr || !OnNotify(static_cast<int>(header->idFrom), header, result)) {
        return FALSE;
      }
      ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_DRAWITEM:
      if (!OnDrawItem(static_cast<int>(wParam), reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        return FALSE;
      }
      ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_MEASUREITEM:
      if (!OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
        return FALSE;
      }
      ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      const HWND asking = info != nullptr && info->iContextType == HELPINFO_WINDOW
                              ? static_cast<HWND>(info->hItemHandle)
                              : m_hwnd;
      if (!ShowHelpFor(asking)) {
        return FALSE;
      }
      ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    default: {
      LRESULT result = 0;
      // A control that paints in its own colors answers for itself unless the dialog did.
      if (!OnMessage(message, wParam, lParam, result) &&
          !ReflectControlColor(message, wParam, lParam, result)) {
        return FALSE;
      }
      if (AnsweredDirectly(message)) {
        return static_cast<INT_PTR>(result);
      }
      ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

}  // namespace tollward::ui
