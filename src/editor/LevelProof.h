#pragma once
#include <string>

class GameDescriptors;
struct GameSettings;

// A level proved by the greedy bot without a window, in casual and in expert play, and the
// medal times that follow from the expert run by the rule the shipped levels were tuned with:
// gold is the expert bot's game time x1.12, silver gold x1.6, the reference time silver x1.3,
// each rounded up to whole ten seconds.
struct LevelProof {
  struct Run {
    bool won = false;
    int seconds = 0;  // game time played, whole seconds
    int medal = -1;   // of the result, -1 without one
  };
  Run casual, expert;
  int gold = 0, silver = 0,
      reference = 0;  // suggested times in seconds; 0 without a won expert run

  bool HasSuggestion() const { return gold > 0; }

  // Plays `text` (a level file) in both difficulties for at most `limitSeconds` of game time
  // each, with the game's random numbers seeded as the content tools seed them.
  static LevelProof Prove(const GameDescriptors& descriptors, const GameSettings& settings,
                          const std::string& text, int limitSeconds = 3600);
  // The medal times for an expert bot's time in seconds.
  static void SuggestTimes(int expertSeconds, int& gold, int& silver, int& reference);
  // One run; a level that does not read is not won.
  static Run Play(const GameDescriptors& descriptors, const GameSettings& settings,
                  const std::string& text, int difficulty, int limitSeconds);
};
