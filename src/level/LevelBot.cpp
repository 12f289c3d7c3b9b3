#include "level/LevelBot.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "level/GameController.h"
#include "level/Level.h"
#include "level/MiniGameBot.h"
#include "level/ObjectDesc.h"

namespace {

using F = ObjectFlags;

// What is still needed of each resource: the open quest amounts and the costs of open
// objectives, less the stock.
std::array<int, 3> Needs(const Level& l) {
  std::array<long long, 3> need{};
  for (size_t i = 0; i < 3; ++i) {
    if (l.questRes[i] > 0) need[i] += std::max(0, l.questRes[i] - l.questResCollect[i]);
  }
  for (const auto& o : l.objects) {
    if (!o->Has(F::kObjective) || !o->desc) continue;
    for (size_t i = 0; i < 3; ++i) need[i] += std::max(0, o->desc->cost[i]);
  }
  std::array<int, 3> out{};
  for (size_t i = 0; i < 3; ++i) {
    const long long cost = need[i] - (l.questRes[i] > 0 ? 0 : l.resources[i]);
    out[i] = int(std::clamp<long long>(cost, 0, 1000000));
  }
  return out;
}

}  // namespace

void LevelBot::ClickAt(GameController& game, Vec2 point) {
  WorldObject* p = game.PickHovered(point);
  game.Hover(p);
  game.Click(p);
}

void LevelBot::AfterClick() {
  const WorldObject* p = game_.Waypoint(lastTarget_);
  if (p && p->link && !p->link->Has(F::kInProcess) && !p->Has(F::kQueued)) {
    resting_[lastTarget_] = clock_ + kRestMs;
  }
  lastTarget_ = 0;
}

std::optional<Vec2> LevelBot::Decide(float frameTime) {
  const float step = std::isfinite(frameTime) ? std::max(frameTime, 0.0f) : 0.0f;
  clock_ += step;
  sinceThought_ += step;
  if (sinceThought_ < kThinkMs || game_.Ended()) return std::nullopt;
  sinceThought_ = 0;
  if (game_.level.mode == LevelMode::MiniGame) return MiniGameBot::Choose(game_);
  if (std::optional<Vec2> flyer = Flyer()) return flyer;
  return BestTarget();
}

std::optional<Vec2> LevelBot::Flyer() const {
  const WorldObject* f = game_.level.flyer;
  if (!f || game_.hazards.FlyerDying()) return std::nullopt;
  if (game_.PickHovered(f->position) != f) return std::nullopt;
  return f->position;
}

double LevelBot::Value(const WorldObject& p, const WorldObject& o) const {
  const Level& l = game_.level;
  const ObjectDesc& d = *o.desc;
  const std::array<int, 3> need = Needs(l);
  // Every target may open the way to something: a little value of its own.
  double value = 5;
  // An objective, or the site of one (a building raised or an object uncovered there).
  bool objective = o.Has(F::kObjective);
  l.ForLinkChain(o, [&](const WorldObject& next) {
    if (next.cls != WorldObject::kWaypoint && next.Has(F::kObjective)) objective = true;
  });
  if (objective) value += 100;
  if (o.Has(F::kQuest) && l.questObjectsFound < l.questObjectsNeeded) value += 60;
  bool yields = false;
  for (size_t i = 0; i < 3; ++i) {
    if (d.income[i] <= 0) continue;
    yields = true;
    const int room = std::max(l.storage - l.resources[i], 0);
    value += 10.0 * std::min({d.income[i], need[i], room});
    value += 0.5 * std::min(d.income[i], room);
  }
  // Houses, stores and speeds help everything that follows.
  if (o.link && o.link->cls == WorldObject::kBuilding && o.link->desc) {
    const int type = o.link->desc->type;
    if (type == ObjectDesc::kWorkersHouse) value += 40;
    // A building that keeps thieves or flying creatures away, while they come.
    if (type == ObjectDesc::kAntiThief && l.thiefPeriod > 0 && !(l.flags & 1)) value += 30;
    if (type == ObjectDesc::kAntiFlying && l.flyTime > 0 && !(l.flags & 2)) value += 30;
    if (type != ObjectDesc::kNone) value += 15;
  }
  (void)yields;
  value -= 0.1 * (d.cost[0] + d.cost[1] + d.cost[2]);
  // Nearer work first, among equals.
  value -= 0.002 * std::hypot(p.position.x, p.position.y);
  return value;
}

std::optional<Vec2> LevelBot::BestTarget() {
  Level& l = game_.level;
  const bool queueRoom = int(l.commandQueue.size()) < GameController::kQueueCapacity;
  const WorldObject* best = nullptr;
  double bestValue = 0;
  bool bestReady = false;
  const int savedHovered = game_.hovered;
  const int savedReadiness = game_.readiness;
  for (const auto& item : l.objects) {
    WorldObject& p = *item;
    if (p.cls != WorldObject::kWaypoint || !p.link || !p.link->desc || p.Has(F::kQueued)) continue;
    if (const auto rest = resting_.find(p.id); rest != resting_.end() && rest->second > clock_) {
      continue;
    }
    const WorldObject& o = *p.link;
    if (o.HasAny(F::kInProcess | F::kBusy) || o.Has(F::kPassable)) continue;
    if (game_.PickHovered(p.position) != &p) continue;
    game_.Hover(&p);
    if (game_.hovered != p.id) continue;
    const int readiness = game_.readiness;
    const bool ready = readiness == GameController::kReady;
    // Work that waits for resources or a worker is queued ahead when there is room.
    const bool later = queueRoom && (readiness == GameController::kNoResources ||
                                     readiness == GameController::kNoWorker);
    if (!ready && !later) continue;
    const double value = Value(p, o) - (ready ? 0 : 30);
    if (value <= 0) continue;
    if (!best || value > bestValue) {
      best = &p;
      bestValue = value;
      bestReady = ready;
    }
  }
  game_.hovered = savedHovered;
  game_.readiness = savedReadiness;
  (void)bestReady;
  if (!best) return std::nullopt;
  lastTarget_ = best->id;
  return best->position;
}
