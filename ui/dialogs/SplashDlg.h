// The splash window: the product picture, top-most and centerd, while the program starts.
#pragma once

#include "ui/framework/Dialog.h"

namespace tollward::ui {

// Created modeless (Create) by the starting program, which also destroys it; neither Enter nor
// Escape closes it.
class CSplashDlg : public CDialog {
 public:
  CSplashDlg();

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
};

}  // namespace tollward::ui
