#include "level/MiniGame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unordered_set>

#include "base/Random.h"
#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelScreen.h"

namespace {

using MF = ObjectFlags;
constexpr double kMgPi = 3.14159265358979323846;
constexpr float kMgNear = 1.0e-3f;  // closer than this, a creature has no direction to stop by
constexpr int kMaxDelayMs = 1000000000;

float MgSane(float frameTime) {
  return std::isfinite(frameTime) && frameTime > 0 ? std::min(frameTime, 1.0e6f) : 0.0f;
}

// A random part of a delay: 0 .. span - 1, nothing for an empty range.
long long RandomPart(long long span) {
  if (span <= 0) return 0;
  return RandomRange(0, int(std::min<long long>(span - 1, INT32_MAX - 1)));
}

int ClampDelay(long long ms) { return int(std::clamp<long long>(ms, 1, kMaxDelayMs)); }

long long Truncated(float v) {
  if (!std::isfinite(v)) return 0;
  return (long long)std::trunc(std::clamp(v, -1.0e7f, 1.0e7f));
}

// Inside the object's quad grown by margin on every side (the quad turns with the object).
bool InsideGrown(const WorldObject& o, Vec2 point, float margin) {
  const double radians = double(o.rotation) * kMgPi / 180.0;
  const double dx = double(point.x) - o.position.x;
  const double dy = double(point.y) - o.position.y;
  const double lx = dx * std::cos(radians) + dy * std::sin(radians);
  const double ly = -dx * std::sin(radians) + dy * std::cos(radians);
  return std::fabs(lx) <= std::fabs(o.size.x) + margin &&
         std::fabs(ly) <= std::fabs(o.size.y) + margin;
}

// The first object or worker with that id.
WorldObject* FindAnywhere(const Level& l, int id) {
  if (WorldObject* o = l.FindObject(id)) return o;
  for (const auto& w : l.workers) {
    if (w->id == id) return w.get();
  }
  return nullptr;
}

// An id no object and no worker has: the next one, else the first free one.
int NewObjectId(Level& l) {
  if (l.nextId >= 1 && l.nextId <= 65535 && !FindAnywhere(l, l.nextId)) return l.nextId++;
  std::unordered_set<int> used;
  for (const auto& o : l.objects) used.insert(o->id);
  for (const auto& w : l.workers) used.insert(w->id);
  for (int id = 1; id <= 65535; ++id) {
    if (!used.count(id)) return id;
  }
  return 0;
}

// A fresh copy of an object, with a new id and none of the original's links.
std::unique_ptr<WorldObject> CopyOf(Level& l, const WorldObject& source) {
  auto copy = std::make_unique<WorldObject>(source);
  copy->id = uint16_t(NewObjectId(l));
  copy->link = copy->backLink = nullptr;
  copy->linkId = 0;
  copy->links = {};
  copy->backLinks = {};
  copy->waypoint = -1;
  copy->dialog.reset();
  copy->workSoundLoop = -1;
  copy->Set(MF::kDelete | MF::kDialog | MF::kPassable | MF::kBusy | MF::kAtWork | MF::kObjective |
                MF::kMarker,
            false);
  copy->marker = EffectRef{};
  return copy;
}

}  // namespace

MiniGame::MiniGame(GameController& game) : level(game.level), grid(*this), game_(game) {}

// ---------------------------------------------------------------- level start and phases

void MiniGame::Begin() {
  heroId_ = 0;
  hitsLeft_ = level.miniGame.health;
  fetch_ = Fetch{};
  cue = 0;
  lastCue = -1;
  grid.Clear();
  CreateHero(kStandFetch);
  NextPhase();
}

int MiniGame::BaseNode(int list) const {
  if (list < 0 || list >= LevelData::kBaseLists) return -1;
  const std::vector<int>& base = level.bases[size_t(list)];
  if (base.empty() || base.front() < 0 || size_t(base.front()) >= level.waypoints.size() ||
      !level.waypoints[size_t(base.front())].waypoint) {
    return -1;
  }
  return base.front();
}

WorldObject* MiniGame::Hero() const {
  if (heroId_ == 0) return nullptr;
  WorldObject* hero = level.FindObject(heroId_);
  return hero && hero->worker && !hero->Has(MF::kDelete) ? hero : nullptr;
}

WorldObject* MiniGame::CreateHero(int animation) {
  if (WorldObject* hero = Hero()) return hero;
  heroId_ = 0;
  const int type = level.heroType;
  if (type < 0 || type >= GameDescriptors::kWorkerTypes) return nullptr;
  for (const auto& o : level.objects) {
    if (o->cls == WorldObject::kWorker && o->subclass == type && !o->Has(MF::kDelete)) {
      if (!o->worker) o->worker = WorkerState{};
      heroId_ = o->id;
      return o.get();
    }
  }
  const int base = BaseNode(type);
  if (base < 0) return nullptr;  // no base: no hero, and clicks that need one do nothing
  WorldObject* at = level.waypoints[size_t(base)].waypoint;
  const WorkerAnim& anim = level.Descriptors().WorkerAnimation(type, animation);
  auto hero = std::make_unique<WorldObject>();
  hero->id = uint16_t(NewObjectId(level));
  hero->Set(MF::kHidden | MF::kSprite);
  hero->cls = WorldObject::kWorker;
  hero->subclass = uint16_t(type);
  hero->worker = WorkerState{};
  hero->uvRect = {0, 0, 1, 1};
  hero->size = WorkerRoster::CellHalfSize(level, anim, 64.0f);
  hero->position = at->position;
  hero->worker->legTarget = at->position;
  hero->worker->home = base;
  hero->respawnLeft = -1;
  SpriteAnim sprite;
  sprite.frameTime = anim.t;
  sprite.step = 1;
  hero->sprite = sprite;
  hero->link = at;
  hero->linkId = at->id;
  hero->UpdateQuad();
  WorldObject* placed = hero.get();
  const size_t layer = size_t(std::clamp<long long>(level.workerLayer, 0, (long long)level.objects.size()));
  level.objects.insert(level.objects.begin() + long(layer), std::move(hero));
  heroId_ = placed->id;
  game_.roster.SetAnimation(*placed, animation);
  placed->Set(MF::kHidden, false);
  return placed;
}

const MiniGamePhase* MiniGame::Front() const {
  return level.phases.empty() ? nullptr : &level.phases.front();
}
MiniGamePhase* MiniGame::Front() { return level.phases.empty() ? nullptr : &level.phases.front(); }
int MiniGame::Kind() const { return Front() ? Front()->kind : -1; }
int MiniGame::PhasesLeft() const { return int(level.phases.size()); }

void MiniGame::SetHeroAnimation(int animation) {
  if (WorldObject* hero = Hero()) game_.roster.SetAnimation(*hero, animation);
}

void MiniGame::FaceAngle(int angle) {
  WorldObject* hero = Hero();
  if (!hero) return;
  hero->worker->direction = ((angle % 8) + 8) % 8;
  game_.roster.SetAnimation(*hero, hero->worker->animation);
}

void MiniGame::TurnHeroTo(Vec2 at) {
  WorldObject* hero = Hero();
  if (!hero) return;
  const float dx = at.x - hero->position.x;
  const float dy = at.y - hero->position.y;
  if (dx != 0 || dy != 0) WorkerRoster::SetDirection(*hero, dx, dy);
}

void MiniGame::Strike() { SetHeroAnimation(kStrike); }

void MiniGame::NextPhase() {
  grid.Clear();
  game_.hovered = 0;
  const int k = Kind();
  game_.updater.SetMiniGamePhaseKind(k);
  const bool fetching = k == MiniGamePhase::kFetchWork || k == MiniGamePhase::kFetchCued ||
                        k == MiniGamePhase::kClickCued;
  if (WorldObject* hero = CreateHero(kStand)) {
    game_.roster.SetAnimation(*hero, fetching ? kStandFetch : kStand);
  }
  const MiniGamePhase* front = Front();
  if (front) FaceAngle(front->angle);
  lastCue = -1;
  if (k == MiniGamePhase::kFetchCued || k == MiniGamePhase::kClickCued) {
    cue = -(700 + RandomRange(0, 299));
  }
  RefreshObjective();
  if (!front) return;
  if (k == MiniGamePhase::kClickCued) game_.PlaySound(front->sound2);
  if (k == MiniGamePhase::kEagles) {
    const int x = BaseNode(kExitList);
    if (x >= 0) UpdateObject(*level.waypoints[size_t(x)].waypoint, 0);
  }
  if (k == MiniGamePhase::kGrid) grid.Setup(*front);
}

void MiniGame::RefreshObjective() {
  const MiniGamePhase* front = Front();
  level.miniGame.goalText = front ? front->message : std::string();
  level.miniGame.goalLeft = front ? front->remaining : 0;
  game_.screen.RefreshObjective();
}

void MiniGame::GoalDone() {
  MiniGamePhase* front = Front();
  if (!front) return;
  --front->remaining;
  level.miniGame.goalLeft = front->remaining;
  game_.screen.MiniGameGoalDone(front->remaining);
}

void MiniGame::Hit() {
  game_.screen.KalodrusHit();
  --hitsLeft_;
  if (hitsLeft_ <= 0) {
    game_.end.lost = true;
    if (game_.endTimer < 0) game_.endTimer = 0;
  }
}

void MiniGame::PhaseStep(bool success) {
  if (success) {
    GoalDone();
  } else {
    Hit();
  }
  const MiniGamePhase* front = Front();
  if (front && front->remaining != 0 &&
      (front->kind == MiniGamePhase::kFetchCued || front->kind == MiniGamePhase::kClickCued)) {
    cue = -(700 + RandomRange(0, 299));
  }
}

// ---------------------------------------------------------------- helpers

void MiniGame::Feedback(std::string_view sound, std::string_view effect, Vec2 at) {
  game_.PlaySound(sound);
  game_.StartEffect(effect, at);
}

int MiniGame::Delay(const WorldObject& w) const {
  return ClampDelay((long long)w.respawnMin * 100 + RandomPart((long long)w.respawnMax * 100));
}

int MiniGame::FirstDelay(const WorldObject& w) const {
  return ClampDelay(Truncated(w.texSpeed.x) * 100 + RandomPart(Truncated(w.texSpeed.y) * 100));
}

void MiniGame::FadeIn(WorldObject& o) {
  level.Show(o, true);
  level.Fade(o, +2, 0);
}

void MiniGame::Leave(WorldObject& o, const MiniGamePhase& phase) {
  if (phase.flags & MiniGamePhase::kVanishAtOnce) {
    level.Show(o, false);
  } else {
    level.Fade(o, -2, float(o.alpha) * 5);
  }
}

int MiniGame::DrawCue(int speed) {
  // One candidate (or none) cannot change: cue 1 each time.
  if (speed <= 1) return 1;
  int n = RandomRange(1, speed);
  for (int tries = 0; n == lastCue && tries < 64; ++tries) n = RandomRange(1, speed);
  if (n == lastCue) n = lastCue % speed + 1;
  return n;
}

void MiniGame::GiveCue() {
  const MiniGamePhase* front = Front();
  if (!front) return;
  const int n = DrawCue(front->speed);
  cue = lastCue = n;
  if (front->kind == MiniGamePhase::kFetchCued) {
    for (const auto& o : level.objects) {
      if (o->cls != WorldObject::kObstacle || !o->desc || o->desc->work != level.heroType ||
          o->respawnMin != n) {
        continue;
      }
      game_.PlaySound(front->sound2);
      game_.screen.ShowMiniGameHint(o->texture, kHintFadeMs);
      break;
    }
  } else {
    for (const auto& p : level.objects) {
      if (p->cls != WorldObject::kWaypoint || p->subclass != 3 || !p->link ||
          p->link->respawnMin != n) {
        continue;
      }
      WorldObject& l = *p->link;
      l.Set(MF::kReachable | MF::kReachableOrdinary);
      if (l.sprite) l.sprite->step = 1;
      break;
    }
  }
}

// ---------------------------------------------------------------- periodic step

void MiniGame::Periodic(float frameTime) {
  frameTime = MgSane(frameTime);
  const int k = Kind();
  if ((k == MiniGamePhase::kFetchCued || k == MiniGamePhase::kClickCued) && cue < 0) {
    cue += std::max(int(frameTime), 1);
    if (cue >= 0) GiveCue();
  }
  if (k == MiniGamePhase::kGrid) {
    grid.Step(frameTime);
    return;
  }
  if (k == MiniGamePhase::kFetchWork || k == MiniGamePhase::kFetchCued) level.MarkReachable();
}

// ---------------------------------------------------------------- per-frame update

void MiniGame::Update(float frameTime) {
  frameTime = MgSane(frameTime);
  // By index: eagles and enemies join the lists during the update.
  for (size_t i = 0; i < level.objects.size(); ++i) UpdateObject(*level.objects[i], frameTime);
  for (size_t i = 0; i < level.workers.size(); ++i) UpdateObject(*level.workers[i], frameTime);
}

void MiniGame::UpdateObject(WorldObject& o, float frameTime) {
  const int k = Kind();
  if (o.Has(MF::kDelete)) return;
  if (o.cls == WorldObject::kPuzzlePiece) {
    if (o.Has(MF::kBusy) && !o.Hidden() && o.fadeDir == 0) level.Show(o, false);
    return;
  }
  if (o.cls == WorldObject::kWorker && o.id == heroId_) {
    UpdateHero(o, frameTime);
    return;
  }
  if (o.cls == WorldObject::kWorker && o.subclass == kEnemy && o.worker) {
    if (k == MiniGamePhase::kEnemies) {
      if (o.Has(MF::kPassable) && o.fadeDir == 0) {
        o.Set(MF::kDelete);
        return;
      }
      Walk(o, frameTime, o.Has(MF::kPassable) ? 0.25f : 1.0f, false);
    } else if (k == MiniGamePhase::kEagles) {
      Walk(o, frameTime, o.Has(MF::kPassable) ? 2.0f : 1.0f, true);
      if (o.link) {
        o.link->position = o.position;
        o.link->UpdateQuad();
      }
    }
    return;
  }
  if (o.cls == WorldObject::kFillable) {
    if (grid.Turning(o)) grid.Turn(o, frameTime);
    return;
  }
  if (o.cls != WorldObject::kWaypoint || !o.link) return;
  switch (k) {
    case MiniGamePhase::kAttackers:
      if (o.subclass == 13) UpdateAttackerExit(o, frameTime);
      break;
    case MiniGamePhase::kTargets:
      if (o.subclass == 0) UpdateTargetSpot(o, frameTime);
      break;
    case MiniGamePhase::kEnemies:
      if (o.subclass == 1) UpdateEnemySpawn(o, frameTime);
      break;
    case MiniGamePhase::kEagles:
      if (!o.Has(MF::kBusy) && o.waypoint >= 0 && o.waypoint == BaseNode(kExitList)) SendEagle(o);
      break;
    default:
      break;
  }
}

void MiniGame::UpdateHero(WorldObject& hero, float frameTime) {
  const int k = Kind();
  if (fetch_.stage != Fetch::Idle ||
      k == MiniGamePhase::kFetchWork || k == MiniGamePhase::kFetchCued) {
    FetchStep(hero, frameTime);
  }
  // The strike plays once; on its last frame (or at once when it cannot play) the hero
  // stands again.
  if (hero.worker->animation == kStrike) {
    const bool over = !hero.sprite || !hero.sprite->CanAnimate() || !hero.sprite->Playing() ||
                      hero.sprite->current >= hero.sprite->LastFrame();
    if (over) game_.roster.SetAnimation(hero, kStand);
  }
}

// Kind 0: the attacker at an exit comes, strikes after its delay, and comes again.
void MiniGame::UpdateAttackerExit(WorldObject& w, float frameTime) {
  WorldObject& a = *w.link;
  const MiniGamePhase* front = Front();
  // A driven-off attacker whose fade has ended is gone.
  if (w.Has(MF::kPassable) && !a.Hidden() && a.fadeDir == 0 && a.alpha == 0) level.Show(a, false);
  if (!front || front->remaining <= 0) return;
  const auto textureKnown = [this](const std::string& name) {
    const DescriptorServices* textures = level.Textures();
    return (textures && textures->HasTexture(name)) ||
           level.Descriptors().TextureAnimation(name) != nullptr;
  };
  const auto plain = [&]() {
    if (a.texture.size() < 2) return;
    const std::string base = a.texture.substr(0, a.texture.size() - 2);
    if (textureKnown(base)) level.SetTexture(a, base);
  };
  if (a.Hidden()) {
    FadeIn(a);
    w.Set(MF::kPassable, false);
    if (a.texture.find("_a") != std::string::npos) plain();
    w.respawnLeft = Delay(w);
    return;
  }
  w.respawnLeft = std::max(w.respawnLeft - int(frameTime), -kMaxDelayMs);
  if (w.respawnLeft >= 1 || !a.sprite || w.respawnMax == 0) return;
  if (!w.Has(MF::kBusy)) {
    w.Set(MF::kBusy);
    a.sprite->current = 0;
    a.sprite->elapsed = 0;
    a.sprite->step = 1;
    if (textureKnown(a.texture + "_a")) level.SetTexture(a, a.texture + "_a");
    Feedback(front->sound2, front->effect2, a.position);
  } else if (a.sprite->current == a.sprite->LastFrame()) {
    w.Set(MF::kBusy, false);
    w.respawnLeft = Delay(w);
    Hit();
    plain();
  }
}

void MiniGame::ArmTargetTimer(WorldObject& w) {
  w.respawnLeft = w.Has(MF::kBusy) ? Delay(w) : FirstDelay(w);
  w.Set(MF::kBusy);
}

// Kind 1: the target at a spot pops up after a delay, stays up for speed x 100 ms, and
// escapes unless it is hit.
void MiniGame::UpdateTargetSpot(WorldObject& w, float frameTime) {
  WorldObject& t = *w.link;
  const MiniGamePhase& front = *Front();
  if (w.Has(MF::kPassable)) {
    if (t.fadeDir == 0) {
      level.Show(t, false);
      w.Set(MF::kPassable, false);
      ArmTargetTimer(w);
    }
    return;
  }
  const bool running = w.respawnLeft != 0;
  if (running) {
    const bool expire = !t.Hidden() && front.remaining < 1;
    w.respawnLeft = expire ? 0 : std::max(w.respawnLeft - int(frameTime), -kMaxDelayMs);
    if (w.respawnLeft > 0) return;
    w.respawnLeft = 0;
    if (!t.Hidden()) {
      level.Fade(t, -2, float(WorldObject::kFullFade));
      t.marker.active = false;
      w.Set(MF::kPassable);
    } else if (front.remaining >= 1) {
      FadeIn(t);
      game_.StartEffect(front.effect2, t.position);
      game_.PlaySound(front.sound2);
    }
    return;
  }
  if (t.fadeDir > 0) {
    w.respawnLeft = int(std::clamp<long long>((long long)front.speed * 100, 0, kMaxDelayMs));
    return;
  }
  ArmTargetTimer(w);
}

// Kind 2: a spot sends copies of its enemy toward the hero while enemies are left to send.
void MiniGame::UpdateEnemySpawn(WorldObject& w, float frameTime) {
  MiniGamePhase& front = *Front();
  if (w.respawnLeft == 0) {
    ArmTargetTimer(w);
    return;
  }
  w.respawnLeft = std::max(w.respawnLeft - int(frameTime), -kMaxDelayMs);
  if (w.respawnLeft >= 1) return;
  w.respawnLeft = 0;
  if (front.budget > 0) {
    SendEnemy(w);
    --front.budget;
  }
}

void MiniGame::SendEnemy(WorldObject& w) {
  const int base = BaseNode(level.heroType);
  if (!w.link || w.waypoint < 0) return;
  std::unique_ptr<WorldObject> enemy = CopyOf(level, *w.link);
  enemy->Set(MF::kHidden, false);
  enemy->cls = WorldObject::kWorker;
  enemy->subclass = kEnemy;
  enemy->worker = WorkerState{};
  WorkerState& s = *enemy->worker;
  std::optional<PathFinder::Path> path;
  if (base >= 0) path = game_.paths.FindPath(base, &w, true);
  if (path && !path->empty()) {
    s.path.assign(path->rbegin(), path->rend());  // the spot on top, the hero's base last
  } else if (base >= 0) {
    s.path = {base, w.waypoint};
  } else {
    s.path = {w.waypoint};
  }
  enemy->position = w.position;
  s.legTarget = w.position;
  enemy->UpdateQuad();
  FadeIn(*enemy);
  const MiniGamePhase& front = *Front();
  game_.StartEffect(front.effect2, w.position);
  game_.PlaySound(front.sound2);
  level.workers.push_back(std::move(enemy));
}

// Kind 4: the first exit sends one eagle at a time along a route out and back.
void MiniGame::SendEagle(WorldObject& x) {
  WorldObject* o = x.link;
  WorldObject* p = o ? o->link : nullptr;
  WorldObject* q = p ? p->link : nullptr;
  if (!q || q == &x || q == o || q == p) return;  // a broken chain sends no eagle
  std::optional<PathFinder::Path> route;
  // The route: out along one of the exit's three first neighbour slots, a different one
  // from the eagle before.
  int r = RandomRange(0, 2);
  for (int tries = 0; r + 1 == q->stamp && tries < 64; ++tries) r = RandomRange(0, 2);
  if (r + 1 == q->stamp) r = (r + 1) % 3;
  q->stamp = r + 1;
  const int target = BaseNode(kEagleTargetList);
  const int base = BaseNode(level.heroType);
  if (target >= 0 && x.waypoint >= 0 && size_t(x.waypoint) < level.waypoints.size()) {
    WaypointNode& node = level.waypoints[size_t(x.waypoint)];
    const auto saved = node.neighbours;
    for (int slot = 0; slot < 3; ++slot) {
      if (slot != r) node.neighbours[size_t(slot)] = -1;
    }
    route = game_.paths.FindPath(x.waypoint, level.waypoints[size_t(target)].waypoint, true);
    node.neighbours = saved;
  }
  std::vector<int> path;
  if (route && !route->empty()) {
    path.push_back(x.waypoint);  // back to the exit at the end
    path.insert(path.end(), route->begin(), route->end());
  } else if (base >= 0 && x.waypoint >= 0) {
    path = {base, x.waypoint, base};
  } else {
    return;
  }
  x.Set(MF::kBusy);
  level.Show(*o, false);
  p->marker.active = false;
  p->Set(MF::kMarker, false);
  level.Show(*p, false);
  std::unique_ptr<WorldObject> eagle = CopyOf(level, *q);
  eagle->Set(MF::kHidden, false);
  eagle->alpha = 255;
  eagle->fadeDir = 0;
  eagle->cls = WorldObject::kWorker;
  eagle->subclass = kEnemy;
  eagle->worker = WorkerState{};
  eagle->worker->path = std::move(path);
  const Vec2 start = level.waypoints[size_t(eagle->worker->path.back())].waypoint->position;
  eagle->position = start;
  eagle->worker->legTarget = start;
  eagle->UpdateQuad();
  std::unique_ptr<WorldObject> bolt;
  if (q->link) {
    bolt = CopyOf(level, *q->link);
    bolt->Set(MF::kHidden);
    bolt->position = start;
    bolt->UpdateQuad();
    eagle->link = bolt.get();
    eagle->linkId = bolt->id;
  }
  level.objects.push_back(std::move(eagle));
  if (bolt) level.objects.push_back(std::move(bolt));
  game_.PlaySound("eagle_start");
}

void MiniGame::EagleEvent(WorldObject& v, size_t entriesLeft) {
  if (!v.Has(MF::kBusy)) {
    v.Set(MF::kBusy);
  } else if (!v.Has(MF::kAtWork)) {
    v.Set(MF::kAtWork);
  }
  if (v.Has(MF::kPassable)) return;
  if (entriesLeft == 3) {
    level.Show(v, false);
    v.marker.active = false;
    if (v.link) level.Show(*v.link, true);
    if (WorldObject* hero = Hero()) {
      game_.StartEffect("lightning_hit", hero->position);
    }
    game_.PlaySound("lightning_hit");
  } else if (entriesLeft == 2) {
    Hit();
    level.Show(v, true);
    if (v.link) level.Show(*v.link, false);
  }
}

void MiniGame::Walk(WorldObject& o, float frameTime, float factor, bool eagle) {
  WorkerState& s = *o.worker;
  if (s.path.empty()) return;
  const int n = s.path.back();
  if (n < 0 || size_t(n) >= level.waypoints.size() || !level.waypoints[size_t(n)].waypoint) {
    s.path.pop_back();
    return;
  }
  const MiniGamePhase* front = Front();
  const double speed = front ? front->speed : 0;
  const double step = std::max(0.0, speed * frameTime * 0.01 * factor);
  const WorldObject& node = *level.waypoints[size_t(n)].waypoint;
  const bool last = s.path.size() == 1;
  const double r = last ? 0.4 * std::hypot(node.size.x, node.size.y) : 1.0;
  const double dx = double(s.legTarget.x) - o.position.x;
  const double dy = double(s.legTarget.y) - o.position.y;
  const double distance = std::hypot(dx, dy);
  if (!std::isfinite(distance)) {
    o.position = s.legTarget;
    return;
  }
  if (distance < r + step) {
    if (eagle && !(last && o.Has(MF::kDelete))) EagleEvent(o, s.path.size());
    if (!last) {
      o.position = s.legTarget;
      s.path.pop_back();
      const int next = s.path.back();
      if (next >= 0 && size_t(next) < level.waypoints.size() && level.waypoints[size_t(next)].waypoint) {
        s.legTarget = level.waypoints[size_t(next)].waypoint->position;
      }
    } else {
      // It stops short of the last waypoint; standing on it already, it stays where it is.
      if (distance > kMgNear) {
        o.position.x = float(s.legTarget.x - dx / distance * r);
        o.position.y = float(s.legTarget.y - dy / distance * r);
      }
      if (eagle) {
        if (!o.Has(MF::kDelete)) {
          GoalDone();
          level.Show(o, false);
          if (o.link) {
            level.Show(*o.link, false);
            o.link->Set(MF::kDelete);
          }
          o.Set(MF::kDelete);
          const int x = BaseNode(kExitList);
          if (x >= 0) {
            WorldObject& exit = *level.waypoints[size_t(x)].waypoint;
            exit.Set(MF::kBusy, false);
            if (exit.link) level.Show(*exit.link, true);
          }
        }
      } else if (!o.Has(MF::kPassable)) {
        Hit();
        level.Fade(o, -2, float(WorldObject::kFullFade));
        o.Set(MF::kPassable);
        GoalDone();
      }
    }
  } else {
    o.position.x = float(o.position.x + dx / distance * step);
    o.position.y = float(o.position.y + dy / distance * step);
  }
  o.UpdateQuad();
}

// ---------------------------------------------------------------- the hero's fetching

bool MiniGame::WalkHero(WorldObject& hero, float frameTime) {
  WorkerState& s = *hero.worker;
  const float speed = game_.walker.Speed(hero);
  float budget = speed * frameTime;
  while (!s.path.empty()) {
    const float dx = s.legTarget.x - hero.position.x;
    const float dy = s.legTarget.y - hero.position.y;
    const float distance = std::hypot(dx, dy);
    if (!std::isfinite(distance)) {
      hero.position = s.legTarget;
    } else if (distance > budget) {
      hero.position.x += dx / distance * budget;
      hero.position.y += dy / distance * budget;
      return false;
    } else {
      budget -= distance;
      hero.position = s.legTarget;
    }
    s.path.pop_back();
    if (s.path.empty()) break;
    const int next = s.path.back();
    if (next < 0 || size_t(next) >= level.waypoints.size() || !level.waypoints[size_t(next)].waypoint) {
      s.path.clear();
      break;
    }
    s.legTarget = level.waypoints[size_t(next)].waypoint->position;
    const float nx = s.legTarget.x - hero.position.x;
    const float ny = s.legTarget.y - hero.position.y;
    if (nx != 0 || ny != 0) WorkerRoster::SetDirection(hero, nx, ny);
  }
  return true;
}

void MiniGame::PrepareEagles() {
  if (level.phases.size() < 2 || level.phases[0].remaining != 1 ||
      level.phases[1].kind != MiniGamePhase::kEagles) {
    return;
  }
  const int x = BaseNode(kExitList);
  if (x < 0) return;
  WorldObject* o = level.waypoints[size_t(x)].waypoint->link;
  if (!o) return;
  level.Show(*o, false);
  if (WorldObject* p = o->link) {
    level.Show(*p, true);
    if (p->sprite) p->sprite->current = p->sprite->StartFrame();
  }
}

void MiniGame::FetchStep(WorldObject& hero, float frameTime) {
  WorldObject* target = level.FindObject(fetch_.target);
  switch (fetch_.stage) {
    case Fetch::Idle:
      return;
    case Fetch::Out:
      if (!WalkHero(hero, frameTime)) return;
      if (!target) {
        fetch_ = Fetch{};
        hero.Set(MF::kBusy, false);
        return;
      }
      fetch_.stage = Fetch::Working;
      TurnHeroTo(target->position);
      {
        const int work = target->desc ? target->desc->ani + 3 : -1;
        const bool own = work >= 3 && work < GameDescriptors::kWorkerAnims &&
                         game_.roster.HasAnimation(hero, work);
        game_.roster.SetAnimation(hero, own ? work : kStandFetch);
      }
      fetch_.workLeft = target->desc ? std::max(target->desc->time, 0.0f) * 1000.0f : 0.0f;
      if (fetch_.workLeft > 0) {
        game_.screen.ShowWorkTimer(target->id, int(fetch_.workLeft), target->position);
      }
      // The hero sounds as a worker does at this work.
      if (target->desc) game_.work.StartWorkSound(hero, *target->desc);
      PrepareEagles();
      return;
    case Fetch::Working:
      fetch_.workLeft -= frameTime;
      if (fetch_.workLeft <= 0 || !std::isfinite(fetch_.workLeft)) WorkDone(hero);
      return;
    case Fetch::Home:
      if (WalkHero(hero, frameTime)) HomeAgain(hero);
      return;
  }
}

void MiniGame::WorkDone(WorldObject& hero) {
  WorldObject* t = level.FindObject(fetch_.target);
  WorldObject* p = level.FindObject(fetch_.waypoint);
  game_.work.StopWorkSound(hero);
  if (t) game_.screen.FadeWorkTimer(t->id);
  game_.PlaySound("work_end");
  if (!t || !p || p->waypoint < 0) {
    fetch_ = Fetch{};
    hero.Set(MF::kBusy, false);
    game_.roster.SetAnimation(hero, kStandFetch);
    return;
  }
  game_.StartEffect(level.FinishingEffect(*t), t->position);
  if (fetch_.kind == MiniGamePhase::kFetchWork) {
    // The object is done with; the hero stays where it worked, which is its base now.
    t->Set(MF::kPassable);
    level.Fade(*t, -1, 0);
    std::vector<int>& base = level.bases[size_t(level.heroType)];
    if (!base.empty()) base.front() = p->waypoint;
    hero.link = p;
    hero.linkId = p->id;
    hero.worker->home = p->waypoint;
    hero.Set(MF::kBusy, false);
    fetch_ = Fetch{};
    GoalDone();
    if (Front() && Front()->remaining <= 0) RefreshObjective();
    game_.roster.SetAnimation(hero, kStandFetch);
    return;
  }
  // The hero carries the object home, where it is judged.
  level.Show(*t, false);
  hero.linkId = t->id;
  const int base = BaseNode(level.heroType);
  std::optional<PathFinder::Path> way;
  if (base >= 0) way = game_.paths.FindPath(p->waypoint, level.waypoints[size_t(base)].waypoint, true);
  hero.worker->path = way && !way->empty() ? *way : std::vector<int>{};
  if (hero.worker->path.empty() && base >= 0) hero.worker->path = {base};
  hero.worker->legTarget = hero.position;
  fetch_.stage = Fetch::Home;
  game_.roster.SetAnimation(hero, kWalk);
}

void MiniGame::HomeAgain(WorldObject& hero) {
  WorldObject* t = level.FindObject(fetch_.target);
  const int base = BaseNode(level.heroType);
  fetch_ = Fetch{};
  hero.Set(MF::kBusy, false);
  hero.linkId = 0;  // it carries nothing now
  if (base >= 0) hero.link = level.waypoints[size_t(base)].waypoint;
  game_.roster.SetAnimation(hero, kStandFetch);
  if (const MiniGamePhase* front = Front()) FaceAngle(front->angle);
  if (!t) return;
  level.Show(*t, true);
  level.Fade(*t, +1, 0);
  t->Set(MF::kInProcess, false);
  if (Kind() == MiniGamePhase::kFetchCued) PhaseStep(t->respawnMin == cue);
}

// ---------------------------------------------------------------- hover and click

WorldObject* MiniGame::PickHovered(Vec2 point) const {
  pointer_ = point;
  for (int i = 0; i < 2; ++i) {
    WorldObject* bird = game_.hazards.Bird(i);
    if (bird && bird->Contains(point)) return bird;
  }
  for (auto it = level.objects.rbegin(); it != level.objects.rend(); ++it) {
    if ((*it)->cls == WorldObject::kBird && !(*it)->Hidden() && (*it)->Contains(point)) {
      return it->get();
    }
  }
  const int k = Kind();
  const LevelData::ObjectList& list = k == MiniGamePhase::kEnemies ? level.workers : level.objects;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    WorldObject& o = **it;
    if (o.Hidden() || o.Has(MF::kDelete) || o.id == heroId_) continue;
    bool candidate = false;
    if (o.cls == WorldObject::kPuzzlePiece) {
      candidate = !o.Has(MF::kBusy);
    } else if (k == MiniGamePhase::kEnemies || k == MiniGamePhase::kEagles) {
      candidate = o.cls == WorldObject::kWorker && o.subclass == kEnemy && !o.Has(MF::kPassable);
    } else if (k == MiniGamePhase::kGrid) {
      candidate = o.cls == WorldObject::kFillable && !o.Has(MF::kPassable);
    } else if (o.cls == WorldObject::kWaypoint) {
      candidate = k != MiniGamePhase::kFetchWork || (o.link && !o.link->Has(MF::kPassable));
    }
    if (candidate && InsideGrown(o, point, kHoverMargin)) return &o;
  }
  return nullptr;
}

void MiniGame::Click(WorldObject& p) {
  const MiniGamePhase* front = Front();
  if (!front) return;  // no phase (or a still level): nothing to click
  const int k = front->kind;
  if (p.cls == WorldObject::kWaypoint && p.link) {
    if (k == MiniGamePhase::kFetchWork || k == MiniGamePhase::kFetchCued) {
      ClickFetch(p, *p.link);
    } else if (k == MiniGamePhase::kClickCued) {
      if (p.subclass == 3 && cue >= 0) ClickCued(*p.link);
    } else if (p.subclass != 3) {
      ClickWaypoint(p, *p.link);
    }
  } else if (p.cls == WorldObject::kWorker && p.id != heroId_ && !p.Has(MF::kPassable)) {
    ClickCreature(p);
  } else if (p.cls == WorldObject::kFillable && k == MiniGamePhase::kGrid) {
    grid.Rotate(p);
  }
}

void MiniGame::ClickWaypoint(WorldObject& p, WorldObject& l) {
  MiniGamePhase& front = *Front();
  if (l.Hidden() || p.Has(MF::kPassable)) return;
  Feedback(front.sound, front.effect, l.position);
  GoalDone();
  if (front.remaining <= 0) RefreshObjective();
  front.budget = front.remaining;
  if (p.subclass == 0 || front.remaining < 1) {
    Leave(l, front);
    p.Set(MF::kPassable);
  }
  Strike();
  TurnHeroTo(pointer_);
}

void MiniGame::ClickCreature(WorldObject& p) {
  const MiniGamePhase& front = *Front();
  if (front.kind == MiniGamePhase::kEagles) {
    if (!p.Has(MF::kAtWork)) return;
    Feedback(front.sound, front.effect, p.position);
    p.Set(MF::kPassable);
    Strike();
    TurnHeroTo(pointer_);
    return;
  }
  TurnHeroTo(pointer_);
  if (front.flags & MiniGamePhase::kNearOnly) {
    const WorldObject* hero = Hero();
    const float d = hero ? std::hypot(hero->position.x - p.position.x,
                                      hero->position.y - p.position.y)
                         : 0.0f;
    if (!(d <= front.dist)) return;
  }
  Feedback(front.sound, front.effect, p.position);
  p.Set(MF::kPassable);
  level.Fade(p, -1, 0);
  Strike();
  GoalDone();
}

void MiniGame::ClickCued(WorldObject& l) {
  const MiniGamePhase& front = *Front();
  if (l.Has(MF::kReachableOrdinary)) {
    Feedback(front.sound, front.effect, l.position);
    l.Set(MF::kReachable | MF::kReachableOrdinary, false);
    l.alpha = 255;
    if (l.sprite) l.sprite->StopAt(l.sprite->StartFrame());
    PhaseStep(true);
  } else {
    Feedback(front.sound2, front.effect2, l.position);
    Hit();
  }
}

void MiniGame::ClickFetch(WorldObject& p, WorldObject& t) {
  const int k = Kind();
  if (k == MiniGamePhase::kFetchCued && (cue <= 0 || t.cls != WorldObject::kObstacle)) return;
  const int base = BaseNode(level.heroType);
  if (base < 0 || fetch_.stage != Fetch::Idle) return;
  WorldObject* hero = CreateHero(kWalk);
  if (!hero || hero->HasAny(MF::kBusy | MF::kAtWork)) return;
  // Only what the hero's type works on, as in ordinary levels: scenery and the objects of
  // other phases are not fetched.
  if (!t.desc || t.desc->work != level.heroType) return;
  if (t.HasAny(MF::kInProcess | MF::kPassable) || p.waypoint < 0) return;
  const int from = hero->link && hero->link->waypoint >= 0 ? hero->link->waypoint : base;
  std::optional<PathFinder::Path> path = game_.paths.FindPath(from, &p, false);
  if (!path || path->empty()) return;
  t.Set(MF::kReachable | MF::kReachableOrdinary, false);
  t.Set(MF::kInProcess);
  level.Fade(t, 0, 0);
  t.alpha = t.Hidden() ? 0 : 255;
  hero->worker->path = std::move(*path);
  hero->worker->legTarget = hero->position;
  hero->Set(MF::kBusy);
  level.Show(*hero, true);
  game_.roster.SetAnimation(*hero, kWalk);
  game_.hovered = 0;
  game_.walker.WorkerOut(*hero);
  if (k == MiniGamePhase::kFetchCued) game_.screen.HideMiniGameHint();
  fetch_.stage = Fetch::Out;
  fetch_.waypoint = p.id;
  fetch_.target = t.id;
  fetch_.kind = k;
}

// ---------------------------------------------------------------- phase end and the win

bool MiniGame::PhaseConditionMet() const {
  const int k = Kind();
  if (k == MiniGamePhase::kAttackers) {
    for (const auto& o : level.objects) {
      if (o->cls == WorldObject::kWaypoint && o->subclass == 13 && o->link && !o->link->Hidden()) {
        return false;
      }
    }
  } else if (k == MiniGamePhase::kTargets) {
    for (const auto& o : level.objects) {
      if (o->cls == WorldObject::kWaypoint && o->subclass == 0 && o->link && !o->link->Hidden()) {
        return false;
      }
    }
  } else if (k == MiniGamePhase::kEnemies) {
    for (const auto& w : level.workers) {
      if (!w->Has(MF::kPassable)) return false;
    }
  }
  return true;
}

void MiniGame::CheckPhaseDone() {
  const MiniGamePhase* front = Front();
  if (!front || front->remaining > 0) return;
  if (!PhaseConditionMet()) return;
  if (front->kind == MiniGamePhase::kEnemies) {
    RefreshObjective();
    if (!level.workers.empty()) return;
  }
  if (const WorldObject* hero = Hero(); hero && hero->worker->animation == kStrike) return;
  level.phases.erase(level.phases.begin());
  RefreshObjective();
  NextPhase();
}

bool MiniGame::WinCheck() {
  CheckPhaseDone();
  if (!game_.end.cheatWin && !level.phases.empty()) return false;
  RefreshObjective();
  return true;
}
