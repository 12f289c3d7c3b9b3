#include "level/MiniGameGrid.h"

#include <algorithm>
#include <cmath>

#include "level/GameController.h"
#include "level/Level.h"
#include "level/MiniGame.h"

namespace {

constexpr double kGridPi = 3.14159265358979323846;
enum Side { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

float GridSane(float frameTime) {
  return std::isfinite(frameTime) && frameTime > 0 ? std::min(frameTime, 1.0e6f) : 0.0f;
}

// The orientation 0..3 nearest to a rotation in degrees.
int QuarterTurns(float rotation) {
  if (!std::isfinite(rotation)) return 0;
  const double turns = std::floor(std::fmod(double(rotation), 360.0) / 90.0 + 0.5);
  return ((int(turns) % 4) + 4) % 4;
}

}  // namespace

void MiniGameGrid::Clear() {
  width = height = 0;
  cell = 0;
  dir = entryDir = Vec2{1, 0};
  straight.clear();
  turn.clear();
  tiles.clear();
  speed = 0;
  piece = 0;
  done = false;
  turning_.clear();
}

bool MiniGameGrid::Connects(bool isStraight, int orientation, int side) {
  const int o = ((orientation % 4) + 4) % 4;
  if (isStraight) return o % 2 == 0 ? side == kLeft || side == kRight : side == kTop || side == kBottom;
  switch (o) {
    case 0:
      return side == kLeft || side == kBottom;
    case 1:
      return side == kRight || side == kBottom;
    case 2:
      return side == kRight || side == kTop;
    default:
      return side == kLeft || side == kTop;
  }
}

WorldObject* MiniGameGrid::Tile(int index) const {
  if (index < 0 || size_t(index) >= tiles.size() || tiles[size_t(index)] == 0) return nullptr;
  WorldObject* o = game_.level.FindObject(tiles[size_t(index)]);
  return o && o->cls == WorldObject::kFillable ? o : nullptr;
}

void MiniGameGrid::Setup(const MiniGamePhase& phase) {
  Clear();
  speed = float(phase.speed);
  const std::vector<int>& p = phase.params;
  if (p.size() < 2) return;
  const long long w = p[0], h = p[1];
  // A grid that its list cannot fill is no grid.
  if (w < 1 || h < 1 || w * h > (long long)p.size() - 2) return;
  width = int(w);
  height = int(h);
  const size_t n = size_t(w * h);
  straight.assign(n, false);
  turn.assign(n, 0);
  tiles.assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    WorldObject* o = game_.level.FindObject(p[i + 2]);
    if (!o || o->cls != WorldObject::kFillable) continue;  // skipped: the piece stops there
    tiles[i] = o->id;
    straight[i] = o->texture.find('1') != std::string::npos;
    turn[i] = QuarterTurns(o->rotation);
    o->rotation = float(turn[i] * 90);
    o->UpdateQuad();
  }
  WorldObject* first = Tile(0);
  if (!first) return;
  first->Set(ObjectFlags::kPassable);
  if (!first->link) return;
  WorldObject& moving = *first->link;
  piece = moving.id;
  moving.position = Vec2{first->position.x + (first->quad[0].x + first->quad[3].x) / 2,
                         first->position.y + (first->quad[0].y + first->quad[3].y) / 2};
  moving.UpdateQuad();
  dir = entryDir = Vec2{1, 0};
}

void MiniGameGrid::Bend(WorldObject& moving, const WorldObject& tile, int orientation) {
  const float a = tile.size.x, b = tile.size.y;
  if (!(a > 0) || !(b > 0)) return;  // no extent: no bend
  const double s = 0.85 * kGridPi / 2;
  const double x = moving.position.x, y = moving.position.y;
  const double tx = tile.position.x, ty = tile.position.y;
  double k = 0;
  if (std::fabs(entryDir.x) > 0.5) {
    switch (orientation) {
      case 0: k = -s * (1 - (tx - x) / a); break;
      case 1: k = s * (1 - (x - tx) / a); break;
      case 2: k = -s * (1 - (x - tx) / a); break;
      default: k = s * (1 - (tx - x) / a); break;
    }
  } else {
    switch (orientation) {
      case 0: k = s * (1 - (ty - y) / b); break;
      case 1: k = -s * (1 - (ty - y) / b); break;
      case 2: k = s * ((ty - y) / b * 0.5 + 1); break;
      default: k = -s * ((ty - y) / b * 0.5 + 1); break;
    }
  }
  if (!std::isfinite(k)) return;
  const double c = std::cos(k), sn = std::sin(k);
  dir = Vec2{float(entryDir.x * c - entryDir.y * sn), float(entryDir.x * sn + entryDir.y * c)};
}

void MiniGameGrid::Step(float frameTime) {
  frameTime = GridSane(frameTime);
  GameController& g = game_.Controller();
  if (piece == 0 || done || g.end.lost || !game_.Front()) return;
  const int n = width * height;
  if (cell < 0 || cell >= n) return;
  WorldObject* t = Tile(cell);
  WorldObject* moving = game_.level.FindObject(piece);
  if (!t || !moving) return;
  moving->position.x += dir.x * frameTime * speed * 0.005f;
  moving->position.y += dir.y * frameTime * speed * 0.005f;
  t->fadeValue += speed * 0.00005f * frameTime;
  speed += frameTime * 0.001f;
  if (!straight[size_t(cell)]) Bend(*moving, *t, turn[size_t(cell)]);
  moving->UpdateQuad();
  if (t->Contains(moving->position)) return;
  t->fadeValue = 1;
  // Where the piece left the tile.
  const int from = cell;
  const Vec2 at = t->position;
  bool off = false;
  bool rightOrDown = false;
  if (dir.y > 0.5f) {
    cell -= width;
    off = cell < 0;
    if (!off) {
      dir = Vec2{0, 1};
      moving->position.x = at.x;
    }
  } else if (dir.y < -0.5f) {
    cell += width;
    rightOrDown = true;
    off = cell >= n;  // below the last row: off the grid, wherever it left it
    if (!off) {
      dir = Vec2{0, -1};
      moving->position.x = at.x;
    }
  } else if (dir.x < -0.5f) {
    off = from % width == 0;
    if (!off) {
      cell -= 1;
      dir = Vec2{-1, 0};
      moving->position.y = at.y;
    }
  } else if (dir.x > 0.5f) {
    cell += 1;
    rightOrDown = true;
    off = cell % width == 0;
    if (!off) {
      dir = Vec2{1, 0};
      moving->position.y = at.y;
    }
  } else {
    return;  // no way out yet
  }
  moving->UpdateQuad();
  if (off) {
    // Only the last cell leads out, to the right or downwards.
    End(rightOrDown && from == n - 1);
    return;
  }
  game_.PhaseStep(true);
  entryDir = dir;
  WorldObject* next = Tile(cell);
  if (!next) return;
  next->Set(ObjectFlags::kPassable);
  const int side = dir.x > 0.5f ? kLeft : dir.x < -0.5f ? kRight : dir.y > 0.5f ? kBottom : kTop;
  if (!Connects(straight[size_t(cell)], turn[size_t(cell)], side)) End(false);
}

void MiniGameGrid::End(bool success) {
  if (success) {
    game_.PhaseStep(true);
    // Out through the last cell: the phase is done whichever way the piece took, also when
    // that way was shorter than the phase's length.
    for (MiniGamePhase* front = game_.Front(); front && front->remaining > 0;) game_.GoalDone();
    done = true;
    return;
  }
  GameController& g = game_.Controller();
  // Every hit that is left is taken, one by one.
  for (int guard = 0; game_.HitsLeft() > 0 && guard <= 100000; ++guard) game_.Hit();
  game_.level.phases.clear();
  straight.clear();
  turn.clear();
  tiles.clear();
  width = height = 0;
  piece = 0;
  g.endTimer = 0;
  g.end.lost = true;
}

bool MiniGameGrid::Turning(const WorldObject& tile) const { return turning_.count(tile.id) > 0; }

bool MiniGameGrid::Rotate(WorldObject& tile) {
  const MiniGamePhase* front = game_.Front();
  if (!front || front->kind != MiniGamePhase::kGrid || Turning(tile)) return false;
  if (tile.Has(ObjectFlags::kPassable)) return false;  // the piece is in it or was
  speed = std::max(speed - 0.1f, float(front->speed));
  float target = std::isfinite(tile.rotation) ? std::trunc(tile.rotation) - 90 : -90;
  if (target < -180) target += 360;
  turning_[tile.id] = TurnState{target, kTurnMs};
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (tiles[i] == tile.id) {
      turn[i] = (turn[i] + 3) % 4;
      break;
    }
  }
  return true;
}

void MiniGameGrid::Turn(WorldObject& tile, float frameTime) {
  const auto it = turning_.find(tile.id);
  if (it == turning_.end()) return;
  frameTime = GridSane(frameTime);
  it->second.left -= std::trunc(frameTime);
  if (it->second.left > 0) {
    tile.rotation -= frameTime * 0.5f;
  } else {
    tile.rotation = it->second.target;
    turning_.erase(it);
  }
  tile.UpdateQuad();
}
