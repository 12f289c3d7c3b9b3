#pragma once
#include "gui/GUIDialog.h"

// The main menu's further options (layout "menu_hide"): settings (1001), credits (1002),
// restart the whole game (1003) and close (3).
class MenuPopupDlg : public GUIDialog {
 public:
  static constexpr int kSettings = 1001, kCredits = 1002, kRestart = 1003, kClose = 3;

  explicit MenuPopupDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "menu_hide") {}
};
