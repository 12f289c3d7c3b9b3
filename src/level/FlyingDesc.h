#pragma once
#include <string>

#include "level/AnimDesc.h"

// A kind of flying creature: its animation, how many clicks drive it away, its speed, and the
// sound and effect of its three moments.
struct FlyingDesc {
  // A sound and a particle effect played together.
  struct Cue {
    std::string sound;
    std::string effect;
  };

  AnimDesc anim;
  int health = 0;  // clicks needed to drive it away
  int speed = 0;   // speed / 100 screen units per millisecond
  int flags = 0;   // bit 0 set: never mirrored, no second frame block
  Cue spawn;
  Cue hit;
  Cue die;
};
