// The rules of world objects on small hand-built levels: preparation, respawn, fades, idle
// pauses, state sprites, deletion and reachability.
#include <gtest/gtest.h>

#include <set>

#include "WorldTestSupport.h"
#include "base/Random.h"

using namespace leveltest;
using F = ObjectFlags;

namespace {

// --- Respawn

TEST(WorldRespawnTest, RangeOneOneIsRestoredInTheFrameItsWaitStarts) {
  World w;
  w.Begin(R"(<level>
      <object id="1" tex="bush" class="1" subclass="10" flags="cg" respawn="1,1"/>
    </level>)");
  WorldObject& bush = w.Get(1);
  bush.Set(F::kHidden);
  bush.alpha = 0;
  w.updater->UpdateObjects(16);  // respawnLeft 0: the wait starts and ends at once
  EXPECT_FALSE(bush.HasAny(F::kInProcess | F::kPassable | F::kRespawning | F::kHidden));
  EXPECT_EQ(bush.respawnLeft, -1);
  EXPECT_EQ(bush.alpha, 255);
  // Fading does not apply to it: only its visibility sets its opacity.
  w.level->Fade(bush, -1, 0);
  EXPECT_EQ(bush.fadeDir, 0);
  EXPECT_EQ(bush.alpha, 255);
}

TEST(WorldRespawnTest, ThreeToFiveSecondsRunFasterWithRespawnSpeed) {
  World w;
  w.Begin(R"(<level resp_speed="150">
      <object id="1" tex="bush" class="1" subclass="10" flags="cg" pos="100,50" respawn="3,5"/>
    </level>)");
  WorldObject& bush = w.Get(1);
  // The delay lies in 3000..4999 ms; over many draws both ends of the range turn up.
  SeedRandom(7);
  int lowest = 1 << 30, highest = 0;
  for (int i = 0; i < 2000; ++i) {
    bush.respawnLeft = 0;
    w.level->ArmRespawn(bush);
    lowest = std::min(lowest, bush.respawnLeft);
    highest = std::max(highest, bush.respawnLeft);
    ASSERT_EQ(bush.stamp, bush.respawnLeft);
  }
  EXPECT_GE(lowest, 3000);
  EXPECT_LT(lowest, 3100);
  EXPECT_LE(highest, 4999);
  EXPECT_GT(highest, 4900);
  // Waiting shows it faintly.
  EXPECT_EQ(bush.alpha, 90);
  EXPECT_TRUE(bush.Has(F::kRespawning));

  // At 150 % every 10 ms frame takes 15 ms off the wait.
  bush.respawnLeft = bush.stamp = 3000;
  int frames = 0;
  while (bush.respawnLeft > 0 && frames < 1000) {
    w.updater->UpdateObjects(10);
    ++frames;
  }
  EXPECT_EQ(frames, 200);
  EXPECT_EQ(bush.respawnLeft, -1);
  EXPECT_FALSE(bush.HasAny(F::kInProcess | F::kPassable | F::kRespawning | F::kThiefTarget));
  EXPECT_TRUE(bush.Has(F::kThievable));
  EXPECT_EQ(bush.fadeDir, 1);  // fading in from nothing
  EXPECT_EQ(bush.alpha, 0);
  EXPECT_EQ(w.sounds.played, std::vector<std::string>{"object_respawn"});
}

TEST(WorldRespawnTest, NoRespawnFlagAndAMaximumBelowTheMinimum) {
  World w;
  w.Begin(R"(<level>
      <object id="1" tex="a" class="1" subclass="10" flags="cgh" respawn="3,5"/>
      <object id="2" tex="b" class="1" subclass="10" flags="cg" respawn="4,2"/>
    </level>)");
  w.updater->UpdateObjects(10);
  EXPECT_EQ(w.Get(1).respawnLeft, -1);
  EXPECT_TRUE(w.Get(1).Has(F::kPassable));
  // A maximum below the minimum counts as the minimum.
  EXPECT_EQ(w.Get(2).respawnLeft, 4000);
  // The level's end stops respawning.
  w.level->ended = true;
  w.updater->UpdateObjects(100);
  EXPECT_EQ(w.Get(2).respawnLeft, 4000);
}

TEST(WorldRespawnTest, WithoutARangeAPassableObjectStaysPassableForGood) {
  World w;
  // Opened by a gate, say: passable and taken care of, but it never grows back.
  w.Begin(R"(<level>
      <object id="1" tex="path" class="1" subclass="10" flags="cg"/>
    </level>)");
  w.Frames(100, 10);
  const WorldObject& path = w.Get(1);
  EXPECT_EQ(path.respawnLeft, -1);
  EXPECT_FALSE(path.Has(F::kRespawning));
  EXPECT_TRUE(path.Has(F::kPassable));
  EXPECT_EQ(path.alpha, 255);
}

// --- Preparation

// A land's farm makes its land's field, which plays the meadow field's sheet; the meadow's farm
// and a land without a dressed field keep the meadow's field.
TEST(WorldPrepareTest, AProductWearsTheDressOfItsBuildingsLand) {
  World w(R"(<LandDress><Dress tex="coast_farm" of="farm"/><Dress tex="coast_field" of="field"/>
              <Dress tex="north_farm" of="farm"/></LandDress>)");
  w.Begin(R"(<level>
      <object id="1" tex="coast_farm" class="2" subclass="40" obj_link="11"/>
      <object id="11" class="3" obj_link="21"/>
      <object id="21" tex="soil" class="1" subclass="10"/>
      <object id="3" tex="farm" class="2" subclass="40" obj_link="13"/>
      <object id="13" class="3" obj_link="23"/>
      <object id="23" tex="soil" class="1" subclass="10"/>
      <object id="5" tex="north_farm" class="2" subclass="40" obj_link="15"/>
      <object id="15" class="3" obj_link="25"/>
      <object id="25" tex="soil" class="1" subclass="10"/>
    </level>)");
  const WorldObject& coast = w.Get(21);
  EXPECT_EQ(coast.texture, "coast_field");
  ASSERT_TRUE(coast.sprite);
  EXPECT_EQ(coast.sprite->Frames(), 4);
  EXPECT_EQ(w.Get(23).texture, "field");
  EXPECT_EQ(w.Get(25).texture, "field");
}

TEST(WorldPrepareTest, BuildingsReadyTheirProductSites) {
  World w;
  // Building 1 stands and produces 30; 3 stands and produces nothing; 5 is not built yet;
  // 7 names a product that is no obstacle. Each reaches its site through a waypoint.
  w.Begin(R"(<level>
      <object id="1" tex="farm" class="2" subclass="40" obj_link="11"/>
      <object id="11" class="3" obj_link="21"/>
      <object id="21" tex="soil" class="1" subclass="10" size="30,10"/>
      <object id="3" tex="house" class="2" subclass="41" obj_link="13"/>
      <object id="13" class="3" obj_link="23"/>
      <object id="23" tex="soil" class="1" subclass="10"/>
      <object id="5" tex="farm" class="2" subclass="40" flags="i" obj_link="15"/>
      <object id="15" class="3" obj_link="25"/>
      <object id="25" tex="soil" class="1" subclass="10"/>
      <object id="7" tex="farm" class="2" subclass="42" obj_link="17"/>
      <object id="17" class="3" obj_link="27"/>
      <object id="27" tex="soil" class="1" subclass="10"/>
    </level>)");
  const WorldObject& produces = w.Get(21);
  EXPECT_TRUE(produces.Has(F::kHidden | F::kPassable | F::kInProcess));
  EXPECT_FALSE(produces.Has(F::kDormant));
  EXPECT_EQ(produces.respawnMin, 20);
  EXPECT_EQ(produces.respawnMax, 20);
  EXPECT_EQ(produces.subclass, 30);
  ASSERT_NE(produces.desc, nullptr);
  EXPECT_EQ(produces.desc->id, 30);
  EXPECT_EQ(produces.texture, "field");
  ASSERT_TRUE(produces.sprite);  // the product's texture is an animation sheet
  EXPECT_EQ(produces.sprite->Frames(), 4);
  EXPECT_EQ(produces.size, (Vec2{20, 10}));

  for (const int id : {23, 25, 27}) {
    SCOPED_TRACE(id);
    const WorldObject& site = w.Get(id);
    EXPECT_TRUE(site.Has(F::kHidden | F::kPassable | F::kInProcess | F::kDormant));
    EXPECT_EQ(site.respawnMin, 5);
    EXPECT_EQ(site.respawnMax, 5);
    EXPECT_EQ(site.texture, "soil");
  }

  // The standing farm's field grows back; a dormant site never does.
  w.Frames(1, 16);
  EXPECT_GE(w.Get(21).respawnLeft, 20000);
  EXPECT_FALSE(w.Get(21).Hidden());  // shown faintly while it grows
  EXPECT_EQ(w.Get(23).respawnLeft, 0);
  EXPECT_TRUE(w.Get(23).Hidden());

  // A saved level keeps its sites as they were.
  World saved;
  saved.Begin(R"(<level state="2" mode="2">
      <object id="1" tex="farm" class="2" subclass="40" obj_link="11"/>
      <object id="11" class="3" obj_link="21"/>
      <object id="21" tex="soil" class="1" subclass="10"/>
    </level>)");
  EXPECT_FALSE(saved.Get(21).HasAny(F::kHidden | F::kPassable | F::kDormant));
}

TEST(WorldPrepareTest, RespawningScenerySpritesRestOnTheirFirstOrLastFrame) {
  World w;
  // 1 and 2 grow back: 1 is linked from 9 and rests on its start frame, 2 on its last.
  // 3 is passable, 4 hidden, 5 never respawns: they keep playing. 6 is a state sprite
  // waiting for its change; 8 has a negative pause.
  w.Begin(R"(<level>
      <object id="9" tex="gate" class="1" subclass="10" obj_link="1"/>
      <object id="1" tex="vine" class="0" sprite="4,2,80,0,8,2" respawn="5,9"/>
      <object id="2" tex="vine" class="0" sprite="4,2,80,0,8,2" respawn="5,9"/>
      <object id="3" tex="vine" class="0" flags="g" sprite="4,2,80,0,8,2" respawn="5,9"/>
      <object id="4" tex="vine" class="0" flags="i" sprite="4,2,80,0,8,2" respawn="5,9"/>
      <object id="5" tex="vine" class="0" flags="h" sprite="4,2,80,0,8,2" respawn="5,9"/>
      <object id="6" tex="door" class="1" subclass="10" flags="j" sprite="4,1,80,0,4,1"/>
      <object id="8" tex="mill" class="0" sprite="4,1,80,0,4,3" animtime="-1,0"/>
    </level>)");
  EXPECT_EQ(w.Get(1).sprite->current, 2);
  EXPECT_EQ(w.Get(1).sprite->step, 0);
  EXPECT_TRUE(w.Get(1).Has(F::kRespawning));
  EXPECT_EQ(w.Get(2).sprite->current, 7);
  EXPECT_EQ(w.Get(2).sprite->step, 0);
  for (const int id : {3, 4, 5}) {
    EXPECT_EQ(w.Get(id).sprite->step, 1) << id;  // a fresh level's sprites play
    EXPECT_FALSE(w.Get(id).Has(F::kRespawning)) << id;
  }
  EXPECT_EQ(w.Get(6).sprite->current, 1);
  EXPECT_EQ(w.Get(6).sprite->step, 0);
  EXPECT_EQ(w.Get(8).sprite->current, 3);
  EXPECT_EQ(w.Get(8).sprite->step, 0);
}

TEST(WorldPrepareTest, MarkersParticlesFadeTimeAndSelectors) {
  World w;
  w.Begin(R"(<level>
      <object id="1" tex="house" class="2" subclass="41" flags="o"/>
      <object id="2" tex="house" class="2" subclass="41" flags="io"/>
      <object id="3" tex="rock" class="1" subclass="30"/>
      <object id="4" tex="rock" class="0" obj_link="3"/>
      <object id="5" tex="rock" class="0"/>
      <object id="6" class="3" obj_link="3"/>
      <object id="7" tex="fog" class="5" subclass="2"/>
    </level>)");
  EXPECT_EQ(w.Get(1).marker, (EffectRef{"objective", 0, 0, true}));
  EXPECT_TRUE(w.Get(1).Has(F::kMarker));
  EXPECT_EQ(w.Get(1).particles, (EffectRef{"smoke", 5, 30, true}));
  EXPECT_EQ(w.Get(2).marker, (EffectRef{"objective", 0, 0, false}));  // hidden: not running
  EXPECT_TRUE(w.Get(2).particles.Empty());
  // The fade time: its own descriptor's, else its back link's, else its link's, else 1275.
  EXPECT_EQ(w.Get(3).fadeMs, 500);
  EXPECT_EQ(w.Get(4).fadeMs, 500);  // through its link
  EXPECT_EQ(w.Get(5).fadeMs, 1275);
  ASSERT_NE(w.Get(3).selector, nullptr);
  EXPECT_EQ(w.Get(3).selector->w, 1.5f);
  EXPECT_EQ(w.Get(6).selector, nullptr);  // waypoints take none
  EXPECT_EQ(w.Get(7).marker, (EffectRef{"fog02", 0, 0, true}));
  // A worker made in the object list without its state goes at the end of the update.
  WorldObject& stray = w.level->AddObject(w.level->objects, 8, "w", Vec2{1.7f, -2.2f});
  stray.cls = WorldObject::kWorker;
  EXPECT_EQ(stray.position, (Vec2{1, -2}));  // positions are whole units
  w.level->PrepareObject(stray);
  EXPECT_TRUE(stray.Has(F::kDelete));
  w.level->RemoveFlagged();
  EXPECT_EQ(w.level->objects.size(), 7u);
}

// --- Showing and fading

TEST(WorldFadeTest, AFadeOutOfFadeMs1275TakesExactly1275Ms) {
  World w;
  w.Begin(R"(<level><object id="1" tex="house" class="2" subclass="41"/></level>)");
  WorldObject& house = w.Get(1);
  ASSERT_EQ(house.fadeMs, 1275);
  ASSERT_TRUE(house.particles.active);
  w.level->Fade(house, -1, 0);  // from 0 means from the top
  EXPECT_EQ(house.fadeValue, 1275.0f);
  EXPECT_EQ(house.alpha, 255);
  EXPECT_FALSE(house.particles.active);
  for (int ms = 5; ms < 1275; ms += 5) {
    w.updater->Animate(5);
    ASSERT_GT(house.alpha, 0) << ms;
    ASSERT_EQ(house.fadeDir, -1);
  }
  EXPECT_EQ(house.alpha, 1);
  w.updater->Animate(5);
  EXPECT_EQ(house.alpha, 0);
  EXPECT_EQ(house.fadeDir, 0);
  EXPECT_FALSE(house.Hidden());  // fading out does not hide
  // Halfway through a fade in the opacity is half.
  w.level->Fade(house, +1, 0);
  EXPECT_EQ(house.alpha, 0);
  w.updater->Animate(637.5f);
  EXPECT_NEAR(house.alpha, 127, 1);
}

TEST(WorldFadeTest, ShowIgnoresStateSpritesAndCarriesParticlesAndMarkers) {
  World w;
  w.Begin(R"(<level>
      <object id="1" tex="house" class="2" subclass="41" flags="o"/>
      <object id="2" tex="door" class="1" subclass="10" flags="j" sprite="4,1,80,0,4,0"/>
    </level>)");
  WorldObject& house = w.Get(1);
  w.level->Show(house, false);
  EXPECT_TRUE(house.Hidden());
  EXPECT_FALSE(house.particles.active);
  EXPECT_FALSE(house.marker.active);
  w.level->Show(house, true);
  EXPECT_TRUE(house.particles.active);
  EXPECT_TRUE(house.marker.active);
  w.level->Show(w.Get(2), false);
  EXPECT_FALSE(w.Get(2).Hidden());
}

// --- Animation

TEST(WorldAnimationTest, AnimtimeTenTenPausesExactly100MsBetweenRuns) {
  World w;
  // Four frames of 20 ms; the pause rests on the last frame.
  w.Begin(R"(<level><object id="1" tex="mill" class="0" sprite="4,1,20,0,4,0" animtime="10,10"/>
    </level>)");
  WorldObject& mill = w.Get(1);
  std::vector<int> restarts, pauses;  // ms at which a run starts, and a pause begins
  int wasStep = mill.sprite->step;
  for (int ms = 10; ms <= 1000; ms += 10) {
    w.updater->Animate(10);
    if (mill.sprite->step != wasStep) (mill.sprite->step ? restarts : pauses).push_back(ms);
    wasStep = mill.sprite->step;
    if (mill.sprite->step == 0) {
      ASSERT_EQ(mill.sprite->current, 3);
    }
  }
  ASSERT_GE(restarts.size(), 3u);
  ASSERT_GE(pauses.size(), 3u);
  for (size_t i = 0; i + 1 < restarts.size() && i + 1 < pauses.size(); ++i) {
    // Pause i + 1 begins after run i; run i + 1 starts exactly 100 ms later.
    const int pauseStart = pauses[i + 1];
    EXPECT_EQ(restarts[i + 1] - pauseStart, 100) << i;
  }
}

TEST(WorldAnimationTest, SpriteFramesAreReportedRelativeToTheLoopStart) {
  World w;
  w.Begin(R"(<level><object id="1" tex="walker" class="0" sprite="4,2,10,4,8,4"/></level>)");
  std::vector<int> frames;
  w.updater->SetFrameHook([&](WorldObject& o, int frame) {
    EXPECT_EQ(o.id, 1);
    frames.push_back(frame);
  });
  w.updater->Animate(55);  // five whole frames: 5, 6, 7, back to 4, 5
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));
  EXPECT_EQ(w.Get(1).sprite->current, 5);
}

TEST(WorldAnimationTest, ScrollSlideBlinkAndPulse) {
  World w;
  w.Begin(R"(<level resources="2,0,0" worker_types="1">
      <object id="1" tex="river" class="0" flags="x" tex_speed="0,-500"/>
      <object id="2" tex="raft" class="1" subclass="10" flags="Ag" pos="0,0" tex_speed="30,40" obj_link="3"/>
      <object id="3" tex="dock" class="0" pos="100,0"/>
      <object id="4" tex="rock" class="1" subclass="10" flags="ae"/>
      <object id="5" tex="rock" class="1" subclass="12" flags="ae"/>
      <object id="6" tex="rock" class="1" subclass="11" flags="ae"/>
      <object id="7" tex="rock" class="1" subclass="13" ani_ref="13"/>
    </level>)");
  // 100 ms at -500: -0.5 per axis unit, wrapped into 0..1.
  w.updater->Animate(100);
  EXPECT_NEAR(w.Get(1).uvRect[1], 0.5f, 1e-5f);
  EXPECT_NEAR(w.Get(1).uvRect[3], 1.5f, 1e-5f);
  // The raft moves 50 units a second toward the dock and stops on it.
  EXPECT_NEAR(w.Get(2).position.x, 5.0f, 1e-4f);
  w.updater->Animate(3000);
  EXPECT_EQ(w.Get(2).position, (Vec2{100, 0}));
  // Reachable objects blink (k 5 for obstacles), but not when unaffordable or when their
  // worker type is missing.
  const float phase = w.level->blinkPhase;
  const double wave = 100.0 * (1.0 - std::sin(5.0 * phase + 4));
  EXPECT_NEAR(w.Get(4).alpha, int(std::clamp(wave, 0.0, 255.0)), 1);
  EXPECT_EQ(w.Get(5).alpha, 0);
  EXPECT_EQ(w.Get(6).alpha, 0);
  // The pulse advances by ms / (scaleTime / 2).
  const float before = w.Get(7).pulsePhase;
  w.updater->Animate(10);
  EXPECT_NEAR(w.Get(7).pulsePhase - before, 0.1f, 1e-4f);
}

TEST(WorldAnimationTest, CalmScreensHoldTheHighlightSteadyAndTheScrollingStill) {
  World w;
  w.Begin(R"(<level resources="2,0,0" worker_types="1">
      <object id="1" tex="river" class="0" flags="x" tex_speed="0,-500"/>
      <object id="4" tex="rock" class="1" subclass="10" flags="ae"/>
      <object id="5" tex="rock" class="1" subclass="12" flags="ae"/>
    </level>)");
  w.level->steadyMarks = true;
  w.level->calmMotion = true;
  const float v0 = w.Get(1).uvRect[1];
  std::set<int> alphas;
  for (int i = 0; i < 40; ++i) {
    w.updater->Animate(37);
    alphas.insert(w.Get(4).alpha);
  }
  EXPECT_EQ(alphas.size(), 1u) << "the highlight does not blink";
  EXPECT_GT(*alphas.begin(), 60) << "but shows clearly";
  EXPECT_EQ(w.Get(5).alpha, 0) << "an unaffordable object stays unmarked";
  EXPECT_EQ(w.Get(1).uvRect[1], v0);
  // Switched back on the way, both move again.
  w.level->steadyMarks = w.level->calmMotion = false;
  alphas.clear();
  for (int i = 0; i < 40; ++i) {
    w.updater->Animate(37);
    alphas.insert(w.Get(4).alpha);
  }
  EXPECT_GT(alphas.size(), 5u);
  EXPECT_NE(w.Get(1).uvRect[1], v0);
}

TEST(WorldAnimationTest, AnUpgradedBuildingPulsesByItsBuildingDescriptor) {
  World w;
  // The house under upgrade spreads its pulse to the scaffold and the bigger house.
  w.Begin(R"(<level>
      <object id="1" tex="house" class="2" subclass="43" ani_ref="43" obj_link="2"/>
      <object id="2" tex="scaffold" class="0" ani_ref="43" obj_link="3"/>
      <object id="3" tex="house_big" class="2" subclass="41" ani_ref="43"/>
    </level>)");
  w.updater->Animate(10);
  for (const int id : {1, 2, 3}) EXPECT_NEAR(w.Get(id).pulsePhase, 0.2f, 1e-5f) << id;
}

// --- State sprites and deletion

TEST(WorldStateSpriteTest, TheLastFrameHandsTheChangeToTheLinkChain) {
  World w;
  // The gate opens: when its sprite has played it stays open, and what it linked (the
  // path 2, leading on to 3 and back to the gate) opens and shows.
  w.Begin(R"(<level>
      <object id="1" tex="gate" class="1" subclass="10" flags="jg" sprite="4,1,20,0,4,0" obj_link="2"/>
      <object id="2" tex="path" class="1" subclass="10" flags="iaey" obj_link="3"/>
      <object id="3" tex="sign" class="0" flags="i" obj_link="1"/>
    </level>)");
  WorldObject& gate = w.Get(1);
  gate.sprite->Restart();
  w.Frames(2, 20);
  EXPECT_FALSE(gate.Has(F::kAtWork));
  w.Frames(2, 20);  // frame 3 reached
  EXPECT_TRUE(gate.Has(F::kAtWork));
  EXPECT_EQ(gate.sprite->current, 3);
  EXPECT_EQ(gate.sprite->step, 0);
  const WorldObject& path = w.Get(2);
  EXPECT_TRUE(path.Has(F::kPassable | F::kInProcess));
  EXPECT_FALSE(path.HasAny(F::kReachable | F::kReachableOrdinary | F::kThiefTarget | F::kHidden));
  EXPECT_FALSE(w.Get(3).Hidden());
  // The gate stays open.
  gate.sprite->current = 0;
  w.Frames(1, 20);
  EXPECT_EQ(gate.sprite->current, 3);
}

TEST(WorldDeleteTest, DeletionTakesEffectAfterTheWholeUpdate) {
  World w;
  w.Begin(R"(<level>
      <object id="1" tex="a" class="0" sprite="2,1,10,0,2,0"/>
      <object id="2" tex="b" class="0" sprite="2,1,10,0,2,0" obj_link="3"/>
      <object id="3" tex="c" class="0" obj_link="2"/>
      <object id="4" class="3" subclass="1" obj_link="2"/>
      <object id="5" tex="f" class="10"/>
    </level>)");
  EXPECT_EQ(w.level->workerLayer, 4);
  // While object 1 animates, object 2 is flagged; it still animates in this frame.
  w.updater->SetFrameHook([&](WorldObject& o, int) {
    if (o.id == 1) w.Get(2).Set(F::kDelete);
  });
  w.updater->Animate(15);
  EXPECT_EQ(w.Get(2).sprite->current, 1);
  w.updater->UpdateObjects(15);
  ASSERT_EQ(w.level->flyer, &w.Get(5));  // the flying creature is taken up
  EXPECT_EQ(w.level->objects.size(), 5u);
  w.Get(5).Set(F::kDelete);
  w.level->RemoveFlagged();
  ASSERT_EQ(w.level->objects.size(), 3u);
  EXPECT_EQ(w.Get(3).link, nullptr);
  EXPECT_EQ(w.Get(4).link, nullptr);
  EXPECT_EQ(w.level->flyer, nullptr);
  EXPECT_EQ(w.level->workerLayer, 3);  // still after the camp waypoint
}

// --- Reachability

// Camp 100 -> 101 (cleared fence 10) -> 102 (rock 20 blocks) -> 103 (bush 30 beyond).
// The mason's home 110 (base 2) -> 111 (boulder 40 for type 2) -> 112 (stone 50 for type 1).
// 101 also leads to 104 with the special boulder 60, and to 105 with a building 70 whose
// link is a waypoint (it stops the walk), leading on to 106 (bush 80).
constexpr char kGraph[] = R"(<level worker_types="7">
    <object id="100" class="3" subclass="1" links="101"/>
    <object id="101" class="3" links="102,104,105" obj_link="10"/>
    <object id="10" tex="fence" class="1" subclass="10" flags="cg"/>
    <object id="102" class="3" links="103" obj_link="20" flags="m" dialog="1,0,0,0,0,0,0"/>
    <object id="20" tex="rock" class="1" subclass="10"/>
    <object id="103" class="3" obj_link="30"/>
    <object id="30" tex="bush" class="1" subclass="10"/>
    <object id="104" class="3" obj_link="60"/>
    <object id="60" tex="boulder" class="1" subclass="11"/>
    <object id="105" class="3" links="106" obj_link="70"/>
    <object id="70" tex="house" class="2" subclass="41" obj_link="107"/>
    <object id="107" class="3"/>
    <object id="106" class="3" obj_link="80"/>
    <object id="80" tex="bush" class="1" subclass="10"/>
    <object id="110" class="3" subclass="3" links="111,104"/>
    <object id="111" class="3" links="112" obj_link="40"/>
    <object id="40" tex="boulder" class="1" subclass="11"/>
    <object id="112" class="3" obj_link="50"/>
    <object id="50" tex="stone" class="1" subclass="10"/>
  </level>)";

TEST(WorldReachTest, WalksUpToTheFirstBlockingObjectOfEachBase) {
  World w;
  w.Begin(kGraph);
  w.Get(20).alpha = 200;
  w.level->MarkReachable();
  const auto reachable = [&](int id) {
    return w.Get(id).Has(F::kReachable | F::kReachableOrdinary);
  };
  EXPECT_FALSE(reachable(10));  // in process: walked through
  EXPECT_TRUE(reachable(20));
  EXPECT_EQ(w.Get(20).alpha, 0);
  EXPECT_FALSE(reachable(30));  // behind the rock
  EXPECT_TRUE(reachable(60));   // the camp reaches it, but only the mason may work it:
  EXPECT_TRUE(w.Get(60).Has(F::kReachableSpecial));  // his home reaches it too
  EXPECT_FALSE(reachable(70));  // a building whose link is a waypoint stops the walk
  EXPECT_FALSE(reachable(80));
  EXPECT_TRUE(reachable(40));
  EXPECT_TRUE(w.Get(40).Has(F::kReachableSpecial));
  EXPECT_FALSE(reachable(50));
  // Each newly reachable object fired trigger 0 of its waypoint and itself, once.
  const std::set<std::pair<int, int>> fired(w.services.fired.begin(), w.services.fired.end());
  EXPECT_EQ(fired, (std::set<std::pair<int, int>>{
                       {102, 0}, {20, 0}, {104, 0}, {60, 0}, {111, 0}, {40, 0}}));
  EXPECT_EQ(w.services.fired.size(), fired.size());
  w.level->MarkReachable();
  EXPECT_EQ(w.services.fired.size(), fired.size());

  // The rock cleared: the walk goes on to the bush.
  w.Get(20).Set(F::kInProcess | F::kPassable);
  w.level->MarkReachable();
  EXPECT_TRUE(reachable(30));
  // Cleared but still being taken away (in process, not passable) still blocks.
  World busy;
  busy.Begin(kGraph);
  busy.Get(20).Set(F::kInProcess);
  busy.level->MarkReachable();
  EXPECT_FALSE(busy.Get(30).Has(F::kReachableOrdinary));
  EXPECT_FALSE(busy.Get(20).Has(F::kReachableOrdinary));
}

TEST(WorldReachTest, FourLinksIntoOneWaypointKeepThreeBackSlots) {
  World w;
  // 1..4 each link to 9; 4's link is recorded on its own side only.
  w.Begin(R"(<level>
      <object id="1" class="3" subclass="1" links="9"/>
      <object id="2" class="3" links="9"/>
      <object id="3" class="3" links="9"/>
      <object id="4" class="3" subclass="3" links="9"/>
      <object id="9" class="3" obj_link="20"/>
      <object id="20" tex="bush" class="1" subclass="11"/>
      <object id="30" tex="a" class="0" obj_link="20"/>
      <object id="31" tex="b" class="0" obj_link="20"/>
    </level>)");
  const WaypointNode& node = *w.level->NodeOf(w.Get(9));
  EXPECT_EQ(node.neighbours[3], 0);
  EXPECT_EQ(node.neighbours[4], 1);
  EXPECT_EQ(node.neighbours[5], 2);
  EXPECT_EQ(w.Get(9).backLinks, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(w.level->NodeOf(w.Get(4))->neighbours[0], node.index);
  // The last object linking to one becomes its back link.
  EXPECT_EQ(w.Get(20).backLink, &w.Get(31));
  // The fourth link still serves the walk from its own side: base 2 (waypoint 4) reaches
  // the special bush.
  w.level->MarkReachable();
  EXPECT_TRUE(w.Get(20).Has(F::kReachableSpecial | F::kReachableOrdinary));
}

}  // namespace
