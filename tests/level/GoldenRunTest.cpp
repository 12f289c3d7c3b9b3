// A small level played from recorded input through the real tick: the saved level at the end
// must match the recorded result, and a second run must give the same text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "SimTestSupport.h"
#include "base/Random.h"

using namespace leveltest;

namespace {

std::string GoldenPath() {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/level/golden/sim_run.xml";
}

const char* kExtra = R"(
  <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
  <object id="7" tex="wp" class="3" pos="300,100" size="10,10" links="3,0,0" obj_link="22"/>
  <object id="8" tex="wp" class="3" pos="450,100" size="10,10" links="4,0,0" obj_link="23"/>
  <object id="21" tex="bush" class="1" subclass="14" pos="150,100"/>
  <object id="22" tex="tree" class="1" subclass="11" pos="300,100"/>
  <object id="23" tex="site" class="1" subclass="12" pos="450,100" obj_link="50"/>
  <object id="50" tex="house" class="2" subclass="40" flags="i" pos="450,130"/>)";

// Clicks at frames (10 ms each) on points of the map, as the pointer delivered them.
struct Click {
  int frame;
  float x, y;
};
const Click kScript[] = {
    {0, 150, 100},    // the bush: carried home
    {5, 600, 0},      // the tree at the end of the road: queued, no worker free
    {10, 450, 100},   // the building site: queued
    {20, 300, 100},   // the costly tree: queued
    {30, 300, 100},   // and taken out again
    {900, 300, 100},  // again, when the site's house brought two more workers
};

std::string Play() {
  SeedRandom(11);
  Sim s;
  s.Begin(Road(10, kExtra, R"(resources="5,2,0")"));
  s.level->episode = 1;
  s.level->levelNumber = 3;
  size_t next = 0;
  for (int frame = 0; frame < 2000; ++frame) {
    while (next < std::size(kScript) && kScript[next].frame == frame) {
      WorldObject* p = s.game->PickHovered(Vec2{kScript[next].x, kScript[next].y});
      s.game->Hover(p);
      s.game->Click(p);
      ++next;
    }
    s.game->Frame(10);
  }
  const auto saved = s.game->Save();
  return saved ? *saved : std::string();
}

TEST(GoldenRunTest, RecordedClicksGiveTheRecordedLevel) {
  const std::string result = Play();
  ASSERT_FALSE(result.empty());
  EXPECT_EQ(result, Play());
  if (std::getenv("KALODRUS_UPDATE_GOLDEN")) {
    std::ofstream(GoldenPath(), std::ios::binary) << result;
    GTEST_SKIP() << "golden run written to " << GoldenPath();
  }
  std::ifstream in(GoldenPath(), std::ios::binary);
  ASSERT_TRUE(in) << GoldenPath() << " missing (run with KALODRUS_UPDATE_GOLDEN=1)";
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(result, golden.str());
}

}  // namespace
