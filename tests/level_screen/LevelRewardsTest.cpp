// What a finished level leaves in the player's store: the level's record, the total score,
// the record tables and the campaign achievements, and the order of the pending trophies.
#include <gtest/gtest.h>

#include <deque>

#include "level/LevelEnd.h"
#include "level_screen/LevelRewards.h"
#include "progress/Progress.h"
#include "progress/RecordTables.h"

namespace {

LevelResult Won(int stars, int score, int elapsedMs = 100000) {
  LevelResult r;
  r.won = true;
  r.medal = std::max(stars - 1, 0);
  r.stars = stars;
  r.score = score;
  r.elapsedMs = elapsedMs;
  r.gameSeconds = elapsedMs / 1000;
  return r;
}

LevelRewards::Context At(int episode, int level) {
  LevelRewards::Context c;
  c.episode = episode;
  c.level = level;
  c.difficulty = 2;
  c.playerName = u"Ann";
  c.now = 1700000000;
  return c;
}

TEST(LevelRewardsTest, ScorePartsOfTheEdgeCases) {
  // Expert gold after 100 s of 300 with gold at 120: 200 s left give 3333 time points.
  EXPECT_EQ(LevelEnd::ScoreParts(2, 2, 200000, 300, 120, 0, 0),
            (std::array<int, 4>{7000, 3333, 0, 0}));
  // Casual: a stock of 3 x 35 gives 1050, cut to 10 x trunc(1050 / 20).
  EXPECT_EQ(LevelEnd::ScoreParts(0, 1, 0, 300, 120, 105, 0)[2], 520);
  // Bronze with the bar run out, and equal medal times, give no time points.
  EXPECT_EQ(LevelEnd::ScoreParts(0, 2, 0, 300, 120, 0, 0)[1], 0);
  EXPECT_EQ(LevelEnd::ScoreParts(2, 2, 50000, 0, 0, 0, 0)[1], 0);
  EXPECT_EQ(LevelEnd::ScoreParts(2, 0, 50000, 300, 120, 10, 3), (std::array<int, 4>{}));
}

TEST(LevelRewardsTest, RecordKeepsTheBestAndTheTotalGrowsByTheImprovement) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  rewards.Store(Won(2, 5000, 90000), At(1, 3), nullptr);
  EXPECT_EQ(p.totalScore, 5000);
  rewards.Store(Won(3, 7000, 120000), At(1, 3), nullptr);
  EXPECT_EQ(p.totalScore, 7000);  // grew by 2000 only
  rewards.Store(Won(1, 3000, 60000), At(1, 3), nullptr);
  const LevelRecord& r = p.Record(1, 3);
  EXPECT_EQ(r.stars, 3);
  EXPECT_EQ(r.bestScore, 7000);
  EXPECT_EQ(r.time, 60);  // the shortest finish
  EXPECT_EQ(p.totalScore, 7000);
  EXPECT_EQ(p.lastEpisode, 0);
  EXPECT_EQ(p.lastLevel, 2);
  EXPECT_NE(r.flags & LevelRecord::kFinished, 0);
}

TEST(LevelRewardsTest, FirstFinishesAndLosses) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  auto first = rewards.Store(Won(3, 9000), At(2, 10), nullptr);
  EXPECT_TRUE(first.episodeDone);
  EXPECT_TRUE(first.toCastle);
  auto second = rewards.Store(Won(3, 9000), At(2, 10), nullptr);
  EXPECT_FALSE(second.episodeDone);
  EXPECT_FALSE(second.toCastle);
  // A loss (or relax) keeps the record's values but marks the level finished.
  LevelResult lost;
  lost.won = false;
  lost.score = 4000;
  rewards.Store(lost, At(2, 4), nullptr);
  EXPECT_EQ(p.Record(2, 4).stars, 0);
  EXPECT_EQ(p.Record(2, 4).bestScore, 0);
  EXPECT_NE(p.Record(2, 4).flags & LevelRecord::kFinished, 0);
  // A position outside the record slots (damaged save) stores nothing.
  const Progress before = p;
  rewards.Store(Won(3, 9000), At(9, 40), nullptr);
  rewards.Store(Won(3, 9000), At(0, -3), nullptr);
  EXPECT_EQ(p, before);
}

TEST(LevelRewardsTest, AwardQueuesOnceAndTheTwentyFirstCrowns) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  EXPECT_TRUE(rewards.Award(5));
  EXPECT_FALSE(rewards.Award(5));
  EXPECT_FALSE(rewards.Award(22));
  EXPECT_FALSE(rewards.Award(-1));
  EXPECT_EQ(pending, (std::deque<int>{5}));
  for (int n = 0; n < 22; ++n) {
    if (n != 10 && n != 21) rewards.Award(n);
  }
  EXPECT_FALSE(p.HasAchievement(10));
  pending.clear();
  rewards.Award(21);  // the 21st distinct one
  EXPECT_EQ(pending, (std::deque<int>{21, 10}));
  EXPECT_TRUE(p.HasAchievement(10));
}

TEST(LevelRewardsTest, CampaignAchievementsInOrder) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  // Two levels with three stars before: the third brings 21; the developers' score is
  // beaten (7); 100 of resource 2 brings 14; the trophy cheat queues 0 without earning it.
  p.Record(1, 1).stars = 3;
  p.Record(1, 2).stars = 3;
  LevelResult r = Won(3, 30000);
  r.collected2 = 120;
  LevelRewards::Context c = At(1, 3);
  c.trophyCheat = true;
  rewards.Store(r, c, nullptr);
  EXPECT_EQ(pending, (std::deque<int>{7, 14, 21, 0}));
  EXPECT_FALSE(p.HasAchievement(0));
  EXPECT_NE(p.Record(1, 3).flags & LevelRecord::kDeveloperBeaten, 0);

  // The fifth piece and the fifth beaten developers' score.
  pending.clear();
  for (int l = 4; l <= 7; ++l) {
    p.Record(2, l).flags |= LevelRecord::kPuzzlePiece | LevelRecord::kDeveloperBeaten;
  }
  LevelResult piece = Won(1, 26000);
  piece.pieceFound = true;
  rewards.Store(piece, At(3, 1), nullptr);
  EXPECT_EQ(pending, (std::deque<int>{4, 8}));

  // Level 11 of episodes 1..4 all with three stars; episode 5's level 11.
  pending.clear();
  for (int e = 1; e <= 3; ++e) p.Record(e, 11).stars = 3;
  rewards.Store(Won(3, 100), At(4, 11), nullptr);
  EXPECT_EQ(pending, (std::deque<int>{3}));
  pending.clear();
  rewards.Store(Won(3, 100), At(5, 11), nullptr);
  EXPECT_EQ(pending, (std::deque<int>{12}));
}

TEST(LevelRewardsTest, RecordTablesTakeTheLevelAndTheTotal) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  RecordTables tables;
  for (auto& e : tables.Level(1, 2).entries) e.score = 500, e.SetName(u"Dev");  // equal scores
  const auto out = rewards.Store(Won(3, 4000, 75000), At(1, 2), &tables);
  EXPECT_TRUE(out.recordsChanged);
  const RecordEntry& top = tables.Level(1, 2).entries[0];
  EXPECT_EQ(top.Name(), u"Ann");
  EXPECT_EQ(top.score, 4000);
  EXPECT_EQ(top.seconds, 75);
  EXPECT_EQ(top.date, 1700000000);
  EXPECT_EQ(tables.total.entries[0].score, 4000);
  EXPECT_EQ(tables.total.entries[0].seconds, 0);
  // A worse run of the same player keeps the player's line in the level table.
  rewards.Store(Won(1, 100), At(1, 2), &tables);
  EXPECT_EQ(tables.Level(1, 2).entries[0].score, 4000);
  EXPECT_EQ(tables.Level(1, 2).entries[1].score, 500);
}

TEST(LevelRewardsTest, ARelaxFinishNeverTouchesTheTimes) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  RecordTables tables;
  rewards.Store(Won(3, 9000, 112000), At(1, 4), &tables);
  ASSERT_EQ(p.Record(1, 4).time, 112);
  // The relax clock stands: its finish comes with 0 ms and changes neither the record's time
  // nor the record tables, though the level still counts as finished.
  LevelRewards::Context relax = At(1, 4);
  relax.difficulty = 0;
  const RecordTables before = tables;
  const auto out = rewards.Store(Won(0, 0, 0), relax, &tables);
  EXPECT_EQ(p.Record(1, 4).time, 112);
  EXPECT_FALSE(out.recordsChanged);
  EXPECT_TRUE(tables == before) << "an empty table would take a score of 0";
  relax.level = 5;
  rewards.Store(Won(0, 0, 0), relax, &tables);
  EXPECT_EQ(p.Record(1, 5).time, 0);
  EXPECT_NE(p.Record(1, 5).flags & LevelRecord::kFinished, 0);
  // A timed finish within its first second leaves "no time" as it was.
  rewards.Store(Won(1, 1000, 400), At(1, 6), nullptr);
  EXPECT_EQ(p.Record(1, 6).time, 0);
}

TEST(LevelRewardsTest, CountedTrophiesReportTheShareReached) {
  Progress p;
  std::deque<int> pending;
  LevelRewards rewards(p, pending);
  // A third piece, a second beaten developers' score and the first level with three stars.
  p.Record(1, 1).flags |= LevelRecord::kPuzzlePiece | LevelRecord::kDeveloperBeaten;
  p.Record(1, 2).flags |= LevelRecord::kPuzzlePiece;
  LevelResult r = Won(3, 30000);
  r.pieceFound = true;
  const auto out = rewards.Store(r, At(1, 3), nullptr);
  using Share = std::pair<int, float>;
  EXPECT_EQ(out.progress, (std::vector<Share>{{4, 3 / 5.0f}, {8, 2 / 5.0f}, {21, 1 / 3.0f}}));
  // With 21 earned the next star trophy out of reach reports: 5 of 20.
  for (int l = 4; l <= 7; ++l) p.Record(2, l).stars = 3;
  pending.clear();
  const auto more = rewards.Store(Won(3, 100), At(2, 8), nullptr);
  EXPECT_EQ(pending, (std::deque<int>{21}));
  EXPECT_EQ(more.progress, (std::vector<Share>{{13, 6 / 20.0f}}));
  // Nothing is reported for trophies that are earned or were not tested.
  EXPECT_TRUE(rewards.Store(Won(2, 100), At(2, 9), nullptr).progress.empty());
}

}  // namespace
