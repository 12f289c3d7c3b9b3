#include "level/LevelEffects.h"

#include <cmath>

#include "graphics/Renderer.h"
#include "level/Level.h"

namespace {
// Effects that have to look settled when they first show run this long before (ms).
constexpr float kWarmUpMs = 1000.0f;

// The particle library's frame has y pointing down: an effect shown at (x, y) is placed at
// (-x, -y) (see ParticleManager.h).
void Place(ParticleEffect& effect, Vec2 at) { effect.SetPosition(-at.x, -at.y); }
}  // namespace

LevelEffects::LevelEffects(ParticleManager* manager) : manager_(manager) {
  if (manager_) manager_->AddObserver(this);
}

LevelEffects::~LevelEffects() {
  Clear();
  if (manager_) manager_->RemoveObserver(this);
}

void LevelEffects::OnEffectsUnloaded(ParticleManager& manager, bool shuttingDown) {
  if (&manager != manager_) return;
  Clear();
  if (shuttingDown) {
    manager_->RemoveObserver(this);
    manager_ = nullptr;
  }
}

void LevelEffects::Clear() {
  objects_.clear();
  free_.clear();
}

std::unique_ptr<ParticleEffect> LevelEffects::Make(std::string_view name, Vec2 at, bool warmUp) {
  if (!manager_ || name.empty()) return nullptr;
  std::unique_ptr<ParticleEffect> effect = manager_->CreateEffect(name);
  if (!effect) return nullptr;
  Place(*effect, at);
  if (warmUp) effect->Advance(kWarmUpMs);
  return effect;
}

void LevelEffects::Start(std::string_view name, Vec2 at) {
  if (auto effect = Make(name, at, false)) {
    free_.push_back(Free{0, Instance{std::string(name), at, std::move(effect)}});
  }
}

int LevelEffects::StartLooping(std::string_view name, Vec2 at, float emitterFactor) {
  auto effect = Make(name, at, false);
  if (!effect) return 0;
  if (std::isfinite(emitterFactor)) effect->SetEmitterFactor(emitterFactor);
  const int id = nextId_++;
  free_.push_back(Free{id, Instance{std::string(name), at, std::move(effect)}});
  return id;
}

void LevelEffects::StopLooping(int id) {
  if (id == 0) return;
  for (Free& f : free_) {
    if (f.id == id && f.instance.effect) {
      f.instance.effect->Stop();
      f.id = 0;  // finishes like a one-shot effect
    }
  }
}

void LevelEffects::Follow(Instance& slot, const std::string& name, float x, float y, bool on,
                          Vec2 base, bool warmUp) {
  const Vec2 at{base.x + x, base.y + y};
  if (slot.effect && (!on || slot.name != name)) {
    if (slot.name != name) {
      // Another effect takes the place: the old one finishes on its own.
      slot.effect->Stop();
      free_.push_back(Free{0, std::move(slot)});
      slot = Instance{};
    } else {
      if (slot.effect->Emitting()) slot.effect->Stop();
      if (!slot.effect->IsAlive()) slot = Instance{};
    }
  }
  if (on && !name.empty()) {
    if (!slot.effect) {
      slot.effect = Make(name, at, warmUp);
      slot.name = name;
    } else if (!slot.effect->Emitting()) {
      slot.effect->Start();
    }
  }
  slot.at = at;
  if (slot.effect) Place(*slot.effect, at);
}

void LevelEffects::Sync(const Level& level, bool warmUp) {
  for (auto& [object, effects] : objects_) effects.seen = false;
  for (const LevelData::ObjectList* list : {&level.objects, &level.workers}) {
    for (const auto& owned : *list) {
      const WorldObject& o = *owned;
      const auto found = objects_.find(&o);
      if (found == objects_.end() && o.particles.Empty() && o.marker.Empty()) continue;
      ObjectEffects& e = found != objects_.end() ? found->second : objects_[&o];
      e.seen = true;
      e.fog = o.cls == WorldObject::kFog;
      Follow(e.particles, o.particles.name, o.particles.x, o.particles.y, o.particles.active,
             o.position, warmUp);
      Follow(e.marker, o.marker.name, o.marker.x, o.marker.y, o.marker.active, o.position, warmUp);
      if (!e.particles.effect && !e.marker.effect) objects_.erase(&o);
    }
  }
  // Objects that are gone leave their effects to finish.
  for (auto it = objects_.begin(); it != objects_.end();) {
    if (it->second.seen) {
      ++it;
      continue;
    }
    for (Instance* slot : {&it->second.particles, &it->second.marker}) {
      if (!slot->effect) continue;
      slot->effect->Stop();
      free_.push_back(Free{0, std::move(*slot)});
    }
    it = objects_.erase(it);
  }
}

void LevelEffects::Advance(float ms) {
  for (auto& [object, effects] : objects_) {
    for (Instance* slot : {&effects.particles, &effects.marker}) {
      if (slot->effect) slot->effect->Advance(ms);
    }
  }
  for (Free& f : free_) f.instance.effect->Advance(ms);
  std::erase_if(free_, [](const Free& f) { return f.id == 0 && !f.instance.effect->IsAlive(); });
}

void LevelEffects::DrawLayer(Renderer& renderer, const Level& level) {
  bool drawn = false;
  for (const LevelData::ObjectList* list : {&level.objects, &level.workers}) {
    for (const auto& owned : *list) {
      const auto found = objects_.find(owned.get());
      if (found == objects_.end() || found->second.fog) continue;
      for (Instance* slot : {&found->second.particles, &found->second.marker}) {
        if (slot->effect) {
          slot->effect->Draw();
          drawn = true;
        }
      }
    }
  }
  for (Free& f : free_) {
    f.instance.effect->Draw();
    drawn = true;
  }
  if (drawn) renderer.SetBlendMode(BlendMode::Alpha);
}

void LevelEffects::DrawObject(Renderer& renderer, const WorldObject& object) {
  const auto found = objects_.find(&object);
  if (found == objects_.end()) return;
  bool drawn = false;
  for (Instance* slot : {&found->second.particles, &found->second.marker}) {
    if (slot->effect) {
      slot->effect->Draw();
      drawn = true;
    }
  }
  if (drawn) renderer.SetBlendMode(BlendMode::Alpha);
}

std::vector<LevelEffects::Running> LevelEffects::List() const {
  std::vector<Running> list;
  for (const auto& [object, effects] : objects_) {
    for (const Instance* slot : {&effects.particles, &effects.marker}) {
      if (slot->effect) list.push_back({slot->name, slot->at, object, slot->effect->Emitting()});
    }
  }
  for (const Free& f : free_) {
    list.push_back({f.instance.name, f.instance.at, nullptr, f.instance.effect->Emitting()});
  }
  return list;
}
