// Route search over small waypoint graphs, the roster's choice of worker, facing and the
// walking speed.
#include <gtest/gtest.h>

#include <cmath>

#include "SimTestSupport.h"

using namespace leveltest;
using F = ObjectFlags;

namespace {

// A diamond: 1 -> {2, 3} -> 4, plus a tail 4 -> 5. Waypoint 3 links to obstacle 30.
const char* kDiamond = R"(<level>
  <object id="1" tex="wp" class="3" subclass="1" pos="0,0"/>
  <object id="2" tex="wp" class="3" pos="100,100" links="1,0,0"/>
  <object id="3" tex="wp" class="3" pos="100,-100" links="1,0,0" obj_link="30"/>
  <object id="4" tex="wp" class="3" pos="200,0" links="3,2,0"/>
  <object id="5" tex="wp" class="3" pos="300,0" links="4,0,0" obj_link="31"/>
  <object id="30" tex="rock" class="1" subclass="10" pos="100,-100"/>
  <object id="31" tex="rock" class="1" subclass="10" pos="300,0"/>
</level>)";

TEST(PathFinderTest, TiesBlockedWaypointsAndTheTarget) {
  Sim s;
  s.Begin(kDiamond);
  PathFinder& paths = s.game->paths;
  // With 3 blocked the route goes through 2; the destination comes first.
  auto path = paths.FindPath(0, &s.Get(31), false);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, (PathFinder::Path{4, 3, 1, 0}));
  // Through blocked waypoints both ways cost the same: the lower index (2, node 1) wins.
  s.Get(30).Set(F::kPassable);
  path = paths.FindPath(0, &s.Get(31), false);
  EXPECT_EQ(*path, (PathFinder::Path{4, 3, 1, 0}));
  s.Get(30).Set(F::kPassable, false);
  // The target's own waypoint may be blocked.
  path = paths.FindPath(0, &s.Get(30), false);
  EXPECT_EQ(*path, (PathFinder::Path{2, 0}));
  EXPECT_EQ(paths.PathLength(0, &s.Get(30), true), 2);
  // Blocking 2 too leaves only the way through the obstacle at 3.
  s.Get(2).linkId = 31;
  s.Get(2).link = &s.Get(31);
  EXPECT_FALSE(paths.FindPath(0, &s.Get(5), false));
  EXPECT_EQ(paths.PathLength(0, &s.Get(5), true), 0);
  path = paths.FindPath(0, &s.Get(5), true);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->size(), 4u);
  // Both ways cost 101 to leave their obstacle: the lower index (2 with 31) is the route and
  // its obstacle the blocker.
  EXPECT_EQ(paths.FindBlocker(0, &s.Get(5)), &s.Get(31));
  // A queued obstacle costs nothing extra: the route goes by 3 and nothing blocks it.
  s.Get(3).Set(F::kQueued);
  EXPECT_EQ(paths.FindBlocker(0, &s.Get(5)), nullptr);
  s.Get(3).Set(F::kQueued, false);
  s.Get(30).Set(F::kInProcess);
  EXPECT_EQ(paths.FindBlocker(0, &s.Get(5)), nullptr);
  // Nothing that is not on the graph, and no base list out of range.
  EXPECT_FALSE(paths.FindPath(0, nullptr, false));
  EXPECT_FALSE(paths.FindPath(99, &s.Get(5), false));
  EXPECT_EQ(paths.FindBlocker(13, &s.Get(5)), nullptr);
}

TEST(PathFinderTest, FourthIncomingLinkIsStillWalkedFromTheOtherSide) {
  Sim s;
  s.Begin(R"(<level>
    <object id="1" tex="wp" class="3" subclass="1"/>
    <object id="2" tex="wp" class="3" links="1,0,0"/>
    <object id="3" tex="wp" class="3" links="1,0,0"/>
    <object id="4" tex="wp" class="3" links="1,0,0"/>
    <object id="5" tex="wp" class="3" links="1,0,0"/>
  </level>)");
  // 1 records only three back links; from 5 the link to 1 is still there.
  EXPECT_EQ(s.level->waypoints[0].neighbours[5], 3);
  EXPECT_FALSE(s.game->paths.FindPath(0, &s.Get(5), false));
  EXPECT_EQ(*s.game->paths.FindPath(4, &s.Get(1), false), (PathFinder::Path{0, 4}));
}

TEST(WorkerRosterTest, RosterTiesAndDirections) {
  Sim s;
  s.Begin(
      Road(10, R"(<object id="50" tex="house" class="2" subclass="42"/>)", "workers_free=\"3\""));
  ASSERT_EQ(s.level->workers.size(), 16u);
  EXPECT_EQ(s.level->activeWorkers, 4);  // one without a house, plus three free
  EXPECT_EQ(s.Worker(0).size.x, 20.0f);  // from the animation's w
  EXPECT_EQ(s.Worker(9).subclass, 2);
  EXPECT_TRUE(s.Worker(3).Hidden());
  // Equal lengths: the later worker wins; busy ones are skipped.
  EXPECT_EQ(s.game->roster.FreeWorker(0, &s.Get(5)), &s.Worker(3));
  s.Worker(3).Set(F::kBusy);
  EXPECT_EQ(s.game->roster.FreeWorker(0, &s.Get(5)), &s.Worker(2));
  EXPECT_EQ(s.game->roster.FreeWorker(0, nullptr), &s.Worker(0));
  EXPECT_EQ(s.game->roster.FreeWorker(9, nullptr), nullptr);

  WorldObject& w = s.Worker(0);
  s.game->roster.SetAnimation(w, 0);
  w.sprite->current = 2;
  WorkerRoster::SetDirection(w, 1, 0);
  EXPECT_EQ(w.worker->direction, 2);
  EXPECT_EQ(w.sprite->loopStart, 8);
  EXPECT_EQ(w.sprite->current, 10);  // the phase is kept
  WorkerRoster::SetDirection(w, 0, 1);
  EXPECT_EQ(w.worker->direction, 4);
  EXPECT_EQ(w.sprite->current, 18);
  WorkerRoster::SetDirection(w, -1, -1);
  EXPECT_EQ(w.worker->direction, 7);
}

TEST(WorkerWalkTest, HundredFiftyUnitsASecondAndItsFactors) {
  Sim s;
  s.Begin(Road(10));
  WorldObject& w = s.Worker(0);
  EXPECT_FLOAT_EQ(s.game->walker.Speed(w) * 1000, 150.0f);
  s.Click(5);
  ASSERT_TRUE(w.Has(F::kBusy));
  // 600 units to the last waypoint: four seconds, give or take the arrival radius.
  const int frames = s.RunUntil([&] { return w.Has(F::kAtWork); });
  EXPECT_NEAR(frames, 400, 12);
  EXPECT_TRUE(s.screen.Saw("approach 5"));
  EXPECT_TRUE(s.screen.Saw("arrive 5"));
  s.game->speedBonus = true;
  EXPECT_FLOAT_EQ(s.game->walker.Speed(w) * 1000, 250.0f);
  s.game->speedBonus = false;
  w.subclass = WorkerRoster::kThief;
  EXPECT_FLOAT_EQ(s.game->walker.Speed(w) * 1000, 75.0f);
  w.worker->returning = true;
  s.game->endTimer = 0;
  EXPECT_FLOAT_EQ(s.game->walker.Speed(w) * 1000, 300.0f);
}

}  // namespace
