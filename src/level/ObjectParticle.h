#pragma once
#include <string>

// The particle effect an object carries while it shows texture `spr`.
struct ObjectParticle {
  std::string spr;
  std::string par;
  float x = 0;  // offset from the object's position
  float y = 0;
};
