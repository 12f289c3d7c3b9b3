// Income, the storage limit, quest resources, objectives delivered on the way home, the win
// check and the end evaluation with medal, stars and score.
#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "level/Level.h"
#include "level/LevelEnd.h"

namespace {

using leveltest::Road;
using leveltest::Sim;
using F = ObjectFlags;

// Clicks the obstacle at the end of the road and runs until the worker is home again.
void Collect(Sim& s) {
  s.Click(5);
  ASSERT_TRUE(s.Worker(0).Has(F::kBusy));
  s.RunUntil([&] { return !s.Worker(0).Has(F::kBusy); });
}

TEST(EconomyTest, IncomeIsCutAtTheStorageLimitAndTheCutCountsAsLost) {
  Sim s;
  s.Begin(Road(18, "", R"(storage="20" resources="18,4,0")"));
  Collect(s);
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{20, 4, 0}));
  EXPECT_EQ(s.game->economy.lost, (std::array<int, 3>{3, 0, 0}));
  EXPECT_EQ(s.level->collected, (std::array<int, 3>{5, 0, 0}));
  ASSERT_EQ(s.screen.Lines("income").size(), 1u);
  EXPECT_EQ(s.screen.Lines("income")[0].rfind("income +5#1", 0), 0u);

  // Storage 0 keeps nothing and counts everything as lost, without going negative.
  Sim zero;
  zero.Begin(Road(18, "", R"(storage="0")"));
  Collect(zero);
  EXPECT_EQ(zero.level->resources, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(zero.game->economy.lost[0], 5);
}

TEST(EconomyTest, IncomeBonusAddsOneOnlyToYieldedResourcesAndCountsQuestResourcesWhereRequired) {
  Sim s;
  s.endless = false;
  s.Begin(Road(18, "", R"(quest_res="10,0,0")"));
  s.game->BonusStart(2);
  Collect(s);
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{6, 0, 0}));
  EXPECT_EQ(s.level->questResCollect, (std::array<int, 3>{6, 0, 0}));
  EXPECT_FALSE(s.game->Ended());

  // Wood does not advance a food quest.
  Sim wood;
  wood.endless = false;
  wood.Begin(Road(19, "", R"(quest_res="10,0,0")"));
  Collect(wood);
  EXPECT_EQ(wood.level->resources[1], 10);
  EXPECT_EQ(wood.level->questResCollect, (std::array<int, 3>{0, 0, 0}));
  EXPECT_FALSE(wood.game->economy.ObjectivesMet());
}

TEST(EconomyTest, ResourcesBonusCapsAtStorageAndFreshLevelsCountTheirQuestObjects) {
  Sim s;
  s.Begin(Road(10, R"(<object id="30" tex="key" class="1" subclass="10" flags="k" pos="0,300"/>)",
               R"(storage="20" resources="19,0,25" quest_objects="7,7")"));
  s.game->BonusStart(4);
  // 19 + 2 stops at 20; a stock already above the limit comes down to it.
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{20, 2, 20}));
  EXPECT_EQ(s.level->questObjectsNeeded, 1);
  EXPECT_EQ(s.level->questObjectsFound, 0);
  EXPECT_EQ(s.game->bonusesRunning, 0);  // no duration, no marker
}

TEST(EconomyTest, AnObjectiveCarriedHomeCountsOnDeliveryAndTheLevelEndsAfterTheResult) {
  Sim s;
  s.endless = false;
  s.Begin(Road(14, "", R"(time_norm="240" time_hard="120")", R"(flags="o")"));
  ASSERT_EQ(s.level->openObjectives, 1);
  s.Click(5);
  s.RunUntil([&] { return s.Worker(0).worker->returning; });
  EXPECT_EQ(s.level->openObjectives, 1);  // carried, not yet home
  EXPECT_FALSE(s.game->Ended());
  s.RunUntil([&] { return s.game->Ended(); });
  EXPECT_EQ(s.level->openObjectives, 0);
  EXPECT_EQ(s.level->state, LevelState::Won);
  EXPECT_TRUE(s.screen.Saw("music win_theme"));
  // One evaluation, then the result 1500 ms later.
  s.RunUntil([&] { return s.screen.resultShown; }, 2000);
  ASSERT_TRUE(s.screen.result.has_value());
  EXPECT_EQ(s.screen.Lines("result").size(), 1u);
  EXPECT_GE(s.game->endTimer, LevelEnd::kResultDelayMs);
  EXPECT_EQ(s.screen.result->medal, 2);
  EXPECT_EQ(s.screen.result->stars, 3);
  EXPECT_GT(s.game->end.Darkness(), 0);
  EXPECT_LE(s.game->end.Darkness(), 192);
}

TEST(EconomyTest, ALevelWithoutGoalsIsWonAtTheFirstCheck) {
  Sim s;
  s.endless = false;
  s.Begin(Road(10, "", R"(time_norm="0" time_hard="0")"));
  s.game->Frame(10);
  EXPECT_TRUE(s.game->Ended());
  s.RunUntil([&] { return s.screen.resultShown; }, 1000);
  ASSERT_TRUE(s.screen.result.has_value());
  // Equal (zero) medal times: a finite score without time points.
  EXPECT_EQ(s.screen.result->parts[1], 0);
  EXPECT_EQ(s.screen.result->score, s.screen.result->parts[0]);
}

// The medal of a level whose timer has run that many ms in expert difficulty.
int MedalAfter(int elapsedMs, int timeNorm = 240, int timeHard = 120) {
  Sim s;
  s.screen.difficulty = LevelTimer::kExpert;
  s.Begin(Road(10, "",
               "time_norm=\"" + std::to_string(timeNorm) + "\" time_hard=\"" +
                   std::to_string(timeHard) + "\""));
  s.screen.AdvanceLevelTimer(float(elapsedMs));
  return s.game->end.Evaluate().medal;
}

TEST(LevelResultTest, MedalBoundariesFollowTheLevelTimer) {
  EXPECT_EQ(MedalAfter(119000), 2);
  EXPECT_EQ(MedalAfter(120000), 2);
  EXPECT_EQ(MedalAfter(121000), 1);
  EXPECT_EQ(MedalAfter(240000), 0);
  // Equal gold and silver times: within them gold, past them bronze.
  EXPECT_EQ(MedalAfter(100000, 100, 100), 2);
  EXPECT_EQ(MedalAfter(100001, 100, 100), 0);
}

TEST(LevelResultTest, ScorePartsInCasualRelaxAndWithEqualTimes) {
  // Casual gold, 2537 time points, stock 10, two birds: 3500 + 1260 + 50 + 0.
  const auto casual = LevelEnd::ScoreParts(2, 1, 101480, 240, 120, 10, 2);
  EXPECT_EQ(casual, (std::array<int, 4>{3500, 1260, 50, 0}));
  EXPECT_EQ(casual[0] + casual[1] + casual[2] + casual[3], 4810);
  EXPECT_EQ(LevelEnd::ScoreParts(2, 2, 101480, 240, 120, 10, 2),
            (std::array<int, 4>{7000, 2537, 100, 10}));
  EXPECT_EQ(LevelEnd::ScoreParts(2, 0, 101480, 240, 120, 10, 2), (std::array<int, 4>{}));
  // Equal or swapped medal times give no time points.
  EXPECT_EQ(LevelEnd::ScoreParts(0, 2, 5000, 100, 100, 0, 0)[1], 0);
  EXPECT_EQ(LevelEnd::ScoreParts(0, 2, 5000, 100, 200, 0, 0)[1], 0);
}

TEST(LevelResultTest, RelaxHasNoStarsNoScoreAndTheTimerStands) {
  Sim s;
  s.screen.difficulty = LevelTimer::kRelax;
  s.endless = false;
  s.Begin(Road(10, "", R"(time_norm="240" time_hard="120" resources="5,5,5")"));
  s.Run(100);
  EXPECT_EQ(s.screen.LevelTimerElapsed(), 0);
  ASSERT_TRUE(s.screen.result.has_value());
  EXPECT_TRUE(s.screen.result->won);
  EXPECT_EQ(s.screen.result->stars, 0);
  EXPECT_EQ(s.screen.result->score, 0);
}

TEST(LevelResultTest, CasualTimerRunsAtTwoThirdsAndStopsWhileTimeIsFrozen) {
  Sim s;
  s.Begin(Road(10, "", R"(time_norm="240" time_hard="120")"));
  s.Run(300);  // 3 s of game time
  EXPECT_EQ(s.screen.LevelTimerElapsed(), 1998);
  s.game->BonusStart(5);
  const int gameTime = s.level->gameTime;
  s.Run(100);
  EXPECT_EQ(s.screen.LevelTimerElapsed(), 1998);
  EXPECT_EQ(s.level->gameTime, gameTime);
  s.game->BonusEnd(5);
  s.Run(100);
  EXPECT_EQ(s.screen.LevelTimerElapsed(), 2664);
}

TEST(LevelResultTest, BeatingTheDeveloperRecordEarnsItsTrophy) {
  Sim s;
  s.endless = false;
  s.screen.difficulty = LevelTimer::kExpert;
  // The default developer record is 25000; gold with 1000 of stock beats it.
  s.Begin(
      Road(10, "", R"(storage="1000" resources="1000,1000,1000" time_norm="240" time_hard="120")"));
  s.Run(10);
  ASSERT_TRUE(s.screen.result.has_value());
  EXPECT_TRUE(s.screen.result->beatsDevRecord);
  EXPECT_NE(std::find(s.screen.achievements.begin(), s.screen.achievements.end(), 7),
            s.screen.achievements.end());
}

}  // namespace
