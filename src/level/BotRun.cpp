#include "level/BotRun.h"

#include "base/Random.h"
#include "level/GameController.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/LevelBot.h"

namespace {

constexpr int kStepMs = 10;

}  // namespace

BotRun PlayWithBot(const GameDescriptors& descriptors, const GameSettings& settings,
                   const std::string& text, int difficulty, int limitSeconds, int episode,
                   int level) {
  BotRun run;
  Level l(descriptors);
  if (episode > 0 && level > 0) {
    l.episode = episode;
    l.levelNumber = level;
  }
  SeedRandom(1);
  if (!l.ReadLevel(text)) return run;
  run.read = true;
  HeadlessLevelScreen screen;
  screen.difficulty = difficulty;
  screen.StartTimer(l.timeNorm);
  GameController game(l, settings, screen);
  game.Begin();
  LevelBot bot(game);
  const long long limitMs = (long long)limitSeconds * 1000;
  for (long long elapsed = 0; elapsed < limitMs && !screen.resultShown; elapsed += kStepMs) {
    if (const std::optional<Vec2> click = bot.Decide(float(kStepMs))) {
      LevelBot::ClickAt(game, *click);
      bot.AfterClick();
      ++run.clicks;
    }
    game.Frame(float(kStepMs));
  }
  run.won = screen.result && screen.result->won;
  run.gameMs = l.gameTime;
  run.score = screen.result ? screen.result->score : 0;
  run.medal = screen.result ? screen.result->medal : -1;
  return run;
}
