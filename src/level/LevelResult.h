#pragma once
#include <array>

// What the evaluation at the end of a level gives the level screen (the result dialog) and
// the player's progress (records and trophies).
struct LevelResult {
  bool won = false;
  int medal = 0;  // 0 bronze, 1 silver, 2 gold
  int stars = 0;  // 0 in relax difficulty
  // Medal, time, resource and bird points.
  std::array<int, 4> parts{};
  int score = 0;
  int elapsedMs = 0;    // of the level timer
  int timeLeftMs = 0;   // of the level timer
  int gameSeconds = 0;  // game time in whole seconds (record tables)
  bool beatsDevRecord = false;
  bool pieceFound = false;  // the level's puzzle piece was collected
  int collected2 = 0;       // amount of resource 2 collected in the level
};
