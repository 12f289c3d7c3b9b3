#pragma once
#include <optional>
#include <vector>

#include "level/Vec2.h"

class GameController;
class MiniGameGrid;

// How the bot plays a mini-game level: it clicks what the front phase asks for (an attacker,
// a target that is up, the enemy nearest the hero, an eagle on its way out, the cued object,
// the next object to fetch), and in a grid phase it turns the tiles ahead of the piece along
// a route it solves from where the piece is.
class MiniGameBot {
 public:
  // The point of the world to click now, or none.
  static std::optional<Vec2> Choose(const GameController& game);
  // The orientation each cell needs for the piece to leave through the last cell (-1: not
  // on the route), from the piece's cell and the side it entered by; empty when no turning
  // of the tiles it has not entered solves the grid.
  static std::vector<int> SolveGrid(const MiniGameGrid& grid, const std::vector<bool>& fixed,
                                    int cell, int side);
  // The same for a grid given by its tiles: width, kinds (straight or corner), orientations,
  // which cells have a tile, and which may not be turned. Sides: 0 left, 1 right, 2 top,
  // 3 bottom.
  static std::vector<int> SolveGrid(int width, const std::vector<bool>& straight,
                                    const std::vector<int>& turn, const std::vector<bool>& present,
                                    const std::vector<bool>& fixed, int cell, int side);
};
