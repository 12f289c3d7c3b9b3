#pragma once

// A point or an extent in virtual screen units (x to the right, y up).
struct Vec2 {
  float x = 0;
  float y = 0;

  bool operator==(const Vec2&) const = default;
};
