// Thieves, the flying creature, birds and the bonuses, run through the real controller.
#include <gtest/gtest.h>

#include <cmath>

#include "SimTestSupport.h"
#include "level/Level.h"

namespace {

using leveltest::Road;
using leveltest::Sim;
using F = ObjectFlags;

std::string Anims(const std::string& extra) {
  std::string text = leveltest::kSimAnims;
  text.insert(text.rfind("</DescTable>"), extra);
  return text;
}

const std::string kFlyer =
    R"(<Flying name="bat" l="4" x="4" y="2" t="80" w="60" h="40" health="3" speed="10">
         <Spawn sound="bat_in" effect="bat_in"/><Hit sound="bat_hit"/><Die sound="bat_out"/>
       </Flying>)";

bool Played(const Sim& s, const std::string& name) {
  const auto& p = s.sounds.played;
  return std::find(p.begin(), p.end(), name) != p.end();
}

int RunUntilFlyer(Sim& s) {
  s.RunUntil([&] { return s.level->flyer != nullptr; }, 10000);
  return s.level->gameTime;
}

TEST(FlyerTest, ComesEveryFlyTimeInExpertAndHalfAgainOtherwise) {
  Sim casual(Anims(kFlyer));
  casual.Begin(Road(10, "", R"(fly_time="40")"));
  EXPECT_EQ(RunUntilFlyer(casual), 60000);

  Sim expert(Anims(kFlyer));
  expert.screen.difficulty = LevelTimer::kExpert;
  // A kind past the end of the list is the last kind.
  expert.Begin(Road(10, "", R"(fly_time="40" fly_type="99")"));
  EXPECT_EQ(RunUntilFlyer(expert), 40000);
  EXPECT_EQ(expert.level->flyer->subclass, 0);
  EXPECT_TRUE(Played(expert, "bat_in"));

  // Without flying creatures in the animation table none ever comes.
  Sim none;
  none.Begin(Road(10, "", R"(fly_time="1")"));
  none.Run(1000);
  EXPECT_EQ(none.level->flyer, nullptr);
}

TEST(FlyerTest, ThreeClicksDriveItOffWhileClicksAndTheQueueWait) {
  Sim s(Anims(kFlyer));
  s.screen.difficulty = LevelTimer::kExpert;
  s.Begin(Road(10, "", R"(fly_time="1")"));
  RunUntilFlyer(s);
  WorldObject* flyer = s.level->flyer;
  ASSERT_NE(flyer, nullptr);
  EXPECT_EQ(s.game->hazards.FlyerClicksLeft(), 3);
  // The creature stays on screen while it flies.
  for (int i = 0; i < 2000; ++i) {
    s.game->Frame(10);
    ASSERT_LE(std::fabs(flyer->position.x), 640 - 70 + 0.01f);
    ASSERT_LE(std::fabs(flyer->position.y), 384 - 70 + 0.01f);
  }
  s.Click(5);
  EXPECT_TRUE(s.screen.Saw("message workers_scared"));
  EXPECT_FALSE(s.Worker(0).Has(F::kBusy));
  for (int i = 0; i < 3; ++i) {
    s.game->Hover(flyer);
    s.game->Click(flyer);
  }
  EXPECT_TRUE(s.game->hazards.FlyerDying());
  EXPECT_TRUE(Played(s, "bat_hit"));
  EXPECT_TRUE(Played(s, "bat_out"));
  // It lived 20 s: too late for the quick-drive trophy.
  EXPECT_TRUE(s.screen.achievements.empty());
  s.level->flags |= Hazards::kNoFlyers;  // as an obelisk does; else the next one comes
  s.Run(60);
  EXPECT_EQ(s.level->flyer, nullptr);
  s.Click(5);
  EXPECT_TRUE(s.Worker(0).Has(F::kBusy));
}

TEST(FlyerTest, ACommandQueuedBeforeTheFlyerCameWaitsForItToGo) {
  Sim s(Anims(kFlyer));
  s.screen.difficulty = LevelTimer::kExpert;
  s.Begin(Road(10,
               R"(<object id="6" tex="wp" class="3" pos="0,100" size="10,10" links="1,0,0"
                   obj_link="21"/>
                  <object id="21" tex="bush" class="1" subclass="12" pos="0,100"/>)",
               R"(fly_time="5")"));
  WorldObject& w = s.Worker(0);
  s.Click(5);
  s.Click(6);  // no worker free: queued
  ASSERT_TRUE(s.game->Queued(s.Get(6)));
  RunUntilFlyer(s);
  // The worker comes home while the flyer is there: the command stays queued.
  s.RunUntil([&] { return !w.Has(F::kBusy); }, 3000);
  ASSERT_FALSE(w.Has(F::kBusy));
  s.Run(10);
  EXPECT_TRUE(s.game->Queued(s.Get(6)));
  EXPECT_FALSE(w.Has(F::kBusy));
  for (int i = 0; i < 3; ++i) s.game->hazards.HitFlyer(*s.level->flyer);
  s.level->flags |= Hazards::kNoFlyers;  // else the next one comes at once
  s.RunUntil([&] { return s.level->flyer == nullptr; }, 100);
  s.Run(1);
  EXPECT_FALSE(s.game->Queued(s.Get(6)));
  EXPECT_TRUE(w.Has(F::kBusy));
}

TEST(FlyerTest, DrivenOffWithinThreeSecondsEarnsItsTrophy) {
  Sim s(Anims(kFlyer));
  s.screen.difficulty = LevelTimer::kExpert;
  s.Begin(Road(10, "", R"(fly_time="1")"));
  RunUntilFlyer(s);
  WorldObject* flyer = s.level->flyer;
  for (int i = 0; i < 3; ++i) s.game->hazards.HitFlyer(*flyer);
  EXPECT_EQ(s.screen.achievements, std::vector<int>{5});
}

TEST(FlyerTest, ASavedFlyerIsCurrentAgainAfterTheReload) {
  Sim s(Anims(kFlyer));
  s.Begin(Road(10, "", R"(fly_time="1")"));
  RunUntilFlyer(s);
  s.level->episode = s.level->levelNumber = 1;
  const std::optional<std::string> saved = s.game->Save();
  ASSERT_TRUE(saved.has_value());
  Sim r(Anims(kFlyer));
  r.Begin(*saved);
  r.Run(1);
  WorldObject* flyer = r.level->flyer;
  ASSERT_NE(flyer, nullptr);
  EXPECT_EQ(r.game->hazards.FlyerClicksLeft(), 3);
  r.Click(5);
  EXPECT_TRUE(r.screen.Saw("message workers_scared"));
  for (int i = 0; i < 3; ++i) r.game->hazards.HitFlyer(*flyer);
  EXPECT_TRUE(r.game->hazards.FlyerDying());
}

// Everything that moves in the world stands while the level screen is paused.
TEST(PauseTest, TheWorldStandsStillWhileTheScreenIsPaused) {
  Sim s(Anims(kFlyer + R"(<Bird name="bird" l="4" x="4" y="1" t="60"/>)"));
  s.screen.difficulty = LevelTimer::kExpert;
  s.Begin(Road(10,
               R"(<object id="30" tex="river" class="0" flags="x" tex_speed="0,-500"/>
                  <object id="31" tex="mill" class="0" sprite="4,1,50,0,4,0"/>)",
               R"(fly_time="1")"));
  s.Click(5);
  RunUntilFlyer(s);
  const auto look = [&] {
    const WorldObject& w = s.Worker(0);
    return std::vector<float>{s.Get(30).uvRect[1],        float(s.Get(31).sprite->current),
                              float(w.sprite->current),   w.position.x,
                              s.level->flyer->position.x, s.game->hazards.Bird(0)->position.y,
                              s.level->blinkPhase};
  };
  s.screen.paused = true;
  const std::vector<float> before = look();
  s.Run(50);
  EXPECT_EQ(look(), before);
  s.screen.paused = false;
  s.Run(50);
  const std::vector<float> after = look();
  for (size_t i = 0; i < before.size(); ++i) EXPECT_NE(after[i], before[i]) << "value " << i;
}

TEST(BirdTest, OneClickCatchesABirdThatReappearsAtItsEdge) {
  Sim s(Anims(R"(<Bird name="bird" l="4" x="4" y="1" t="60"/>)"));
  s.settings.birdLife = 1;
  s.Begin(Road(10));
  WorldObject* bird = s.game->hazards.Bird(1);
  ASSERT_NE(bird, nullptr);
  EXPECT_EQ(bird->position.y, 384 + 30);
  s.Run(50);
  bird = s.game->hazards.Bird(1);
  EXPECT_EQ(s.game->PickHovered(bird->position), bird);
  s.game->Click(bird);
  EXPECT_EQ(s.level->birdsHunted, 1);
  EXPECT_TRUE(Played(s, "bird_click"));
  // The same record flies again: a pointer kept by the screen stays good.
  ASSERT_EQ(s.game->hazards.Bird(1), bird);
  EXPECT_EQ(bird->position.y, 384 + 30);
  EXPECT_EQ(bird->subclass, 1);
}

TEST(BirdTest, FrameTimeZeroAndEmptyListsStayFinite) {
  Sim s(Anims(R"(<Bird name="bird" l="4" x="4" y="1" t="0"/>)"));
  s.Begin(Road(10));
  s.Run(5000);
  for (int i = 0; i < 2; ++i) {
    const WorldObject* bird = s.game->hazards.Bird(i);
    ASSERT_NE(bird, nullptr);
    EXPECT_TRUE(std::isfinite(bird->position.x) && std::isfinite(bird->position.y));
    EXPECT_LE(std::fabs(bird->position.y), 384 + 40 + 100);
    EXPECT_GE(bird->sprite->frameTime, 1);
  }
  Sim none;
  none.Begin(Road(10));
  EXPECT_EQ(none.game->hazards.Bird(0), nullptr);
  none.Run(100);
}

// The road with a thief entry (waypoint 9, base list 10) beyond the obstacle's waypoint 5.
std::string ThiefRoad(int obstacle, const std::string& settings) {
  return Road(obstacle,
              R"(<object id="9" tex="wp" class="3" subclass="11" pos="750,0" size="10,10"
                  links="5,0,0" respawn="5,0"/>)",
              settings, R"(flags="E")");
}

TEST(ThiefTest, EachPileIsTriedEveryPeriodAndATargetedPileIsNotTriedAgain) {
  Sim s;
  s.Begin(ThiefRoad(14, R"(thief_per="30000")"));
  s.RunUntil([&] { return s.level->gameTime >= 29990; });
  EXPECT_EQ(s.level->workers.size(), 16u);
  s.Run(1);
  ASSERT_EQ(s.level->workers.size(), 17u);
  WorldObject& thief = *s.level->workers.back();
  EXPECT_EQ(thief.subclass, 10);
  EXPECT_EQ(thief.id, 0);  // its entry's position
  EXPECT_TRUE(s.Get(20).Has(F::kThiefTarget));
  EXPECT_TRUE(Played(s, "thief_spawn"));
  // The thief walks at half speed, takes the pile home and is gone; nothing reaches the stock.
  s.RunUntil([&] { return s.level->workers.size() == 16u; }, 20000);
  EXPECT_EQ(s.level->workers.size(), 16u);
  EXPECT_TRUE(s.level->resThieved);
  EXPECT_TRUE(Played(s, "thief_success"));
  EXPECT_EQ(s.level->resources, (std::array<int, 3>{0, 0, 0}));
}

TEST(ThiefTest, AThiefSavedOnItsWayGoesOnAfterTheReload) {
  Sim s;
  s.Begin(ThiefRoad(14, R"(thief_per="1000")"));
  s.RunUntil([&] { return s.level->workers.size() == 17u; }, 500);
  s.Run(50);
  ASSERT_EQ(s.level->workers.size(), 17u);
  s.level->episode = s.level->levelNumber = 1;
  const std::optional<std::string> saved = s.game->Save();
  ASSERT_TRUE(saved.has_value());
  Sim r;
  r.Begin(*saved);
  ASSERT_EQ(r.level->workers.size(), 17u);
  r.RunUntil([&] { return r.level->workers.size() == 16u; }, 20000);
  EXPECT_EQ(r.level->workers.size(), 16u);
  EXPECT_TRUE(r.level->resThieved);
}

TEST(ThiefTest, AThiefIsNoBusyWorkerAndDoesNotHoldUpTheWalkToTheExit) {
  Sim s;
  // The thief road with a crew of three and an exit behind the camp.
  s.Begin(Road(14,
               R"(<object id="9" tex="wp" class="3" subclass="11" pos="750,0" size="10,10"
                   links="5,0,0" respawn="5,0"/>
                  <object id="8" tex="wp" class="3" subclass="13" pos="-150,0" size="10,10"
                   links="1,0,0"/>)",
               R"(workers_free="2")", R"(flags="E")"));
  ASSERT_TRUE(s.game->hazards.ThiefAttempt(s.Get(20)));
  ASSERT_EQ(s.level->workers.size(), 17u);
  // Two workers out and the thief: not yet three busy workers.
  s.Worker(0).Set(F::kBusy);
  s.Worker(1).Set(F::kBusy);
  s.game->walker.WorkerOut(s.Worker(1));
  EXPECT_TRUE(s.screen.achievements.empty());
  s.Worker(2).Set(F::kBusy);
  s.game->walker.WorkerOut(s.Worker(2));
  EXPECT_EQ(s.screen.achievements, std::vector<int>{18});
  for (int i = 0; i < 3; ++i) s.Worker(i).Set(F::kBusy, false);
  // The level is won while the thief walks: the crew's walk out ends without waiting for it.
  s.level->questRes[2] = 0;
  s.RunUntil([&] { return s.game->exitWalk == GameController::ExitWalk::Done; }, 2000);
  EXPECT_EQ(s.game->exitWalk, GameController::ExitWalk::Done);
  ASSERT_EQ(s.level->workers.size(), 17u);
  EXPECT_FALSE(s.level->workers.back()->worker->path.empty());
}

TEST(ThiefTest, NoEntryNoThiefAndThievesSwitchedOff) {
  Sim s;
  s.Begin(Road(14, "", R"(thief_per="1000")", R"(flags="E")"));
  s.Run(300);
  EXPECT_EQ(s.level->workers.size(), 16u);
  EXPECT_GE(s.Get(20).stamp, 2000);  // tried, nowhere to come from

  Sim off;
  off.Begin(ThiefRoad(14, R"(thief_per="1000" flags="1")"));
  off.Run(300);
  EXPECT_EQ(off.level->workers.size(), 16u);
}

TEST(BonusTest, TwoBonusesKeepTheWorkerMarkersUntilBothEnd) {
  Sim s;
  s.Begin(Road(10));
  s.game->BonusStart(0);
  s.game->BonusStart(1);
  EXPECT_EQ(s.Worker(0).marker.name, "worker_bonus");
  EXPECT_TRUE(s.game->speedBonus);
  EXPECT_TRUE(s.game->workBonus);
  s.game->BonusEnd(0);
  EXPECT_EQ(s.Worker(0).marker.name, "worker_bonus");
  s.game->BonusEnd(1);
  EXPECT_TRUE(s.Worker(0).marker.Empty());
  EXPECT_FALSE(s.Worker(0).Has(F::kMarker));
  // Out-of-range ids do nothing; an end without a start does not go below zero.
  s.game->BonusStart(6);
  s.game->BonusEnd(-1);
  s.game->BonusEnd(2);
  EXPECT_EQ(s.game->bonusesRunning, 0);
}

TEST(BonusTest, TheExtraWorkerJoinsAndLeavesWhenFree) {
  Sim s;
  s.Begin(Road(10));
  EXPECT_EQ(s.level->activeWorkers, 1);
  s.game->BonusStart(3);
  EXPECT_EQ(s.level->activeWorkers, 2);
  s.game->BonusEnd(3);
  s.Run(1);
  EXPECT_EQ(s.level->activeWorkers, 1);

  // A full crew gets no ninth worker and keeps its eight.
  s.level->activeWorkers = 8;
  s.game->BonusStart(3);
  EXPECT_EQ(s.level->activeWorkers, 8);
  s.game->BonusEnd(3);
  s.Run(1);
  EXPECT_EQ(s.level->activeWorkers, 8);
}

TEST(BonusTest, BuyingTheExtraWorkerAgainWhileItWaitsToLeaveKeepsOneExtraWorker) {
  Sim s;
  s.Begin(Road(10));
  s.game->BonusStart(3);
  ASSERT_EQ(s.level->activeWorkers, 2);
  // Both are out: the extra one cannot leave yet when the bonus ends.
  s.Worker(0).Set(F::kBusy);
  s.Worker(1).Set(F::kBusy);
  s.game->BonusEnd(3);
  s.Run(1);
  EXPECT_EQ(s.level->activeWorkers, 2);
  s.game->BonusStart(3);
  EXPECT_EQ(s.level->activeWorkers, 2);
  s.game->BonusEnd(3);
  s.Worker(0).Set(F::kBusy, false);
  s.Worker(1).Set(F::kBusy, false);
  s.Run(2);
  EXPECT_EQ(s.level->activeWorkers, 1);
}

TEST(BonusTest, SoundPlaysUnlessARunningBonusIsRestored) {
  Sim s(leveltest::kSimAnims, R"(<BonusDesc><Bonus id="1" sound="hammer_fast"/></BonusDesc>)");
  s.Begin(Road(10));
  s.game->BonusStart(1, true);
  EXPECT_FALSE(Played(s, "hammer_fast"));
  EXPECT_TRUE(s.game->workBonus);
  s.game->BonusEnd(1);
  s.game->BonusStart(1);
  EXPECT_TRUE(Played(s, "hammer_fast"));
}

}  // namespace

namespace {

TEST(HelperTest, TriggerOneDialogFiresOnceWhenTheObjectBecomesAffordable) {
  Sim s;
  s.Begin(Road(11, "", R"(resources="4,2,0")", R"(flags="m" dialog="9,1,0,1,0,0,0")"));
  s.Run(5);
  const auto fired = [&] {
    return std::count(s.services.fired.begin(), s.services.fired.end(), std::make_pair(20, 1));
  };
  EXPECT_EQ(fired(), 0);  // 5 food needed, 4 in stock
  s.level->resources[0] = 5;
  s.Run(5);
  EXPECT_EQ(fired(), 1);
  EXPECT_FALSE(s.Get(20).Has(F::kDialog));
  s.Run(5);
  EXPECT_EQ(fired(), 1);
}

}  // namespace

namespace {

TEST(ReachableTest, MarksFollowAWayThatClosesAgain) {
  Sim s;
  s.Begin(R"(<level>
    <object id="1" tex="wp" class="3" subclass="1" pos="0,0" size="10,10"/>
    <object id="2" tex="wp" class="3" pos="150,0" size="10,10" links="1,0,0" obj_link="30"/>
    <object id="3" tex="wp" class="3" pos="300,0" size="10,10" links="2,0,0" obj_link="20"/>
    <object id="30" tex="pile" class="1" subclass="10" flags="cg" pos="150,10"/>
    <object id="20" tex="tree" class="1" subclass="10" pos="300,10"/>
  </level>)");
  s.Run(1);
  EXPECT_TRUE(s.Get(20).Has(F::kReachableOrdinary));
  // The pile grows back across the road: the tree behind it is out of reach again.
  s.Get(30).Set(F::kInProcess | F::kPassable, false);
  s.Run(1);
  EXPECT_FALSE(s.Get(20).HasAny(F::kReachable | F::kReachableOrdinary));
  EXPECT_TRUE(s.Get(30).Has(F::kReachableOrdinary));
  s.Click(3);
  EXPECT_FALSE(s.Worker(0).Has(F::kBusy));
}

}  // namespace
