#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <random>

#include "LevelTestSupport.h"
#include "data/XmlDocument.h"
#include "level/Level.h"
#include "level/LevelDiff.h"

using namespace leveltest;

namespace {

// A saved level that uses every attribute the format has.
const char kRichLevel[] = R"(<?xml version="1.0" encoding="utf-8"?>
<level episode="2" level="7" mode="1" music="4" fog_color="7f3A2b" fog_height="60" effect="2"
  time_easy="400" time_norm="300" time_hard="200" run_speed="18" storage="35" thief_per="45000"
  resp_speed="150" fly_type="1" fly_time="40" resources="12,8,3" quest_res="50,40,10"
  flags="3" collected="20,15,2" bonus_speed="120" bonus_used="2" obelisks="5" res_demeter="7"
  birds_hunted="3" res_thieved="1" puzzle_collect="1" bonus_cost="10,20,30,40,50,60" state="2"
  game_time="123456" fly_cur="2500" level_time="98000" bonus_time="4500"
  quest_res_collect="4,5,6" quest_objects="3,1" dialog="12,2,4,0,5,-16,3" workers_free="2"
  worker_types="7" build_speed="115" commands="10,11">
  <object id="1" tex="meadow" class="0" subclass="0" flags="bi" pos="0,0" size="640.00,384.00"/>
  <object id="2" tex="oak_big" class="1" subclass="3" flags="aegsE" pos="-120,45"
    size="48.50,64.25" rot="12.50" respawn="30,45" animtime="10,20,7" ani_ref="3"
    sprite="4,2,80,0,8,1" sprite_state="3,40,1" alpha_state="-1,600" start_time="9000"
    resp_time="2500" obj_link="10"/>
  <object id="3" tex="river" class="0" subclass="0" flags="x" pos="0,-300" size="640.00,40.00"
    tex_speed="15,-3"/>
  <object id="4" tex="bridge" class="1" subclass="4" flags="Am" pos="200,10" size="60.00,20.00"
    tex_speed="120,0" dialog="3,1,2,1,6,4,5" obj_link="11"/>
  <object id="5" class="4" subclass="3" pos="100,100" size="16.00,16.00"/>
  <object id="6" tex="fog_band" class="5" subclass="2" pos="300,200" size="100.00,50.00"/>
  <object id="7" tex="piece" class="6" subclass="0" flags="k" pos="-400,-200" size="20.00,20.00"/>
  <object id="8" tex="statue" class="7" subclass="1" flags="C" pos="500,300" size="40.00,80.00"/>
  <object id="10" class="3" subclass="1" pos="-100,40" size="10.00,10.00" links="11,0,12"/>
  <object id="11" class="3" subclass="0" pos="180,10" size="10.00,10.00" links="12" obj_link="4"/>
  <object id="12" class="3" subclass="13" flags="j" pos="600,0" size="10.00,10.00"/>
  <object id="13" tex="bat" class="10" subclass="0" flags="t" pos="50,250" size="32.00,24.00"
    sprite="4,1,70,0,4,0" sprite_state="2,12,1"/>
  <worker id="1" tex="worker_walk" class="9" subclass="0" flags="pt" pos="-90,40"
    size="32.00,40.00" sprite="8,8,60,16,24,16" sprite_state="18,30,0"
    work_angle="2" work_anim="1" dest_wp="0" reverse="1" work_dest="180.00,10.00"
    work_path="0,1" obj_link="2"/>
  <worker id="2" tex="lumberjack" class="9" subclass="2" flags="i" pos="0,0" size="32.00,40.00"
    work_angle="-1" work_anim="0" work_dest="0.00,0.00"/>
  <obstacle id="2" cur="1500" max="3000"/>
  <bonus id="3" cur="2000" max="10000"/>
  <trophy id="5"/>
  <objective id="7"/><objective id="2"/>
</level>
)";

class LevelRoundTripTest : public ::testing::Test {
 protected:
  LevelRoundTripTest() {
    content.Set("objects_params.xml", R"(<DescTable>
        <Object id="3" time="30"/><Object id="4"/><Object id="1" class="2"/>
      </DescTable>)");
    content.Set("anim_params.xml",
                R"(<DescTable><Flying name="bat"/><Flying name="owl"/></DescTable>)");
    EXPECT_TRUE(content.Load(descriptors, textures));
  }

  std::unique_ptr<Level> NewLevel() {
    auto level = std::make_unique<Level>(descriptors, &textures, &services);
    level->episode = 1;
    level->levelNumber = 1;
    return level;
  }

  ContentFolder content;
  FakeTextures textures;
  FakeLevelServices services;
  GameDescriptors descriptors;
};

TEST_F(LevelRoundTripTest, RichLevelReadsBackEqual) {
  auto first = NewLevel();
  ASSERT_TRUE(first->ReadLevel(kRichLevel)) << first->readError;
  EXPECT_EQ(first->episode, 2);
  EXPECT_EQ(first->objects.size(), 12u);
  EXPECT_EQ(first->workers.size(), 2u);
  EXPECT_EQ(first->flyType, 1);
  EXPECT_EQ(first->commandQueue, (std::vector<int>{10, 11}));
  EXPECT_EQ(first->dialog, (SpeechLine{12, 2, 4, 0, 5, -16, 3}));
  EXPECT_EQ(first->questObjectsNeeded, 3);
  ASSERT_TRUE(first->objects[3]->dialog);
  EXPECT_EQ(first->objects[3]->dialog->notify, 6);

  const std::string written = first->WriteLevel();
  auto second = NewLevel();
  ASSERT_TRUE(second->ReadLevel(written)) << second->readError;
  EXPECT_EQ(LevelDiff::Compare(*first, *second), std::vector<std::string>{});
  EXPECT_EQ(second->WriteLevel(), written);
}

TEST_F(LevelRoundTripTest, DiffNoticesEveryKindOfLoss) {
  auto a = NewLevel();
  auto b = NewLevel();
  ASSERT_TRUE(a->ReadLevel(kRichLevel));
  ASSERT_TRUE(b->ReadLevel(kRichLevel));
  ASSERT_TRUE(LevelDiff::Compare(*a, *b).empty());
  b->objects[1]->position.x += 0.5f;
  b->workers[0]->worker->path.pop_back();
  b->objects[8]->links = {11, 0, 0};
  b->savedTimers.pop_back();
  b->fogColor = 1;
  const auto lines = LevelDiff::Compare(*a, *b);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NE(lines[0].find("fog_color"), std::string::npos);
  EXPECT_NE(lines[1].find("bonus timers"), std::string::npos);
  EXPECT_NE(lines[2].find("object 1 (id 2) pos"), std::string::npos);
  EXPECT_NE(lines[3].find("links: 11,12 / 11"), std::string::npos);
  EXPECT_NE(lines[4].find("work_path"), std::string::npos);
  b->objects.pop_back();
  EXPECT_EQ(LevelDiff::Compare(*a, *b, 3).size(), 3u);
  // A fog colour without a fog band is not carried, so it is no difference.
  a->fogHeight = b->fogHeight = 0;
  a->fogColor = 5;
  b->fogColor = 6;
  for (const auto& line : LevelDiff::Compare(*a, *b, 100)) {
    EXPECT_EQ(line.find("fog_color"), std::string::npos);
  }
}

// Writes a random level with values the format keeps exactly.
std::string GenerateLevel(std::mt19937& rng) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const auto real = [&](int lo, int hi) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", pick(lo * 100, hi * 100) / 100.0);
    return std::string(text);
  };
  const auto ints = [&](int n, int lo, int hi) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? "," : "") + std::to_string(pick(lo, hi));
    return s;
  };
  const int mode = pick(0, 3);
  std::string text = "<level episode=\"" + std::to_string(pick(1, 5)) + "\" level=\"" +
                     std::to_string(pick(1, 11)) + "\" mode=\"" + std::to_string(mode) +
                     "\" state=\"" + std::to_string(pick(0, 1) * 2) + "\" music=\"" +
                     ints(1, 0, 9) + "\" fog_height=\"" + ints(1, 0, 2) + "\" fog_color=\"" +
                     ints(1, 0, 999999) + "\" fly_time=\"" + ints(1, 0, 2) + "\" fly_type=\"" +
                     ints(1, 0, 3) + "\" resources=\"" + ints(3, 0, 50) + "\" bonus_cost=\"" +
                     ints(6, 0, 90) + "\" build_speed=\"" + ints(1, 50, 300) + "\" res_thieved=\"" +
                     ints(1, 0, 1) + "\" level_time=\"" + ints(1, 0, 99999) + "\" dialog=\"" +
                     ints(7, -2, 20) + "\" quest_objects=\"" + ints(2, 0, 3) + "\">\n";
  const int count = pick(0, 40);
  std::vector<int> waypointIds;
  for (int i = 0; i < count; ++i) {
    const int id = pick(1, 60);
    const int cls = pick(0, 11);
    std::string flags;
    for (int b = 0; b < 4; ++b) flags += char(pick(0, 1) ? 'a' + pick(0, 25) : 'A' + pick(0, 5));
    const bool worker = cls == 9 || pick(0, 9) == 0;
    std::string o =
        std::string(worker ? "<worker" : "<object") + " id=\"" + std::to_string(id) + "\" tex=\"t" +
        std::to_string(pick(0, 9)) + "\" class=\"" + std::to_string(cls) + "\" subclass=\"" +
        ints(1, 0, 15) + "\" flags=\"" + flags + "\" pos=\"" + ints(2, -700, 700) + "\" size=\"" +
        real(-50, 90) + "," + real(0, 90) + "\" rot=\"" + real(-180, 180) + "\" tex_speed=\"" +
        ints(2, -50, 50) + "\" respawn=\"" + ints(2, 0, 60) + "\" animtime=\"" + ints(3, -1, 50) +
        "\" ani_ref=\"" + ints(1, 0, 4) + "\" obj_link=\"" + ints(1, 0, 60) + "\" alpha_state=\"" +
        ints(1, -1, 1) + "," + ints(1, 0, 1275) + "\" start_time=\"" + ints(1, -500, 9000) +
        "\" resp_time=\"" + ints(1, -1, 9000) + "\"";
    if (pick(0, 1)) {
      o += " sprite=\"" + ints(2, 1, 8) + "," + ints(1, 0, 100) + "," + ints(3, 0, 40) +
           "\" sprite_state=\"" + ints(2, 0, 40) + "," + ints(1, 0, 1) + "\"";
    }
    if (pick(0, 2) == 0) o += " dialog=\"" + ints(7, -5, 40) + "\"";
    if (cls == 3) {
      o += " links=\"" +
           std::to_string(waypointIds.empty()
                              ? 0
                              : waypointIds[size_t(pick(0, int(waypointIds.size()) - 1))]) +
           "," + ints(2, 0, 60) + "\"";
      if (!worker) waypointIds.push_back(id);
    }
    if (worker) {
      o += " work_angle=\"" + ints(1, -1, 7) + "\" work_anim=\"" + ints(1, 0, 9) + "\" reverse=\"" +
           ints(1, 0, 1) + "\" work_dest=\"" + real(-600, 600) + "," + real(-380, 380) +
           "\" work_path=\"" + ints(pick(0, 3), 0, 3) + "\" dest_wp=\"" + ints(1, 0, 2) + "\"";
    }
    text += o + "/>\n";
  }
  text += "<obstacle id=\"" + ints(1, 1, 60) + "\" cur=\"" + ints(1, 0, 99) + "\" max=\"" +
          ints(1, 100, 999) + "\"/>\n<trophy id=\"" + ints(1, 0, 21) + "\"/>\n</level>\n";
  return text;
}

TEST_F(LevelRoundTripTest, GeneratedLevelsReadBackEqual) {
  std::mt19937 rng(20240611);
  textures.masks.insert("t3_mask");
  for (int round = 0; round < 300; ++round) {
    const std::string text = GenerateLevel(rng);
    auto first = NewLevel();
    ASSERT_TRUE(first->ReadLevel(text)) << first->readError << "\n" << text;
    const std::string written = first->WriteLevel();
    auto second = NewLevel();
    if (!second->ReadLevel(written)) {
      // Only a mini-game or map level may carry a position outside the campaign.
      ADD_FAILURE() << second->readError << "\n" << written;
      continue;
    }
    const auto lines = LevelDiff::Compare(*first, *second);
    EXPECT_TRUE(lines.empty()) << "round " << round << ": " << lines.front() << "\n" << text;
    EXPECT_EQ(second->WriteLevel(), written) << "round " << round;
  }
}

// Damages a document in one of several ways.
std::string Mutate(std::string text, std::mt19937& rng) {
  static const char* kTokens[] = {"-1",          "0",
                                  "99999999999", "nan",
                                  "inf",         "1e30",
                                  ",",           ",,,",
                                  "\"",          "<",
                                  ">",           "&amp;",
                                  "&#0;",        "&#9;",
                                  "-2147483648", "<object class=\"9\"/>",
                                  "<level>",     "</level>",
                                  "=\"",         " work_path=\"",
                                  " links=\"",   " sprite=\"9,9,-1,",
                                  "\xC3\xA9"};
  const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const int edits = 1 + int(pick(4));
  for (int e = 0; e < edits && !text.empty(); ++e) {
    const size_t at = pick(text.size());
    switch (pick(5)) {
      case 0:
        text[at] = char(pick(256));
        break;
      case 1:
        text.erase(at, pick(16));
        break;
      case 2:
        text.insert(at, text.substr(pick(text.size()), pick(64)));
        break;
      case 3:
        text.insert(at, kTokens[pick(std::size(kTokens))]);
        break;
      default: {
        // Replace one digit run with another number.
        size_t end = at;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        text.replace(at, end - at, std::to_string(int(pick(100000)) - 50000));
      }
    }
  }
  return text;
}

TEST_F(LevelRoundTripTest, MutatedLevelsNeverBreakTheReader) {
  std::mt19937 rng(77);
  textures.masks.insert("meadow_mask");
  int accepted = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::string text = Mutate(round % 2 ? kRichLevel : GenerateLevel(rng), rng);
    auto first = NewLevel();
    if (!first->ReadLevel(text)) continue;
    ++accepted;
    // Whatever was accepted is a world the format can carry: after one write it is stable.
    const std::string written = first->WriteLevel();
    auto second = NewLevel();
    second->episode = first->episode;
    second->levelNumber = first->levelNumber;
    ASSERT_TRUE(second->ReadLevel(written)) << second->readError << "\n" << text;
    EXPECT_EQ(second->WriteLevel(), written) << text;
  }
  EXPECT_GT(accepted, 1000);
}

TEST_F(LevelRoundTripTest, HugeAndDeepInputsAreRefusedOrBounded) {
  auto level = NewLevel();
  // Object count.
  std::string many = "<level>";
  for (size_t i = 0; i <= Level::kMaxObjects; ++i) many += "<object/>";
  EXPECT_FALSE(level->ReadLevel(many + "</level>"));
  EXPECT_EQ(level->readError, "too many objects");
  many.resize(many.size() - 9);
  ASSERT_TRUE(level->ReadLevel(many + "</level>"));
  EXPECT_EQ(level->objects.size(), Level::kMaxObjects);
  // Nesting and size.
  std::string deep = "<level>";
  for (int i = 0; i < 2000; ++i) deep += "<object>";
  EXPECT_FALSE(level->ReadLevel(deep));
  EXPECT_FALSE(level->ReadLevel("<level>" + std::string(XmlDocument::kMaxSize, ' ') + "</level>"));
  // Lists longer than the format allows.
  std::string ids;
  for (int i = 1; i <= 5000; ++i) ids += std::to_string(i) + ",";
  ASSERT_TRUE(level->ReadLevel("<level commands=\"" + ids +
                               "\"><object id=\"1\" class=\"3\" links=\"" + ids +
                               "\"/><object id=\"2\" class=\"3\"/><object id=\"3\" class=\"3\"/>" +
                               "<worker work_path=\"" + ids + ids + ids + "\"/></level>"));
  EXPECT_EQ(level->objects[0]->links, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(level->commandQueue, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(level->workers[0]->worker->path.empty());  // longer than the waypoint list
  // Absurd numbers.
  ASSERT_TRUE(level->ReadLevel(R"(<level><object id="70000" class="65545" subclass="-1"
      pos="1e30,nan" size="-32,-16.5" rot="-inf" respawn="2000000000,-2000000000"
      animtime="2147483647,5,-2147483648" alpha_state="99,99999"
      sprite="1000000000,1000000000,-5,2000000000,2000000000,-3" sprite_state="-7,-1,9"/>
      </level>)"));
  ASSERT_EQ(level->workers.size(), 1u);  // class 65545 is class 9 in sixteen bits
  const WorldObject& o = *level->workers[0];
  EXPECT_EQ(o.id, 70000 % 65536);
  EXPECT_EQ(o.subclass, 65535);
  EXPECT_EQ(o.position, (Vec2{1000000, 0}));
  EXPECT_EQ(o.size, (Vec2{-32, -16.5f}));  // negative sizes mirror and are kept
  EXPECT_EQ(o.rotation, 0.0f);
  EXPECT_EQ(o.respawnMin, 1000000);
  EXPECT_EQ(o.respawnMax, -1000000);
  EXPECT_EQ(o.animPause, (std::array<int, 3>{100000000, 5, -100000000}));
  EXPECT_EQ(o.fadeDir, 2);
  EXPECT_EQ(o.fadeValue, 1275.0f);
  ASSERT_TRUE(o.sprite);
  EXPECT_EQ(o.sprite->columns, 1024);
  EXPECT_EQ(o.sprite->Frames(), 65536);
  EXPECT_EQ(o.sprite->startFrame, 0);
  EXPECT_EQ(o.sprite->current, 0);
  EXPECT_EQ(o.sprite->step, 0);
  auto back = NewLevel();
  ASSERT_TRUE(back->ReadLevel(level->WriteLevel()));
  EXPECT_TRUE(LevelDiff::Compare(*level, *back).empty());
}

}  // namespace
