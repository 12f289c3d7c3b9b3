// The campaign's medal rule: the band of the bot's share of the silver time, rising through
// the campaign, the rounding of the times and the developers' score.
#include <gtest/gtest.h>

#include "level/MedalRule.h"

TEST(MedalRuleTest, TheShareRisesLevelByLevelFromTheFirstToTheLastLevel) {
  EXPECT_DOUBLE_EQ(medal_rule::TargetRatio(1, 1), 0.52);
  EXPECT_DOUBLE_EQ(medal_rule::TargetRatio(5, 11), 0.79);
  EXPECT_DOUBLE_EQ(medal_rule::TargetRatio(2, 1), 0.52 + 11 * 0.005);
  double last = 0;
  for (int e = 1; e <= 5; ++e) {
    for (int l = 1; l <= 11; ++l) {
      EXPECT_GT(medal_rule::TargetRatio(e, l), last) << e << ":" << l;
      last = medal_rule::TargetRatio(e, l);
    }
  }
  // Places outside the campaign are its ends.
  EXPECT_DOUBLE_EQ(medal_rule::TargetRatio(0, -3), 0.52);
  EXPECT_DOUBLE_EQ(medal_rule::TargetRatio(8, 40), 0.79);
}

TEST(MedalRuleTest, TimesAreWholeSecondsUpAndTheBotNeverWinsInUnderHalfTheSilverTime) {
  const MedalTimes t = medal_rule::Times(3, 5, 200500);  // r = 0.52 + 0.005 * 26 = 0.65
  EXPECT_EQ(t.gold, 225);    // 224.56
  EXPECT_EQ(t.silver, 309);  // 308.46
  EXPECT_EQ(t.easy, 402);    // 401.7
  // A product whole in decimal stays whole.
  EXPECT_EQ(medal_rule::Times(1, 1, 250000).gold, 280);
  EXPECT_EQ(medal_rule::Times(1, 1, 0).silver, 0);
  EXPECT_EQ(medal_rule::Times(1, 1, -5).gold, 0);
  for (long long ms : {61000LL, 87654LL, 400000LL, 1109000LL}) {
    for (int e = 1; e <= 5; ++e) {
      const MedalTimes m = medal_rule::Times(e, 11, ms);
      const double share = double(ms) / 1000.0 / m.silver;
      EXPECT_GE(share, 0.5);
      EXPECT_LE(share, medal_rule::TargetRatio(e, 11));
      EXPECT_GT(share, medal_rule::TargetRatio(e, 11) - 0.01);
      EXPECT_LT(m.gold, m.silver);
      EXPECT_LT(m.silver, m.easy);
    }
  }
  EXPECT_EQ(medal_rule::DeveloperScore(11000), 11880);
  EXPECT_EQ(medal_rule::DeveloperScore(0), 0);
}
