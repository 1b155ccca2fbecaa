// The about box: program icon, banner, the version line built from the string table, credits.
#pragma once

#include <string>

#include "ui/framework/Dialog.h"

namespace tollward::ui {

// "Tollward Version " followed directly by the version string.
std::string AboutVersionLine(const std::string& version);

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(HWND parent = nullptr);

 protected:
  bool OnInitDialog() override;
};

}  // namespace tollward::ui
