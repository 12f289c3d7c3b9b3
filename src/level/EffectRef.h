#pragma once
#include <string>

// A particle or text effect attached to a world object, by name. The effect service turns it
// into a running effect; the record keeps what is needed to restart it.
struct EffectRef {
  std::string name;  // empty = none
  float x = 0;       // offset from the object's position
  float y = 0;
  bool active = false;

  bool Empty() const { return name.empty(); }
  bool operator==(const EffectRef&) const = default;
};
