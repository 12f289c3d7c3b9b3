#pragma once
#include <string>

// A work sound: what plays while a worker works on an object.
struct SoundRef {
  enum Mode { kOnce = 0, kLooped = 1, kOnFrame = 2 };
  int id = 0;
  std::string name;
  int loop = kOnce;  // Mode
  int frame = 0;     // kOnFrame: the work animation frame that plays it
};
