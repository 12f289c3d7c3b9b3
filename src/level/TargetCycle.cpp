#include "level/TargetCycle.h"

#include <algorithm>
#include <cmath>

#include "level/GameController.h"
#include "level/Level.h"

namespace {

using F = ObjectFlags;

// Reading order on the level: higher rows first (y grows upwards), then left to right. Rows
// are 24 units tall, so objects at nearly the same height read as one row.
bool ReadsBefore(Vec2 a, Vec2 b) {
  const float rowA = std::floor(a.y / 24.0f), rowB = std::floor(b.y / 24.0f);
  if (rowA != rowB) return rowA > rowB;
  return a.x < b.x;
}

bool Candidate(GameController& game, WorldObject& o) {
  if (!std::isfinite(o.position.x) || !std::isfinite(o.position.y)) return false;
  if (game.PickHovered(o.position) != &o) return false;
  if (o.cls == WorldObject::kWaypoint) {
    if (!o.link || o.Has(F::kQueued) || o.link->HasAny(F::kInProcess | F::kBusy)) return false;
  }
  game.Hover(&o);
  if (game.hovered != o.id) return false;
  return o.cls != WorldObject::kWaypoint ||
         (game.readiness & GameController::kUnreachable) == 0;
}

struct Found {
  WorldObject* object;
  Vec2 at;
};

std::vector<Found> Collect(GameController& game) {
  const int savedHovered = game.hovered, savedReadiness = game.readiness;
  std::vector<Found> found;
  const auto consider = [&](WorldObject* o) {
    if (!o) return;
    // A bird may be listed by the hazards and among the objects too.
    for (const Found& f : found) {
      if (f.object == o) return;
    }
    if (Candidate(game, *o)) found.push_back({o, o->position});
  };
  for (int i = 0; i < 2; ++i) consider(game.hazards.Bird(i));
  for (const auto& o : game.level.objects) consider(o.get());
  game.hovered = savedHovered;
  game.readiness = savedReadiness;
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return ReadsBefore(a.at, b.at); });
  return found;
}

}  // namespace

std::vector<int> TargetCycle::Candidates(GameController& game) {
  std::vector<int> ids;
  for (const Found& f : Collect(game)) ids.push_back(f.object->id);
  return ids;
}

WorldObject* TargetCycle::Step(GameController& game, int direction) {
  const std::vector<Found> found = Collect(game);
  if (found.empty()) {
    marked_ = 0;
    return nullptr;
  }
  const auto marked = std::find_if(found.begin(), found.end(),
                                   [&](const Found& f) { return f.object->id == marked_; });
  size_t next = 0;
  if (marked != found.end()) {
    const size_t i = size_t(marked - found.begin());
    next = direction >= 0 ? (i + 1) % found.size() : (i + found.size() - 1) % found.size();
  } else if (marked_ != 0) {
    // The mark's object is gone (its work began): go on from where it stood.
    const auto after = std::find_if(found.begin(), found.end(),
                                    [&](const Found& f) { return ReadsBefore(at_, f.at); });
    const size_t i = size_t(after - found.begin());
    next = direction >= 0 ? i % found.size() : (i + found.size() - 1) % found.size();
  } else {
    next = direction >= 0 ? 0 : found.size() - 1;
  }
  marked_ = found[next].object->id;
  at_ = found[next].at;
  return found[next].object;
}

WorldObject* TargetCycle::Marked(GameController& game) const {
  if (marked_ == 0) return nullptr;
  for (const Found& f : Collect(game)) {
    if (f.object->id == marked_) return f.object;
  }
  return nullptr;
}
