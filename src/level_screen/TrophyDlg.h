#pragma once
#include "gui/GUIDialog.h"

// An earned achievement (layout "ach_dlg"): its name (1042), how it was earned (1043) and its
// picture (1044); continue is 1045.
class TrophyDlg : public GUIDialog {
 public:
  explicit TrophyDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "ach_dlg") {}
  // Shows achievement n (0..21): strings "ach_%02d_name", "ach_%02d_earn" and the picture
  // "ach_%02d" with n + 1.
  void Fill(int n);
  int Shown() const { return shown_; }

 private:
  int shown_ = -1;
};
