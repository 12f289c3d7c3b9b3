#pragma once
#include <optional>
#include <vector>

class Level;
struct WorldObject;

// Searches the level's waypoint graph: the route a worker walks, the length of a route (to
// pick the nearest worker or home) and the object that blocks a route. Every link costs 1;
// the search visits the cheapest node next, the lowest list index winning ties, and examines
// neighbour slots 0..5 in order, so equal routes always come out the same.
//
// Routes are lists of waypoint indices with the destination first and the start last, the
// order in which a worker keeps them (the next waypoint at the back).
class PathFinder {
 public:
  using Path = std::vector<int>;

  explicit PathFinder(Level& level) : level_(level) {}

  // The node of the waypoint that serves an object: a waypoint's own node, or the node of
  // the waypoint that links to the object. -1 for none.
  int TargetNode(const WorldObject* target) const;

  // The route from waypoint index start to the target's waypoint. A waypoint whose object
  // blocks the way is not entered, unless throughBlocked is set or it is the target's own.
  std::optional<Path> FindPath(int start, const WorldObject* target, bool throughBlocked) const;
  // The number of nodes on that route, 0 when there is none. With passableOnly, a waypoint
  // other than the target's whose object blocks the way is reached but not left.
  int PathLength(int start, const WorldObject* target, bool passableOnly) const;
  // The object that blocks the way of worker type `type` from its base to the waypoint
  // `target`: leaving a waypoint whose object blocks (and is neither in process nor queued)
  // costs 101 instead of 1, and the first such object along the cheapest route is returned.
  WorldObject* FindBlocker(int type, const WorldObject* target) const;

 private:
  enum class Rule { Route, RouteThroughBlocked, Length, Blocker };
  // Dijkstra from start to node goal under a rule; true when the goal was reached (the
  // nodes' previous indices then describe the route).
  bool Search(int start, int goal, Rule rule) const;
  Path Collect(int goal) const;
  bool Blocks(const WorldObject* waypoint) const;
  bool ValidNode(int index) const;

  Level& level_;
};
