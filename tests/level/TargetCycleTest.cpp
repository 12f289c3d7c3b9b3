// Keyboard play in a level: what Tab offers, in which order, and where the mark goes when
// the marked work begins.
#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "level/TargetCycle.h"

using namespace leveltest;

namespace {

// The road of Road() with its obstacle at waypoint 5 (600,0); three trees on a row above it
// (waypoints 6, 7, 8 from left to right, the middle one written first), and waypoint 9 behind
// the obstacle, which no worker reaches before it is cleared.
const char* kTrees = R"(
  <object id="7" tex="wp" class="3" pos="300,100" size="10,10" links="3,0,0" obj_link="22"/>
  <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
  <object id="8" tex="wp" class="3" pos="450,100" size="10,10" links="4,0,0" obj_link="23"/>
  <object id="21" tex="tree" class="1" subclass="10" pos="150,100"/>
  <object id="22" tex="tree" class="1" subclass="10" pos="300,100"/>
  <object id="23" tex="tree" class="1" subclass="10" pos="450,100"/>
  <object id="9" tex="wp" class="3" pos="750,0" size="10,10" links="5,0,0" obj_link="24"/>
  <object id="24" tex="tree" class="1" subclass="10" pos="750,0"/>)";

int Id(const WorldObject* o) { return o ? o->id : 0; }

TEST(TargetCycleTest, OffersReachableWorkInReadingOrderAndLeavesTheHoverAlone) {
  Sim s;
  s.Begin(Road(10, kTrees));
  s.game->hovered = 3;
  const int readiness = s.game->readiness;
  EXPECT_EQ(TargetCycle::Candidates(*s.game), (std::vector<int>{6, 7, 8, 5}));
  EXPECT_EQ(s.game->hovered, 3);
  EXPECT_EQ(s.game->readiness, readiness);
}

TEST(TargetCycleTest, StepsBothWaysAroundAndGoesOnFromWorkThatBegan) {
  Sim s;
  s.Begin(Road(10, kTrees));
  TargetCycle cycle;
  EXPECT_EQ(Id(cycle.Step(*s.game, 1)), 6);
  EXPECT_EQ(Id(cycle.Step(*s.game, 1)), 7);
  EXPECT_EQ(Id(cycle.Step(*s.game, -1)), 6);
  EXPECT_EQ(Id(cycle.Step(*s.game, -1)), 5);  // wraps to the last
  EXPECT_EQ(Id(cycle.Step(*s.game, 1)), 6);

  // A worker is sent to the marked tree: it is no candidate any more, and the mark goes on
  // from where it stood, forwards to 7 or backwards to the last.
  EXPECT_EQ(Id(cycle.Step(*s.game, 1)), 7);
  WorldObject* marked = cycle.Marked(*s.game);
  ASSERT_NE(marked, nullptr);
  s.game->Hover(marked);
  s.game->Click(marked);
  s.Run(100);
  EXPECT_EQ(cycle.Marked(*s.game), nullptr);
  EXPECT_EQ(TargetCycle::Candidates(*s.game), (std::vector<int>{6, 8, 5}));
  TargetCycle back = cycle;
  EXPECT_EQ(Id(cycle.Step(*s.game, 1)), 8);
  EXPECT_EQ(Id(back.Step(*s.game, -1)), 6);
}

TEST(TargetCycleTest, NothingToDoMarksNothing) {
  Sim s;
  s.Begin(Road(12, "", "", ""));
  TargetCycle cycle;
  // Only the obstacle at the road's end is there; once it is worked nothing is left.
  ASSERT_EQ(TargetCycle::Candidates(*s.game), (std::vector<int>{5}));
  WorldObject* five = cycle.Step(*s.game, 1);
  ASSERT_NE(five, nullptr);
  s.game->Hover(five);
  s.game->Click(five);
  s.Run(100);
  EXPECT_EQ(cycle.Step(*s.game, 1), nullptr);
  EXPECT_EQ(cycle.MarkedId(), 0);
}

}  // namespace
