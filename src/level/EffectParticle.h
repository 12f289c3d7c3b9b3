#pragma once
#include <string>

// The particle effect an effect spot of subclass `id` shows, offset from its position.
struct EffectParticle {
  int id = 0;
  std::string effect;
  float x = 0;
  float y = 0;
};
