// The free-worker icons over a small level run by the real controller: which workers count,
// where their icons go.
#include <gtest/gtest.h>

#include "gui/ControlList.h"
#include "level/SimTestSupport.h"
#include "level_screen/HudItems.h"

namespace {

using leveltest::Sim;

// Two camps, each the waypoint of a workers' house (its first respawn value): house 51 high
// up, listed first, and house 50. Four active workers (2 from the house, 2 released).
const char* kTwoCamps = R"(<level run_speed="15" workers_free="2">
  <object id="1" tex="wp" class="3" subclass="1" pos="-300,0" size="10,10" respawn="50,0"/>
  <object id="2" tex="wp" class="3" pos="0,0" size="10,10" links="1,0,0"/>
  <object id="3" tex="wp" class="3" subclass="1" pos="200,300" size="10,10" links="2,0,0"
          respawn="51,0"/>
  <object id="51" tex="house" class="2" subclass="40" pos="200,350" size="40,40"/>
  <object id="50" tex="house" class="2" subclass="40" pos="-300,100" size="40,40"/>
</level>)";

class HudFreeWorkersTest : public testing::Test {
 protected:
  void SetUp() override {
    sim.Begin(kTwoCamps);
    ASSERT_EQ(sim.level->activeWorkers, 4);
    HudItems::Parts parts;
    parts.world = &world;
    items.Build(parts, nullptr);
  }
  std::vector<GuiPoint> Shown() const {
    std::vector<GuiPoint> centres;
    for (const GUIControl* icon : items.FreeWorkerIcons()) {
      if (icon->visible) centres.push_back({CentreX(icon->rect), CentreY(icon->rect)});
    }
    return centres;
  }

  Sim sim;
  ControlList world;
  HudItems items;
};

TEST_F(HudFreeWorkersTest, IdleWorkersShowOverTheirHousesSideBySideBelowTheTop) {
  sim.Worker(2).worker->home = 2;  // waypoint 3: house 51
  sim.Worker(3).worker->home = 2;
  sim.Worker(1).Set(ObjectFlags::kBusy);  // out at work
  // Workers 4..7 wait beyond the active four and are idle, but do not count.
  items.RefreshFreeWorkers(*sim.game, 0, true, true, 384);
  // House 51 first: y held at 384 - 10 - 1.5 × 64 = 278, icons 8 + 64 above it, 64 apart.
  const std::vector<GuiPoint> wide{{168, 350}, {232, 350}, {-300, 172}};
  EXPECT_EQ(Shown(), wide);
  items.RefreshFreeWorkers(*sim.game, 1, true, false, 384);  // 4:3: 52 below the top
  EXPECT_EQ(Shown().at(0), (GuiPoint{168, 308}));

  items.RefreshFreeWorkers(*sim.game, 3, true, true, 384);  // a mini-game level
  EXPECT_TRUE(Shown().empty());
  items.RefreshFreeWorkers(*sim.game, 0, false, true, 384);  // not while the controller forbids
  EXPECT_TRUE(Shown().empty());
  sim.Get(50).Set(ObjectFlags::kHidden);  // a house not standing takes no icons
  sim.Get(51).Set(ObjectFlags::kHidden);
  items.RefreshFreeWorkers(*sim.game, 0, true, true, 384);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
