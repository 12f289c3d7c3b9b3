#include "editor/LevelProof.h"

#include <cmath>

#include "base/Random.h"
#include "level/GameController.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/LevelBot.h"

namespace {

// The bot's step, as the content tools play levels.
constexpr int kStepMs = 10;

int UpToTen(double seconds) { return int(std::ceil(seconds / 10.0 - 1e-9)) * 10; }

}  // namespace

void LevelProof::SuggestTimes(int expertSeconds, int& gold, int& silver, int& reference) {
  gold = UpToTen(expertSeconds * 1.12);
  silver = UpToTen(gold * 1.6);
  reference = UpToTen(silver * 1.3);
}

LevelProof::Run LevelProof::Play(const GameDescriptors& descriptors, const GameSettings& settings,
                                 const std::string& text, int difficulty, int limitSeconds) {
  Run run;
  Level level(descriptors);
  SeedRandom(1);
  if (!level.ReadLevel(text) || !IsOrdinary(level.mode)) return run;
  HeadlessLevelScreen screen;
  screen.difficulty = difficulty;
  screen.StartTimer(level.timeNorm);
  GameController game(level, settings, screen);
  game.Begin();
  LevelBot bot(game);
  const long long limitMs = (long long)limitSeconds * 1000;
  for (long long elapsed = 0; elapsed < limitMs && !screen.resultShown; elapsed += kStepMs) {
    if (const std::optional<Vec2> click = bot.Decide(float(kStepMs))) {
      LevelBot::ClickAt(game, *click);
      bot.AfterClick();
    }
    game.Frame(float(kStepMs));
  }
  run.won = screen.result && screen.result->won;
  run.seconds = level.gameTime / 1000;
  run.medal = screen.result ? screen.result->medal : -1;
  return run;
}

LevelProof LevelProof::Prove(const GameDescriptors& descriptors, const GameSettings& settings,
                             const std::string& text, int limitSeconds) {
  LevelProof proof;
  proof.casual = Play(descriptors, settings, text, LevelTimer::kCasual, limitSeconds);
  proof.expert = Play(descriptors, settings, text, LevelTimer::kExpert, limitSeconds);
  if (proof.expert.won)
    SuggestTimes(proof.expert.seconds, proof.gold, proof.silver, proof.reference);
  return proof;
}
