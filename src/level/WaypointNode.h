#pragma once
#include <array>

struct WorldObject;

// One waypoint of the level's path graph (one per class-3 object). Neighbour slots 0..2 are
// the waypoints this one links to, 3..5 the waypoints that link to it; -1 marks an empty slot.
struct WaypointNode {
  static constexpr int kUnreached = 1000000;

  int index = 0;                    // position in the level's waypoint list
  WorldObject* waypoint = nullptr;  // the class-3 object
  bool visited = false;
  int cost = kUnreached;
  int iterator = 0;
  int previous = -1;
  std::array<int, 6> neighbours{-1, -1, -1, -1, -1, -1};
};
