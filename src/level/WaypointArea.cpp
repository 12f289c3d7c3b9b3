#include "level/WaypointArea.h"

#include <algorithm>
#include <cmath>

#include "level/Level.h"
#include "level/WorldObject.h"

namespace waypoint_area {

namespace {

// Samples per side when measuring how much of a picture a quad covers.
constexpr int kSamples = 20;

// Half the width and height of the upright box around the object's quad.
Vec2 HalfExtent(const WorldObject& o) {
  Vec2 half;
  for (const Vec2& corner : o.quad) {
    half.x = std::max(half.x, std::fabs(corner.x));
    half.y = std::max(half.y, std::fabs(corner.y));
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

float Share(const WorldObject& waypoint, const WorldObject& picture) {
  // Cell centres across the picture's quad, from its bottom left corner along its two edges.
  const Vec2 origin = picture.quad[3];
  const Vec2 across{picture.quad[2].x - origin.x, picture.quad[2].y - origin.y};
  const Vec2 up{picture.quad[0].x - origin.x, picture.quad[0].y - origin.y};
  int inside = 0;
  for (int i = 0; i < kSamples; ++i) {
    for (int j = 0; j < kSamples; ++j) {
      const float u = (float(i) + 0.5f) / kSamples, v = (float(j) + 0.5f) / kSamples;
      const Vec2 p{picture.position.x + origin.x + u * across.x + v * up.x,
                   picture.position.y + origin.y + u * across.y + v * up.y};
      if (waypoint.Contains(p)) ++inside;
    }
  }
  return float(inside) / float(kSamples * kSamples);
}

const WorldObject* TopWaypointAt(const Level& level, Vec2 point) {
  for (auto it = level.objects.rbegin(); it != level.objects.rend(); ++it) {
    const WorldObject& o = **it;
    if (o.cls == WorldObject::kWaypoint && !Served(o).empty() && o.Contains(point)) return &o;
  }
  return nullptr;
}

}  // namespace waypoint_area
