#include "level/MiniGameBot.h"

#include <cmath>
#include <limits>

#include "level/GameController.h"
#include "level/Level.h"
#include "level/MiniGame.h"

namespace {

using BF = ObjectFlags;
enum BotSide { kFromLeft = 0, kFromRight = 1, kFromTop = 2, kFromBottom = 3 };

struct Search {
  int width;
  const std::vector<bool>& straight;
  const std::vector<int>& turn;
  const std::vector<bool>& present;
  const std::vector<bool>& fixed;
  std::vector<int> need;
  std::vector<bool> visited;
  int steps = 0;

  // Whether leaving cell c by side `out` can go on to the exit.
  bool Leave(int c, int out) {
    const int w = width, n = int(present.size());
    switch (out) {
      case kFromRight:
        if (c == n - 1) return true;
        return (c + 1) % w != 0 && Enter(c + 1, kFromLeft);
      case kFromBottom:
        if (c + w >= n) return c == n - 1;
        return Enter(c + w, kFromTop);
      case kFromLeft:
        return c % w != 0 && Enter(c - 1, kFromRight);
      default:
        return c - w >= 0 && Enter(c - w, kFromBottom);
    }
  }

  bool Enter(int c, int side) {
    if (c < 0 || size_t(c) >= present.size() || !present[size_t(c)] || visited[size_t(c)]) {
      return false;
    }
    if (++steps > 200000) return false;  // a bound for large grids
    visited[size_t(c)] = true;
    const int current = turn[size_t(c)];
    // Fewest clicks first: each click turns a quarter clockwise (orientation - 1).
    for (int clicks = 0; clicks < (fixed[size_t(c)] ? 1 : 4); ++clicks) {
      const int o = ((current - clicks) % 4 + 4) % 4;
      if (!MiniGameGrid::Connects(straight[size_t(c)], o, side)) continue;
      for (int out = 0; out < 4; ++out) {
        if (out == side || !MiniGameGrid::Connects(straight[size_t(c)], o, out)) continue;
        need[size_t(c)] = o;
        if (Leave(c, out)) return true;
      }
    }
    need[size_t(c)] = -1;
    visited[size_t(c)] = false;
    return false;
  }
};

Vec2 At(const WorldObject& o) { return o.position; }

}  // namespace

std::vector<int> MiniGameBot::SolveGrid(const MiniGameGrid& grid, const std::vector<bool>& fixed,
                                        int cell, int side) {
  std::vector<bool> present(grid.tiles.size());
  for (size_t i = 0; i < present.size(); ++i) present[i] = grid.tiles[i] != 0;
  return SolveGrid(grid.width, grid.straight, grid.turn, present, fixed, cell, side);
}

std::vector<int> MiniGameBot::SolveGrid(int width, const std::vector<bool>& straight,
                                        const std::vector<int>& turn,
                                        const std::vector<bool>& present,
                                        const std::vector<bool>& fixed, int cell, int side) {
  const size_t n = present.size();
  if (n == 0 || width < 1 || turn.size() != n || straight.size() != n || fixed.size() != n) {
    return {};
  }
  Search s{width, straight, turn, present, fixed, std::vector<int>(n, -1),
           std::vector<bool>(n, false)};
  if (!s.Enter(cell, side)) return {};
  return s.need;
}

std::optional<Vec2> MiniGameBot::Choose(const GameController& game) {
  const MiniGame& mini = game.miniGame;
  const Level& l = game.level;
  const MiniGamePhase* front = mini.Front();
  if (!front) return std::nullopt;
  const WorldObject* hero = mini.Hero();
  switch (front->kind) {
    case MiniGamePhase::kAttackers:
    case MiniGamePhase::kTargets: {
      const int spot = front->kind == MiniGamePhase::kAttackers ? 13 : 0;
      const WorldObject* best = nullptr;
      for (const auto& o : l.objects) {
        if (o->cls != WorldObject::kWaypoint || o->subclass != spot || !o->link) continue;
        if (o->link->Hidden() || o->Has(BF::kPassable)) continue;
        // An attacker about to strike first.
        if (!best || (o->Has(BF::kBusy) && !best->Has(BF::kBusy))) best = o.get();
      }
      if (best) return At(*best);
      break;
    }
    case MiniGamePhase::kEnemies: {
      const WorldObject* best = nullptr;
      float bestDistance = std::numeric_limits<float>::max();
      for (const auto& w : l.workers) {
        if (w->subclass != MiniGame::kEnemy || w->Hidden() || w->Has(BF::kPassable)) continue;
        const float d = hero ? std::hypot(w->position.x - hero->position.x,
                                          w->position.y - hero->position.y)
                             : 0.0f;
        if ((front->flags & MiniGamePhase::kNearOnly) && !(d <= front->dist)) continue;
        if (d < bestDistance) {
          bestDistance = d;
          best = w.get();
        }
      }
      if (best) return At(*best);
      break;
    }
    case MiniGamePhase::kEagles:
      for (const auto& o : l.objects) {
        if (o->cls == WorldObject::kWorker && o->subclass == MiniGame::kEnemy && !o->Hidden() &&
            o->Has(BF::kAtWork) && !o->Has(BF::kPassable) && o.get() != hero) {
          return At(*o);
        }
      }
      break;
    case MiniGamePhase::kFetchWork:
      if (mini.HeroBusy()) break;
      for (const auto& o : l.objects) {
        if (o->cls != WorldObject::kWaypoint || !o->link || o->link->Hidden()) continue;
        if (o->link->HasAny(BF::kPassable | BF::kInProcess) || !o->link->desc) continue;
        if (o->link->desc->work != l.heroType) continue;
        const int from = hero && hero->link && hero->link->waypoint >= 0 ? hero->link->waypoint : -1;
        if (from >= 0 && !game.paths.FindPath(from, o.get(), false)) continue;
        return At(*o);
      }
      break;
    case MiniGamePhase::kFetchCued:
      if (mini.HeroBusy() || mini.cue <= 0) break;
      for (const auto& o : l.objects) {
        if (o->cls != WorldObject::kWaypoint || !o->link) continue;
        const WorldObject& t = *o->link;
        if (t.cls == WorldObject::kObstacle && t.desc && t.desc->work == l.heroType &&
            t.respawnMin == mini.cue && !t.HasAny(BF::kInProcess | BF::kPassable)) {
          return At(*o);
        }
      }
      break;
    case MiniGamePhase::kClickCued:
      if (mini.cue <= 0) break;
      for (const auto& o : l.objects) {
        if (o->cls == WorldObject::kWaypoint && o->subclass == 3 && o->link &&
            o->link->Has(BF::kReachableOrdinary)) {
          return At(*o);
        }
      }
      break;
    case MiniGamePhase::kGrid: {
      const MiniGameGrid& grid = mini.grid;
      if (grid.piece == 0 || grid.done) break;
      const size_t n = grid.tiles.size();
      std::vector<bool> fixed(n, false);
      for (size_t i = 0; i < n; ++i) {
        const WorldObject* t = grid.tiles[i] ? l.FindObject(grid.tiles[i]) : nullptr;
        fixed[i] = !t || t->Has(BF::kPassable) || grid.Turning(*t);
      }
      const int side = grid.entryDir.x > 0.5f    ? kFromLeft
                       : grid.entryDir.x < -0.5f ? kFromRight
                       : grid.entryDir.y > 0.5f  ? kFromBottom
                                                 : kFromTop;
      const std::vector<int> need = SolveGrid(grid, fixed, grid.cell, side);
      for (size_t i = 0; i < need.size(); ++i) {
        if (need[i] < 0 || fixed[i] || need[i] == grid.turn[i]) continue;
        if (const WorldObject* t = l.FindObject(grid.tiles[i])) return At(*t);
      }
      break;
    }
    default:
      break;
  }
  return std::nullopt;
}
