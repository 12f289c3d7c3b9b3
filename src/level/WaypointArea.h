#pragma once
#include <vector>

#include "level/Vec2.h"

class Level;
class WorldObject;

// An obstacle or a building is clicked through the waypoint it stands at: the waypoint's quad is
// its clickable area. The quad is centred on the waypoint, which sits at the foot of the picture
// where the workers arrive, so to take the clicks on the picture it has to reach up over it.
//
// The rule, for an unrotated waypoint: its half size is, on each axis, the distance from the
// waypoint to the centre of a picture it serves plus three quarters of that picture's half
// extent; the largest over every picture it serves, and never below the small ring of a plain
// waypoint. The middle three quarters of every picture then lie inside the quad. Level files
// and the tools that write them take their waypoint sizes from here (`kcontent level fit`);
// `kcontent lint` checks the result.
namespace waypoint_area {

// The least half size of a waypoint's quad (what a waypoint with nothing to click has).
inline constexpr Vec2 kMinHalf{20, 14};
// How much of a picture's half extent, from its centre outwards, the quad must reach.
inline constexpr float kPictureCore = 0.75f;
// Below this share of its picture a waypoint's quad is reported by the lint.
inline constexpr float kLeastShare = 0.5f;

// The obstacles and buildings a waypoint serves in the course of a level: its linked object and
// what that one becomes along its links (a site and its building, a building, its scaffold and
// its upgrade), up to the next waypoint.
std::vector<const WorldObject*> Served(const WorldObject& waypoint);

// The half size the rule gives a waypoint at `at` for one picture, and for all it serves.
Vec2 HalfSizeFor(Vec2 at, const WorldObject& picture);
Vec2 FittedHalfSize(const WorldObject& waypoint);

// The share 0..1 of the picture's quad that lies inside the waypoint's quad.
float Share(const WorldObject& waypoint, const WorldObject& picture);

// The waypoint that takes a click at the point when every waypoint that serves something can
// be clicked: the last such one in the object list whose quad holds the point (the topmost
// drawn wins), or none.
const WorldObject* TopWaypointAt(const Level& level, Vec2 point);

}  // namespace waypoint_area
