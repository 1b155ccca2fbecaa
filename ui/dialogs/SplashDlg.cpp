// The splash window: the product picture, top-most and centerd, while the program starts.
#include "ui/dialogs/SplashDlg.h"

#include "res/resource.h"

namespace tollward::ui {

CSplashDlg::CSplashDlg() : CDialog(IDD_SPLASH) {}

bool CSplashDlg::OnInitDialog() {
  FitPicture(IDC_DIALOG_PICTURE, IDB_SPLASH);
  SetTopmost();
  CenterWindow(nullptr);
  return true;
}

}  // namespace tollward::ui
