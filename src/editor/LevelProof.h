#pragma once
#include <string>

class GameDescriptors;
struct GameSettings;

// A level proved by the greedy bot without a window, in casual and in expert play, and the
// medal times that follow from the expert run by the rule the campaign's levels are tuned
// with (level/MedalRule.h), for the level's place in the campaign.
struct LevelProof {
  struct Run {
    bool won = false;
    int seconds = 0;  // game time played, whole seconds
    long long gameMs = 0;
    int medal = -1;   // of the result, -1 without one
  };
  Run casual, expert;
  int gold = 0, silver = 0,
      reference = 0;  // suggested times in seconds; 0 without a won expert run

  bool HasSuggestion() const { return gold > 0; }

  // Plays `text` (a level file) in both difficulties for at most `limitSeconds` of game time
  // each, with the game's random numbers seeded as the content tools seed them.
  // episode and level place it in the campaign (0: the rule's first level).
  static LevelProof Prove(const GameDescriptors& descriptors, const GameSettings& settings,
                          const std::string& text, int limitSeconds = 3600, int episode = 0,
                          int level = 0);
  // The medal times for an expert bot's game time in milliseconds.
  static void SuggestTimes(int episode, int level, long long expertGameMs, int& gold,
                           int& silver, int& reference);
  // One run; a level that does not read is not won.
  static Run Play(const GameDescriptors& descriptors, const GameSettings& settings,
                  const std::string& text, int difficulty, int limitSeconds);
};
