#include <gtest/gtest.h>

#include "base/Random.h"

TEST(Random, FifteenBitRangeAndReproducibleSeeding) {
  SeedRandom(42);
  int low = 32767, high = 0;
  long long sum = 0;
  for (int i = 0; i < 100000; ++i) {
    const int r = Rand15();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
    low = std::min(low, r);
    high = std::max(high, r);
    sum += r;
  }
  EXPECT_LT(low, 10);
  EXPECT_GT(high, 32757);
  EXPECT_NEAR(double(sum) / 100000, 16383.5, 200);

  SeedRandom(7);
  const int first = Rand15(), second = Rand15();
  SeedRandom(7);
  EXPECT_EQ(Rand15(), first);
  EXPECT_EQ(Rand15(), second);
}

TEST(Random, RangeIsInclusiveAndEmptyRangesGiveTheLowEnd) {
  SeedRandom(1);
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 10000; ++i) {
    const int r = RandomRange(-3, 3);
    ASSERT_GE(r, -3);
    ASSERT_LE(r, 3);
    sawLow |= r == -3;
    sawHigh |= r == 3;
  }
  EXPECT_TRUE(sawLow && sawHigh);
  EXPECT_EQ(RandomRange(5, 5), 5);
  EXPECT_EQ(RandomRange(5, 2), 5);
}
