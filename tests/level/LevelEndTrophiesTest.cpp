// The trophies the end of a level and the work bonus raise, and the level ended at once by
// the test commands with the medal they force.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimTestSupport.h"
#include "level/Level.h"
#include "level/LevelEnd.h"

namespace {

using leveltest::Road;
using leveltest::Sim;

bool Earned(const Sim& s, int trophy) {
  const auto& a = s.screen.achievements;
  return std::find(a.begin(), a.end(), trophy) != a.end();
}

// Whether a level with these settings, won at once, earns trophy 19.
bool NoBonusTrophy(const std::string& settings, int bonusesUsed = 0) {
  Sim s;
  s.endless = false;
  s.Begin(Road(10, "", settings));
  s.level->bonusUsed = bonusesUsed;
  s.Run(10);
  EXPECT_TRUE(s.screen.result.has_value());
  return Earned(s, 19);
}

TEST(LevelEndTrophiesTest, NineteenNeedsOnlyABonusWithACostAndNoneUsed) {
  EXPECT_TRUE(NoBonusTrophy(R"(bonus_cost="0,0,3,0,0,0")"));
  // However slowly (or not at all) its meter fills, a level with priced bonuses offers them.
  EXPECT_TRUE(NoBonusTrophy(R"(bonus_cost="0,0,3,0,0,0" bonus_speed="0")"));
  EXPECT_FALSE(NoBonusTrophy(R"(bonus_cost="0,0,0,0,0,0")"));
  EXPECT_FALSE(NoBonusTrophy(R"(bonus_cost="5,5,5,5,5,5")", 1));
}

TEST(LevelEndTrophiesTest, TheWorkBonusReportsQuartersBeforeItsTrophy) {
  Sim s;
  s.Begin(Road(10));
  s.game->BonusStart(1);
  for (int i = 0; i < 5; ++i) s.game->work.OnWorkDone(s.Get(20));
  EXPECT_EQ(s.screen.Lines("trophy_progress 1"),
            (std::vector<std::string>{"trophy_progress 1 25", "trophy_progress 1 50",
                                      "trophy_progress 1 75"}));
  EXPECT_EQ(s.screen.achievements, std::vector<int>{1});
}

TEST(LevelEndTrophiesTest, AForcedWinEndsAtOnceWithTheForcedMedal) {
  for (const int medal : {0, 1, 2}) {
    Sim s;
    s.screen.difficulty = LevelTimer::kExpert;
    // Objectives nobody reaches, a worker out, and a finish well within the gold time.
    s.Begin(Road(10, "", R"(time_norm="240" time_hard="120")"));
    s.Click(5);
    s.Run(10);
    s.game->end.ForceWin(medal);
    s.Run(1);
    EXPECT_TRUE(s.game->Ended());
    s.Run(10);
    ASSERT_TRUE(s.screen.result.has_value()) << "no wait for the worker";
    EXPECT_EQ(s.screen.result->medal, medal);
    EXPECT_EQ(s.screen.result->stars, medal + 1);
    EXPECT_EQ(int(s.level->medal), medal);
  }
  // Out of range, or once the level has ended, nothing changes.
  Sim s;
  s.Begin(Road(10));
  s.game->end.ForceWin(3);
  s.Run(1);
  EXPECT_FALSE(s.game->Ended());
}

}  // namespace
