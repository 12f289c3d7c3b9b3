#include "level/PathFinder.h"

#include "level/Level.h"

namespace {

constexpr int kBlockerCost = 101;

}  // namespace

// A node of the graph whose waypoint still exists (deleted waypoints leave empty nodes).
bool PathFinder::ValidNode(int index) const {
  return index >= 0 && size_t(index) < level_.waypoints.size() &&
         level_.waypoints[size_t(index)].waypoint != nullptr;
}

int PathFinder::TargetNode(const WorldObject* target) const {
  if (!target) return -1;
  const WorldObject* wp = target->cls == WorldObject::kWaypoint ? target : target->backLink;
  if (!wp || wp->cls != WorldObject::kWaypoint || !ValidNode(wp->waypoint)) return -1;
  return wp->waypoint;
}

bool PathFinder::Blocks(const WorldObject* waypoint) const {
  const WorldObject* l = waypoint ? waypoint->link : nullptr;
  return l && !l->Has(ObjectFlags::kPassable);
}

bool PathFinder::Search(int start, int goal, Rule rule) const {
  std::vector<WaypointNode>& nodes = level_.waypoints;
  if (!ValidNode(start) || !ValidNode(goal)) return false;
  for (WaypointNode& n : nodes) {
    n.visited = false;
    n.cost = WaypointNode::kUnreached;
    n.previous = -1;
    n.iterator = 0;
  }
  nodes[size_t(start)].cost = 0;
  int current = start;
  // Every pass settles one node, so the loop ends after at most nodes.size() passes.
  while (current != goal) {
    WaypointNode& node = nodes[size_t(current)];
    int step = 1;
    bool expand = true;
    // The start is always left: a worker walks out of its own camp.
    if (rule == Rule::Length && current != start && Blocks(node.waypoint)) expand = false;
    if (rule == Rule::Blocker && Blocks(node.waypoint)) {
      const WorldObject* l = node.waypoint->link;
      if (!l->Has(ObjectFlags::kInProcess) && !node.waypoint->Has(ObjectFlags::kQueued)) {
        step = kBlockerCost;
      }
    }
    for (node.iterator = 0; expand && node.iterator < 6; ++node.iterator) {
      const int next = node.neighbours[size_t(node.iterator)];
      if (!ValidNode(next)) continue;
      WaypointNode& other = nodes[size_t(next)];
      if (other.visited) continue;
      if (rule == Rule::Route && next != goal && Blocks(other.waypoint)) continue;
      if (node.cost + step < other.cost) {
        other.cost = node.cost + step;
        other.previous = current;
      }
    }
    node.visited = true;
    int best = -1;
    for (size_t i = 0; i < nodes.size(); ++i) {
      const WaypointNode& n = nodes[i];
      if (!n.visited && n.cost < WaypointNode::kUnreached &&
          (best < 0 || n.cost < nodes[size_t(best)].cost)) {
        best = int(i);
      }
    }
    if (best < 0) return false;
    current = best;
  }
  return true;
}

PathFinder::Path PathFinder::Collect(int goal) const {
  Path path;
  const size_t limit = level_.waypoints.size();
  for (int n = goal; n >= 0 && path.size() <= limit; n = level_.waypoints[size_t(n)].previous) {
    path.push_back(n);
  }
  return path;
}

std::optional<PathFinder::Path> PathFinder::FindPath(int start, const WorldObject* target,
                                                     bool throughBlocked) const {
  const int goal = TargetNode(target);
  if (!Search(start, goal, throughBlocked ? Rule::RouteThroughBlocked : Rule::Route)) {
    return std::nullopt;
  }
  return Collect(goal);
}

int PathFinder::PathLength(int start, const WorldObject* target, bool passableOnly) const {
  const int goal = TargetNode(target);
  if (!Search(start, goal, passableOnly ? Rule::Length : Rule::Route)) return 0;
  return int(Collect(goal).size());
}

WorldObject* PathFinder::FindBlocker(int type, const WorldObject* target) const {
  if (type < 0 || type >= LevelData::kBaseLists) return nullptr;
  const std::vector<int>& base = level_.bases[size_t(type)];
  const int goal = TargetNode(target);
  if (base.empty() || !Search(base.front(), goal, Rule::Blocker)) return nullptr;
  const Path path = Collect(goal);
  // From the start towards the target.
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    if (*it == goal) break;
    const WorldObject* wp = level_.waypoints[size_t(*it)].waypoint;
    if (Blocks(wp) && !wp->link->Has(ObjectFlags::kInProcess) && !wp->Has(ObjectFlags::kQueued)) {
      return wp->link;
    }
  }
  return nullptr;
}
