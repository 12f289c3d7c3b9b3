#pragma once
#include <vector>

#include "level/Vec2.h"

// What a worker (a class-9 world object) carries beyond the object record: where it faces,
// what it plays, where it belongs and the rest of its route.
struct WorkerState {
  int direction = -1;  // 8-way facing 0..7, -1 before the first step
  int animation = 0;   // current worker animation index
  int home = 0;        // waypoint index the worker belongs to / comes from
  bool returning = false;
  Vec2 legTarget;         // position of the next waypoint
  std::vector<int> path;  // waypoint indices, destination first; the back is the next one

  bool operator==(const WorkerState&) const = default;
};
