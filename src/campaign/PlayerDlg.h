#pragma once
#include "gui/GUIDialog.h"

class PlayerProfiles;

// The choice of player (layout "player_select"): the list of names (23), new player (21),
// delete the selected player (22), OK (1) and cancel (3).
class PlayerDlg : public GUIDialog {
 public:
  static constexpr int kOk = 1, kCancel = 3, kNew = 21, kDelete = 22, kList = 23;

  explicit PlayerDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "player_select") {}

  // The list gets every player's name in slot order with the current player selected; new
  // is enabled while a slot is free, delete while a player exists.
  void Fill(const PlayerProfiles& profiles);
  // The selected list row (the k-th player), -1 without a list or rows.
  int Selected() const;
};
