#pragma once
#include <functional>

class Level;
class LevelEffects;
class LevelSounds;
struct GameSettings;
struct WorldObject;

// Advances a level's world objects by one frame: the object update (the current flying
// creature, respawns, state sprites handing over to their link chain, collected puzzle
// pieces) and the animation update (scrolling, sliding, the blink of reachable objects,
// fades, idle pauses, pulses and sprites). Everything moves by the frameTime given, in
// milliseconds; nothing reads a clock.
//
// The level's tick decides the order within a frame: the animation update first (every
// frame the level is not paused), the object update later with the workers, then
// Level::RemoveFlagged.
class LevelObjectUpdater {
 public:
  // effects and sounds may be null (no effects started, no sounds played).
  LevelObjectUpdater(Level& level, const GameSettings& settings, LevelEffects* effects = nullptr,
                     LevelSounds* sounds = nullptr);

  // The per-frame update of every object of the object list (ordinary levels only; workers
  // walk elsewhere).
  void UpdateObjects(float frameTime);
  // The animation update of every object and worker, then of the indicator sprites; also
  // makes the level's effects follow their objects and advances them.
  void Animate(float frameTime);
  // Only the level's effects follow their objects and advance (part of Animate). While the
  // level is paused they go on alone, so that fog and weather never stand empty.
  void AdvanceEffects(float frameTime);

  // Told of every new frame an object's sprite shows, relative to its loop start (the work
  // sounds that play on a frame of the work animation).
  using FrameHook = std::function<void(WorldObject& object, int frame)>;
  void SetFrameHook(FrameHook hook) { frameHook_ = std::move(hook); }

  // Mini-game levels: the kind of the running phase, -1 for none. Reachable objects blink
  // only during phase kinds 3 and 6 (6: scenery only).
  void SetMiniGamePhaseKind(int kind) { miniGamePhaseKind_ = kind; }

 private:
  void UpdateObject(WorldObject& o, float frameTime);
  void Respawn(WorldObject& o);
  void FinishStateSprite(WorldObject& o);
  void AnimateObject(WorldObject& o, float frameTime);
  void Highlight(WorldObject& o);
  void IdlePause(WorldObject& o, float frameTime);
  void AnimateIndicators(float frameTime);
  void PlayFinishing(const WorldObject& o);

  Level& level_;
  const GameSettings& settings_;
  LevelEffects* effects_;
  LevelSounds* sounds_;
  FrameHook frameHook_;
  int miniGamePhaseKind_ = -1;
};
