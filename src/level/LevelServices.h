#pragma once
#include <string_view>

class Level;
struct WorldObject;

// What reading and running a level asks of the campaign and the level screen. Every operation has a
// harmless default, so a reader without a campaign (tools, tests) passes none.
class LevelServices {
 public:
  virtual ~LevelServices() = default;

  // The player's progress records the puzzle piece of that level as found.
  virtual bool PuzzlePieceFound(int /*episode*/, int /*level*/) const { return false; }
  // A message for the player about a level that cannot be read ("Unknown section").
  virtual void ShowMessage(std::string_view /*text*/) {}
  // Loads the mini-game definition of a mode-3 level (sets the level's hero type).
  virtual void LoadMiniGame(Level& /*level*/) {}
  // An event of that trigger number happened to an object (0: it became reachable): the
  // dialog it carries for that trigger, if any, is shown.
  virtual void FireDialogs(Level& /*level*/, WorldObject& /*object*/, int /*trigger*/) {}
};
