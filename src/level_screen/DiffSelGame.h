#pragma once
#include "gui/GUIDialog.h"

// The difficulty choice inside a level (layout "diff_sel_game"): relax, casual and expert
// (1051..1053) restart the level in that difficulty; 1059 cancels.
class DiffSelGame : public GUIDialog {
 public:
  static constexpr int kFirst = 1051;

  explicit DiffSelGame(int dialogId) : GUIDialog(dialogId, Rect{}, "diff_sel_game") {}

  // Shows the dialog (240 ms) with the button of the current difficulty marked as pressed.
  void Fill(int difficulty);
};
