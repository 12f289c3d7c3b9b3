#pragma once
#include "gui/GUIDialog.h"

// The level's briefing (layout "briefing_dlg"): the level's name (1014), its goals (1012)
// and difficulty (1015); start is 1011, the records 103.
class BriefingDlg : public GUIDialog {
 public:
  explicit BriefingDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "briefing_dlg") {}
};
