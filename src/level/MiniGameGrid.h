#pragma once
#include <map>
#include <vector>

#include "level/Vec2.h"

class MiniGame;
struct MiniGamePhase;
struct WorldObject;

// The pipe game of grid phases: a piece moves on its own through a grid of tiles, bends its
// course through corner tiles and speeds up; the player turns tiles ahead of it. Every tile
// the piece enters is a step; it has to leave the grid through the last cell, to the right
// or downwards. Entering a tile that does not connect to the side it comes from, or leaving
// the grid anywhere else, loses the level.
//
// Directions are world directions (x right, y up); orientation k of a tile is a rotation of
// k quarter turns counter-clockwise. A straight tile (its texture name contains "1")
// connects left-right at even orientations and top-bottom at odd ones; a corner tile
// connects 0 left-bottom, 1 right-bottom, 2 right-top, 3 left-top.
class MiniGameGrid {
 public:
  static constexpr float kTurnMs = 180;

  explicit MiniGameGrid(MiniGame& game) : game_(game) {}

  // Forgets the grid (a new phase begins).
  void Clear();
  // Lays out the grid of the phase: its tiles' kinds and orientations, the piece at the
  // middle of the first tile's left edge moving right. A grid whose size does not fit its
  // tile list (W or H below 1, fewer than W x H ids) is not set up.
  void Setup(const MiniGamePhase& phase);
  // One frame of the piece while it moves.
  void Step(float frameTime);
  // A click on a tile: it starts a quarter turn clockwise (refused while it turns or once
  // the piece entered it) and the piece slows by 0.1, not below the phase's speed.
  bool Rotate(WorldObject& tile);
  // The turning of a tile, every frame.
  void Turn(WorldObject& tile, float frameTime);
  bool Turning(const WorldObject& tile) const;

  // Whether a tile of that kind and orientation connects to a side: 0 left, 1 right,
  // 2 top, 3 bottom.
  static bool Connects(bool straight, int orientation, int side);

  // The state, for the bot, the tools and the tests.
  int width = 0, height = 0;
  int cell = 0;
  Vec2 dir{1, 0};
  Vec2 entryDir{1, 0};
  std::vector<bool> straight;
  std::vector<int> turn;
  float speed = 0;
  int piece = 0;       // id of the moving piece, 0 none
  bool done = false;   // the piece has left through the last cell
  std::vector<int> tiles;  // tile object ids by cell (0: no such object)

 private:
  struct TurnState {
    float target = 0;
    float left = 0;
  };
  WorldObject* Tile(int cell) const;
  void End(bool success);
  void Bend(WorldObject& piece, const WorldObject& tile, int orientation);

  MiniGame& game_;
  std::map<int, TurnState> turning_;  // tile id -> its running turn
};
