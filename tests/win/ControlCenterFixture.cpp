// A control center run in the test's own process: the program placed in a fresh folder, its
// phonebook a file of the test's, its autostart value in memory, and no help pages.
#include "tests/win/ControlCenterFixture.h"

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>

#include "core/RASBadAreaCodes.h"
#include "res/resource.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/ListView.h"

namespace tollward::testing {
namespace {

BOOL CALLBACK CollectAll(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

}  // namespace

const char kQuitQuestion[] = "Do you really want to quit now?";

void ControlCenterTest::SetUp() {
  PhonebookFileTest::SetUp();
  std::filesystem::create_directory(folder_.Path("app"));
  programDirectory_ = folder_.Path("app") + "\\";
}

void ControlCenterTest::WriteFourEntries() {
  WritePhonebook({"[Office ISDN]", "AreaCode=089", "LocalPhoneNumber=44881200", "UserName=jmiller",
                  "Password=tu3Lk9", "[CityNet]", "AreaCode=030", "LocalPhoneNumber=19231770",
                  "[university dial-in]", "AreaCode=0761", "LocalPhoneNumber=2034567",
                  "[Fast Access]", "AreaCode=0190", "LocalPhoneNumber=870870"});
}

void ControlCenterTest::RegisterWholePhonebook() {
  CRASConnections everything(phonebook_);
  ASSERT_TRUE(everything.Retrieve());
  ASSERT_TRUE(everything.Save(storePath()));
}

void ControlCenterTest::WriteBadAreaCodes(const std::vector<std::string>& codes) {
  CRASBadAreaCodes list;
  for (const std::string& code : codes) {
    ASSERT_TRUE(list.Add(code.c_str()));
  }
  ASSERT_TRUE(list.Save(programDirectory_ + "Tollward.bac"));
}

std::vector<std::string> ControlCenterTest::StoredNames() {
  CRASConnections stored(phonebook_);
  stored.Load(storePath());
  stored.ClearPath();
  std::vector<std::string> names;
  for (unsigned i = 1; i <= stored.GetCount(); ++i) {
    names.push_back(stored.GetName(i));
  }
  return names;
}

void ControlCenterTest::QueueQuitWithYes(Robot& robot) {
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER),
                 [](RobotWindow& controlCenter) { controlCenter.PressKey(0, VK_ESCAPE); });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
}

std::vector<std::string> ListColumn(const RobotWindow& window, int id, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < window.ListCount(id); ++row) {
    texts.push_back(window.ListText(id, row, column));
  }
  return texts;
}

void DoubleClickRow(const RobotWindow& window, int id, int row) {
  const ui::CListView view(::GetDlgItem(window.hwnd(), id));
  RECT rect{};
  if (row >= 0) {
    rect.left = LVIR_BOUNDS;
    view.Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
  } else {
    ::GetClientRect(view, &rect);
    rect.top = rect.bottom - 4;
  }
  const LPARAM point = MAKELPARAM(rect.left + 8, (rect.top + rect.bottom) / 2);
  view.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  view.Post(WM_LBUTTONUP, 0, point);
}

std::vector<HWND> DialogsFromTemplate(UINT templateId) {
  std::vector<HWND> all;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectAll, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> found;
  for (HWND hwnd : all) {
    const ui::CDialog* dialog = ui::CDialog::FromHandle(hwnd);
    if (dialog != nullptr && dialog->TemplateId() == templateId) {
      found.push_back(hwnd);
    }
  }
  return found;
}

HWND ControlCenterWindow() {
  const std::vector<HWND> found = DialogsFromTemplate(IDD_CONTROL_CENTER);
  return found.empty() ? nullptr : found.front();
}

// Only a registered icon can be modified.
bool TrayIconShown(HWND owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = 1;
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool HiddenInTrayMonitoring(HWND window) {
  return window != nullptr && !::IsWindowVisible(window) &&
         ::IsDlgButtonChecked(window, IDC_MONITOR) == BST_CHECKED && TrayIconShown(window);
}

}  // namespace tollward::testing
