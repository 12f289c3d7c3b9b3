#include "level/WorkerWalker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/Random.h"
#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/LevelScreen.h"

namespace {

constexpr int kExitSubclass = 13;
constexpr const char* kEmptySuffix = "_empty";

Vec2 PositionOf(const Level& l, int node) {
  const WorldObject* wp = l.waypoints[size_t(node)].waypoint;
  return wp ? wp->position : Vec2{};
}

}  // namespace

float WorkerWalker::Speed(const WorldObject& w) const {
  const Level& l = game_.level;
  const float bonus = game_.speedBonus ? 10.0f : 0.0f;
  const bool thiefOut = WorkerRoster::TypeOf(w) == WorkerRoster::kThief && !w.worker->returning;
  const float speed =
      (l.runSpeed + bonus) * 0.01f * (thiefOut ? 0.5f : 1.0f) * (game_.Ended() ? 2.0f : 1.0f);
  // Content may slow workers below nothing (an obelisk of negative value): they stand.
  return std::isfinite(speed) ? std::max(speed, 0.0f) : 0.0f;
}

void WorkerWalker::Walk(WorldObject& w, float frameTime) {
  using F = ObjectFlags;
  Level& l = game_.level;
  WorkerState& s = *w.worker;
  // A route naming waypoints the level lacks ends here: the worker is home.
  if (std::any_of(s.path.begin(), s.path.end(), [&](int n) {
        return n < 0 || size_t(n) >= l.waypoints.size() || !l.waypoints[size_t(n)].waypoint;
      })) {
    s.path.clear();
    ComeHome(w);
    return;
  }
  // A walking worker's sprite plays.
  if (w.sprite && !w.sprite->Playing()) w.sprite->step = 1;
  // The exit walk starts the ordinary workers one after another.
  if (game_.exitWalk == GameController::ExitWalk::Running && w.stamp < 0) {
    w.stamp = int(std::min(0.0f, float(w.stamp) + frameTime));
    w.alpha = 0;
    return;
  }
  w.alpha = 255;
  // The next waypoint of the path; the last one of an outward path is the final approach.
  const WorldObject& next = *l.waypoints[size_t(s.path.back())].waypoint;
  const bool finalApproach = s.path.size() == 1 && !s.returning;
  // This frame's step, and how near the waypoint counts as there: on the final approach
  // within 0.6 of its half-diagonal, on other legs at the point itself.
  const float step = Speed(w) * frameTime;
  const float radius = finalApproach ? 0.6f * std::hypot(next.size.x, next.size.y) : 1.0f;
  // A pose is played to its end before anything else.
  if (w.Has(F::kPose)) {
    if (w.sprite && w.sprite->current >= w.sprite->LastFrame()) {
      w.Set(F::kPose, false);
      game_.roster.SetAnimation(w, 0);
      if (game_.Ended()) RouteToExit(w);
    }
    return;
  }
  const float dx = s.legTarget.x - w.position.x;
  const float dy = s.legTarget.y - w.position.y;
  // A walking worker faces where it goes; one at work keeps its facing.
  if (!w.Has(F::kAtWork)) WorkerRoster::SetDirection(w, dx, dy);
  // Near enough (or at work) the worker arrives; otherwise it steps towards its leg's end.
  const float distance = std::hypot(dx, dy);
  if (s.direction >= 0 && (w.Has(F::kAtWork) || radius + step > distance)) {
    Arrive(w, frameTime);
  } else if (distance > 0) {
    w.position.x += dx / distance * step;
    w.position.y += dy / distance * step;
  }
}

void WorkerWalker::Arrive(WorldObject& w, float frameTime) {
  using F = ObjectFlags;
  Level& l = game_.level;
  WorkerState& s = *w.worker;
  WorldObject& next = *l.waypoints[size_t(s.path.back())].waypoint;
  const bool finalApproach = s.path.size() == 1 && !s.returning;
  if (finalApproach) {
    s.legTarget = w.position;
  } else {
    w.position = s.legTarget;
  }
  if (next.Has(F::kStateSprite) && !w.Has(F::kAtWork)) w.Set(F::kHidden, !w.Hidden());
  if (s.path.size() == 1) {
    if (game_.Ended() && next.subclass == kExitSubclass) {
      w.Set(F::kHidden);
      w.Set(F::kBusy, false);
      s.path.clear();
    } else if (finalApproach) {
      game_.work.Step(w, next, frameTime);
    } else if (s.returning) {
      ComeHome(w);
    } else {
      ComeHome(w);  // a route that ends nowhere in particular
    }
    return;
  }
  if (WorldObject* o = next.link; o && o->cls == WorldObject::kObstacle && o->respawnLeft > 0) {
    o->respawnLeft -= int(frameTime);
    if (o->respawnLeft < 1) o->respawnLeft = 1500 + RandomRange(0, 1499);
  }
  s.path.pop_back();
  char effect[16];
  std::snprintf(effect, sizeof effect, "step_%02d", WorkerRoster::TypeOf(w) % 100);
  game_.StartEffect(effect, w.position);
  if (s.path.size() == 1 && !s.returning) {
    if (const WorldObject* dest = l.waypoints[size_t(s.path.back())].waypoint) {
      game_.screen.WorkerApproaching(dest->id);
    }
  }
  s.legTarget = PositionOf(l, s.path.back());
}

void WorkerWalker::WorkerOut(WorldObject& w) {
  using F = ObjectFlags;
  Level& l = game_.level;
  // The player's crew only: thieves walk in the same list but are nobody's workers.
  int busy = 0;
  for (const auto& other : l.workers) {
    if (WorkerRoster::TypeOf(*other) != WorkerRoster::kThief && other->Has(F::kBusy)) ++busy;
  }
  if (busy >= 3) game_.screen.Achievement(18);
  if (busy >= 5) game_.screen.Achievement(16);
  game_.PlaySound("worker_out");
  if (w.sprite) {
    SpriteAnim& sprite = *w.sprite;
    const int low = sprite.LoopStart();
    sprite.current = sprite.Clamp(RandomRange(low, sprite.Frames() - 1));
  }
  const int type = WorkerRoster::TypeOf(w);
  if (type >= 1 && type <= 8) {
    if (WorldObject* home = l.FindObject(game_.homes[size_t(type)])) {
      const std::string empty = home->texture + kEmptySuffix;
      if (l.Textures() && l.Textures()->HasTexture(empty)) l.SetTexture(*home, empty);
      home->particles.active = false;
    }
  }
}

void WorkerWalker::ComeHome(WorldObject& w) {
  using F = ObjectFlags;
  WorkerState& s = *w.worker;
  s.path.clear();
  w.Set(F::kBusy | F::kAtWork | F::kPose, false);
  s.direction = -1;
  s.returning = false;
  w.Set(F::kHidden);
  if (WorkerRoster::TypeOf(w) == WorkerRoster::kThief) {
    game_.PlaySound("thief_success");
    w.Set(F::kDelete);
    return;
  }
  if (game_.Ended()) {
    if (game_.exitWalk != GameController::ExitWalk::NotStarted) RouteToExit(w);
    return;
  }
  game_.DeliverIncome(w);
  w.linkId = 0;
  game_.roster.SetAnimation(w, 0);
  WorkerReturn(w);
  game_.ServeQueue();
}

void WorkerWalker::WorkerReturn(WorldObject& w) {
  Level& l = game_.level;
  game_.PlaySound("worker_return");
  const int type = WorkerRoster::TypeOf(w);
  if (type < 0 || type > 8) return;
  WorldObject* home = l.FindObject(game_.homes[size_t(type)]);
  if (!home) return;
  if (home->Hidden()) l.Show(*home, true);
  const std::string& t = home->texture;
  const size_t n = std::char_traits<char>::length(kEmptySuffix);
  if (t.size() > n && t.compare(t.size() - n, n, kEmptySuffix) == 0) {
    const std::string full = t.substr(0, t.size() - n);
    if (l.Textures() && l.Textures()->HasTexture(full)) l.SetTexture(*home, full);
  }
  l.AttachParticles(*home);
}

void WorkerWalker::SetRoute(WorldObject& w, int from, int delay) {
  using F = ObjectFlags;
  Level& l = game_.level;
  const int exit = game_.roster.BaseStart(WorkerRoster::kExits);
  if (from < 0 || exit < 0) return;
  WorldObject* target = l.waypoints[size_t(exit)].waypoint;
  auto path = game_.paths.FindPath(from, target, false);
  if (!path) return;
  WorkerState& s = *w.worker;
  s.path = std::move(*path);
  s.returning = false;
  w.position = PositionOf(l, from);
  s.legTarget = w.position;
  w.Set(F::kBusy);
  w.Set(F::kHidden, false);
  w.stamp = delay;
}

bool WorkerWalker::RouteToExit(WorldObject& w) {
  using F = ObjectFlags;
  Level& l = game_.level;
  WorkerState& s = *w.worker;
  const int exit = game_.roster.BaseStart(WorkerRoster::kExits);
  const int from = s.path.empty() ? s.home : s.path.front();
  if (exit < 0 || from < 0 || size_t(from) >= l.waypoints.size()) return false;
  auto path = game_.paths.FindPath(from, l.waypoints[size_t(exit)].waypoint, false);
  if (!path) return false;
  if (s.path.empty()) {
    w.position = PositionOf(l, from);
    s.legTarget = w.position;
  } else {
    path->pop_back();  // the end of the old route is the start of the new one
  }
  // The new leg goes below the rest of the current route.
  path->insert(path->end(), s.path.begin(), s.path.end());
  s.path = std::move(*path);
  s.returning = false;
  w.Set(F::kBusy);
  w.Set(F::kHidden, false);
  return true;
}

void WorkerWalker::StartExitWalk() {
  using F = ObjectFlags;
  WorkerRoster& roster = game_.roster;
  for (int type = 1; type <= 8; ++type) {
    WorldObject* w = roster.Special(type);
    if (!w) continue;
    if (!w->Has(F::kBusy)) {
      SetRoute(*w, roster.BaseStart(type), 0);
    } else if (w->worker->animation == 0) {
      RouteToExit(*w);
    }
  }
  int delay = 0;
  for (int i = 0; i < roster.Active(); ++i, delay -= kExitDelayMs) {
    WorldObject* w = roster.At(i);
    if (!w || !w->worker) continue;
    if (!w->Has(F::kBusy)) {
      SetRoute(*w, w->worker->home, delay);
    } else if (w->worker->animation == 0) {
      RouteToExit(*w);
    }
  }
  game_.PlaySound("worker_out");
  game_.screen.RefreshFreeWorkers();
}

bool WorkerWalker::ExitWalk() {
  using Walk = GameController::ExitWalk;
  Level& l = game_.level;
  if (l.mode == LevelMode::MiniGame || game_.exitWalk == Walk::Done) {
    game_.exitWalk = Walk::Done;
    return true;
  }
  if (game_.exitWalk == Walk::NotStarted) {
    game_.exitWalk = Walk::Running;
    if (game_.roster.BaseStart(WorkerRoster::kExits) < 0) {
      game_.exitWalk = Walk::Done;
      return true;
    }
    StartExitWalk();
    return false;
  }
  // A thief still on its way does not hold up the crew's walk out.
  const bool walking = std::any_of(l.workers.begin(), l.workers.end(), [](const auto& w) {
    return w->worker && !w->worker->path.empty() &&
           WorkerRoster::TypeOf(*w) != WorkerRoster::kThief;
  });
  if (!walking) game_.exitWalk = Walk::Done;
  return !walking;
}
