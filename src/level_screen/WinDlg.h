#pragma once
#include <array>

#include "gui/GUIDialog.h"

// What the won level's dialog shows besides the four score parts.
struct WinFacts {
  int medal = 0;       // 0 bronze, 1 silver, 2 gold
  int difficulty = 1;  // 0 relax, 1 casual, 2 expert
  int goldSeconds = 0, silverSeconds = 0;
  int timeLeftMs = 0;  // left on the time bar
  int stock = 0;       // the three resource stocks together
  int birds = 0;       // birds hunted
  int devScore = 25000;
  int level = 1;
  bool pieceFound = false;  // the level's puzzle piece is in the player's record
};

// What the two dialogs of a won level share: stars, the score parts and how they appear.
class WinDlgBase : public GUIDialog {
 public:
  static constexpr float kFadeMs = 240;
  using GUIDialog::GUIDialog;

  // s stars: bronze, silver or gold pictures; the base shows none.
  virtual void SetStars(int /*stars*/) {}
  // The score parts (medal, time, stock, birds) and the facts around them. The base sets
  // only the puzzle piece lines (1103 / 1153).
  virtual void SetResult(const std::array<int, 4>& parts, const WinFacts& facts);
  // Shows the dialog and lets its bands unfold; r01 in [0, 1] stretches the unfolding.
  virtual void Present(float r01);

  bool DevScoreBeaten() const { return devBeaten_; }
  // The elastic curve of the stars and the bands: 0 at t = 0, 1 at t = 1.
  static float Elastic(float t);

 protected:
  void Unfold(float r01);
  bool devBeaten_ = false;

 private:
  std::array<Rect, 6> bands_{};
  bool bandsTaken_ = false;
};

// The won level's dialog (layout "win_dlg"): play again (100), next level (101), the map
// (102) and the level's records (103).
class WinDlg : public WinDlgBase {
 public:
  explicit WinDlg(int dialogId) : WinDlgBase(dialogId, Rect{}, "win_dlg") {}
  void SetStars(int stars) override;
  void SetResult(const std::array<int, 4>& parts, const WinFacts& facts) override;
  void Present(float r01) override;
};

// The won level's dialog in relax difficulty (layout "win_dlg_relax"): no stars, no score.
class WinDlgRelax : public WinDlgBase {
 public:
  explicit WinDlgRelax(int dialogId) : WinDlgBase(dialogId, Rect{}, "win_dlg_relax") {}
};
