#pragma once

// The medal times of a campaign level, from the greedy bot's run in expert play: the gold
// time is the bot's time and a little, the silver time leaves the player the room that the
// level's place in the campaign allows, and the casual reference time is more generous
// still. The room shrinks level by level through the whole campaign: the bot's time is a
// share r of the silver time, r = 0.52 at level 1:1 and 0.005 more for every level after it,
// 0.79 at level 5:11.
struct MedalTimes {
  int gold = 0;    // time_hard, seconds
  int silver = 0;  // time_norm
  int easy = 0;    // time_easy
};

namespace medal_rule {

constexpr int kEpisodes = 5;
constexpr int kLevels = 11;
constexpr double kFirstRatio = 0.52;
constexpr double kRatioStep = 0.005;
constexpr double kGoldFactor = 1.12;
constexpr double kEasyFactor = 1.3;
constexpr double kDeveloperFactor = 1.08;

// The share of the silver time the bot's expert time is aimed at; episode and level are
// clamped into the campaign.
double TargetRatio(int episode, int level);
// The times for an expert bot run of expertGameMs (none for a run of no time).
MedalTimes Times(int episode, int level, long long expertGameMs);
// The developers' score shown on the result: the better bot score and a little.
int DeveloperScore(int bestBotScore);

}  // namespace medal_rule
