// The resource script: secondary templates, menus, strings, pictures and the manifest.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {
namespace {

// The ids of a dialog's controls in template order, which is also their keyboard order.
std::vector<int> ChildIds(HWND dialog) {
  std::vector<int> ids;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id != IDC_STATIC && id != 0xFFFF) {
      ids.push_back(id);
    }
  }
  return ids;
}

DWORD Style(HWND hwnd) {
  return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

struct SecondaryTemplate {
  UINT id;
  const char* caption;
  bool closeBox;
  std::vector<int> controls;
};

TEST(Templates, SecondaryDialogsHaveTheirCaptionsControlsAndKeyboardOrder) {
  const SecondaryTemplate templates[] = {
      {IDD_ABOUTBOX, "About Tollward", true, {IDC_ABOUT_VERSION, IDC_DIALOG_PICTURE, IDOK}},
      {IDD_OPTIONS,
       "Tollward Options",
       false,
       // Each field's label comes before it, where screen readers look for a field's name.
       {IDHELP, IDOK, IDCANCEL, IDC_RUN_SILENT_CHECK, IDC_RUN_MONITOR, IDC_INTERVAL_LABEL,
        IDC_MONITOR_INTERVAL, IDC_FLASH_TRAY_ICON, IDC_MINIMIZE_ON_MONITOR,
        IDC_EXTENDED_FUNCTIONS}},
      {IDD_BAD_AREA_CODES,
       "Bad Area Codes",
       false,
       {IDC_DIALOG_PICTURE, IDC_BAD_AREA_LIST, IDC_BAD_AREA_CODE_LABEL, IDC_BAD_AREA_CODE,
        IDC_DELETE_BAD_AREA, IDC_ADD_BAD_AREA, IDHELP, IDOK}},
      {IDD_MANIPULATED_CONNECTION,
       "Tollward: MANIPULATED CONNECTION DETECTED",
       false,
       {IDC_DIALOG_PICTURE, IDC_ENTRY_NAME, IDC_REGISTERED_AREA_CODE, IDC_ALTERED_AREA_CODE,
        IDC_REGISTERED_LOCAL_NUMBER, IDC_ALTERED_LOCAL_NUMBER, IDC_REGISTERED_USER_NAME,
        IDC_ALTERED_USER_NAME, IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD,
        IDC_FURTHER_PROPERTIES, IDCANCEL, IDOK}},
      {IDD_CHANGE_USER_PASS,
       "Change Username / Password",
       false,
       {IDC_ENTRY_NAME, IDC_USER_NAME, IDC_CHANGE_PASSWORD, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD,
        IDC_REPEAT_PASSWORD, IDOK, IDCANCEL, IDC_PASSWORDS_HIDDEN_NOTE}},
  };
  for (const SecondaryTemplate& expected : templates) {
    SCOPED_TRACE(expected.caption);
    CDialog dialog(expected.id);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(expected.caption, dialog.GetText());
    EXPECT_EQ(expected.closeBox, (Style(dialog) & WS_SYSMENU) != 0);
    EXPECT_EQ(expected.controls, ChildIds(dialog));
  }
}

TEST(Templates, PasswordsAreMaskedAndTheReportsCancelIsHidden) {
  CDialog report(IDD_MANIPULATED_CONNECTION);
  ASSERT_TRUE(report.Create());
  for (int id : {IDC_REGISTERED_PASSWORD, IDC_ALTERED_PASSWORD}) {
    EXPECT_NE(0u, Style(report.GetDlgItem(id)) & ES_PASSWORD) << id;
  }
  EXPECT_EQ(0u, Style(report.GetDlgItem(IDC_ALTERED_USER_NAME)) & ES_PASSWORD);
  EXPECT_EQ(0u, Style(report.GetDlgItem(IDCANCEL)) & WS_VISIBLE);

  CDialog credentials(IDD_CHANGE_USER_PASS);
  ASSERT_TRUE(credentials.Create());
  for (int id : {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_REPEAT_PASSWORD}) {
    EXPECT_NE(0u, Style(credentials.GetDlgItem(id)) & ES_PASSWORD) << id;
  }
  EXPECT_EQ(0u, Style(credentials.GetDlgItem(IDC_ENTRY_NAME)) & WS_TABSTOP);
}

std::vector<std::pair<UINT, std::string>> MenuItems(HMENU menu) {
  std::vector<std::pair<UINT, std::string>> items;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    items.emplace_back(::GetMenuItemID(menu, i), text);
  }
  return items;
}

TEST(Menus, TrayMenuHasItsItemsInOrderWithInactiveStatusLines) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  ASSERT_NE(nullptr, menu);
  ASSERT_EQ(1, ::GetMenuItemCount(menu));
  HMENU popup = ::GetSubMenu(menu, 0);
  const std::vector<std::pair<UINT, std::string>> expected = {
      {ID_TRAY_RESTORE, "Restore Tollward &Control Center"},
      {0, ""},
      {ID_TRAY_SCAN_NOW, "Scan Connections now"},
      {ID_TRAY_MONITOR, "Monitor Connections"},
      {ID_TRAY_LAST_SCAN, "   (no last scan)"},
      {ID_TRAY_MONITOR_COUNT, "   (0 monitorings performed)"},
      {0, ""},
      {ID_TRAY_BAD_AREAS, "&Bad Area Code Manager"},
      {ID_TRAY_OPTIONS, "&Options"},
      {0, ""},
      {ID_TRAY_ABOUT, "&About Tollward"},
      {ID_TRAY_SHUTDOWN, "Shutdown Tollward"},
  };
  EXPECT_EQ(expected, MenuItems(popup));
  for (UINT status : {ID_TRAY_LAST_SCAN, ID_TRAY_MONITOR_COUNT}) {
    EXPECT_EQ(static_cast<UINT>(MF_DISABLED),
              ::GetMenuState(popup, status, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
  }
  ::DestroyMenu(menu);
}

TEST(Menus, EntryMenuHasOnePopupPerList) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ENTRY_MENU));
  ASSERT_NE(nullptr, menu);
  ASSERT_EQ(2, ::GetMenuItemCount(menu));
  const std::vector<std::pair<UINT, std::string>> registered = {
      {ID_ENTRY_UNREGISTER, "unregister phonebook entry"},
      {0, ""},
      {ID_ENTRY_REGISTERED_PROPERTIES, "phonebook entry properties"},
      {ID_ENTRY_REGISTERED_USER_PASS, "edit username / password"},
  };
  const std::vector<std::pair<UINT, std::string>> unregistered = {
      {ID_ENTRY_REGISTER, "register phonebook entry"},
      {0, ""},
      {ID_ENTRY_UNREGISTERED_PROPERTIES, "phonebook entry properties"},
      {ID_ENTRY_UNREGISTERED_USER_PASS, "edit username / password"},
  };
  EXPECT_EQ(registered, MenuItems(::GetSubMenu(menu, 0)));
  EXPECT_EQ(unregistered, MenuItems(::GetSubMenu(menu, 1)));
  char name[16] = {};
  ::GetMenuStringA(menu, 0, name, sizeof(name), MF_BYPOSITION);
  EXPECT_STREQ("Reg", name);
  ::GetMenuStringA(menu, 1, name, sizeof(name), MF_BYPOSITION);
  EXPECT_STREQ("Unreg", name);
  ::DestroyMenu(menu);
}

TEST(Strings, LongTextsArriveWholeWithTheirLineBreaks) {
  const std::string warning = LoadResString(IDS_EXPERT_WARNING);
  EXPECT_GT(warning.size(), 256u);
  EXPECT_EQ(0u, warning.find("If you check this box, Tollward will offer you a bit more "
                             "functionality.\n\nParts of this functionality"));
  EXPECT_EQ("Are you sure you want to activate this enhanced features of Tollward?\n",
            warning.substr(warning.rfind("\n\n") + 2));
  const std::string oldPassword = LoadResString(IDS_INVALID_OLD_PASSWORD);
  EXPECT_NE(std::string::npos, oldPassword.find("considerations.\n\nIf you forgot"));
  EXPECT_EQ("Options Error: \n\n", LoadResString(IDS_OPTIONS_ERROR_PREFIX));
  EXPECT_EQ("", LoadResString(1));
}

TEST(Strings, FormatsKeepLeadingBlanksAndTwoDigitTimes) {
  EXPECT_EQ("Tollward - monitoring active (last check at 09:05h)",
            FormatResString(IDS_TRAY_TIP_MONITORING, 9u, 5u));
  EXPECT_EQ("   (last scan at 23:59h)", FormatResString(IDS_TRAY_LAST_SCAN, 23u, 59u));
  EXPECT_EQ("   (3 monitorings performed)", FormatResString(IDS_TRAY_MONITOR_COUNT, 3u));
}

SIZE DibSize(UINT id, int* bitsPerPixel) {
  HANDLE image = ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
  DIBSECTION dib{};
  ::GetObjectA(image, sizeof(dib), &dib);
  *bitsPerPixel = dib.dsBm.bmBitsPixel;
  ::DeleteObject(image);
  return SIZE{dib.dsBm.bmWidth, dib.dsBm.bmHeight};
}

TEST(Pictures, SplashAndBannerHaveTheirSizesInEightBits) {
  int bits = 0;
  const SIZE splash = DibSize(IDB_SPLASH, &bits);
  EXPECT_EQ(284, splash.cx);
  EXPECT_EQ(102, splash.cy);
  EXPECT_EQ(8, bits);
  const SIZE banner = DibSize(IDB_ABOUT_BANNER, &bits);
  EXPECT_EQ(102, banner.cx);
  EXPECT_EQ(284, banner.cy);
  EXPECT_EQ(8, bits);
}

TEST(Pictures, MenuPicturesAreSmallFourBitImages) {
  for (UINT id :
       {IDB_MENU_ABOUT, IDB_MENU_SHUTDOWN, IDB_MENU_RESTORE, IDB_MENU_SCAN, IDB_MENU_PROPERTIES,
        IDB_MENU_MONITOR_OFF, IDB_MENU_MONITOR_ON, IDB_MENU_BAD_AREAS, IDB_MENU_REGISTER,
        IDB_MENU_UNREGISTER, IDB_MENU_USER_PASS, IDB_SYSMENU_ABOUT, IDB_SYSMENU_CLOSE}) {
    int bits = 0;
    const SIZE size = DibSize(id, &bits);
    EXPECT_EQ(13, size.cy) << id;
    EXPECT_LE(12, size.cx) << id;
    EXPECT_GE(13, size.cx) << id;
    EXPECT_EQ(4, bits) << id;
  }
}

TEST(Pictures, IconsAndTheDragCursorLoad) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  for (UINT id : {IDI_TOLLWARD, IDI_DELETE_CODE, IDI_ADD_CODE, IDI_TRAY_IDLE, IDI_TRAY_MONITORING,
                  IDI_TRAY_FLASH}) {
    for (int size : {16, 32}) {
      HANDLE icon = ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
      EXPECT_NE(nullptr, icon) << id << " at " << size;
      ::DestroyIcon(static_cast<HICON>(icon));
    }
  }
  EXPECT_NE(nullptr, ::LoadCursorA(instance, MAKEINTRESOURCEA(IDCUR_DRAG_ENTRY)));
}

TEST(Manifest, RedirectsTheCommonControlsToVersionSix) {
  EXPECT_NE(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)));
  // Only the version 6 assembly named in the manifest redirects comctl32.dll; without it the
  // system's version 5 would draw the controls.
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  EXPECT_TRUE(::FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         "comctl32.dll", &data));
}

}  // namespace
}  // namespace tollward::ui
