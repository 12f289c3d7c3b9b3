#pragma once
#include "gui/GUIDialog.h"

// The difficulty choice inside a level (layout "diff_sel_game"): relax, casual and expert
// (1051..1053) restart the level in that difficulty; 1059 cancels.
class DiffSelGame : public GUIDialog {
 public:
  explicit DiffSelGame(int dialogId) : GUIDialog(dialogId, Rect{}, "diff_sel_game") {}
};
