#include "level/Hazards.h"

#include <algorithm>
#include <cmath>

#include "base/Random.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/LevelScreen.h"

namespace {

using F = ObjectFlags;
constexpr float kPi = 3.14159265358979f;
constexpr int kFlyerFadeMs = 350;
constexpr int kQuickDriveMs = 3000;
constexpr float kDefaultHalfSize = 32;

float Random01() { return float(Rand15()) / 32767.0f; }

void SetSprite(WorldObject& o, const AnimDesc& a) {
  SpriteAnim s;
  s.columns = std::max(a.x, 1);
  s.rows = std::max(a.y, 1);
  s.frameTime = a.t;
  s.frameCount = a.l;
  s.step = 1;
  o.sprite = s;
  o.size =
      a.w > 0 && a.h > 0 ? Vec2{a.w * 0.5f, a.h * 0.5f} : Vec2{kDefaultHalfSize, kDefaultHalfSize};
}

}  // namespace

Hazards::Hazards(GameController& game) : game_(game) {}
Hazards::~Hazards() = default;

void Hazards::Begin() {
  flightOf_ = nullptr;
  flyerDying_ = false;
  for (int i = 0; i < 2; ++i) SpawnBird(i);
  if (game_.level.flyer) RestoreFlight(*game_.level.flyer);
}

WorldObject* Hazards::Bird(int index) const {
  return index >= 0 && index < 2 ? birds_[size_t(index)].get() : nullptr;
}

int Hazards::FlyerClicksLeft() const {
  return game_.level.flyer && flightOf_ == game_.level.flyer ? flight_.clicksLeft : 0;
}

bool Hazards::FlyerDying() const { return flyerDying_; }

// ---------------------------------------------------------------- level update

void Hazards::Update(float frameTime) {
  Level& l = game_.level;
  // A flyer of a saved level becomes current during the object update: it flies on.
  if (l.flyer && flightOf_ != l.flyer) RestoreFlight(*l.flyer);
  if (!IsOrdinary(l.mode) || game_.Ended()) return;
  UpdateThieves();
  UpdateFlyer(frameTime);
}

void Hazards::UpdateThieves() {
  Level& l = game_.level;
  if (l.thiefPeriod <= 0 || (l.flags & kNoThieves)) return;
  // By index: an attempt inserts a thief into the worker list only.
  for (size_t i = 0; i < l.objects.size(); ++i) {
    WorldObject& o = *l.objects[i];
    if (!o.Has(F::kThievable) || o.Has(F::kThiefTarget)) continue;
    if ((long long)l.gameTime - o.stamp < l.thiefPeriod) continue;
    o.stamp = l.gameTime;
    ThiefAttempt(o);
  }
}

bool Hazards::ThiefAttempt(WorldObject& t) {
  Level& l = game_.level;
  if (t.Hidden() || t.Has(F::kInProcess) || l.workers.empty() || !l.workers[0]) return false;
  const std::vector<int>& entries = l.bases[size_t(WorkerRoster::kThiefEntry)];
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] < 0 || size_t(entries[i]) >= l.waypoints.size()) continue;
    const WorldObject* entry = l.waypoints[size_t(entries[i])].waypoint;
    const WorldObject* w = entry ? l.FindObject(entry->respawnMin) : nullptr;
    if (!w || w->cls != WorldObject::kWaypoint || w->link != &t) continue;
    std::optional<PathFinder::Path> path = game_.paths.FindPath(entries[i], &t, false);
    if (!path || path->empty()) continue;
    t.Set(F::kThiefTarget);
    auto thief = std::make_unique<WorldObject>(*l.workers[0]);
    thief->cls = WorldObject::kWorker;
    thief->subclass = uint16_t(WorkerRoster::kThief);
    thief->id = uint16_t(i);
    thief->flags = 0;
    thief->linkId = 0;
    thief->link = nullptr;
    thief->worker = WorkerState{};
    thief->worker->home = entries[i];
    thief->worker->path = std::move(*path);
    thief->worker->legTarget = l.waypoints[size_t(thief->worker->path.back())].waypoint->position;
    thief->position = entry->position;
    thief->Set(F::kBusy);
    WorldObject& added = *thief;
    l.workers.push_back(std::move(thief));
    game_.roster.SetAnimation(added, 0);
    WorkerRoster::SetDirection(added, added.worker->legTarget.x - added.position.x,
                               added.worker->legTarget.y - added.position.y);
    game_.PlaySound("thief_spawn");
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- flying creature

void Hazards::UpdateFlyer(float frameTime) {
  Level& l = game_.level;
  if (l.flyTime <= 0 || (l.flags & kNoFlyers)) return;
  l.flyElapsed = int(std::min<long long>((long long)l.flyElapsed + (long long)frameTime, 1 << 30));
  const bool expert = game_.screen.Difficulty() == 2;
  const long long interval = expert ? l.flyTime : (long long)(std::trunc(l.flyTime * 1.5));
  if (l.flyElapsed >= interval * 1000 && !l.flyer) {
    l.flyElapsed = 0;
    SpawnFlyer();
  }
}

void Hazards::SpawnFlyer() {
  Level& l = game_.level;
  const int count = l.Descriptors().FlyingCount();
  if (count <= 0) return;
  const FlyingDesc& d = *l.Descriptors().Flying(std::clamp(l.flyType, 0, count - 1));
  const float x = (float(Rand15()) - 16383.5f) / 16383.5f * (halfScreen.x - 140);
  const float y = (float(Rand15()) - 16383.5f) / 16383.5f * (halfScreen.y - 140);
  const int id = std::max(l.nextId, 1);
  l.nextId = id + 1;
  WorldObject& f = l.AddObject(l.objects, id, d.anim.name, Vec2{x, y});
  f.cls = WorldObject::kFlyer;
  f.subclass = uint16_t(std::clamp(l.flyType, 0, count - 1));
  f.fadeMs = kFlyerFadeMs;
  f.stamp = 0;
  SetSprite(f, d.anim);
  f.Set(F::kSprite);
  f.UpdateQuad();
  const float degrees = Random01() * 50 + 20 + float(Rand15() % 3) * 90;
  flight_.direction = Vec2{std::cos(degrees * kPi / 180), std::sin(degrees * kPi / 180)};
  flight_.clicksLeft = d.health;
  flight_.speed = float(d.speed);
  flightOf_ = &f;
  flyerDying_ = false;
  if (!(d.flags & 1)) {
    f.sprite->mirrored = flight_.direction.x < 0;
    FlyerFrames(f, flight_.direction.y >= 0);
  }
  l.flyer = &f;
  game_.PlaySound(d.spawn.sound);
  game_.StartEffect(d.spawn.effect, f.position);
  f.particles = EffectRef{d.anim.name, 0, 0, true};
}

void Hazards::FlyerFrames(WorldObject& f, bool secondHalf) {
  SpriteAnim& s = *f.sprite;
  const int n = s.Columns() * s.Rows();
  const int half = std::max(n / 2, 1);
  const int start = secondHalf ? n / 2 : 0;
  if (s.loopStart == start && s.frameCount == start + half) return;
  s.loopStart = start;
  s.frameCount = std::min(start + half, n);
  s.startFrame = start;
  s.current = std::clamp(s.current % half + start, 0, n - 1);
  s.mirrored = !s.mirrored;
}

void Hazards::RestoreFlight(WorldObject& f) {
  Level& l = game_.level;
  const int count = l.Descriptors().FlyingCount();
  if (count <= 0) {
    f.Set(F::kDelete);
    l.flyer = nullptr;
    return;
  }
  const FlyingDesc& d = *l.Descriptors().Flying(std::clamp(int(f.subclass), 0, count - 1));
  const float degrees = Random01() * 50 + 20 + float(Rand15() % 3) * 90;
  flight_.direction = Vec2{std::cos(degrees * kPi / 180), std::sin(degrees * kPi / 180)};
  flight_.clicksLeft = std::max(d.health, 1);
  flight_.speed = float(d.speed);
  flightOf_ = &f;
  flyerDying_ = f.Has(F::kBusy);
}

void Hazards::Animate(float frameTime) {
  if (game_.screen.Paused()) return;
  FlyerStep(frameTime);
  for (int i = 0; i < 2; ++i) BirdStep(i, frameTime);
}

void Hazards::FlyerStep(float frameTime) {
  Level& l = game_.level;
  WorldObject* f = l.flyer;
  if (!f) return;
  if (flightOf_ != f) RestoreFlight(*f);
  if (!l.flyer) return;
  if (flyerDying_) {
    if (f->fadeDir == 0 || f->alpha == 0) {
      f->Set(F::kDelete);
      l.flyer = nullptr;
      flightOf_ = nullptr;
      flyerDying_ = false;
    }
    return;
  }
  const int count = l.Descriptors().FlyingCount();
  const bool plain =
      count <= 0 || (l.Descriptors().Flying(std::clamp(int(f->subclass), 0, count - 1))->flags & 1);
  f->stamp = int(std::min<long long>((long long)f->stamp + (long long)frameTime, 1 << 30));
  f->position.x += frameTime * flight_.direction.x * 0.01f * flight_.speed;
  f->position.y += frameTime * flight_.direction.y * 0.01f * flight_.speed;
  const float bx = halfScreen.x - 70, by = halfScreen.y - 70;
  if (std::fabs(f->position.x) > bx) {
    flight_.direction.x = -flight_.direction.x;
    f->position.x = f->position.x > 0 ? bx : -bx;
    if (!plain && f->sprite) f->sprite->mirrored = !f->sprite->mirrored;
  }
  if (std::fabs(f->position.y) > by) {
    flight_.direction.y = -flight_.direction.y;
    f->position.y = f->position.y > 0 ? by : -by;
    if (!plain && f->sprite) FlyerFrames(*f, flight_.direction.y >= 0);
  }
}

void Hazards::HitFlyer(WorldObject& f) {
  Level& l = game_.level;
  if (&f != l.flyer || flyerDying_) return;
  if (flightOf_ != &f) RestoreFlight(f);
  const int count = l.Descriptors().FlyingCount();
  if (count <= 0) return;
  const FlyingDesc& d = *l.Descriptors().Flying(std::clamp(int(f.subclass), 0, count - 1));
  --flight_.clicksLeft;
  if (flight_.clicksLeft > 0) {
    game_.PlaySound(d.hit.sound);
    game_.StartEffect(d.hit.effect, f.position);
    return;
  }
  f.particles.active = false;
  f.Set(F::kBusy);
  flyerDying_ = true;
  l.Fade(f, -1, 0);
  if (f.fadeDir == 0) f.alpha = 0;
  game_.PlaySound(d.die.sound);
  game_.StartEffect(d.die.effect, f.position);
  if (f.stamp <= kQuickDriveMs) game_.screen.Achievement(kFlyerTrophy);
}

// ---------------------------------------------------------------- birds

void Hazards::SpawnBird(int i) {
  Level& l = game_.level;
  const std::vector<AnimDesc>& looks = l.Descriptors().Birds();
  if (looks.empty() || i < 0 || i > 1) {
    if (i >= 0 && i <= 1) birds_[size_t(i)].reset();
    return;
  }
  const AnimDesc& a = looks[size_t(RandomRange(0, int(looks.size()) - 1))];
  // The record is reused, so that whoever still points at a caught bird points at the new one.
  if (!birds_[size_t(i)]) birds_[size_t(i)] = std::make_unique<WorldObject>();
  WorldObject* bird = birds_[size_t(i)].get();
  *bird = WorldObject{};
  bird->id = 0;
  bird->cls = WorldObject::kBird;
  bird->texture = a.name;
  bird->position = Vec2{0, i == 0 ? -halfScreen.y - 30 : halfScreen.y + 30};
  Vec2 v{float(RandomRange(0, 99) - 50) / 100.0f, i == 0 ? 1.0f : -1.0f};
  const float scale = (std::isfinite(game_.settings.flySpeed) ? game_.settings.flySpeed : 0) / 1000;
  birdVelocity_[size_t(i)] = Vec2{v.x * scale, v.y * scale};
  SetSprite(*bird, a);
  // A frame time of 0 (or less) counts as 1 ms.
  const int t = std::max(a.t, 1);
  bird->sprite->frameTime = t + RandomRange(0, t - 1);
  bird->sprite->current = RandomRange(0, bird->sprite->Frames() - 1);
  bird->rotation = std::atan2(v.y, v.x) * 180 / kPi + 180;
  bird->Set(F::kShadow | F::kSprite);
  bird->subclass = uint16_t(std::clamp(game_.settings.birdLife, 1, 1000));
  bird->UpdateQuad();
}

void Hazards::BirdStep(int i, float frameTime) {
  WorldObject* b = birds_[size_t(i)].get();
  if (!b) return;
  const float t = float(std::max(b->sprite ? b->sprite->frameTime : 1, 1));
  b->position.x += frameTime * birdVelocity_[size_t(i)].x * 100 / t;
  b->position.y += frameTime * birdVelocity_[size_t(i)].y * 100 / t;
  if (b->sprite) b->sprite->Advance(frameTime);
  if (std::fabs(b->position.x) > halfScreen.x + 20 ||
      std::fabs(b->position.y) > halfScreen.y + 40) {
    SpawnBird(i);
  }
}

void Hazards::HitBird(WorldObject& bird) {
  for (int i = 0; i < 2; ++i) {
    if (birds_[size_t(i)].get() != &bird) continue;
    if (bird.subclass > 1) {
      --bird.subclass;
      game_.StartEffect("bird_hit", bird.position);
      return;
    }
    game_.PlaySound("bird_click");
    game_.StartEffect("bird_click", bird.position);
    Level& l = game_.level;
    l.birdsHunted = int(std::min<long long>((long long)l.birdsHunted + 1, 1 << 30));
    SpawnBird(i);
    return;
  }
}
