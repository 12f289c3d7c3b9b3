#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "level/Vec2.h"
#include "particles/ParticleManager.h"

class Level;
struct WorldObject;

// The particle effects of a running level: the effects its objects carry (the particles of
// their textures, their markers, the effects of effect spots and fog) and the free effects
// started at points of the world (one-shot effects such as "respawn", looping ones such as
// the weather).
//
// The objects' records only say which effect they carry and whether it is on (EffectRef);
// Sync makes the running effects follow them. Without a particle manager (tools, tests of
// the rules) nothing runs and nothing is drawn, but the records behave the same.
//
// The layer lets go of every effect when the manager unloads them, so no effect of the level
// outlives the particle service, whichever of the two is destroyed first.
class LevelEffects final : public ParticleManagerObserver {
 public:
  explicit LevelEffects(ParticleManager* manager);
  ~LevelEffects() override;
  LevelEffects(const LevelEffects&) = delete;
  LevelEffects& operator=(const LevelEffects&) = delete;

  // A one-shot effect at a point; it is deleted when it has died.
  void Start(std::string_view name, Vec2 at);
  // A looping effect at a point with an emitter factor (1 = as authored); runs until
  // StopLooping with the number returned (0: none could be made).
  int StartLooping(std::string_view name, Vec2 at, float emitterFactor = 1.0f);
  void StopLooping(int id);

  // Makes the running effects of the objects follow their records: an effect that is on
  // runs (created, or emitting again), one that is off stops emitting and is deleted when
  // its particles have died, and effects follow their objects. With warmUp, effects made now
  // are advanced by a second first, so that they show in full flow (a level being set up).
  void Sync(const Level& level, bool warmUp = false);
  // Advances every effect.
  void Advance(float ms);
  // Draws the particle layer: the effects of the level's objects in list order (except those
  // of fog objects), then the free effects. The caller sets the shader; the blend mode is
  // left at alpha blending.
  void DrawLayer(Renderer& renderer, const Level& level);
  // Draws the effects of one object (fog objects are drawn in their own place).
  void DrawObject(Renderer& renderer, const WorldObject& object);
  // Deletes every effect; call it when the level is read again (objects are told apart by
  // their records' addresses).
  void Clear();

  // What runs, for tools and tests.
  struct Running {
    std::string name;
    Vec2 at;
    const WorldObject* object = nullptr;  // none for free effects
    bool emitting = false;
  };
  std::vector<Running> List() const;
  bool HasManager() const { return manager_ != nullptr; }

  // ParticleManagerObserver
  void OnEffectsUnloaded(ParticleManager& manager, bool shuttingDown) override;

 private:
  struct Instance {
    std::string name;
    Vec2 at;
    std::unique_ptr<ParticleEffect> effect;
  };
  // The two effects an object may carry.
  struct ObjectEffects {
    Instance particles;
    Instance marker;
    bool fog = false;
    bool seen = false;
  };
  struct Free {
    int id = 0;  // 0 for one-shot effects
    Instance instance;
  };

  std::unique_ptr<ParticleEffect> Make(std::string_view name, Vec2 at, bool warmUp);
  void Follow(Instance& slot, const std::string& name, float x, float y, bool on, Vec2 base,
              bool warmUp);

  ParticleManager* manager_;
  std::unordered_map<const WorldObject*, ObjectEffects> objects_;
  std::vector<Free> free_;
  int nextId_ = 1;
};
