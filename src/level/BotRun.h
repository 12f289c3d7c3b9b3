#pragma once
#include <string>

class GameDescriptors;
struct GameSettings;

// A level played headless by the greedy bot, as the content tools and the editor prove
// levels: 10 ms frames, the game's random numbers seeded with 1.
struct BotRun {
  bool read = false;  // the level text could be read
  bool won = false;
  long long gameMs = 0;
  int clicks = 0;
  int score = 0;
  int medal = -1;  // of the result; -1 without one
};

// Plays `text` in a difficulty (0 relaxed, 1 casual, 2 expert) for at most limitSeconds of
// game time. episode and level (0: unknown) are the level's place in the campaign.
BotRun PlayWithBot(const GameDescriptors& descriptors, const GameSettings& settings,
                   const std::string& text, int difficulty, int limitSeconds, int episode = 0,
                   int level = 0);
