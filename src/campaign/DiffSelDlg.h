#pragma once
#include "gui/GUIDialog.h"

// The difficulty of a new game (layout "diff_sel_dlg"): relax, casual and expert
// (1051..1053). It has no cancel: the new game starts whatever is clicked.
class DiffSelDlg : public GUIDialog {
 public:
  static constexpr int kFirst = 1051, kLast = 1053;

  explicit DiffSelDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "diff_sel_dlg") {}

  // The difficulty 0..2 a result chooses; -1 for any other result.
  static int DifficultyOf(int result) {
    return result >= kFirst && result <= kLast ? result - kFirst : -1;
  }
};
