// Mini-game levels played through the controller: reading the definitions, each phase kind
// on a small level, phase completion and the win or loss.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MiniGameTestSupport.h"

namespace leveltest {
namespace {

// ---------------------------------------------------------------- reading

TEST(MiniGameReadTest, DefaultsFirstMatchAndParams) {
  MiniSim sim(R"(<MiniGames>
    <MiniGame episode="9" level="2" health="3"><Phase type="1" length="9"/></MiniGame>
    <MiniGame episode="9" level="1">
      <Phase type="7" length="4" params="3, 2,x7,8,,9"/>
      <Phase type="1" length="2" angle="6"/>
    </MiniGame>
    <MiniGame episode="9" level="1" health="1"><Phase type="0" length="1"/></MiniGame>
  </MiniGames>)");
  sim.Begin(kHeroBase);
  const Level& l = *sim.level;
  EXPECT_EQ(l.miniGame.health, 10);  // the first match, whose health is absent
  EXPECT_EQ(l.heroType, 1);
  ASSERT_EQ(l.phases.size(), 2u);
  EXPECT_EQ(l.miniGame.phaseTotal, 6);
  EXPECT_EQ(l.phases[0].angle, 4);
  EXPECT_EQ(l.phases[1].angle, 6);
  EXPECT_EQ(l.phases[0].budget, 4);
  // atoi from the start and after every comma: a word or nothing gives 0.
  EXPECT_EQ(l.phases[0].params, (std::vector<int>{3, 2, 0, 8, 0, 9}));
  // The hero stands at its base facing the phase's direction; the workers' layer follows
  // the hero's base waypoint.
  const WorldObject* hero = sim.Mini().Hero();
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->position, (Vec2{0, -200}));
  EXPECT_EQ(hero->worker->direction, 4);
  EXPECT_EQ(hero->worker->animation, MiniGame::kStand);
  EXPECT_EQ(hero->size, (Vec2{20, 30}));
  EXPECT_EQ(l.workerLayer, 1);
}

TEST(MiniGameReadTest, NoMatchOrBadHeroIsWonAtOnce) {
  for (const char* games :
       {"<MiniGames><MiniGame episode=\"9\" level=\"5\"><Phase length=\"3\"/></MiniGame></MiniGames>",
        "<MiniGames><MiniGame episode=\"9\" level=\"1\" hero=\"13\"><Phase length=\"3\"/>"
        "</MiniGame></MiniGames>",
        "<MiniGames><MiniGame episode=\"9\" level=\"1\" hero=\"-1\"><Phase length=\"3\"/>"
        "</MiniGame></MiniGames>"}) {
    SCOPED_TRACE(games);
    MiniSim sim(games);
    sim.Begin(kHeroBase);
    EXPECT_TRUE(sim.level->phases.empty());
    sim.Run(1);
    EXPECT_TRUE(sim.Won());
  }
}

// ---------------------------------------------------------------- kind 1: targets


TEST(MiniGameTargetsTest, EscapesDoNotCountAndThreeHitsEndThePhase) {
  MiniSim sim(OneGame(R"(<Phase type="1" length="3" speed="3" sound="hit" effect="boom"/>
                         <Phase type="1" length="5"/>)"));
  sim.Begin(TargetLevel());
  WorldObject& t = sim.Get(20);
  // The first target comes up and escapes unclicked: no step.
  sim.RunUntil([&] { return !t.Hidden(); }, 1000);
  ASSERT_FALSE(t.Hidden());
  sim.RunUntil([&] { return t.Hidden(); }, 1000);
  ASSERT_TRUE(t.Hidden());
  EXPECT_EQ(sim.Remaining(), 3);
  EXPECT_FALSE(sim.screen.Saw("goal"));
  // Three hits on whatever is up.
  for (int hit = 0; hit < 3; ++hit) {
    // A target is up when it shows and its spot is not seeing it off.
    const auto up = [&](int spot) {
      return !sim.Get(spot + 10).Hidden() && !sim.Get(spot).Has(ObjectFlags::kPassable);
    };
    sim.RunUntil([&] { return up(10) || up(11); }, 2000);
    const int spot = up(10) ? 10 : 11;
    sim.Click(spot);
    EXPECT_EQ(sim.Get(spot).Has(ObjectFlags::kPassable), true);
  }
  EXPECT_EQ(sim.screen.Lines("goal").size(), 3u);
  EXPECT_EQ(sim.sounds.played.end() != std::find(sim.sounds.played.begin(),
                                                 sim.sounds.played.end(), "hit"),
            true);
  // The phase ends once every target is down; the next phase takes over.
  sim.RunUntil([&] { return sim.level->phases.size() == 1; }, 3000);
  ASSERT_EQ(sim.level->phases.size(), 1u);
  EXPECT_TRUE(sim.Get(20).Hidden());
  EXPECT_TRUE(sim.Get(21).Hidden());
  EXPECT_EQ(sim.Remaining(), 5);
  EXPECT_EQ(sim.Hits(), 0);
}

TEST(MiniGameTargetsTest, TheStrikeDelaysThePhaseEnd) {
  // Bit 2: a hit target vanishes at once, so only the strike holds the phase.
  MiniSim sim(OneGame(R"(<Phase type="1" length="1" speed="30" flags="4"/>)"));
  sim.Begin(TargetLevel());
  sim.RunUntil([&] { return !sim.Get(20).Hidden(); }, 1000);
  sim.Click(10);
  EXPECT_TRUE(sim.Get(20).Hidden());
  EXPECT_EQ(sim.Mini().Hero()->worker->animation, MiniGame::kStrike);
  const int frames = sim.RunUntil([&] { return sim.level->phases.empty(); }, 1000);
  // Four frames of 100 ms: the phase ends when the strike reaches its last frame.
  EXPECT_GE(frames, 29);
  EXPECT_LE(frames, 32);
  EXPECT_EQ(sim.Mini().Hero() ? sim.Mini().Hero()->worker->animation : -1, MiniGame::kStand);
  EXPECT_TRUE(sim.Won());
}

// ---------------------------------------------------------------- kind 2: enemies


TEST(MiniGameEnemiesTest, OneClickedOneArriving) {
  MiniSim sim(OneGame(R"(<Phase type="2" length="2" speed="10"/>)"));
  sim.Begin(EnemyLevel());
  sim.RunUntil([&] { return sim.level->workers.size() == 2; }, 1000);
  ASSERT_EQ(sim.level->workers.size(), 2u);
  EXPECT_EQ(sim.Mini().Front()->budget, 0);
  const int first = sim.level->workers[0]->id;
  EXPECT_GT(sim.level->workers[0]->position.x, sim.level->workers[0]->worker->legTarget.x);
  // The one ahead, clicked on its leading side (the second walks 50 units behind it).
  sim.ClickAt(Vec2{sim.Get(first).position.x - 30, sim.Get(first).position.y});
  EXPECT_TRUE(sim.Get(first).Has(ObjectFlags::kPassable));
  EXPECT_EQ(sim.Remaining(), 1);
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 2000);
  EXPECT_EQ(sim.Hits(), 1);  // the second reached the hero
  EXPECT_TRUE(sim.level->workers.empty());
  EXPECT_TRUE(sim.Won());
  EXPECT_EQ(sim.screen.Lines("goal").size(), 2u);
}

TEST(MiniGameEnemiesTest, WithoutInputEachEnemyCostsAHitAndNearOnlyClicksNeedRange) {
  MiniSim sim(OneGame(R"(<Phase type="2" length="3" speed="20" flags="1" dist="50"/>)"));
  sim.Begin(EnemyLevel());
  sim.RunUntil([&] { return sim.level->workers.size() == 1; }, 1000);
  // Far from the hero a click only turns the hero.
  sim.Click(sim.level->workers[0]->id);
  EXPECT_FALSE(sim.level->workers[0]->Has(ObjectFlags::kPassable));
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 5000);
  EXPECT_EQ(sim.Hits(), 3);
  EXPECT_TRUE(sim.Won());
}

TEST(MiniGameEnemiesTest, AnEnemyBornOnTheHerosWaypointStaysFinite) {
  MiniSim sim(OneGame(R"(<Phase type="2" length="1" speed="10"/>)"));
  // The spot stands where the hero's waypoint is: the enemy's route ends where it starts,
  // with no direction to stop short by.
  sim.Begin(std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" subclass="1" pos="0,-200" size="10,10" links="1,0,0"
            obj_link="20" tex_speed="1,0"/>
    <object id="20" tex="wolf" class="0" pos="0,-200" size="20,20" flags="i"/>)");
  sim.RunUntil([&] { return !sim.level->workers.empty(); }, 1000);
  ASSERT_FALSE(sim.level->workers.empty());
  sim.Run(2);
  ASSERT_FALSE(sim.level->workers.empty());
  const WorldObject& e = *sim.level->workers[0];
  EXPECT_EQ(e.position, (Vec2{0, -200}));
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 1000);
  EXPECT_EQ(sim.Hits(), 1);
}

// ---------------------------------------------------------------- kind 0: attackers


TEST(MiniGameAttackersTest, WithoutInputTheAttacksLoseTheLevel) {
  MiniSim sim(OneGame(R"(<Phase type="0" length="2" sound2="growl"/>)", "health=\"3\""));
  sim.Begin(AttackerLevel());
  sim.RunUntil([&] { return sim.game->Ended(); }, 5000);
  EXPECT_TRUE(sim.Lost());
  EXPECT_EQ(sim.Hits(), 3);
  EXPECT_EQ(sim.Mini().HitsLeft(), 0);
  // Each attack shows the attack sheet, and the attacker stands plain again after it.
  EXPECT_EQ(std::count(sim.sounds.played.begin(), sim.sounds.played.end(), "growl"), 3);
  sim.RunUntil([&] { return sim.screen.result.has_value(); }, 1000);
  ASSERT_TRUE(sim.screen.result.has_value());
  EXPECT_FALSE(sim.screen.result->won);
}

TEST(MiniGameAttackersTest, ClickedAttackersLeaveOnceTheStepsAreDone) {
  MiniSim sim(OneGame(R"(<Phase type="0" length="2"/>)"));
  sim.Begin(AttackerLevel());
  sim.Run(2);
  ASSERT_FALSE(sim.Get(20).Hidden());
  sim.Click(10);
  EXPECT_FALSE(sim.Get(10).Has(ObjectFlags::kPassable));  // it stays for now
  sim.Run(50);  // the strike ends
  sim.Click(10);
  EXPECT_TRUE(sim.Get(10).Has(ObjectFlags::kPassable));
  EXPECT_EQ(sim.Get(20).fadeDir, -2);
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 2000);
  EXPECT_TRUE(sim.Get(20).Hidden());
  EXPECT_TRUE(sim.Won());
}

// ---------------------------------------------------------------- kind 6: cued objects


TEST(MiniGameCuedTest, CuesAlternateAndAWrongClickCostsAHitKeepingTheCue) {
  MiniSim sim(OneGame(R"(<Phase type="6" length="5" speed="2" sound2="wrong"/>)"));
  sim.Begin(CuedLevel());
  std::vector<int> cues;
  for (int i = 0; i < 4; ++i) {
    sim.RunUntil([&] { return sim.Mini().cue > 0; }, 2000);
    const int cue = sim.Mini().cue;
    cues.push_back(cue);
    const int right = cue == 1 ? 10 : 11;
    EXPECT_TRUE(sim.Get(right == 10 ? 20 : 21).Has(ObjectFlags::kReachableOrdinary));
    if (i == 2) {
      // The other object: a hit, and the same object stays cued.
      sim.Click(right == 10 ? 11 : 10);
      EXPECT_EQ(sim.Hits(), 1);
      EXPECT_EQ(sim.Mini().cue, cue);
      EXPECT_TRUE(sim.Get(right == 10 ? 20 : 21).Has(ObjectFlags::kReachableOrdinary));
    }
    sim.Click(right);
    EXPECT_LT(sim.Mini().cue, 0);
    EXPECT_FALSE(sim.Get(right == 10 ? 20 : 21).Has(ObjectFlags::kReachableOrdinary));
  }
  for (size_t i = 1; i < cues.size(); ++i) EXPECT_NE(cues[i], cues[i - 1]);
  EXPECT_EQ(sim.Remaining(), 1);
}

TEST(MiniGameCuedTest, OneOrNoCandidatesGiveCueOneWithoutHanging) {
  for (const char* speed : {"0", "1", "-5"}) {
    SCOPED_TRACE(speed);
    MiniSim sim(OneGame(std::string(R"(<Phase type="6" length="3" speed=")") + speed + "\"/>"));
    sim.Begin(CuedLevel());
    for (int i = 0; i < 3; ++i) {
      sim.RunUntil([&] { return sim.Mini().cue > 0; }, 2000);
      ASSERT_EQ(sim.Mini().cue, 1);
      sim.Click(10);
    }
    sim.RunUntil([&] { return sim.game->Ended(); }, 200);
    EXPECT_TRUE(sim.Won());
  }
}

// ---------------------------------------------------------------- kinds 3 and 5: fetching


TEST(MiniGameFetchTest, KindThreeTheHeroStaysWhereItWorked) {
  MiniSim sim(OneGame(R"(<Phase type="3" length="1"/>)"));
  sim.Begin(FetchLevel());
  sim.Run(1);
  sim.Click(10);
  EXPECT_TRUE(sim.Mini().HeroBusy());
  EXPECT_TRUE(sim.Get(20).Has(ObjectFlags::kInProcess));
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 2000);
  EXPECT_TRUE(sim.Won());
  const WorldObject* hero = sim.Mini().Hero();
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->position, (Vec2{-150, -200}));
  EXPECT_EQ(sim.level->bases[1].front(), sim.Get(10).waypoint);
  EXPECT_TRUE(sim.Get(20).Has(ObjectFlags::kPassable));
}

// The hero's work sounds as a worker's do: a looped sound runs while it works and stops when
// the work is done; a frame sound plays on its frame of the work.
TEST(MiniGameFetchTest, TheHeroPlaysTheWorkSoundsOfWhatItWorksOn) {
  const char* sounds = R"(<SoundsTable>
    <Sound id="1" name="work_saw" loop="1"/>
    <Sound id="2" name="work_chop" loop="2" frame="2"/>
  </SoundsTable>)";
  const char* looped = R"(<DescTable><Object id="50" class="0" time="5" work="1" snd="1"/>
                          <Object id="51" class="0" time="5" work="1"/></DescTable>)";
  MiniSim sim(OneGame(R"(<Phase type="3" length="1"/>)"), looped, sounds);
  sim.Begin(FetchLevel());
  sim.Run(1);
  sim.Click(10);
  sim.RunUntil([&] { return !sim.sounds.played.empty() &&
                            sim.sounds.played.back() == "work_saw"; }, 2000);
  ASSERT_EQ(sim.sounds.loops, 1) << "the saw loops while the hero works";
  EXPECT_TRUE(sim.sounds.stopped.empty());
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 2000);
  EXPECT_EQ(sim.sounds.stopped, std::vector<int>{1}) << "and stops with the work";

  // A frame sound is played when the hero's work animation shows that frame, and no more
  // once the work is done.
  const char* framed = R"(<DescTable><Object id="50" class="0" time="5" work="1" snd="2"/>
                          <Object id="51" class="0" time="5" work="1"/></DescTable>)";
  MiniSim second(OneGame(R"(<Phase type="3" length="1"/>)"), framed, sounds);
  second.Begin(FetchLevel());
  second.Run(1);
  second.Click(10);
  second.RunUntil([&] { return second.Mini().Hero() && second.Mini().Hero()->workSound != 0; },
                  2000);
  WorldObject* hero = second.Mini().Hero();
  ASSERT_NE(hero, nullptr);
  const auto chops = [&] {
    return std::count(second.sounds.played.begin(), second.sounds.played.end(), "work_chop");
  };
  second.game->work.OnWorkerFrame(*hero, 1);
  EXPECT_EQ(chops(), 0);
  second.game->work.OnWorkerFrame(*hero, 2);
  EXPECT_EQ(chops(), 1);
  second.RunUntil([&] { return second.level->phases.empty(); }, 2000);
  second.game->work.OnWorkerFrame(*hero, 2);
  EXPECT_EQ(chops(), 1);
}

TEST(MiniGameFetchTest, KindFiveJudgesEachFetchedObjectOnceAtHome) {
  MiniSim sim(OneGame(R"(<Phase type="5" length="3" speed="2" sound2="cue"/>)"));
  sim.Begin(FetchLevel());
  int judged = 0;
  for (int round = 0; round < 3; ++round) {
    sim.RunUntil([&] { return sim.Mini().cue > 0; }, 2000);
    const int cue = sim.Mini().cue;
    const int right = cue == 1 ? 10 : 11;
    const int pick = round == 1 ? (right == 10 ? 11 : 10) : right;  // the second round is wrong
    EXPECT_EQ(sim.screen.Lines("mg_hint").back(), cue == 1 ? "mg_hint log" : "mg_hint jar");
    sim.Click(pick);
    EXPECT_EQ(sim.screen.Lines("mg_hint").back(), "mg_hint hide");
    ASSERT_TRUE(sim.Mini().HeroBusy());
    // A second click while the hero is out does nothing.
    sim.Click(pick);
    sim.RunUntil([&] { return !sim.Mini().HeroBusy(); }, 3000);
    ++judged;
    EXPECT_EQ(int(sim.screen.Lines("goal").size()) + sim.Hits(), judged);
    EXPECT_FALSE(sim.Get(pick == 10 ? 20 : 21).Hidden());  // back in its place
    EXPECT_EQ(sim.Mini().Hero()->position, (Vec2{0, -200}));
  }
  EXPECT_EQ(sim.Hits(), 1);
  EXPECT_EQ(sim.Remaining(), 1);
}

// ---------------------------------------------------------------- kind 4: eagles


TEST(MiniGameEaglesTest, WithoutInputEachEagleCostsAHit) {
  MiniSim sim(OneGame(R"(<Phase type="4" length="2" speed="40"/>)"));
  sim.Begin(EagleLevel());
  EXPECT_TRUE(sim.Get(10).Has(ObjectFlags::kBusy));  // the first eagle left at once
  EXPECT_TRUE(sim.Get(30).Hidden());
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 5000);
  EXPECT_EQ(sim.Hits(), 2);
  EXPECT_TRUE(sim.Won());
  EXPECT_EQ(std::count(sim.sounds.played.begin(), sim.sounds.played.end(), "eagle_start"), 2);
  EXPECT_EQ(std::count(sim.sounds.played.begin(), sim.sounds.played.end(), "lightning_hit"), 2);
}

TEST(MiniGameEaglesTest, AnEagleClickedOnItsWayOutStrikesNobody) {
  MiniSim sim(OneGame(R"(<Phase type="4" length="1" speed="40"/>)"));
  sim.Begin(EagleLevel());
  WorldObject* eagle = nullptr;
  for (const auto& o : sim.level->objects) {
    if (o->cls == WorldObject::kWorker && o->subclass == MiniGame::kEnemy) eagle = o.get();
  }
  ASSERT_NE(eagle, nullptr);
  const int id = eagle->id;
  sim.RunUntil([&] { return sim.Get(id).Has(ObjectFlags::kAtWork); }, 1000);
  sim.Click(id);
  EXPECT_TRUE(sim.Get(id).Has(ObjectFlags::kPassable));
  sim.RunUntil([&] { return sim.level->phases.empty(); }, 3000);
  EXPECT_EQ(sim.Hits(), 0);
  EXPECT_TRUE(sim.Won());
  EXPECT_FALSE(sim.Get(30).Hidden());  // the nest is back
}

TEST(MiniGameEaglesTest, TheWorkBeforeTheEaglesPreparesThePerch) {
  MiniSim sim(OneGame(R"(<Phase type="3" length="1"/><Phase type="4" length="1" speed="40"/>)"));
  std::string body = EagleLevel();
  body += R"(<object id="14" tex="wp" class="3" pos="-150,-200" size="30,30" links="1,0,0"
                     obj_link="24"/>
             <object id="24" tex="log" class="1" subclass="50" pos="-150,-180" size="20,20"/>)";
  sim.Begin(body);
  sim.Click(14);
  sim.RunUntil([&] { return !sim.Get(31).Hidden(); }, 1000);
  EXPECT_TRUE(sim.Get(30).Hidden());
  EXPECT_FALSE(sim.Get(31).Hidden());
}

// ---------------------------------------------------------------- the level screen's part

TEST(MiniGameScreenTest, TheObjectiveFollowsTheFrontPhase) {
  MiniSim sim(OneGame(R"(<Phase type="1" length="1" speed="30" flags="4" message="mg_goal_a"/>
                         <Phase type="1" length="1" message="mg_goal_b"/>)"));
  sim.Begin(TargetLevel());
  EXPECT_EQ(sim.level->miniGame.goalText, "mg_goal_a");
  EXPECT_EQ(sim.level->miniGame.goalLeft, 1);
  sim.RunUntil([&] { return !sim.Get(20).Hidden(); }, 1000);
  const int before = sim.screen.objectiveRefreshes;
  sim.Click(10);
  EXPECT_GT(sim.screen.objectiveRefreshes, before);
  sim.RunUntil([&] { return sim.level->phases.size() == 1; }, 1000);
  EXPECT_EQ(sim.level->miniGame.goalText, "mg_goal_b");
}

}  // namespace
}  // namespace leveltest

namespace leveltest {
namespace {

// ---------------------------------------------------------------- bad input

TEST(MiniGameBadInputTest, NoHeroBaseBrokenEagleChainAndEmptyDelays) {
  {
    // Without a waypoint of the hero's base list there is no hero; a fetch does nothing, and
    // the level plays on.
    MiniSim sim(OneGame(R"(<Phase type="3" length="1"/>)"));
    std::string body = FetchLevel();
    body.replace(body.find(R"(subclass="2")"), 12, R"(subclass="7")");
    sim.Begin(body);
    EXPECT_EQ(sim.Mini().Hero(), nullptr);
    sim.Click(10);
    EXPECT_FALSE(sim.Mini().HeroBusy());
    sim.Run(100);
    EXPECT_FALSE(sim.game->Ended());
    EXPECT_EQ(sim.Remaining(), 1);
  }
  {
    // The eagle chain ends at the perch: no eagle is sent, the nest stays.
    MiniSim sim(OneGame(R"(<Phase type="4" length="1" speed="40"/>)"));
    std::string body = EagleLevel();
    body.replace(body.find(R"(obj_link="32")"), 13, "");
    sim.Begin(body);
    sim.Run(200);
    EXPECT_FALSE(sim.Get(10).Has(ObjectFlags::kBusy));
    EXPECT_FALSE(sim.Get(30).Hidden());
    EXPECT_EQ(sim.Hits(), 0);
  }
  {
    // Delay ranges of nothing: targets come up after the shortest delay, and still count.
    MiniSim sim(OneGame(R"(<Phase type="1" length="2" speed="5" flags="4"/>)"));
    std::string body = TargetLevel();
    for (const char* from : {R"(respawn="2,0" tex_speed="1,0")", R"(respawn="2,0" tex_speed="3,0")"}) {
      body.replace(body.find(from), std::string(from).size(), R"(respawn="0,0" tex_speed="0,0")");
    }
    sim.Begin(body);
    for (int i = 0; i < 2; ++i) {
      ASSERT_LT(sim.RunUntil([&] { return !sim.Get(20).Hidden(); }, 200), 200);
      sim.Click(10);
      sim.Run(50);
    }
    sim.RunUntil([&] { return sim.game->Ended(); }, 500);
    EXPECT_TRUE(sim.Won());
  }
}

}  // namespace
}  // namespace leveltest
