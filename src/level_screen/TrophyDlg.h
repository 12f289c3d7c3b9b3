#pragma once
#include "gui/GUIDialog.h"

// An earned achievement (layout "ach_dlg"): its name (1042), how it was earned (1043) and its
// picture (1044); continue is 1045.
class TrophyDlg : public GUIDialog {
 public:
  explicit TrophyDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "ach_dlg") {}
};
