// Clicks, readiness, the command queue and the work on objects, run through the controller's
// tick on small levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SimTestSupport.h"

using namespace leveltest;
using F = ObjectFlags;

namespace {

// Three more unaffordable trees (descriptor 11) beside the road, at waypoints 6, 7 and 8.
const char* kSideTrees = R"(
  <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
  <object id="7" tex="wp" class="3" pos="300,100" size="10,10" links="3,0,0" obj_link="22"/>
  <object id="8" tex="wp" class="3" pos="450,100" size="10,10" links="4,0,0" obj_link="23"/>
  <object id="21" tex="tree" class="1" subclass="11" pos="150,100"/>
  <object id="22" tex="tree" class="1" subclass="11" pos="300,100"/>
  <object id="23" tex="tree" class="1" subclass="11" pos="450,100"/>)";

int Readiness(Sim& s, int waypoint) {
  s.game->hovered = waypoint;
  return s.game->ComputeReadiness();
}

bool Home(const WorldObject& w) { return !w.Has(F::kBusy) && w.worker->path.empty(); }

TEST(ReadinessTest, EachCode) {
  Sim s;
  s.Begin(Road(11, R"(
    <object id="9" tex="wp" class="3" pos="0,100" links="1,0,0" obj_link="24"/>
    <object id="24" tex="rock" class="1" subclass="13"/>
    <object id="10" tex="wp" class="3" pos="0,-100" links="1,0,0" obj_link="25"/>
    <object id="25" tex="rock" class="1" subclass="17"/>)"));
  EXPECT_EQ(Readiness(s, 0), GameController::kNoWorker);  // nothing hovered
  EXPECT_EQ(Readiness(s, 2), GameController::kNoWorker);  // nothing to work on
  EXPECT_EQ(Readiness(s, 5), GameController::kNoResources);
  EXPECT_EQ(Readiness(s, 9), GameController::kTypeMissing);   // special type 2 not here
  EXPECT_EQ(Readiness(s, 10), GameController::kTypeMissing);  // type 12 is no worker type
  s.level->resources = {5, 2, 0};
  EXPECT_EQ(Readiness(s, 5), GameController::kReady);
  s.Get(20).Set(F::kReachableOrdinary, false);
  EXPECT_EQ(Readiness(s, 5), GameController::kUnreachable);
  s.Get(20).Set(F::kReachableOrdinary);
  s.Worker(0).Set(F::kBusy);
  EXPECT_EQ(Readiness(s, 5), GameController::kNoWorker);
  s.Worker(0).Set(F::kBusy, false);
  s.Get(20).Set(F::kNeedsQuest);
  s.level->questObjectsNeeded = 1;
  EXPECT_EQ(Readiness(s, 5), GameController::kQuestMissing);
}

TEST(CommandQueueTest, UnaffordableClicksQueueUpToThreeAndAreServedLater) {
  Sim s;
  s.Begin(Road(11, kSideTrees));
  s.Click(5);
  EXPECT_TRUE(s.Get(5).Has(F::kQueued));
  EXPECT_TRUE(s.screen.Saw(std::string("message insuf_res\\5\x01") + "2\x02"));
  EXPECT_TRUE(s.screen.Saw("shortage 0"));
  // A second click takes it out again.
  s.Click(5);
  EXPECT_FALSE(s.Get(5).Has(F::kQueued));
  EXPECT_TRUE(s.level->commandQueue.empty());
  for (int id : {6, 7, 8}) s.Click(id);
  EXPECT_EQ(s.level->commandQueue, (std::vector<int>{6, 7, 8}));
  // The fourth: the message, a refusal mark, nothing queued.
  s.screen.log.clear();
  s.Click(5);
  EXPECT_EQ(s.level->commandQueue.size(), 3u);
  EXPECT_TRUE(s.screen.Saw("message insuf_res"));
  EXPECT_TRUE(s.screen.Saw("cmd_no 5"));
  // Resources arrive: the first queued command is sent and paid.
  s.level->resources = {6, 2, 0};
  s.Run(1);
  EXPECT_TRUE(s.Worker(0).Has(F::kBusy));
  EXPECT_TRUE(s.Get(21).Has(F::kInProcess));
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{1, 0, 0}));
  EXPECT_EQ(s.level->commandQueue, (std::vector<int>{7, 8}));
  EXPECT_FALSE(s.Get(6).Has(F::kQueued));
}

TEST(CommandQueueTest, BusyWorkerQueuesAndAPendingClickWaitsForTheReturn) {
  Sim s;
  s.Begin(Road(10, R"(
    <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
    <object id="21" tex="tree" class="1" subclass="10" pos="150,100"/>)"));
  s.Click(5);
  ASSERT_TRUE(s.Worker(0).Has(F::kBusy));
  s.Click(6);  // no worker free: queued
  EXPECT_EQ(s.level->commandQueue, (std::vector<int>{6}));
  // When the worker is home again the queue sends it to 6.
  s.RunUntil([&] { return s.Get(21).Has(F::kInProcess); }, 3000);
  EXPECT_TRUE(s.Get(20).Has(F::kPassable));
  EXPECT_TRUE(s.Worker(0).Has(F::kBusy));
  EXPECT_TRUE(s.level->commandQueue.empty());
}

TEST(WorkTest, TwentyFiveTenthsTake2500MsAnd1250WithTheBonus) {
  for (const bool bonus : {false, true}) {
    Sim s;
    s.Begin(Road(10));
    s.game->workBonus = bonus;
    WorldObject& w = s.Worker(0);
    s.Click(5);
    s.RunUntil([&] { return w.Has(F::kAtWork); });
    EXPECT_TRUE(s.screen.Saw("timer 20 2500"));
    EXPECT_EQ(w.worker->animation, 3);
    const int frames = s.RunUntil([&] { return !w.Has(F::kAtWork); });
    EXPECT_EQ(frames, bonus ? 125 : 250);
    WorldObject& tree = s.Get(20);
    EXPECT_TRUE(tree.Has(F::kPassable | F::kInProcess));
    EXPECT_TRUE(tree.Hidden());
    EXPECT_TRUE(w.worker->returning);
    // No result to carry, nothing queued: the worker poses first.
    EXPECT_TRUE(w.Has(F::kPose));
    EXPECT_EQ(w.worker->animation, 2);
    EXPECT_TRUE(s.screen.Saw("points 20"));
    const auto& played = s.sounds.played;
    EXPECT_NE(std::find(played.begin(), played.end(), "work_end"), played.end());
    s.RunUntil([&] { return Home(w); });
    EXPECT_TRUE(w.Hidden());
    EXPECT_EQ(w.position.x, 0.0f);
  }
}

TEST(WorkTest, SavedLevelContinuesItsWorkTimer) {
  Sim s;
  s.Begin(Road(10));
  s.level->episode = 1;
  s.level->levelNumber = 1;
  s.Click(5);
  s.RunUntil([&] { return s.Worker(0).Has(F::kAtWork); });
  s.Run(100);
  const auto saved = s.game->Save();
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find(R"(<obstacle id="20" cur="1000" max="2500")"), std::string::npos);
  Sim t;
  t.Begin(*saved);
  ASSERT_EQ(t.level->workers.size(), 16u);
  EXPECT_EQ(t.game->timers.Remaining(20), 1500.0f);
  EXPECT_EQ(t.RunUntil([&] { return !t.Worker(0).Has(F::kAtWork); }), 150);
  EXPECT_TRUE(t.Get(20).Has(F::kPassable));
}

TEST(WorkTest, NoTimerCompletesTheFrameAfterArrival) {
  Sim s;
  s.Begin(Road(12));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  EXPECT_FALSE(s.screen.Saw("timer"));
  EXPECT_FALSE(s.Get(20).Has(F::kPassable));
  s.Run(1);
  EXPECT_TRUE(s.Get(20).Has(F::kPassable));
  EXPECT_FALSE(w.Has(F::kAtWork));
}

TEST(WorkTest, ThePulseEndsOnTheLinksWithTheWork) {
  Sim s;
  s.Begin(Road(10,
               R"(<object id="21" tex="stump" class="0" pos="600,40" obj_link="22"/>
                  <object id="22" tex="sign" class="0" pos="600,80"/>)",
               "", R"(obj_link="21")"));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  for (const int id : {20, 21, 22}) EXPECT_EQ(s.Get(id).pulseDesc, 10) << id;
  s.RunUntil([&] { return !w.Has(F::kAtWork); });
  for (const int id : {20, 21, 22}) EXPECT_EQ(s.Get(id).pulseDesc, 0) << id;
}

TEST(WorkTest, RespawnOneOneIsBackAtOnceAndKeepsItsWaypoint) {
  Sim s;
  s.Begin(Road(15, "", "", R"(respawn="1,1" flags="m" dialog="7,1,0,3,0,0,0")"));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  s.RunUntil([&] { return !w.Has(F::kAtWork); });
  WorldObject& tree = s.Get(20);
  EXPECT_FALSE(tree.HasAny(F::kPassable | F::kInProcess | F::kHidden));
  EXPECT_EQ(s.Get(5).link, &tree);
  // Its dialog of trigger 3 fired with the completion, once.
  const std::pair<int, int> fired{20, 3};
  EXPECT_EQ(std::count(s.services.fired.begin(), s.services.fired.end(), fired), 1);
  EXPECT_FALSE(tree.Has(F::kDialog));
  // It can be worked again at once.
  s.RunUntil([&] { return Home(w); });
  s.Click(5);
  EXPECT_TRUE(w.Has(F::kBusy));
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  s.RunUntil([&] { return !w.Has(F::kAtWork); });
  EXPECT_TRUE(w.worker->returning);
  EXPECT_EQ(std::count(s.services.fired.begin(), s.services.fired.end(), fired), 1);
}

TEST(WorkTest, CarriedResultAndAFailedCollect) {
  Sim s;
  s.Begin(Road(14, "", "workers_free=\"1\""));
  s.Click(5);
  s.Run(1);
  WorldObject& w = s.Worker(1);  // the later of two equally near workers
  ASSERT_TRUE(w.Has(F::kBusy));
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  s.RunUntil([&] { return !w.Has(F::kAtWork); });
  EXPECT_EQ(w.linkId, 20);  // carries the tree's yield home
  EXPECT_EQ(w.worker->animation, 1);
  EXPECT_FALSE(w.Has(F::kPose));
  s.RunUntil([&] { return Home(w); });
  EXPECT_EQ(w.linkId, 0);

  // Sent to a tree someone else cleared: "collect_fail" and back home.
  Sim t;
  t.Begin(Road(10));
  t.Click(5);
  t.Get(20).Set(F::kPassable);
  t.RunUntil([&] { return !t.Worker(0).worker->returning && Home(t.Worker(0)); }, 2000);
  const auto& played = t.sounds.played;
  EXPECT_NE(std::find(played.begin(), played.end(), "collect_fail"), played.end());
  EXPECT_TRUE(Home(t.Worker(0)));
}

TEST(WorkTest, BuildingSiteShowsTheHouseAndReleasedWorkersJoin) {
  Sim s;
  s.Begin(Road(12, R"(<object id="50" tex="house" class="2" subclass="40" flags="i"/>)", "",
               R"(obj_link="50")"));
  EXPECT_EQ(s.level->activeWorkers, 1);
  s.Click(5);
  s.RunUntil([&] { return s.Get(20).Has(F::kPassable); });
  WorldObject& house = s.Get(50);
  EXPECT_FALSE(house.Hidden());
  // The first house replaces the lone worker: its two workers, as a reload counts them.
  EXPECT_EQ(s.level->activeWorkers, 2);
  EXPECT_EQ(s.game->homes[0], 50);
  s.level->episode = s.level->levelNumber = 1;
  const std::optional<std::string> saved = s.game->Save();
  ASSERT_TRUE(saved.has_value());
  Sim reloaded;
  reloaded.Begin(*saved);
  EXPECT_EQ(reloaded.level->activeWorkers, s.level->activeWorkers);
  EXPECT_EQ(s.Worker(0).linkId, 0);  // nothing to carry

  Sim r;
  r.Begin(Road(16));
  r.Click(5);
  r.RunUntil([&] { return r.Get(20).Has(F::kPassable); });
  EXPECT_EQ(r.level->activeWorkers, 2);
  EXPECT_EQ(r.level->workersFree, 1);
  WorldObject& joined = r.Worker(1);
  EXPECT_TRUE(joined.Has(F::kBusy));
  EXPECT_TRUE(joined.worker->returning);
  EXPECT_FALSE(joined.Hidden());
  r.RunUntil([&] { return Home(joined) && Home(r.Worker(0)); }, 2000);
  EXPECT_TRUE(Home(joined));
}

TEST(WorkTest, UpgradeReplacesTheHouseAndAddsTheDifference) {
  Sim s;
  s.Begin(Road(10, R"(
    <object id="50" tex="house" class="2" subclass="40" pos="600,40" obj_link="51"/>
    <object id="51" tex="scaffold" class="0" flags="i" pos="600,40" obj_link="52"/>
    <object id="52" tex="house2" class="2" subclass="41" flags="i" pos="600,40"/>)",
               R"(resources="0,3,0")"));
  // The road's last waypoint works the house instead of the tree.
  s.Get(5).linkId = 50;
  s.level->ResolveAllLinks();
  s.level->MarkReachable();
  EXPECT_EQ(s.level->activeWorkers, 2);
  s.Click(5);
  EXPECT_EQ(s.level->resources[1], 0);
  WorldObject& w = s.Worker(1);
  s.RunUntil([&] { return w.Has(F::kAtWork); });
  EXPECT_TRUE(s.screen.Saw("timer 50 3000"));
  s.RunUntil([&] { return !w.Has(F::kAtWork); });
  EXPECT_TRUE(s.Get(50).Hidden());
  EXPECT_TRUE(s.Get(51).Hidden());
  EXPECT_FALSE(s.Get(52).Hidden());
  EXPECT_EQ(s.level->activeWorkers, 5);
  EXPECT_EQ(s.game->homes[0], 52);
  EXPECT_EQ(s.Get(5).link, &s.Get(52));
  const auto& played = s.sounds.played;
  EXPECT_NE(std::find(played.begin(), played.end(), "upgrade_start"), played.end());
  EXPECT_NE(std::find(played.begin(), played.end(), "upgrade_complete"), played.end());
}

TEST(RosterTest, AWorkerWithoutASizeTakesOneCellOfItsSheet) {
  Sim s;
  s.textures.sizes["digger_walk"] = {160, 480};  // 4 x 8 frames of 40 x 60
  s.Begin(Road(10));
  EXPECT_EQ(s.Worker(0).size, (Vec2{20, 30}));  // its animation's own w and h
  EXPECT_EQ(s.Worker(9).size, (Vec2{20, 30}));  // type 2: the sheet's cell
  EXPECT_EQ(s.Worker(8).size, (Vec2{32, 32}));  // type 1 has no sheet at all
}

TEST(ExitWalkTest, OrdinaryWorkersLeaveTwoHundredMsApart) {
  Sim s;
  s.Begin(Road(10, R"(<object id="9" tex="wp" class="3" subclass="13" pos="-150,0"
                       size="10,10" links="1,0,0"/>)",
               R"(workers_free="4")"));
  ASSERT_EQ(s.level->activeWorkers, 5);
  s.game->endTimer = 0;
  EXPECT_FALSE(s.game->walker.ExitWalk());
  EXPECT_EQ(s.Worker(0).stamp, 0);
  EXPECT_EQ(s.Worker(4).stamp, -800);
  s.Run(79);
  EXPECT_EQ(s.Worker(4).position.x, 0.0f);
  EXPECT_LT(s.Worker(0).position.x, 0.0f);
  s.Run(3);
  EXPECT_LT(s.Worker(4).position.x, 0.0f);
  const int frames = s.RunUntil([&] { return s.game->walker.ExitWalk(); }, 1000);
  EXPECT_LT(frames, 1000);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(s.Worker(i).Hidden());
}

}  // namespace

namespace {

const char* kFreeTrees = R"(
  <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
  <object id="7" tex="wp" class="3" pos="300,100" size="10,10" links="3,0,0" obj_link="22"/>
  <object id="8" tex="wp" class="3" pos="450,100" size="10,10" links="4,0,0" obj_link="23"/>
  <object id="9" tex="wp" class="3" pos="150,-100" size="10,10" links="2,0,0" obj_link="24"/>
  <object id="21" tex="tree" class="1" subclass="10"/>
  <object id="22" tex="tree" class="1" subclass="10"/>
  <object id="23" tex="tree" class="1" subclass="10"/>
  <object id="24" tex="tree" class="1" subclass="11"/>)";

TEST(CommandQueueTest, FullQueueKeepsAPendingClickForTheWorkerAboutToBeHome) {
  // Costly trees: a returning worker is never redirected to them.
  std::string trees = kFreeTrees;
  for (size_t at; (at = trees.find("subclass=\"10\"")) != std::string::npos;) {
    trees.replace(at, 13, "subclass=\"11\"");
  }
  Sim s;
  s.Begin(Road(10, trees, R"(resources="100,100,0")"));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  for (int id : {6, 7, 8}) s.Click(id);
  ASSERT_EQ(s.level->commandQueue.size(), 3u);
  // Far from home: the fourth click is refused.
  s.Click(9);
  EXPECT_TRUE(s.screen.Saw("message no_free_workers"));
  EXPECT_EQ(s.game->pendingClick, 0);
  // On the last leg home, close to the camp: the click waits for the worker.
  s.RunUntil([&] {
    const WorkerState& st = *w.worker;
    return st.returning && st.path.size() == 1 &&
           std::hypot(st.legTarget.x - w.position.x, st.legTarget.y - w.position.y) < 15;
  });
  s.Click(9);
  EXPECT_EQ(s.game->pendingClick, 9);
  s.RunUntil([&] { return s.Get(24).Has(F::kInProcess); }, 50);
  EXPECT_TRUE(s.Get(24).Has(F::kInProcess));  // the pending click went first
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{95, 98, 0}));
  EXPECT_EQ(s.level->commandQueue, (std::vector<int>{6, 7, 8}));
}

TEST(CommandQueueTest, ReturningWorkerIsRedirectedToFreeWork) {
  Sim s;
  s.Begin(Road(10, kFreeTrees));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  s.RunUntil([&] { return w.worker->returning && !w.Has(F::kPose) && w.worker->path.size() > 2; });
  s.sounds.played.clear();
  s.Click(6);  // no worker at home, but the one walking back may go
  EXPECT_TRUE(s.Get(21).Has(F::kInProcess));
  EXPECT_FALSE(w.worker->returning);
  EXPECT_EQ(w.worker->path.front(), s.Get(6).waypoint);
  EXPECT_TRUE(s.sounds.played.empty());  // not going out again: no "worker_out"
  s.RunUntil([&] { return s.Get(21).Has(F::kPassable); }, 2000);
  EXPECT_TRUE(s.Get(21).Has(F::kPassable));
  // A target with a cost is never given to a returning worker.
  s.level->resources = {5, 2, 0};
  s.RunUntil([&] { return w.worker->returning && !w.Has(F::kPose); });
  s.Click(9);
  EXPECT_FALSE(s.Get(24).Has(F::kInProcess));
  EXPECT_TRUE(s.Get(9).Has(F::kQueued));
}

}  // namespace
