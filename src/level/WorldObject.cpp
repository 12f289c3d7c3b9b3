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

bool WorldObject::Contains(Vec2 point) const {
  // Inside a convex quad: on the same side of all four edges.
  int sign = 0;
  for (size_t i = 0; i < 4; ++i) {
    const Vec2 a = quad[i];
    const Vec2 b = quad[(i + 1) % 4];
    const float px = point.x - position.x - a.x;
    const float py = point.y - position.y - a.y;
    const float cross = (b.x - a.x) * py - (b.y - a.y) * px;
    const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
    if (s == 0) continue;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return sign != 0;
}
