#include "level/LevelEnd.h"

#include <algorithm>
#include <cmath>

#include "base/Random.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelScreen.h"

namespace {

using F = ObjectFlags;
constexpr int kMedalPoints[3] = {1000, 4000, 7000};
constexpr int kThiefTrophy = 2, kDevRecordTrophy = 7, kNoBonusTrophy = 19;

int Saturated(double v) {
  if (!std::isfinite(v)) return 0;
  return int(std::clamp(v, -1.0e9, 1.0e9));
}

}  // namespace

void LevelEnd::Begin() {
  evaluated = shown = lost = cheatWin = false;
  forcedMedal = -1;
  result = LevelResult{};
  fireworkClock_ = 0;
}

void LevelEnd::WinCheck() {
  GameController& g = game_;
  Level& l = g.level;
  // A still level (the map, the menu's backdrop) has nothing to win.
  if (l.mode == LevelMode::Still) return;
  if (l.mode == LevelMode::MiniGame) {
    // A mini-game is won when its phases are all done. A failed grid empties them in the
    // frame it fails, so that frame's check also ends the level "won"; the lost flag it set
    // makes the result a loss.
    if (!g.miniGame.WinCheck()) return;
  } else {
    if (g.endTimer >= 0) return;
    if (!cheatWin && !g.economy.ObjectivesMet()) return;
  }
  l.state = LevelState::Won;
  l.ended = true;
  g.endTimer = 0;
  evaluated = false;
  for (const int id : l.commandQueue) {
    if (WorldObject* p = g.Waypoint(id)) p->Set(F::kQueued, false);
  }
  l.commandQueue.clear();
  g.pendingClick = 0;
  g.screen.PointAtObject(nullptr);
  g.screen.PlayMusic("win_theme");
}

void LevelEnd::ForceWin(int medal) {
  if (medal < 0 || medal > 2 || game_.endTimer >= 0) return;
  cheatWin = true;
  forcedMedal = medal;
}

bool LevelEnd::WorkersStillOut() const {
  const WorkerRoster& roster = game_.roster;
  for (int i = 0; i < roster.Active(); ++i) {
    if (roster.At(i) && roster.At(i)->Has(F::kBusy)) return true;
  }
  for (int type = 1; type <= 8; ++type) {
    if (roster.Special(type) && roster.Special(type)->Has(F::kBusy)) return true;
  }
  return false;
}

void LevelEnd::EndStep(float frameTime) {
  GameController& g = game_;
  if (g.endTimer < 0) return;
  g.endTimer += frameTime;
  // The first call starts the walk to the exits; the end's clock stays at 0 until the walk is
  // done and no worker is still busy.
  if (!cheatWin && !lost) {
    const bool walkDone = g.walker.ExitWalk();
    if (WorkersStillOut() || !walkDone) {
      g.endTimer = 0;
      return;
    }
  }
  // Once evaluated, the result shows after its delay, when the screen is ready for it.
  if (evaluated) {
    const float delay = lost ? kLostResultDelayMs : kResultDelayMs;
    if (!shown && g.endTimer >= delay && g.screen.ResultReady()) {
      shown = true;
      g.screen.ShowResult();
    }
    return;
  }
  // The evaluation, once: the medal, the trophies, the music and the result on the screen.
  result = Evaluate();
  g.level.medal = Medal(result.medal);
  RaiseTrophies(result);
  // A lost level (also one whose last frame read as won) ends on the rueful theme.
  g.screen.PlayMusic(result.won ? "win_theme" : "lose_theme");
  g.screen.LevelEvaluated(result);
  g.screen.SetScore(result.score);
  evaluated = true;
  if (result.won) g.PlaySound("firework");
}

LevelResult LevelEnd::Evaluate() const {
  const GameController& g = game_;
  const Level& l = g.level;
  LevelResult r;
  const int difficulty = std::clamp(g.screen.Difficulty(), 0, 2);
  r.elapsedMs = std::max(g.screen.LevelTimerElapsed(), 0);
  r.timeLeftMs = std::max(g.screen.LevelTimerLeft(), 0);
  const double e = r.elapsedMs;
  r.medal = e <= double(l.timeHard) * 1000 ? 2 : e < double(l.timeNorm) * 1000 ? 1 : 0;
  if (forcedMedal >= 0 && forcedMedal <= 2) r.medal = forcedMedal;
  r.won = IsOrdinary(l.mode) || !lost;
  r.stars = r.won && difficulty != 0 ? r.medal + 1 : 0;
  const long long stock = (long long)l.resources[0] + l.resources[1] + l.resources[2];
  r.parts = ScoreParts(r.medal, difficulty, r.timeLeftMs, l.timeNorm, l.timeHard,
                       Saturated(double(stock)), l.birdsHunted);
  long long score = 0;
  for (const int p : r.parts) score += p;
  r.score = Saturated(double(score));
  r.gameSeconds = std::max(l.gameTime, 0) / 1000;
  const int record = l.Descriptors().DevRecord(l.episode, l.levelNumber);
  r.beatsDevRecord = r.won && difficulty != 0 && r.score > record;
  r.pieceFound = l.puzzleCollected;
  r.collected2 = l.collected[2];
  return r;
}

std::array<int, 4> LevelEnd::ScoreParts(int medal, int difficulty, int timeLeftMs, int timeNorm,
                                        int timeHard, int stock, int birds) {
  if (difficulty == 0) return {};
  std::array<int, 4> parts{};
  parts[0] = kMedalPoints[std::clamp(medal, 0, 2)];
  // Equal (or swapped) medal times give no time points rather than a division by zero.
  const double span = double(timeNorm) - double(timeHard);
  parts[1] = span > 0 ? Saturated(std::trunc(double(timeLeftMs) * 3.0 / span)) : 0;
  parts[2] = Saturated(double(stock) * 10);
  parts[3] = Saturated(double(birds) * 5);
  if (difficulty == 1) {
    for (int& p : parts) p = 10 * int(std::trunc(double(p) / 20));
  }
  return parts;
}

void LevelEnd::RaiseTrophies(const LevelResult& r) {
  GameController& g = game_;
  const Level& l = g.level;
  if (!r.won) return;
  if (r.beatsDevRecord) g.screen.Achievement(kDevRecordTrophy);
  if (!l.bases[size_t(WorkerRoster::kThiefEntry)].empty() && !l.resThieved) {
    g.screen.Achievement(kThiefTrophy);
  }
  // A level offers bonuses when any of them costs something; how fast its meter fills
  // plays no part.
  const bool offersBonuses =
      std::any_of(l.bonusCost.begin(), l.bonusCost.end(), [](int c) { return c != 0; });
  if (offersBonuses && l.bonusUsed == 0) g.screen.Achievement(kNoBonusTrophy);
}

int LevelEnd::Darkness() const {
  const float t = game_.endTimer;
  return t > 0 ? int(std::min(std::trunc(t * 0.5f), 192.0f)) : 0;
}

void LevelEnd::TopEffects(float appFrameMs, float halfWidth, float halfHeight, Vec2 camera) {
  if (game_.endTimer <= 0 || lost) return;
  fireworkClock_ += std::isfinite(appFrameMs) ? std::max(appFrameMs, 0.0f) : 0.0f;
  if (fireworkClock_ <= 1000) return;
  fireworkClock_ = 0;
  const float spanX = std::max(halfWidth - 100, 0.0f);
  const float x = (float(ScreenRand15()) / 32767.0f * 2 - 1) * spanX;
  const float y = -halfHeight + 50 + (float(ScreenRand15()) / 32767.0f * 2 - 1) * 50;
  game_.StartEffect("firework", Vec2{x + camera.x, y + camera.y});
}
