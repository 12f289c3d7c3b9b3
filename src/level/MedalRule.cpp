#include "level/MedalRule.h"

#include <algorithm>
#include <cmath>

namespace medal_rule {

namespace {

// Whole seconds up; the small allowance keeps a product that is whole in decimal from
// rounding up through binary error.
int UpToSecond(double seconds) { return int(std::ceil(seconds - 1e-9)); }

}  // namespace

double TargetRatio(int episode, int level) {
  const int e = std::clamp(episode, 1, kEpisodes), l = std::clamp(level, 1, kLevels);
  return kFirstRatio + kRatioStep * double((e - 1) * kLevels + (l - 1));
}

MedalTimes Times(int episode, int level, long long expertGameMs) {
  MedalTimes t;
  if (expertGameMs <= 0) return t;
  const double seconds = double(expertGameMs) / 1000.0;
  t.gold = UpToSecond(seconds * kGoldFactor);
  t.silver = UpToSecond(seconds / TargetRatio(episode, level));
  t.easy = UpToSecond(double(t.silver) * kEasyFactor);
  return t;
}

int DeveloperScore(int bestBotScore) {
  return bestBotScore <= 0 ? 0 : UpToSecond(double(bestBotScore) * kDeveloperFactor);
}

}  // namespace medal_rule
