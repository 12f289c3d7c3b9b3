#pragma once
#include <string>
#include <vector>

// One phase of a mini-game level: which of the eight small games it is, how many steps it
// still needs and the numbers that tune it. Read from the `Phase` elements of "mini_games".
struct MiniGamePhase {
  // Phase kinds.
  enum Kind : int {
    kAttackers = 0,  // click the attackers at the exits before they strike
    kTargets = 1,    // click targets while they are up
    kEnemies = 2,    // click enemies walking to the hero
    kFetchWork = 3,  // send the hero to work on objects; it stays where it worked
    kEagles = 4,     // click the eagle on its way back before its lightning
    kFetchCued = 5,  // fetch the object the hint dialog shows
    kClickCued = 6,  // click the object that blinks
    kGrid = 7,       // turn pipe tiles ahead of the moving piece
  };
  // Flag bits.
  static constexpr int kNearOnly = 1;     // an enemy is hit only within `dist` of the hero
  static constexpr int kVanishAtOnce = 4; // a clicked target disappears without fading

  int kind = kAttackers;
  int remaining = 0;  // steps still needed; the phase may end at 0 or less
  int budget = 0;     // kind 2: enemies still to be sent
  int speed = 0;
  int angle = 4;  // the hero's facing 0..7 during the phase
  int flags = 0;
  float dist = 0;
  std::string message;  // string key of the goal text
  std::string sound, effect;    // a successful click
  std::string sound2, effect2;  // a cue or a threat
  std::vector<int> params;      // kind 7: W, H, then W x H tile ids row by row

  bool operator==(const MiniGamePhase&) const = default;
};

// One `MiniGame` element: the level it belongs to, the hero and the phases in file order.
struct MiniGameDef {
  int episode = 0;
  int level = 0;
  int health = 10;  // hits the hero can take
  int hero = 1;     // the hero's worker type; its base is base list `hero`
  std::vector<MiniGamePhase> phases;
};
