// The about box: program icon, banner, the version line built from the string table, credits.
#include "ui/dialogs/AboutDlg.h"

#include "res/resource.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

std::string AboutVersionLine(const std::string& version) {
  return "Tollward Version " + version;
}

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

bool CAboutDlg::OnInitDialog() {
  // The template's text is only a placeholder for the designer; the string table has the say.
  FitPicture(IDC_DIALOG_PICTURE, IDB_ABOUT_BANNER);
  SetItemText(IDC_ABOUT_VERSION, AboutVersionLine(LoadResString(IDS_VERSION)).c_str());
  return true;
}

}  // namespace tollward::ui
