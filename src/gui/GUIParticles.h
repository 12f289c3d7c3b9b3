#pragma once
#include <memory>
#include <string>

#include "gui/GUIControl.h"

class LayoutElement;
class ParticleEffect;

// A particle effect held at the centre of the control's rectangle.
class GUIParticles : public GUIControl {
 public:
  GUIParticles();
  ~GUIParticles() override;

  // "particles": particles (the effect), flags s (created stopped: no effect until Restart).
  // A 1 × 1 rectangle; with a parent only the l, r, t, b offsets apply.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  // Creates the effect again from its name (none when the name is unknown).
  void Restart();
  const ParticleEffect* Effect() const { return effect_.get(); }

  std::string effectName;

 private:
  std::unique_ptr<ParticleEffect> effect_;
};
