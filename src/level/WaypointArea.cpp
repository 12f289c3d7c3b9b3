#include "level/WaypointArea.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "level/Level.h"
#include "level/WorldObject.h"

namespace waypoint_area {

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;
// Samples per side when measuring how much of a picture a quad covers.
constexpr int kSamples = 20;

// The corners of an object's quad in the level, from its size and rotation.
std::array<Vec2, 4> Corners(const WorldObject& o) {
  const float c = std::cos(o.rotation * kDegrees), s = std::sin(o.rotation * kDegrees);
  const Vec2 local[4] = {
      {-o.size.x, o.size.y}, {o.size.x, o.size.y}, {o.size.x, -o.size.y}, {-o.size.x, -o.size.y}};
  std::array<Vec2, 4> out{};
  for (size_t i = 0; i < 4; ++i) {
    out[i] = Vec2{o.position.x + local[i].x * c - local[i].y * s,
                  o.position.y + local[i].x * s + local[i].y * c};
  }
  return out;
}

// Half the width and height of the upright box around the object's quad.
Vec2 HalfExtent(const WorldObject& o) {
  Vec2 half;
  for (const Vec2& p : Corners(o)) {
    half.x = std::max(half.x, std::fabs(p.x - o.position.x));
    half.y = std::max(half.y, std::fabs(p.y - o.position.y));
  }
  return half;
}

bool Workable(const WorldObject& o) {
  return o.cls == WorldObject::kObstacle || o.cls == WorldObject::kBuilding;
}

}  // namespace

std::vector<const WorldObject*> Served(const WorldObject& waypoint) {
  std::vector<const WorldObject*> out;
  if (waypoint.cls != WorldObject::kWaypoint) return out;
  // Through scaffolds and the like (scenery between a building and its upgrade), not
  // through a waypoint: what stands there has a waypoint of its own.
  std::vector<const WorldObject*> seen;
  for (const WorldObject* o = waypoint.link; o && o->cls != WorldObject::kWaypoint; o = o->link) {
    if (std::find(seen.begin(), seen.end(), o) != seen.end()) break;  // a link cycle
    seen.push_back(o);
    if (Workable(*o)) out.push_back(o);
  }
  return out;
}

Vec2 HalfSizeFor(Vec2 at, const WorldObject& picture) {
  const Vec2 half = HalfExtent(picture);
  return {std::fabs(picture.position.x - at.x) + kPictureCore * half.x,
          std::fabs(picture.position.y - at.y) + kPictureCore * half.y};
}

Vec2 FittedHalfSize(const WorldObject& waypoint) {
  Vec2 half = kMinHalf;
  for (const WorldObject* o : Served(waypoint)) {
    const Vec2 need = HalfSizeFor(waypoint.position, *o);
    half.x = std::max(half.x, std::ceil(need.x));
    half.y = std::max(half.y, std::ceil(need.y));
  }
  return half;
}

bool Contains(const WorldObject& o, Vec2 point) {
  const std::array<Vec2, 4> c = Corners(o);
  int sign = 0;
  for (size_t i = 0; i < 4; ++i) {
    const Vec2 a = c[i], b = c[(i + 1) % 4];
    const float cross = (b.x - a.x) * (point.y - a.y) - (b.y - a.y) * (point.x - a.x);
    const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
    if (s == 0) continue;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return sign != 0;
}

float Share(const WorldObject& waypoint, const WorldObject& picture) {
  const float c = std::cos(picture.rotation * kDegrees);
  const float s = std::sin(picture.rotation * kDegrees);
  int inside = 0;
  for (int i = 0; i < kSamples; ++i) {
    for (int j = 0; j < kSamples; ++j) {
      // Cell centres across the picture, turned with it.
      const float u = (2.0f * float(i) + 1.0f) / kSamples - 1.0f;
      const float v = (2.0f * float(j) + 1.0f) / kSamples - 1.0f;
      const float lx = u * picture.size.x, ly = v * picture.size.y;
      const Vec2 p{picture.position.x + lx * c - ly * s, picture.position.y + lx * s + ly * c};
      if (Contains(waypoint, p)) ++inside;
    }
  }
  return float(inside) / float(kSamples * kSamples);
}

const WorldObject* TopWaypointAt(const Level& level, Vec2 point) {
  for (auto it = level.objects.rbegin(); it != level.objects.rend(); ++it) {
    const WorldObject& o = **it;
    if (o.cls == WorldObject::kWaypoint && !Served(o).empty() && Contains(o, point)) return &o;
  }
  return nullptr;
}

}  // namespace waypoint_area
