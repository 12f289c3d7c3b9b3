#include "editor/LevelProof.h"

#include "level/BotRun.h"
#include "level/Level.h"
#include "level/LevelTimer.h"
#include "level/MedalRule.h"

void LevelProof::SuggestTimes(int episode, int level, long long expertGameMs, int& gold,
                              int& silver, int& reference) {
  const MedalTimes t = medal_rule::Times(episode, level, expertGameMs);
  gold = t.gold;
  silver = t.silver;
  reference = t.easy;
}

LevelProof::Run LevelProof::Play(const GameDescriptors& descriptors, const GameSettings& settings,
                                 const std::string& text, int difficulty, int limitSeconds) {
  Run run;
  Level level(descriptors);
  // Only ordinary levels are proved: a mini-game is decided by its hits, not its clock.
  if (!level.ReadLevel(text) || !IsOrdinary(level.mode)) return run;
  const BotRun played = PlayWithBot(descriptors, settings, text, difficulty, limitSeconds);
  run.won = played.won;
  run.gameMs = played.gameMs;
  run.seconds = int(played.gameMs / 1000);
  run.medal = played.medal;
  return run;
}

LevelProof LevelProof::Prove(const GameDescriptors& descriptors, const GameSettings& settings,
                             const std::string& text, int limitSeconds, int episode, int level) {
  LevelProof proof;
  proof.casual = Play(descriptors, settings, text, LevelTimer::kCasual, limitSeconds);
  proof.expert = Play(descriptors, settings, text, LevelTimer::kExpert, limitSeconds);
  if (proof.expert.won) {
    SuggestTimes(episode, level, proof.expert.gameMs, proof.gold, proof.silver,
                 proof.reference);
  }
  return proof;
}
