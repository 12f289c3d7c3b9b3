#pragma once
// Small mini-game levels run through the real controller: a hero of worker type 1 with its
// sheets, the definitions of "mini_games", a headless level screen and recorded sounds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "WorldTestSupport.h"
#include "level/GameController.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"

namespace leveltest {

// Hero type 1: walking (0), standing (1, 5) and a strike of 4 frames of 100 ms (6); all with
// a row per direction. "bandit" attacks with the 3-frame sheet "bandit_a". Obstacle 50 is
// fetched by the hero in 0.5 s.
inline const char* kMiniAnims = R"(<DescTable>
  <Worker wp="1" id="0" name="hero_walk" l="4" x="4" y="8" t="100" w="40" h="60"/>
  <Worker wp="1" id="1" name="hero_stand" l="1" x="1" y="8" t="100" w="40" h="60"/>
  <Worker wp="1" id="5" name="hero_ready" l="1" x="1" y="8" t="100" w="40" h="60"/>
  <Worker wp="1" id="6" name="hero_strike" l="4" x="4" y="8" t="100" w="40" h="60"/>
  <Anim name="bandit" l="2" x="2" y="1" t="100"/>
  <Anim name="bandit_a" l="3" x="3" y="1" t="100"/>
</DescTable>)";

inline const char* kMiniObjects = R"(<DescTable>
  <Object id="50" class="0" time="5" work="1"/>
  <Object id="51" class="0" time="5" work="1"/>
</DescTable>)";

// The waypoint the hero stands at (subclass 2: base list 1, the hero's).
inline const char* kHeroBase =
    R"(<object id="1" tex="wp" class="3" subclass="2" pos="0,-200" size="10,10"/>)";

class MiniSim {
 public:
  explicit MiniSim(const std::string& games, const std::string& objects = kMiniObjects,
                   const std::string& soundsTable = "") {
    content_.Set("objects_params.xml", objects);
    if (!soundsTable.empty()) content_.Set("sounds_table.xml", soundsTable);
    content_.Set("anim_params.xml", kMiniAnims);
    content_.Set("mini_games.xml", games);
    EXPECT_TRUE(content_.Load(descriptors, textures));
    level = std::make_unique<Level>(descriptors, &textures, &services);
    game = std::make_unique<GameController>(*level, settings, screen, &sounds);
  }

  // Reads the level as level 1 of episode 9 (the test definitions' position) and begins it.
  void Begin(const std::string& body, int episode = 9, int number = 1) {
    level->episode = episode;
    level->levelNumber = number;
    ASSERT_TRUE(level->ReadLevel("<level mode=\"3\">" + body + "</level>")) << level->readError;
    screen.StartTimer(level->timeNorm);
    game->Begin();
  }
  WorldObject& Get(int id) {
    WorldObject* o = game->HoverTarget(id);
    if (!o) ADD_FAILURE() << "no object " << id;
    static WorldObject none;
    return o ? *o : none;
  }
  // Points at an object (its position) and clicks there, as the level screen does.
  void Click(int id) { ClickAt(Get(id).position); }
  void ClickAt(Vec2 at) {
    WorldObject* p = game->PickHovered(at);
    game->Hover(p);
    game->Click(p);
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) game->Frame(10);
  }
  template <class Done>
  int RunUntil(Done done, int limit = 100000) {
    int n = 0;
    while (!done() && n < limit) {
      game->Frame(10);
      ++n;
    }
    return n;
  }
  MiniGame& Mini() { return game->miniGame; }
  int Hits() const { return int(screen.Lines("hit").size()); }
  bool Lost() const { return game->end.lost; }
  bool Won() const { return level->state == LevelState::Won && !game->end.lost; }
  int Remaining() { return Mini().Front() ? Mini().Front()->remaining : -1; }

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

// A `MiniGames` file with one game for level 9:1 of the phases given.
inline std::string OneGame(const std::string& phases, const std::string& attrs = "") {
  return "<MiniGames><MiniGame episode=\"9\" level=\"1\" " + attrs + ">" + phases +
         "</MiniGame></MiniGames>";
}


// ---- The small levels of the tests, one per phase kind.

// Two spots: 10 first shows its target after 100 ms, 11 after 300 ms; later delays 200 ms.
inline std::string TargetLevel() {
  return std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" subclass="0" pos="-100,0" size="30,30" obj_link="20"
            respawn="2,0" tex_speed="1,0"/>
    <object id="20" tex="target" class="0" pos="-100,0" size="20,20" flags="i"/>
    <object id="11" tex="wp" class="3" subclass="0" pos="100,0" size="30,30" obj_link="21"
            respawn="2,0" tex_speed="3,0"/>
    <object id="21" tex="target" class="0" pos="100,0" size="20,20" flags="i"/>)";
}

inline std::string EnemyLevel(const std::string& spotAt = "300,-200", const std::string& links = "1,0,0") {
  return std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" subclass="1" pos=")" + spotAt + R"(" size="10,10" links=")" +
         links + R"(" obj_link="20" respawn="3,0" tex_speed="1,0"/>
    <object id="20" tex="wolf" class="0" pos="300,-200" size="20,20" flags="i"/>)";
}

inline std::string AttackerLevel() {
  return std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" subclass="13" pos="200,0" size="30,30" obj_link="20"
            respawn="3,1"/>
    <object id="20" tex="bandit" class="0" pos="200,0" size="20,20" flags="i"
            sprite="2,1,100,0,2,0"/>)";
}

inline std::string CuedLevel() {
  return std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" subclass="3" pos="-100,0" size="30,30" obj_link="20"/>
    <object id="20" tex="bell" class="0" pos="-100,0" size="20,20" respawn="1,0"
            sprite="2,1,100,0,2,0"/>
    <object id="11" tex="wp" class="3" subclass="3" pos="100,0" size="30,30" obj_link="21"/>
    <object id="21" tex="bell" class="0" pos="100,0" size="20,20" respawn="2,0"
            sprite="2,1,100,0,2,0"/>)";
}

inline std::string FetchLevel() {
  return std::string(kHeroBase) + R"(
    <object id="10" tex="wp" class="3" pos="-150,-200" size="30,30" links="1,0,0" obj_link="20"/>
    <object id="20" tex="log" class="1" subclass="50" pos="-150,-180" size="20,20" respawn="1,0"/>
    <object id="11" tex="wp" class="3" pos="150,-200" size="30,30" links="1,0,0" obj_link="21"/>
    <object id="21" tex="jar" class="1" subclass="51" pos="150,-180" size="20,20" respawn="2,0"/>)";
}

// Exit 10 (base list 12) -> nest 30 -> perch 31 -> eagle 32 -> lightning 33. Three ways out
// (11, 12, 13), each two waypoints long, to the eagles' target 40 (base list 3).
inline std::string EagleLevel() {
  return std::string(kHeroBase) + R"(
    <object id="40" tex="wp" class="3" subclass="4" pos="0,300" size="10,10"/>
    <object id="21" tex="wp" class="3" pos="-200,200" size="10,10" links="40,0,0"/>
    <object id="22" tex="wp" class="3" pos="0,200" size="10,10" links="40,0,0"/>
    <object id="23" tex="wp" class="3" pos="200,200" size="10,10" links="40,0,0"/>
    <object id="11" tex="wp" class="3" pos="-200,100" size="10,10" links="21,0,0"/>
    <object id="12" tex="wp" class="3" pos="0,100" size="10,10" links="22,0,0"/>
    <object id="13" tex="wp" class="3" pos="200,100" size="10,10" links="23,0,0"/>
    <object id="10" tex="wp" class="3" subclass="13" pos="0,0" size="10,10" links="11,12,13"
            obj_link="30"/>
    <object id="30" tex="nest" class="0" pos="0,0" size="20,20" obj_link="31"/>
    <object id="31" tex="perch" class="0" pos="0,0" size="20,20" obj_link="32" flags="i"/>
    <object id="32" tex="eagle" class="0" pos="0,0" size="30,20" obj_link="33" flags="i"/>
    <object id="33" tex="bolt" class="0" pos="0,0" size="10,40" flags="i"/>)";
}

// Tiles of W x H cells 50 units wide, ids 100 + cell, row by row from the top left; "pipe1"
// is a straight tile, "pipe_c" a corner. The piece is object 99, tile 0's link.
struct GridSpec {
  int w = 3, h = 3;
  std::vector<std::string> tex;  // per cell; straight when shorter
  std::vector<int> rot;          // per cell, degrees
};

inline std::string GridLevel(const GridSpec& g) {
  std::string body = kHeroBase;
  for (int i = 0; i < g.w * g.h; ++i) {
    const std::string tex = size_t(i) < g.tex.size() ? g.tex[size_t(i)] : "pipe1";
    const int rot = size_t(i) < g.rot.size() ? g.rot[size_t(i)] : 0;
    body += "<object id=\"" + std::to_string(100 + i) + "\" tex=\"" + tex +
            "\" class=\"8\" pos=\"" + std::to_string((i % g.w) * 50) + "," +
            std::to_string(-(i / g.w) * 50) + "\" size=\"25,25\" rot=\"" + std::to_string(rot) +
            "\"" + (i == 0 ? " obj_link=\"99\"" : "") + "/>";
  }
  body += R"(<object id="99" tex="ball" class="0" pos="0,0" size="8,8"/>)";
  return body;
}


}  // namespace leveltest
