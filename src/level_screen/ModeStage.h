#pragma once
#include <set>
#include <utility>

#include "app/Mode.h"

// The episode map while it has no screen of its own: it passes straight on to the first
// level of the campaign that the player has not finished and that can be read, and shows a
// line of text when there is none left to play. Escape (or a click) on that text starts
// the first level again.
class ModeStage : public Mode {
 public:
  void Enter() override;
  void Update() override;
  int OnInput(InputEvent event) override;

  // A level that could not be started is not chosen again during this run.
  void LevelFailed(int episode, int level) { failed_.insert({episode, level}); }
  // The level the map starts next: the first unfinished one that has not failed (episode
  // and level from 1), or none.
  bool NextLevel(int& episode, int& level) const;

 private:
  std::set<std::pair<int, int>> failed_;
  bool chosen_ = false;
};

ModeStage& TheModeStage();
