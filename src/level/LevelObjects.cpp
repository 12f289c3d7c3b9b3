// The world's objects while a level runs: preparation when the level begins, showing,
// fading, respawning, deletion and reachability.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "base/Random.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelServices.h"

namespace {

constexpr uint8_t kRespawnWaitAlpha = 90;
// Product sites that have nothing to grow wait this long (seconds) between looks.
constexpr int kDormantRespawn = 5;

void HideQuietly(WorldObject& o) {
  o.Set(ObjectFlags::kHidden);
  o.particles.active = false;
  o.marker.active = false;
}

}  // namespace

void Level::PrepareObjects() {
  indicators = descriptors_.Indicators();
  // By index: preparing never adds objects, but the lists must not be walked by iterators
  // that a hook could invalidate.
  for (size_t i = 0; i < objects.size(); ++i) PrepareObject(*objects[i]);
  for (size_t i = 0; i < workers.size(); ++i) PrepareObject(*workers[i]);
}

void Level::PrepareObject(WorldObject& o) {
  using F = ObjectFlags;
  // Objectives carry their marker.
  if (o.Has(F::kObjective)) {
    o.marker = EffectRef{"objective", 0, 0, !o.Hidden()};
    o.Set(F::kMarker);
  }
  // A worker needs its state.
  if (o.cls == WorldObject::kWorker && !o.worker) o.Set(F::kDelete);

  // The product site of a building on a fresh level.
  if (o.cls == WorldObject::kBuilding && state != LevelState::Saved) {
    WorldObject* site = ProductSite(o);
    if (site && !site->Has(F::kPassable)) {
      HideQuietly(*site);
      site->Set(F::kPassable | F::kInProcess);
      if (o.Hidden() || !WakeProduct(o)) {
        // Not built yet, or nothing to produce: the site waits.
        site->Set(F::kDormant);
        site->respawnMin = site->respawnMax = kDormantRespawn;
      }
    }
  }

  const bool visible = !o.Hidden();
  const bool passable = o.Has(F::kPassable);
  // Scenery that grows back rests: on its first frame when something links to it, on
  // its last otherwise.
  if (o.cls == WorldObject::kScenery && o.sprite && visible && !passable && o.respawnMax != 0 &&
      !o.Has(F::kNoRespawn)) {
    o.sprite->StopAt(o.backLink ? o.sprite->StartFrame() : o.sprite->LastFrame());
    o.Set(F::kRespawning);
  }
  // A state sprite waits on its first frame until its change comes.
  if (o.cls == WorldObject::kObstacle && o.Has(F::kStateSprite) && o.sprite && !passable) {
    o.sprite->StopAt(o.sprite->StartFrame());
  }
  // A negative pause keeps the animation still.
  if (o.sprite && o.animPause[0] < 0) o.sprite->StopAt(o.sprite->StartFrame());
  // Fog shows its effect.
  if (o.cls == WorldObject::kFog && !o.marker.Empty()) o.marker.active = visible;
  // Particles of visible objects.
  if (visible) AttachParticles(o);
  // How long a full fade takes.
  const WorldObject* links[] = {&o, o.backLink, o.link};
  o.fadeMs = WorldObject::kFullFade;
  for (const WorldObject* source : links) {
    if (source && source->desc) {
      o.fadeMs = source->desc->fade;
      break;
    }
  }
  // Where the selector sits.
  if (o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kWorker) {
    o.selector = descriptors_.Selector(o.texture);
  }
}

void Level::Show(WorldObject& o, bool visible) {
  if (o.Has(ObjectFlags::kStateSprite) && o.sprite) return;
  o.Set(ObjectFlags::kHidden, !visible);
  if (visible) {
    AttachParticles(o);
  } else {
    o.particles.active = false;
  }
  if (!o.marker.Empty()) o.marker.active = visible;
}

void Level::Fade(WorldObject& o, int direction, float value) {
  const bool fades = o.Has(ObjectFlags::kNoRespawn) || o.respawnMin != 1 || o.respawnMax != 1;
  if (!fades) {
    o.alpha = o.Hidden() ? 0 : 255;
    return;
  }
  o.fadeDir = direction;
  o.fadeValue = direction < 0 && value == 0 ? float(WorldObject::kFullFade) : value;
  if (direction > 0) o.alpha = 0;
  if (direction < 0) {
    o.alpha = 255;
    o.particles.active = false;
  }
}

void Level::ArmRespawn(WorldObject& o) {
  using F = ObjectFlags;
  // Without a respawn range (0, 0) the object stays as it is: passable for good.
  if (o.Has(F::kNoRespawn) || (o.respawnMin <= 0 && o.respawnMax <= 0)) {
    o.respawnLeft = -1;
    return;
  }
  if (o.respawnMin == 1 && o.respawnMax == 1) {
    o.respawnLeft = -1;
    Show(o, true);
    o.alpha = 255;
    o.Set(F::kInProcess | F::kPassable | F::kRespawning, false);
    return;
  }
  // A maximum below the minimum counts as the minimum.
  const int64_t low = int64_t(o.respawnMin) * 1000;
  const int64_t span = (int64_t(o.respawnMax) - o.respawnMin) * 1000;
  int64_t delay = low;
  if (span > 0) delay += RandomRange(0, int(std::min<int64_t>(span - 1, INT32_MAX)));
  // A range reaching down to nothing respawns on the next frame rather than never.
  o.respawnLeft = o.stamp = int(std::clamp<int64_t>(delay, 1, INT32_MAX));
  if (o.cls == WorldObject::kObstacle) {
    Show(o, true);
    o.alpha = kRespawnWaitAlpha;
    o.Set(F::kRespawning);
  }
}

void Level::RemoveFlagged() {
  const auto flagged = [](const auto& o) { return o->Has(ObjectFlags::kDelete); };
  if (std::none_of(objects.begin(), objects.end(), flagged) &&
      std::none_of(workers.begin(), workers.end(), flagged)) {
    return;
  }
  // The deleted objects live until every reference to them is gone.
  ObjectList deleted;
  std::unordered_set<const WorldObject*> gone;
  const auto sweep = [&](ObjectList& list, bool drawOrder) {
    size_t kept = 0;
    int beforeLayer = 0;
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i]->Has(ObjectFlags::kDelete)) {
        gone.insert(list[i].get());
        if (drawOrder && int(i) < workerLayer) ++beforeLayer;
        deleted.push_back(std::move(list[i]));
      } else {
        list[kept++] = std::move(list[i]);
      }
    }
    list.resize(kept);
    // The workers stay drawn after the same object.
    if (drawOrder) workerLayer -= beforeLayer;
  };
  sweep(objects, true);
  sweep(workers, false);

  for (const ObjectList* list : {&objects, &workers}) {
    for (const auto& o : *list) {
      if (gone.count(o->link)) o->link = nullptr;
      if (gone.count(o->backLink)) o->backLink = nullptr;
    }
  }
  for (WaypointNode& node : waypoints) {
    if (gone.count(node.waypoint)) node.waypoint = nullptr;
  }
  if (gone.count(flyer)) flyer = nullptr;
}

void Level::MarkReachable() {
  const int count = int(waypoints.size());
  // What this pass reaches; marks of objects whose way has closed since (a pile grown back
  // across the road) are taken away afterwards.
  std::unordered_set<const WorldObject*> reached;
  // Base lists 0..8: the ordinary workers' camps and the homes of special types 1..8.
  for (int k = 0; k <= 8; ++k) {
    const std::vector<int>& base = bases[size_t(k)];
    if (base.empty() || base.front() < 0 || base.front() >= count) continue;
    for (WaypointNode& node : waypoints) node.visited = false;

    // Whether the walk goes on past a node (marks the object that stops it).
    const auto visit = [&](int index) {
      WaypointNode& node = waypoints[size_t(index)];
      node.visited = true;
      WorldObject* wp = node.waypoint;
      if (!wp) return false;
      WorldObject* l = wp->link;
      if (wp->Hidden() || !l) return true;
      if (l->cls == WorldObject::kBuilding &&
          !(l->link && l->link->cls != WorldObject::kWaypoint)) {
        return false;
      }
      if (!l->Has(ObjectFlags::kInProcess)) {
        if (!l->desc) return false;
        if (k != 0) {
          if (l->desc->work != k) return false;
          l->Set(ObjectFlags::kReachableSpecial);
        }
        reached.insert(l);
        if (!l->Has(ObjectFlags::kReachableOrdinary)) {
          l->Set(ObjectFlags::kReachable | ObjectFlags::kReachableOrdinary);
          l->alpha = 0;
          if (services_) {
            services_->FireDialogs(*this, *wp, 0);
            services_->FireDialogs(*this, *l, 0);
          }
        }
        return false;
      }
      return l->Has(ObjectFlags::kPassable);
    };

    // Depth first, neighbour slots in order, without recursion (graphs may be deep).
    std::vector<std::pair<int, int>> stack;  // node, next neighbour slot
    if (visit(base.front())) stack.emplace_back(base.front(), 0);
    while (!stack.empty()) {
      const int node = stack.back().first;
      const int slot = stack.back().second++;
      if (slot >= 6) {
        stack.pop_back();
        continue;
      }
      const int next = waypoints[size_t(node)].neighbours[size_t(slot)];
      if (next < 0 || next >= count || waypoints[size_t(next)].visited) continue;
      if (visit(next)) stack.emplace_back(next, 0);
    }
  }
  constexpr uint32_t kMarks =
      ObjectFlags::kReachable | ObjectFlags::kReachableOrdinary | ObjectFlags::kReachableSpecial;
  for (const auto& o : objects) {
    if (o->HasAny(kMarks) && !o->Has(ObjectFlags::kInProcess) && !reached.count(o.get())) {
      // Its alpha was the glow's strength; without the glow it is drawn by its alpha again.
      if (o->Has(ObjectFlags::kReachableOrdinary) && o->fadeDir == 0) {
        o->alpha = o->Hidden() ? 0 : 255;
      }
      o->Set(kMarks, false);
    }
  }
}

void Level::SetTexture(WorldObject& o, std::string texture) {
  o.texture = std::move(texture);
  o.uvRect = {0, 0, 1, 1};
  const AnimDesc* a = descriptors_.TextureAnimation(o.texture);
  if (!a) return;
  SpriteAnim s = o.sprite.value_or(SpriteAnim{});
  const bool fresh = !o.sprite;
  if (a->x != 0) s.columns = a->x;
  if (a->y != 0) s.rows = a->y;
  if (a->l != 0) s.frameCount = a->l;
  if (a->t != 0) s.frameTime = a->t;
  if (fresh && s.frameTime == 0) return;  // nothing that could play
  if (a->w > 0 && a->h > 0) {
    o.size = Vec2{a->w * 0.5f, a->h * 0.5f};
    o.UpdateQuad();
  }
  s.current = 0;
  s.elapsed = 0;
  if (fresh) s.step = 1;
  o.sprite = s;
  o.Set(ObjectFlags::kSprite);
}

void Level::AttachParticles(WorldObject& o) {
  if (const ObjectParticle* p = descriptors_.ObjectParticles(o.texture)) {
    o.particles = EffectRef{p->par, p->x, p->y, true};
  } else if (!o.particles.Empty()) {
    o.particles.active = true;
  }
}

bool Level::WakeProduct(const WorldObject& building) {
  WorldObject* site = building.desc ? ProductSite(building) : nullptr;
  const int product = building.desc ? building.desc->income[0] : 0;
  const ObjectDesc* productDesc = product != 0 ? descriptors_.Obstacle(product) : nullptr;
  if (!site || !productDesc) return false;
  site->Set(ObjectFlags::kDormant, false);
  site->respawnMin = site->respawnMax = building.desc->respawn;
  site->subclass = uint16_t(product);
  site->desc = productDesc;
  // The product wears the dress of the land its building wears.
  if (const TextureRef* t = descriptors_.Texture(product)) {
    SetTexture(*site, descriptors_.DressedLike(t->tex, building.texture));
  }
  return true;
}

const ObjectDesc* Level::PulseDescriptor(const WorldObject& o) const {
  if (o.pulseDesc == 0) return nullptr;
  // The worked object spreads its pulse to its link and its link's link: two steps back.
  const WorldObject* x = &o;
  for (int step = 0; step < 3 && x; ++step, x = x->backLink) {
    const bool worked = x->cls == WorldObject::kObstacle || x->cls == WorldObject::kBuilding;
    if (worked && x->desc && x->subclass == o.pulseDesc) return x->desc;
  }
  if (const ObjectDesc* obstacle = descriptors_.Obstacle(o.pulseDesc)) return obstacle;
  return descriptors_.Building(o.pulseDesc);
}

WorldObject* Level::ProductSite(const WorldObject& building) const {
  WorldObject* site = nullptr;
  ForLinkChain(building, [&](WorldObject& o) {
    if (!site && o.cls == WorldObject::kWaypoint && o.link && o.link != &building) site = o.link;
  });
  return site;
}

bool Level::WorkerTypeAvailable(int type) const {
  return type >= 0 && type < ObjectDesc::kWorkerTypeCount && (workerTypes >> type & 1) != 0;
}

bool Level::Affordable(const ObjectDesc& desc) const {
  for (size_t i = 0; i < 3; ++i) {
    if (desc.cost[i] > 0 && desc.cost[i] > resources[i]) return false;
  }
  return true;
}

std::string Level::FinishingEffect(const WorldObject& o) const {
  if (o.link && o.link->cls == WorldObject::kBuilding) return "build";
  if (o.desc && o.desc->coll != 0) {
    char name[32];
    std::snprintf(name, sizeof name, "collect%02d", o.desc->coll);
    return name;
  }
  if (o.link && o.link->cls == WorldObject::kObstacle) return {};
  return "collect";
}
