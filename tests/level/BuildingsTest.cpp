// Buildings raised on their sites, run through the real controller: what the player sees of
// them, the product a built farm tends, and the rules obelisks, watchtowers and scarecrows
// change for the rest of the level (with the trophies that hang on them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "SimTestSupport.h"
#include "base/Random.h"
#include "content_check/GameContent.h"
#include "level/Level.h"
#include "level/LevelBot.h"

namespace {

using leveltest::Sim;
using F = ObjectFlags;

// Obstacles: 60 a building site (2 s), 61 a field (carries 3 food home), 62 a beacon to light,
// 63 a pile of 50 wood that is back at once. Buildings: 70 a farm tending field 61 every 4 s,
// 71..73 the obelisks of walking (+5), growth (+50 %) and toil (+25 %), 74 a watchtower,
// 75 a scarecrow.
const char* kDescriptors = R"(<DescTable>
  <Object id="60" class="0" time="20"/>
  <Object id="61" class="0" time="10" ret="1" income="3,0,0"/>
  <Object id="62" class="0" time="20"/>
  <Object id="63" class="0" time="0" ret="1" income="0,50,0"/>
  <Object id="70" class="1" income="61" respawn="4"/>
  <Object id="71" class="1" type="4" value="5"/>
  <Object id="72" class="1" type="6" value="50"/>
  <Object id="73" class="1" type="3" value="25"/>
  <Object id="74" class="1" type="7"/>
  <Object id="75" class="1" type="8"/>
</DescTable>)";

const std::string kFlyer =
    R"(<Flying name="bat" l="4" x="4" y="2" t="80" w="60" h="40" health="3" speed="10"/>)";

std::string Anims() {
  std::string text = leveltest::kSimAnims;
  return text.insert(text.rfind("</DescTable>"), kFlyer);
}

// The camp (waypoint 1) with five branches: waypoint 2 leads to site 30 of building 31 (whose
// product site is field 50 at waypoint 6, its own way from the camp), waypoint 3 to the beacon 40
// whose fire 41 lifts fog 42, waypoint 4 to site 32 of building 33, waypoint 5 to pile 20 (a
// thief's target, from entry 9).
std::string VillageLevel(int building, int otherBuilding, const std::string& settings = "") {
  return R"(<level run_speed="15" )" + settings + R"(>
    <object id="1" tex="wp" class="3" subclass="1" pos="0,0" size="10,10" links="2,3,4"/>
    <object id="2" tex="wp" class="3" pos="150,0" size="10,10" obj_link="30"/>
    <object id="30" tex="site" class="1" subclass="60" pos="150,20" size="30,20" obj_link="31"/>
    <object id="31" tex="house" class="2" subclass=")" +
         std::to_string(building) + R"(" flags="i" pos="150,40" size="40,40" obj_link="6"/>
    <object id="6" tex="wp" class="3" pos="150,-60" size="10,10" links="1,0,0" obj_link="50"/>
    <object id="50" tex="field" class="1" subclass="61" pos="150,-40" size="30,20"/>
    <object id="3" tex="wp" class="3" pos="0,150" size="10,10" obj_link="40"/>
    <object id="40" tex="cold" class="1" subclass="62" pos="0,170" size="20,30" obj_link="41"/>
    <object id="41" tex="fire" class="0" flags="i" pos="0,170" size="20,30" obj_link="42"/>
    <object id="42" tex="fog" class="5" subclass="1" pos="0,300" size="200,100"/>
    <object id="4" tex="wp" class="3" pos="-150,0" size="10,10" obj_link="32"/>
    <object id="32" tex="site" class="1" subclass="60" pos="-150,20" size="30,20" obj_link="33"/>
    <object id="33" tex="tower" class="2" subclass=")" +
         std::to_string(otherBuilding) + R"(" flags="i" pos="-150,40" size="30,60"/>
    <object id="5" tex="wp" class="3" pos="0,-150" size="10,10" links="1,0,0" obj_link="20"/>
    <object id="20" tex="pile" class="1" subclass="63" flags="E" pos="0,-130" size="20,20"
            respawn="1,1"/>
    <object id="9" tex="wp" class="3" subclass="11" pos="0,-300" size="10,10" links="5,0,0"
            respawn="5,0"/>
  </level>)";
}

struct VillageSim : Sim {
  explicit VillageSim(int building = 70, int other = 74, const std::string& attrs = "")
      : Sim(Anims(), "", "", kDescriptors) {
    Begin(VillageLevel(building, other, attrs));
  }
  // Sends a worker to waypoint wp and runs until the work there is done and the worker home.
  void Work(int wp) {
    Click(wp);
    RunUntil([&] { return Worker(0).Has(F::kBusy); }, 100);
    RunUntil([&] { return !Worker(0).Has(F::kBusy); }, 10000);
  }
  int Thieves() const {
    return int(std::count_if(level->workers.begin(), level->workers.end(),
                             [](const auto& w) { return w->subclass == 10; }));
  }
};

// From the moment it shows, the building only grows more opaque, and once built it stands
// fully drawn; the site is gone. Both for a building and for a beacon's fire.
TEST(BuildingSiteTest, WhatTheWorkRaisesStandsFullyDrawnToTheEnd) {
  for (const auto& [wp, site, raised] : {std::tuple{2, 30, 31}, std::tuple{3, 40, 41}}) {
    VillageSim s;
    WorldObject& o = s.Get(site);
    WorldObject& t = s.Get(raised);
    s.Click(wp);
    int last = -1;
    bool shown = false;
    s.RunUntil([&] {
      if (!t.Hidden()) {
        shown = true;
        EXPECT_GE(int(t.alpha), last) << raised << " fades out at " << s.level->gameTime;
        last = t.alpha;
      }
      return o.Has(F::kPassable);
    });
    EXPECT_TRUE(shown) << raised;
    EXPECT_TRUE(o.Hidden()) << site;
    for (int i = 0; i < 1000; ++i) {
      s.game->Frame(10);
      if (t.fadeDir != 0) continue;
      ASSERT_FALSE(t.Hidden()) << raised;
      ASSERT_EQ(int(t.alpha), 255) << raised << " at " << s.level->gameTime;
    }
    EXPECT_EQ(t.fadeDir, 0);
  }
  // The beacon's fire lifted the fog.
  VillageSim s;
  s.Work(3);
  EXPECT_TRUE(s.Get(42).Hidden());
}

// A building that is an objective is ticked on the objective line the moment it stands, though
// no resource arrives to refresh the line.
TEST(BuildingSiteTest, ABuiltObjectiveIsTickedAtOnce) {
  std::string text = VillageLevel(70, 74);
  text.replace(text.find(R"(flags="i" pos="150,40")"), 9, R"(flags="io")");
  Sim s(Anims(), "", "", kDescriptors);
  s.Begin(text);
  WorldObject& farm = s.Get(31);
  ASSERT_TRUE(farm.Has(F::kObjective));
  s.Click(2);
  s.RunUntil([&] { return !farm.Has(F::kObjective); }, 10000);
  EXPECT_EQ(s.level->openObjectives, 0);
  EXPECT_EQ(s.screen.objectiveRefreshes, 1);
}

// A farm built on its site tends its field as one standing from the start does: the field
// wakes, grows back and feeds the workers.
TEST(BuildingSiteTest, ABuiltFarmsFieldGrowsBackAndYields) {
  VillageSim s;
  WorldObject& field = s.Get(50);
  EXPECT_TRUE(field.Has(F::kDormant));
  s.Run(1000);
  EXPECT_TRUE(field.Hidden());  // nothing grows without the farm
  s.Work(2);
  EXPECT_FALSE(field.Has(F::kDormant));
  EXPECT_EQ(field.respawnMin, 4);
  s.RunUntil([&] { return !field.Has(F::kPassable) && field.alpha == 255; }, 1000);
  EXPECT_FALSE(field.Hidden());
  EXPECT_FALSE(field.Has(F::kPassable));
  EXPECT_EQ(field.alpha, 255);
  s.Work(6);
  EXPECT_EQ(s.level->resources[0], 3);
}

// Each obelisk raises its speed and marks its bit.
TEST(ObeliskTest, EachObeliskRaisesItsSpeedAndSetsItsBit) {
  VillageSim s(71, 72);
  const float run = s.level->runSpeed;
  s.Work(2);
  EXPECT_EQ(s.level->obelisks, 1);
  EXPECT_EQ(s.level->runSpeed, run + 5);
  s.Work(4);
  EXPECT_EQ(s.level->obelisks, 3);
  EXPECT_EQ(s.level->respSpeed, 150);

  VillageSim toil(73, 70);
  toil.Work(2);
  EXPECT_EQ(toil.level->obelisks, 4);
  EXPECT_FLOAT_EQ(toil.level->buildSpeed, 1.25f);
  // The work on the next site takes 2 s ÷ 1.25.
  toil.Click(4);
  toil.RunUntil([&] { return toil.game->timers.Remaining(32) > 0; }, 1000);
  const int start = toil.level->gameTime;
  toil.RunUntil([&] { return toil.Get(32).Has(F::kPassable); }, 1000);
  EXPECT_NEAR(toil.level->gameTime - start, 1600, 20);
}

// With the watchtower standing no thief comes; without it one does.
TEST(GuardTest, TheWatchtowerStopsTheNextThief) {
  VillageSim open(70, 74, R"(thief_per="20000")");
  open.RunUntil([&] { return open.Thieves() > 0; }, 3000);
  EXPECT_EQ(open.Thieves(), 1);
  EXPECT_EQ(open.level->gameTime, 20000);

  VillageSim guarded(70, 74, R"(thief_per="20000")");
  guarded.Work(4);
  EXPECT_EQ(guarded.level->flags & Hazards::kNoThieves, Hazards::kNoThieves);
  guarded.Run(6000);
  EXPECT_EQ(guarded.Thieves(), 0);
}

// With the scarecrow standing no flying creature comes; without it one does.
TEST(GuardTest, TheScarecrowStopsTheNextFlyer) {
  VillageSim open(70, 75, R"(fly_time="10")");
  open.screen.difficulty = LevelTimer::kExpert;
  open.RunUntil([&] { return open.level->flyer != nullptr; }, 2000);
  EXPECT_NE(open.level->flyer, nullptr);

  VillageSim guarded(70, 75, R"(fly_time="10")");
  guarded.screen.difficulty = LevelTimer::kExpert;
  guarded.Work(4);
  EXPECT_LT(guarded.level->gameTime, 10000);
  EXPECT_EQ(guarded.level->flags & Hazards::kNoFlyers, Hazards::kNoFlyers);
  guarded.Run(6000);
  EXPECT_EQ(guarded.level->flyer, nullptr);
}

// Trophy 0: a hundred resources gained while the obelisk of growth stands (not before it).
TEST(ObeliskTrophyTest, AHundredResourcesUnderTheObeliskOfGrowth) {
  VillageSim s(72, 70);
  s.Work(5);
  EXPECT_EQ(s.level->resDemeter, 0);
  s.Work(2);
  s.Work(5);
  EXPECT_EQ(s.level->resDemeter, 50);
  EXPECT_TRUE(s.screen.Saw("trophy_progress 0 50"));
  EXPECT_TRUE(s.screen.achievements.empty());
  s.Work(5);
  EXPECT_EQ(s.screen.achievements, std::vector<int>{0});
}

// Trophy 6: the obelisk of speed completed while the speed bonus is offered, or the speed
// bonus started while that obelisk stands.
TEST(ObeliskTrophyTest, SpeedObeliskWithTheSpeedBonus) {
  VillageSim offered(71, 70);
  offered.game->speedBonusOnPanel = true;
  offered.Work(2);
  EXPECT_EQ(offered.screen.achievements, std::vector<int>{6});

  VillageSim used(71, 70);
  used.game->BonusStart(0, false);
  used.game->BonusEnd(0);
  used.Work(2);
  EXPECT_TRUE(used.screen.achievements.empty());
  used.game->BonusStart(0, false);
  EXPECT_EQ(used.screen.achievements, std::vector<int>{6});
}

// The bot plays each level of episode 1 to its result. Whatever was hidden when the level
// began and stands at the end (buildings raised, beacons lit) is drawn fully.
TEST(BuildingSiteTest, WhatTheBotRaisesInEpisodeOneIsDrawnFully) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  GameContent content;
  std::string error;
  ASSERT_TRUE(
      content.Load(std::string(source ? source : ".") + "/content-src/game", "en", false, error))
      << error;
  const GameSettings settings = GameSettings::LoadGameSettings(content.fs);
  int raisedAll = 0;
  for (int n = 1; n <= 10; ++n) {
    Level level(content.descriptors, &content.media);
    ASSERT_TRUE(level.LoadLevelFile(content.fs, 1, n)) << n;
    SeedRandom(1);
    HeadlessLevelScreen screen;
    screen.StartTimer(level.timeNorm);
    GameController game(level, settings, screen, nullptr);
    game.Begin();
    std::set<int> hidden;
    for (const auto& o : level.objects) {
      if (o->Hidden() && o->cls != WorldObject::kWaypoint) hidden.insert(o->id);
    }
    LevelBot bot(game);
    for (int tick = 0; tick < 200000 && !screen.resultShown; ++tick) {
      if (const std::optional<Vec2> click = bot.Decide(10)) {
        LevelBot::ClickAt(game, *click);
        bot.AfterClick();
      }
      game.Frame(10);
    }
    ASSERT_TRUE(screen.result && screen.result->won) << "level " << n;
    int raised = 0;
    for (const auto& o : level.objects) {
      if (!hidden.count(o->id) || o->Hidden() || o->cls == WorldObject::kFlyer) continue;
      if (o->Has(F::kRespawning) || o->Has(F::kReachableOrdinary) || o->fadeDir != 0) continue;
      ++raised;
      EXPECT_EQ(int(o->alpha), 255)
          << "level " << n << ": object " << o->id << " (" << o->texture << ") stands invisible";
    }
    raisedAll += raised;
  }
  EXPECT_GE(raisedAll, 8);
}

}  // namespace
