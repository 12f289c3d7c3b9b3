#pragma once
#include "gui/GUIDialog.h"

// What the two dialogs of a won level share: stars, the score parts and how they appear.
class WinDlgBase : public GUIDialog {
 public:
  using GUIDialog::GUIDialog;
};

// The won level's dialog (layout "win_dlg"): play again (100), next level (101), the map
// (102) and the level's records (103).
class WinDlg : public WinDlgBase {
 public:
  explicit WinDlg(int dialogId) : WinDlgBase(dialogId, Rect{}, "win_dlg") {}
};

// The won level's dialog in relax difficulty (layout "win_dlg_relax"): no stars, no score.
class WinDlgRelax : public WinDlgBase {
 public:
  explicit WinDlgRelax(int dialogId) : WinDlgBase(dialogId, Rect{}, "win_dlg_relax") {}
};
