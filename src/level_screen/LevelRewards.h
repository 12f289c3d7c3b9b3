#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "level/LevelResult.h"

struct Progress;
struct RecordTables;

// What a finished level leaves in the player's store: the level's record (stars, best score,
// shortest time, flags), the total score, the last played level, the record tables and the
// achievements that depend on the whole campaign. It takes the one evaluation of the level
// (LevelResult) and changes nothing else; the caller saves.
class LevelRewards {
 public:
  // The facts of the finished level the evaluation does not carry.
  struct Context {
    int episode = 1, level = 1;  // from 1
    int difficulty = 1;          // 0 relax, 1 casual, 2 expert
    std::u16string playerName;
    int64_t now = 0;        // seconds since 1970, for the record tables
    int devRecord = 25000;  // the developers' score of the level
    bool trophyCheat = false;
  };
  // What the level screen does next.
  struct Outcome {
    bool episodeDone = false;  // level 10 finished for the first time
    bool toCastle = false;     // the level's first three stars
    bool recordsChanged = false;
    // Counted trophies this level brought nearer without earning them: (trophy, fraction
    // reached), for the screen to show.
    std::vector<std::pair<int, float>> progress;
  };

  LevelRewards(Progress& progress, std::deque<int>& pending)
      : progress_(progress), pending_(pending) {}

  // Earns achievement n (0..21) unless it is earned: it joins the pending trophies. The 21st
  // distinct achievement also earns 10. True when the progress changed.
  bool Award(int n);
  // Stores the result; tables may be null (no record tables).
  Outcome Store(const LevelResult& result, const Context& context, RecordTables* tables);

  // Levels 1..10 of episodes 1..4 whose record has the flag / three stars.
  static int CountFlag(const Progress& progress, uint8_t flag);
  static int CountThreeStars(const Progress& progress);

 private:
  void StoreRecordTables(const LevelResult& r, const Context& c, RecordTables& tables,
                         Outcome& out);
  void CampaignAchievements(const LevelResult& r, const Context& c, Outcome& out);

  Progress& progress_;
  std::deque<int>& pending_;
};
