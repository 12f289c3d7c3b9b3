#pragma once
// The game's particle effect service: loads every ".pyro" file below "effects/" once, hands
// out effect instances by name and draws them through the Renderer.
//
// Coordinates: the particle library's frame has y pointing down. To show an effect at the
// virtual point (cx, cy) (origin at the screen centre, y up), set its position to
// (-cx, -cy); Advance moves the emitters to (cx, -cy) and their y-flipping transformation
// puts the particles at (cx, cy).
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "particles/ParticleTextures.h"
#include "particles/PyroParticles.h"

class FileSystem;
class Renderer;
class TextureManager;
class ParticleManager;

namespace PyroParticles {
class CGraphics;
}

// One running effect: the emitters of one effect file. Created by
// ParticleManager::CreateEffect, owned by the caller; advance and draw it once per frame.
class ParticleEffect {
 public:
  ~ParticleEffect();
  ParticleEffect(const ParticleEffect&) = delete;
  ParticleEffect& operator=(const ParticleEffect&) = delete;

  // Stores the position: pass the negated virtual coordinates (see the header comment).
  void SetPosition(float x, float y) {
    x_ = x;
    y_ = y;
  }
  // Advances every emitter: the live particles, then the emitter's move to the position.
  void Advance(float ms);
  // Draws every emitter whose draw colour is not transparent. The caller sets the shader
  // before and restores blend mode 0 afterwards.
  void Draw();
  // No more new particles; the live ones finish their lives.
  void Stop();
  // Emitting again (a finished one-shot effect starts a new cycle).
  void Start();
  // True during the first second; then while an emitter emits or has live particles.
  bool IsAlive() const;
  // Scales the speed of new particles and the pull of gravity in every emitter.
  void SetEmitterFactor(float factor);
  // Scales how many particles every emitter gives birth to (see ParticleManager::SetDensity).
  void SetDensity(float density);

  float X() const { return x_; }
  float Y() const { return y_; }
  float Elapsed() const { return elapsed_; }
  bool Emitting() const { return emitting_; }
  int EmitterCount() const { return int(emitters_.size()); }
  int ParticleCount() const;

 private:
  friend class ParticleManager;
  explicit ParticleEffect(ParticleManager* owner) : owner_(owner) {}
  // The manager is going away: the emitters go with it.
  void Detach();

  ParticleManager* owner_;
  float x_ = 0.0f;
  float y_ = 0.0f;
  float elapsed_ = 0.0f;
  bool emitting_ = true;
  std::vector<std::unique_ptr<PyroParticles::IPyroParticleEmitter>> emitters_;
};

// Told when the manager's effects are unloaded, so that holders of effect instances (the
// level's effect layer) can let them go before the library does.
class ParticleManagerObserver {
 public:
  virtual ~ParticleManagerObserver() = default;
  // Every live effect is about to lose its emitters. shuttingDown: the manager serves no more
  // effects (Shutdown or destruction), as opposed to a reload by LoadEffects.
  virtual void OnEffectsUnloaded(ParticleManager& manager, bool shuttingDown) = 0;
};

class ParticleManager {
 public:
  // The game's: textures through the TextureManager.
  ParticleManager(FileSystem& files, Renderer& renderer, TextureManager& textures);
  // Textures through any provider (it must outlive the manager).
  ParticleManager(FileSystem& files, Renderer& renderer, ParticleTextureProvider& textures);
  ~ParticleManager();
  ParticleManager(const ParticleManager&) = delete;
  ParticleManager& operator=(const ParticleManager&) = delete;

  // Loads every "effects/…/*.pyro" file (after the render device exists). A file the library
  // refuses is skipped (its message is kept in LoadErrors); of two files with one name the
  // first listed is kept.
  void LoadEffects();
  // A new instance of the named effect, or none when no such effect was loaded.
  std::unique_ptr<ParticleEffect> CreateEffect(std::string_view name);
  // Releases the effects' textures, the library and the back end. Effects still alive lose
  // their emitters and draw nothing from then on.
  void Shutdown();

  bool HasEffect(std::string_view name) const { return files_.find(name) != files_.end(); }
  std::vector<std::string> EffectNames() const;
  struct LoadError {
    std::string file;
    std::string message;
  };
  const std::vector<LoadError>& LoadErrors() const { return errors_; }
  // How many "_pyroTex" textures were made so far in this run.
  int TexturesMade() const { return textureCounter_; }

  // How many particles effects give birth to, 0..1 (1: as made): for calmer screens. Applies
  // to the live effects and to every effect made later.
  void SetDensity(float density);
  float Density() const { return density_; }

  // Observers are told before the effects are unloaded; remove one before it goes away.
  void AddObserver(ParticleManagerObserver* observer);
  void RemoveObserver(ParticleManagerObserver* observer);

 private:
  friend class ParticleEffect;
  void Forget(ParticleEffect* effect) { live_.erase(effect); }
  void Unload(bool shuttingDown);

  FileSystem& fs_;
  Renderer& renderer_;
  std::unique_ptr<ParticleTextureProvider> ownProvider_;
  ParticleTextureProvider& textures_;
  int textureCounter_ = 0;
  float density_ = 1.0f;
  PyroParticles::CGraphics* graphics_ = nullptr;
  PyroParticles::IPyroParticleLibrary* library_ = nullptr;
  std::map<std::string, PyroParticles::IPyroFile*, std::less<>> files_;
  std::set<ParticleEffect*> live_;
  std::vector<LoadError> errors_;
  std::vector<ParticleManagerObserver*> observers_;
};
