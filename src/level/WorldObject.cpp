#include "level/WorldObject.h"

#include <cmath>

void WorldObject::UpdateQuad() {
  const double radians = double(rotation) * 3.14159265358979323846 / 180.0;
  const float c = float(std::cos(radians));
  const float s = float(std::sin(radians));
  // Top left, top right, bottom right, bottom left (y up).
  const Vec2 corners[4] = {
      {-size.x, size.y}, {size.x, size.y}, {size.x, -size.y}, {-size.x, -size.y}};
  for (int i = 0; i < 4; ++i) {
    quad[i] = Vec2{corners[i].x * c - corners[i].y * s, corners[i].x * s + corners[i].y * c};
  }
}
