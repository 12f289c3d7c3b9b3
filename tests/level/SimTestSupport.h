#pragma once
// Small levels run through the real controller: descriptors with a worker type, a level read
// from a text, a headless level screen and recorded sounds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "LevelTestSupport.h"
#include "WorldTestSupport.h"
#include "level/GameController.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"

namespace leveltest {

// Obstacles: 18 yields 5 food, 19 yields 10 wood (both at once, no timer); 10 takes 2.5 s, 11 costs
// 5 food and 2 wood, 12 has no timer, 13 is worked by special type 2, 14 carries its result home,
// 15 respawns (its level gives the range), 16 releases an ordinary worker. Buildings: 40 a
// site-built house (+2 workers), 41 its upgrade
// (+3), 42 a warehouse. Worker 0 walks with 8 rows of 4 frames and poses with animation 2.
inline const char* kSimDescriptors = R"(<DescTable>
  <Object id="10" class="0" time="25"/>
  <Object id="11" class="0" time="25" cost="5,2,0"/>
  <Object id="12" class="0" time="0"/>
  <Object id="13" class="0" time="10" work="2"/>
  <Object id="14" class="0" time="10" ret="1" income="4,0,0"/>
  <Object id="15" class="0" time="10"/>
  <Object id="16" class="0" time="0" type="5" value="0"/>
  <Object id="17" class="0" time="5" work="12" type="5" value="42"/>
  <Object id="18" class="0" time="0" income="5,0,0"/>
  <Object id="19" class="0" time="0" income="0,10,0"/>
  <Object id="40" class="1" type="2" value="2" time="30" cost="0,3,0"/>
  <Object id="41" class="1" type="2" value="5"/>
  <Object id="42" class="1" type="1" value="10"/>
</DescTable>)";

inline const char* kSimAnims = R"(<DescTable>
  <Worker wp="0" id="0" name="worker_walk" l="4" x="4" y="8" t="100" w="40" h="60"/>
  <Worker wp="0" id="2" name="worker_pose" l="4" x="4" y="1" t="100"/>
  <Worker wp="0" id="3" name="worker_chop" l="4" x="4" y="1" t="100"/>
  <Worker wp="2" id="0" name="digger_walk" l="4" x="4" y="8" t="100"/>
</DescTable>)";

class Sim {
 public:
  // anims replaces the animation table (birds and flying creatures are added there).
  // names replaces the string table "objects_names" (object names and hint words) and
  // descriptors the object table.
  explicit Sim(const std::string& anims = kSimAnims, const std::string& bonuses = "",
               const std::string& names = "", const std::string& objects = kSimDescriptors) {
    content_.Set("objects_params.xml", objects);
    if (!names.empty()) content_.Set("objects_names.xml", names);
    content_.Set("anim_params.xml", anims);
    if (!bonuses.empty()) content_.Set("bonus_params.xml", bonuses);
    content_.Set("symbols.xml", R"(<SymbolTable><Symbol name="F"/><Symbol name="W"/>
                                   <Symbol name="G"/><Symbol name="worker"/></SymbolTable>)");
    EXPECT_TRUE(content_.Load(descriptors, textures));
    level = std::make_unique<Level>(descriptors, &textures, &services);
    game = std::make_unique<GameController>(*level, settings, screen, &sounds);
    game->strings = &content_.Strings();
  }

  // A level without goals is won at its first frame; unless `endless` is cleared, the level
  // gets a gold goal no run reaches, so that the rules of play can be watched at length.
  void Begin(const std::string& text) {
    ASSERT_TRUE(level->ReadLevel(text)) << level->readError;
    if (endless) level->questRes[2] = kEndlessGoal;
    screen.StartTimer(level->timeNorm);
    game->Begin();
  }
  static constexpr int kEndlessGoal = 1000000;
  bool endless = true;
  WorldObject& Get(int id) {
    WorldObject* o = level->FindObject(id);
    if (!o) ADD_FAILURE() << "no object " << id;
    static WorldObject none;
    return o ? *o : none;
  }
  WorldObject& Worker(int i) { return *level->workers.at(size_t(i)); }
  // Hovers and clicks the waypoint with that id.
  void Click(int id) {
    game->Hover(&Get(id));
    game->Click(&Get(id));
  }
  // Runs frames of 10 ms until done() or the limit; the number of frames run.
  template <class Done>
  int RunUntil(Done done, int limit = 100000) {
    int n = 0;
    while (!done() && n < limit) {
      game->Frame(10);
      ++n;
    }
    return n;
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) game->Frame(10);
  }

  FakeTextures textures;
  GameDescriptors descriptors;
  RecordedDialogs services;
  RecordedSounds sounds;
  GameSettings settings;
  HeadlessLevelScreen screen;
  std::unique_ptr<Level> level;
  std::unique_ptr<GameController> game;

 private:
  ContentFolder content_;
};

// A straight road: camp waypoint 1 at x = 0, waypoints 2..5 every 150 units to the right,
// obstacle 20 (descriptor `obstacle`) at waypoint 5.
inline std::string Road(int obstacle, const std::string& extra = "",
                        const std::string& settings = "", const std::string& attrs = "") {
  return "<level run_speed=\"15\" " + settings + R"(>
    <object id="1" tex="wp" class="3" subclass="1" pos="0,0" size="10,10"/>
    <object id="2" tex="wp" class="3" pos="150,0" size="10,10" links="1,0,0"/>
    <object id="3" tex="wp" class="3" pos="300,0" size="10,10" links="2,0,0"/>
    <object id="4" tex="wp" class="3" pos="450,0" size="10,10" links="3,0,0"/>
    <object id="5" tex="wp" class="3" pos="600,0" size="10,10" links="4,0,0" obj_link="20"/>
    <object id="20" tex="tree" class="1" subclass=")" +
         std::to_string(obstacle) + "\" " + attrs + R"( pos="600,10" size="20,20"/>
    )" + extra +
         "</level>";
}

}  // namespace leveltest
