// Mini-game levels and definitions with damaged values, played with random clicks: every
// frame completes, nothing is read out of range, positions stay finite, and the counters
// only go down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "MiniGameTestSupport.h"

namespace leveltest {
namespace {

const char* const kOddValues[] = {"0",   "1",    "-1",   "13", "2,0",  "0,0",      "abc",
                                  "1e20", "nan", "-90",  "",   "3,x",  "99999999", "12"};

// Replaces some attribute values of a text with odd ones.
std::string Mutate(std::string text, std::mt19937& rng, int count) {
  std::vector<size_t> values;
  for (size_t at = text.find("=\""); at != std::string::npos; at = text.find("=\"", at + 2)) {
    values.push_back(at + 2);
  }
  if (values.empty()) return text;
  for (int i = 0; i < count; ++i) {
    const size_t start = values[rng() % values.size()];
    const size_t end = text.find('"', start);
    if (end == std::string::npos) continue;
    const std::string odd = kOddValues[rng() % std::size(kOddValues)];
    text.replace(start, end - start, odd);
    // Later positions moved: find them again.
    values.clear();
    for (size_t at = text.find("=\""); at != std::string::npos; at = text.find("=\"", at + 2)) {
      values.push_back(at + 2);
    }
  }
  return text;
}

std::string Phases(std::mt19937& rng) {
  std::string phases;
  const int n = 1 + int(rng() % 4);
  for (int i = 0; i < n; ++i) {
    const int kind = int(rng() % 9) - 1;  // -1 and 8 name no game
    phases += "<Phase type=\"" + std::to_string(kind) + "\" length=\"" +
              std::to_string(int(rng() % 5)) + "\" speed=\"" + std::to_string(int(rng() % 12) - 1) +
              "\" flags=\"" + std::to_string(int(rng() % 8)) + "\" dist=\"" +
              std::to_string(int(rng() % 100)) + "\" params=\"3,1,100,101,102\"/>";
  }
  return phases;
}

TEST(MiniGameFuzzTest, DamagedLevelsAndRandomClicks) {
  GridSpec grid;
  grid.w = 3;
  grid.h = 1;
  grid.tex = {"pipe1", "pipe_c", "pipe1"};
  const std::vector<std::string> bodies = {TargetLevel(), EnemyLevel(),   AttackerLevel(),
                                           CuedLevel(),   FetchLevel(),   EagleLevel(),
                                           GridLevel(grid), EnemyLevel("0,-200")};
  std::mt19937 rng(20261210);
  long long frames = 0;
  for (size_t b = 0; b < bodies.size(); ++b) {
    for (int round = 0; round < 4; ++round) {
      SCOPED_TRACE("body " + std::to_string(b) + " round " + std::to_string(round));
      const std::string games = Mutate(OneGame(Phases(rng), "health=\"5\""), rng, round);
      const std::string body = Mutate(bodies[b], rng, round * 3);
      MiniSim sim(games);
      sim.level->episode = 9;
      sim.level->levelNumber = 1;
      if (!sim.level->ReadLevel("<level mode=\"3\">" + body + "</level>")) continue;
      sim.screen.StartTimer(60);
      sim.game->Begin();
      const int health = sim.level->miniGame.health;
      long long steps = 0;
      for (const MiniGamePhase& p : sim.level->phases) steps += std::max(p.remaining, 0);
      for (int f = 0; f < 400; ++f, ++frames) {
        if (rng() % 3 == 0) {
          sim.ClickAt(Vec2{float(int(rng() % 700) - 350), float(int(rng() % 700) - 350)});
        }
        sim.game->Frame(float(1 + rng() % 40));
      }
      for (const auto* list : {&sim.level->objects, &sim.level->workers}) {
        for (const auto& o : *list) {
          ASSERT_TRUE(std::isfinite(o->position.x) && std::isfinite(o->position.y)) << o->id;
        }
      }
      // The counters only go down.
      EXPECT_LE(sim.Mini().HitsLeft(), health);
      EXPECT_EQ(sim.Mini().HitsLeft(), health - sim.Hits());
      long long left = 0;
      for (const MiniGamePhase& p : sim.level->phases) left += std::max(p.remaining, 0);
      EXPECT_LE(left, steps);
    }
  }
  EXPECT_GE(frames, 10000);
}

}  // namespace
}  // namespace leveltest
