#include "level/WorkerRoster.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"

namespace {

constexpr float kDefaultWorkerSize = 64.0f;
constexpr double kPi = 3.14159265358979323846;

int FramesPerDirection(const Level& level, const WorldObject& w) {
  const WorkerState& s = *w.worker;
  if (s.animation < 0) return 16;
  const int l = level.Descriptors().WorkerAnimation(WorkerRoster::TypeOf(w), s.animation).l;
  return l > 0 ? l : 1;
}

}  // namespace

int WorkerRoster::TypeOf(const WorldObject& worker) { return worker.subclass; }

int WorkerRoster::BaseStart(int list) const {
  const Level& l = game_.level;
  if (list < 0 || list >= LevelData::kBaseLists) return -1;
  const std::vector<int>& base = l.bases[size_t(list)];
  if (base.empty() || base.front() < 0 || size_t(base.front()) >= l.waypoints.size() ||
      !l.waypoints[size_t(base.front())].waypoint) {
    return -1;
  }
  return base.front();
}

Vec2 WorkerRoster::CellHalfSize(const Level& level, const AnimDesc& anim, float fallback) {
  if (anim.w > 0 && anim.h > 0) return Vec2{anim.w * 0.5f, anim.h * 0.5f};
  // One frame of the sheet: its size divided by the columns and the rows.
  float width = 0, height = 0;
  const DescriptorServices* textures = level.Textures();
  if (textures && textures->TextureSize(anim.name, width, height) && std::isfinite(width) &&
      std::isfinite(height)) {
    return Vec2{width / float(std::max(anim.x, 1)) * 0.5f,
                height / float(std::max(anim.y, 1)) * 0.5f};
  }
  return Vec2{fallback * 0.5f, fallback * 0.5f};
}

WorldObject WorkerRoster::MakeWorker(int type) const {
  const Level& l = game_.level;
  const WorkerAnim& anim = l.Descriptors().WorkerAnimation(type, 0);
  WorldObject w;
  w.cls = WorldObject::kWorker;
  w.subclass = uint16_t(type);
  w.texture = anim.name;
  SpriteAnim s;
  s.columns = std::max(anim.x, 1);
  s.rows = std::max(anim.y, 1);
  s.frameTime = anim.t;
  s.frameCount = anim.l > 0 ? anim.l : 0;
  w.sprite = s;
  w.Set(ObjectFlags::kSprite | ObjectFlags::kHidden);
  w.size = CellHalfSize(l, anim, kDefaultWorkerSize);
  w.UpdateQuad();
  w.worker = WorkerState{};
  w.respawnLeft = -1;
  return w;
}

void WorkerRoster::Create() {
  Level& l = game_.level;
  l.workers.clear();
  const int camp = BaseStart(kCamp);
  if (camp < 0) return;  // no camp: the level has no workers
  const Vec2 at = l.waypoints[size_t(camp)].waypoint->position;
  for (int i = 0; i < kRosterSize; ++i) {
    const int type = i < kOrdinary ? 0 : i - kOrdinary + 1;
    auto w = std::make_unique<WorldObject>(MakeWorker(type));
    w->worker->home = type == 0 ? camp : std::max(BaseStart(type), 0);
    const int start = type == 0 ? camp : BaseStart(type);
    w->position = start >= 0 ? l.waypoints[size_t(start)].waypoint->position : at;
    l.workers.push_back(std::move(w));
  }
}

int WorkerRoster::Active() const {
  const int ordinary = std::min<int>(kOrdinary, int(game_.level.workers.size()));
  return std::clamp(game_.level.activeWorkers, 0, ordinary);
}

WorldObject* WorkerRoster::At(int i) const {
  const auto& list = game_.level.workers;
  return i >= 0 && size_t(i) < list.size() ? list[size_t(i)].get() : nullptr;
}

WorldObject* WorkerRoster::Special(int type) const {
  if (type < 1 || type >= ObjectDesc::kWorkerTypeCount) return nullptr;
  WorldObject* w = At(kOrdinary - 1 + type);
  return w && w->worker ? w : nullptr;
}

WorldObject* WorkerRoster::FreeWorker(int type, const WorldObject* target) const {
  using F = ObjectFlags;
  if (type != 0) {
    WorldObject* w = Special(type);
    return w && !w->Has(F::kBusy) ? w : nullptr;
  }
  WorldObject* best = nullptr;
  int bestLength = 0;
  for (int i = 0; i < Active(); ++i) {
    WorldObject* w = At(i);
    if (!w || !w->worker || w->Has(F::kBusy)) continue;
    if (!target) return w;
    const int length = game_.paths.PathLength(w->worker->home, target, true);
    // Equal lengths: the later worker wins.
    if (length > 0 && (!best || length <= bestLength)) {
      best = w;
      bestLength = length;
    }
  }
  return best;
}

WorldObject* WorkerRoster::ReturningWorker(const WorldObject* target) const {
  using F = ObjectFlags;
  WorldObject* best = nullptr;
  int bestLength = 0;
  for (int i = 0; i < Active(); ++i) {
    WorldObject* w = At(i);
    if (!w || !w->worker || !w->Has(F::kBusy)) continue;
    const WorkerState& s = *w->worker;
    if (!s.returning || (s.animation != 0 && s.animation != 2) || s.path.empty()) continue;
    if (!target) return w;
    const int length = game_.paths.PathLength(s.path.back(), target, true);
    if (length > 0 && (!best || length <= bestLength)) {
      best = w;
      bestLength = length;
    }
  }
  return best;
}

void WorkerRoster::SendHome(WorldObject& worker, const WorldObject& target) {
  Level& l = game_.level;
  WorkerState& s = *worker.worker;
  const int type = TypeOf(worker);
  int home = -1;
  if (type == 0) {
    int bestLength = 0;
    for (const int index : l.bases[kCamp]) {
      if (index < 0 || size_t(index) >= l.waypoints.size()) continue;
      const WorldObject* wp = l.waypoints[size_t(index)].waypoint;
      const WorldObject* house = wp ? l.FindObject(wp->respawnMin) : nullptr;
      if (!house || house->Hidden()) continue;
      const int length = game_.paths.PathLength(index, &target, true);
      if (length > 0 && (home < 0 || length < bestLength)) {
        home = index;
        bestLength = length;
      }
    }
    if (home < 0) home = BaseStart(kCamp);
  } else if (type == kThief) {
    const std::vector<int>& entries = l.bases[kThiefEntry];
    if (!entries.empty()) {
      const int at = std::clamp(int(worker.id), 0, int(entries.size()) - 1);
      home = entries[size_t(at)];
    }
  } else {
    home = BaseStart(type);
  }
  s.path.clear();
  if (home < 0 || size_t(home) >= l.waypoints.size()) return;
  s.home = home;
  if (auto path = game_.paths.FindPath(home, &target, type == kThief)) {
    // Destination (home) first and the target's waypoint on top.
    std::reverse(path->begin(), path->end());
    s.path = std::move(*path);
  }
}

void WorkerRoster::SetDirection(WorldObject& worker, float dx, float dy) {
  WorkerState& s = *worker.worker;
  const double turn = (std::atan2(double(dy), double(dx)) + kPi) * 57.295776 / 45.0 + 6.5;
  if (!std::isfinite(turn)) return;
  int direction = int(std::trunc(turn)) % 8;
  if (direction < 0) direction += 8;
  if (direction == s.direction) return;
  s.direction = direction;
  if (!worker.sprite) return;
  SpriteAnim& sprite = *worker.sprite;
  const int n = s.animation < 0 ? 16 : std::max(sprite.frameCount - sprite.loopStart, 1);
  // A sheet without a row of frames per direction keeps playing as it is.
  if (sprite.Columns() * sprite.Rows() < n * 8) return;
  const int start = n * direction;
  const int phase = ((sprite.current - sprite.loopStart) % n + n) % n;
  sprite.loopStart = start;
  sprite.frameCount = start + n;
  sprite.current = start + phase;
}

void WorkerRoster::SetAnimation(WorldObject& worker, int index) {
  Level& l = game_.level;
  WorkerState& s = *worker.worker;
  s.animation = index;
  const WorkerAnim& anim = l.Descriptors().WorkerAnimation(TypeOf(worker), index);
  if (anim.Empty()) return;
  worker.texture = anim.name;
  if (!worker.sprite) worker.sprite = SpriteAnim{};
  SpriteAnim& sprite = *worker.sprite;
  sprite.columns = std::max(anim.x, 1);
  sprite.rows = std::max(anim.y, 1);
  sprite.frameTime = anim.t;
  const int n = FramesPerDirection(l, worker);
  // Sheets with one row of frames per direction turn with the worker; others play as they are.
  const bool directional = sprite.Columns() * sprite.Rows() >= n * 8;
  const int start = directional && s.direction > 0 ? n * s.direction : 0;
  sprite.loopStart = start;
  sprite.frameCount = start + n;
  sprite.current = start;
  sprite.elapsed = 0;
  sprite.step = 1;
}

bool WorkerRoster::HasAnimation(const WorldObject& worker, int index) const {
  return game_.level.Descriptors().HasWorkerAnimation(TypeOf(worker), index);
}

bool WorkerRoster::Shrink() {
  using F = ObjectFlags;
  Level& l = game_.level;
  const int active = Active();
  if (active <= 0) return false;
  int lastFree = -1;
  for (int i = 0; i < active; ++i) {
    if (At(i) && !At(i)->Has(F::kBusy)) lastFree = i;
  }
  if (lastFree < 0) return false;
  if (lastFree != active - 1) std::swap(l.workers[size_t(lastFree)], l.workers[size_t(active - 1)]);
  l.activeWorkers = active - 1;
  return true;
}
