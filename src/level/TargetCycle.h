#pragma once
#include <vector>

#include "level/Vec2.h"

class GameController;
struct WorldObject;

// Keyboard play in a level: the things a click could do something with now, in reading order
// (top to bottom, then left to right), and a mark that steps through them. The candidates
// are what the pointer could hover at their own place: waypoints a worker can reach (ready,
// or waiting for resources or a worker), puzzle pieces, fog, flying creatures and birds.
// Work under way and work already queued is left out, so that each step offers something
// new to do.
class TargetCycle {
 public:
  // The ids of the candidates now. Leaves the controller's hover as it found it.
  static std::vector<int> Candidates(GameController& game);

  // Moves the mark to the next candidate (direction > 0) or the one before, counted from
  // the marked one, or from where it stood when it is no candidate any more. Returns the
  // marked object, or null when there is nothing to mark.
  WorldObject* Step(GameController& game, int direction);
  // The marked object while it is still a candidate, else null.
  WorldObject* Marked(GameController& game) const;
  void Clear() { marked_ = 0; }
  int MarkedId() const { return marked_; }

 private:
  int marked_ = 0;
  Vec2 at_{};  // where the marked object stood when it was marked
};
