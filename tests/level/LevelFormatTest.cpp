#include <gtest/gtest.h>

#include "LevelTestSupport.h"
#include "level/Level.h"
#include "level/LevelDiff.h"
#include "level/LevelWriter.h"
#include "level/ObjectFlags.h"

using namespace leveltest;

namespace {

class LevelFormatTest : public ::testing::Test {
 protected:
  LevelFormatTest() {
    content.Set("objects_params.xml", R"(<DescTable>
        <Object id="2" class="0" time="30"/><Object id="5" class="1"/><Object id="2" class="2"/>
      </DescTable>)");
    content.Set("anim_params.xml",
                R"(<DescTable><Flying name="bat"/><Flying name="owl"/></DescTable>)");
    content.Set("particles_info.xml",
                R"(<Particles><Particle id="3" effect="campfire" x="1" y="5"/></Particles>)");
    EXPECT_TRUE(content.Load(descriptors, textures));
    level = std::make_unique<Level>(descriptors, &textures, &services);
    // Saved levels of ordinary modes must name a campaign level to be read back.
    level->episode = 1;
    level->levelNumber = 1;
  }

  // Reads text into a second level and returns it.
  std::unique_ptr<Level> ReadBack(const std::string& text) {
    auto other = std::make_unique<Level>(descriptors, &textures, &services);
    other->episode = level->episode;
    other->levelNumber = level->levelNumber;
    EXPECT_TRUE(other->ReadLevel(text)) << other->readError << "\n" << text;
    return other;
  }

  ContentFolder content;
  FakeTextures textures;
  FakeLevelServices services;
  GameDescriptors descriptors;
  std::unique_ptr<Level> level;
};

TEST(ObjectFlagsTest, LettersBothWays) {
  EXPECT_EQ(ObjectFlags::Parse("io"), (1u << 8) | (1u << 14));
  EXPECT_EQ(ObjectFlags::Parse("oi"), ObjectFlags::Parse("io"));
  EXPECT_EQ(ObjectFlags::Parse("A"), 1u << 26);
  EXPECT_EQ(ObjectFlags::Parse("CDE"),
            ObjectFlags::kAdditive | ObjectFlags::kDormant | ObjectFlags::kThievable);
  EXPECT_EQ(ObjectFlags::Parse("aaa"), 1u);
  EXPECT_EQ(ObjectFlags::Parse(""), 0u);
  EXPECT_EQ(ObjectFlags::Format((1u << 14) | (1u << 8)), "io");
  EXPECT_EQ(ObjectFlags::Format(ObjectFlags::kSlide | ObjectFlags::kReachable), "aA");
  EXPECT_EQ(ObjectFlags::Format(0), "");
  EXPECT_EQ(ObjectFlags::Format(0xFFFFFFFFu), "abcdefghijklmnopqrstuvwxyzABCDEF");
  EXPECT_EQ(ObjectFlags::Parse(ObjectFlags::Format(0xFFFFFFFFu)), 0xFFFFFFFFu);
  for (uint32_t bit = 0; bit < 32; ++bit) {
    EXPECT_EQ(ObjectFlags::Parse(ObjectFlags::Format(1u << bit)), 1u << bit) << bit;
  }
  // Characters that are no flag letters still map into 0..31 (no negative shift): ' ' and
  // '!' count from 'A' - 26 and wrap, '0' gives 9, and the two bytes of "é" (0xC3, 0xA9)
  // count from 'a' modulo 32.
  const uint32_t stray = ObjectFlags::Parse(" !0\xC3\xA9");
  EXPECT_EQ(stray, (1u << 25) | (1u << 26) | (1u << 9) | (1u << 2) | (1u << 8));
}

TEST_F(LevelFormatTest, EmptyLevelTakesTheFileDefaults) {
  ASSERT_TRUE(level->ReadLevel("<level/>"));
  EXPECT_EQ(level->mode, LevelMode::Ordinary);
  EXPECT_EQ(level->timeEasy, 0);
  EXPECT_EQ(level->timeNorm, 0);
  EXPECT_FLOAT_EQ(level->runSpeed, 15.0f);
  EXPECT_FLOAT_EQ(level->buildSpeed, 1.0f);
  EXPECT_EQ(level->storage, 20);
  EXPECT_EQ(level->respSpeed, 100);
  EXPECT_EQ(level->bonusSpeed, 100);
  EXPECT_EQ(level->workerTypes, 1);
  EXPECT_EQ(level->state, LevelState::Fresh);
  EXPECT_EQ(level->nextId, 1);
  EXPECT_TRUE(level->objects.empty());
  EXPECT_FALSE(level->ReadLevel("<levels/>"));
  EXPECT_FALSE(level->ReadLevel("not a document"));
  EXPECT_FALSE(level->ReadLevel(""));
}

TEST_F(LevelFormatTest, ResetRestoresTheValuesBeforeReading) {
  Level fresh(descriptors);
  fresh.episode = 2;
  fresh.levelNumber = 3;
  EXPECT_EQ(fresh.timeEasy, 360);
  EXPECT_EQ(fresh.timeNorm, 240);
  EXPECT_EQ(fresh.timeHard, 120);
  EXPECT_FLOAT_EQ(fresh.runSpeed, 20.0f);
  ASSERT_TRUE(level->ReadLevel(R"(<level mode="1" storage="5" run_speed="30" state="2"
      episode="2" level="3" commands="7"><object id="7" class="3" flags="o"/>
      <worker class="9" id="1"/><trophy id="2"/><objective id="7"/>
      <bonus id="1" cur="5" max="9"/></level>)"));
  ASSERT_EQ(level->episode, 2);
  level->Reset();
  EXPECT_EQ(LevelDiff::Compare(*level, fresh), std::vector<std::string>{});
  EXPECT_EQ(level->episode, 2);
  EXPECT_EQ(level->levelNumber, 3);
  EXPECT_EQ(level->timeEasy, 360);
  EXPECT_FLOAT_EQ(level->runSpeed, 20.0f);
  EXPECT_EQ(level->openObjectives, 0);
  EXPECT_TRUE(level->waypoints.empty());
  EXPECT_TRUE(level->workers.empty());
  EXPECT_TRUE(level->commandQueue.empty());
  EXPECT_TRUE(level->bases[0].empty());
}

TEST_F(LevelFormatTest, SavedLevelsSetTheCampaignPositionAndFreshOnesDoNot) {
  level->episode = 1;
  level->levelNumber = 2;
  ASSERT_TRUE(level->ReadLevel(R"(<level episode="3" level="4" state="0"/>)"));
  EXPECT_EQ(level->episode, 1);
  EXPECT_EQ(level->levelNumber, 2);
  ASSERT_TRUE(level->ReadLevel(R"(<level episode="3" state="2"/>)"));  // level missing
  EXPECT_EQ(level->episode, 1);
  ASSERT_TRUE(level->ReadLevel(R"(<level episode="3" level="4" state="2"/>)"));
  EXPECT_EQ(level->episode, 3);
  EXPECT_EQ(level->levelNumber, 4);
  EXPECT_EQ(level->state, LevelState::Saved);
  // A saved game outside the campaign is not used.
  EXPECT_FALSE(level->ReadLevel(R"(<level episode="99" level="4" state="2"/>)"));
  EXPECT_FALSE(level->ReadLevel(R"(<level episode="2" level="12" state="2" mode="1"/>)"));
  EXPECT_FALSE(level->ReadLevel(R"(<level episode="-5" level="1" state="2"/>)"));
  EXPECT_EQ(level->episode, 3);
  // Levels that are never saved (the map, mini-games) keep the position they were given.
  ASSERT_TRUE(level->ReadLevel(R"(<level episode="0" level="0" state="2" mode="2"/>)"));
  EXPECT_EQ(level->episode, 3);
}

// A level kind the program does not know is kept as its number (and written back so), and the
// level counts as neither ordinary nor a mini-game.
TEST_F(LevelFormatTest, AnUnknownModeNumberSurvivesAndIsNotOrdinary) {
  ASSERT_TRUE(level->ReadLevel(R"(<level mode="7"><object id="1" class="2"/></level>)"));
  EXPECT_FALSE(IsOrdinary(level->mode));
  EXPECT_NE(level->mode, LevelMode::MiniGame);
  EXPECT_FALSE(level->CanSave());
  EXPECT_NE(level->WriteLevel().find("mode=\"7\""), std::string::npos);
}

TEST_F(LevelFormatTest, FogColourIsHexadecimalInEitherCase) {
  ASSERT_TRUE(level->ReadLevel(R"(<level fog_color="a0b1c2" fog_height="40"/>)"));
  EXPECT_EQ(level->fogColor, 0xA0B1C2u);
  ASSERT_TRUE(level->ReadLevel(R"(<level fog_color="A0B1C2"/>)"));
  EXPECT_EQ(level->fogColor, 0xA0B1C2u);
  ASSERT_TRUE(level->ReadLevel(R"(<level fog_color="12abZZ9"/>)"));
  EXPECT_EQ(level->fogColor, 0x12ABu);
  level->fogColor = 0xFFA0B1C2u;
  level->fogHeight = 40;
  EXPECT_NE(level->WriteLevel().find(R"(fog_color="FFA0B1C2" fog_height="40" )"),
            std::string::npos);
  level->fogHeight = 0;
  EXPECT_EQ(level->WriteLevel().find("fog_"), std::string::npos);
}

TEST_F(LevelFormatTest, FlyTypeIsClampedToTheFlyingList) {
  ASSERT_TRUE(level->ReadLevel(R"(<level fly_type="7" fly_time="40"/>)"));
  EXPECT_EQ(level->flyType, 1);
  ASSERT_TRUE(level->ReadLevel(R"(<level fly_type="-3" fly_time="40"/>)"));
  EXPECT_EQ(level->flyType, 0);
  GameDescriptors none;
  Level bare(none);
  ASSERT_TRUE(bare.ReadLevel(R"(<level fly_type="2" fly_time="40"/>)"));
  EXPECT_EQ(bare.flyType, 0);
}

TEST_F(LevelFormatTest, BuildSpeedAndFlagsOfTheRunTimeState) {
  ASSERT_TRUE(level->ReadLevel(R"(<level build_speed="115" res_thieved="1" run_speed="17"/>)"));
  EXPECT_FLOAT_EQ(level->buildSpeed, 1.15f);
  EXPECT_TRUE(level->resThieved);
  EXPECT_FALSE(level->puzzleCollected);
  const std::string text = level->WriteLevel();
  EXPECT_NE(text.find(R"(build_speed="115" )"), std::string::npos);
  EXPECT_NE(text.find(R"(res_thieved="1" )"), std::string::npos);
  EXPECT_EQ(text.find("puzzle_collect"), std::string::npos);
  const auto back = ReadBack(text);
  EXPECT_FLOAT_EQ(back->buildSpeed, 1.15f);
  EXPECT_TRUE(back->resThieved);
  EXPECT_FLOAT_EQ(back->runSpeed, 17.0f);
  // Levels of other modes carry none of the ordinary levels' counters.
  ASSERT_TRUE(level->ReadLevel(R"(<level mode="2" res_thieved="1" bonus_used="4"/>)"));
  EXPECT_EQ(level->WriteLevel().find("res_thieved"), std::string::npos);
  EXPECT_EQ(level->WriteLevel().find("bonus_used"), std::string::npos);
}

TEST_F(LevelFormatTest, WorkersAreRecognisedByElementOrClassNine) {
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="3" class="9" subclass="2" tex="lumberjack" sprite="8,8,60,0,64,0"
              sprite_state="5,20,1" work_angle="3" work_anim="4" dest_wp="1" reverse="1"
              work_dest="10.5,-3.25" work_path="1,0"/>
      <worker id="4" class="0" tex="odd"/>
      <object id="9" class="3" subclass="1"/><object id="10" class="3"/>
      <object id="11" class="1" subclass="2"/>
    </level>)"));
  ASSERT_EQ(level->workers.size(), 2u);
  ASSERT_EQ(level->objects.size(), 3u);
  const WorldObject& w = *level->workers[0];
  EXPECT_EQ(w.id, 3);
  ASSERT_TRUE(w.worker);
  EXPECT_EQ(w.worker->direction, 3);
  EXPECT_EQ(w.worker->animation, 4);
  EXPECT_EQ(w.worker->home, 1);
  EXPECT_TRUE(w.worker->returning);
  EXPECT_EQ(w.worker->legTarget, (Vec2{10.5f, -3.25f}));
  EXPECT_EQ(w.worker->path, (std::vector<int>{1, 0}));
  ASSERT_TRUE(w.sprite);
  EXPECT_EQ(w.sprite->current, 5);
  EXPECT_EQ(w.sprite->step, 0);  // workers' sprites are stopped until they walk
  ASSERT_TRUE(level->workers[1]->worker);
  EXPECT_EQ(level->workers[1]->cls, 0);
  // Workers take no object id and no waypoint node.
  EXPECT_EQ(level->nextId, 12);
  EXPECT_EQ(level->waypoints.size(), 2u);
  EXPECT_EQ(level->objectCount, 3);
  EXPECT_EQ(level->objects[2]->desc, descriptors.Obstacle(2));
  EXPECT_EQ(level->workerLayer, 1);
}

TEST_F(LevelFormatTest, WaypointsAndEffectSpotsIgnoreTheirTextureAndResolveLinks) {
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="12" tex="tree" class="3" subclass="2" links="15,0,99"/>
      <object id="15" tex="x" class="3" subclass="14"/>
      <object id="20" class="3" links="12,15,30"/>
      <object id="30" tex="bush" class="1" subclass="2" obj_link="12"/>
      <object id="31" tex="ignored" class="4" subclass="3"/>
      <object id="40" class="3" subclass="13" links="12"/>
      <object id="41" class="3" links="12"/><object id="42" class="3" links="12"/>
    </level>)"));
  ASSERT_EQ(level->objects.size(), 8u);
  const WorldObject& a = *level->objects[0];
  EXPECT_EQ(a.texture, "wp");
  EXPECT_EQ(level->objects[4]->texture, "fx");
  EXPECT_EQ(level->objects[3]->texture, "bush");
  // Neighbour slots: 0..2 outgoing, 3..5 incoming; links to objects that are no waypoints or
  // do not exist stay empty.
  const WaypointNode* na = level->NodeOf(a);
  ASSERT_NE(na, nullptr);
  EXPECT_EQ(na->neighbours[0], 1);
  EXPECT_EQ(na->neighbours[1], -1);
  EXPECT_EQ(na->neighbours[2], -1);
  // Node 0 is linked from 20, 40, 41 and 42: only the first three are recorded.
  EXPECT_EQ(na->neighbours[3], 2);
  EXPECT_EQ(na->neighbours[4], 3);
  EXPECT_EQ(na->neighbours[5], 4);
  EXPECT_EQ(a.backLinks, (std::array<int, 3>{20, 40, 41}));
  const WaypointNode* n20 = level->NodeOf(*level->objects[2]);
  EXPECT_EQ(n20->neighbours[2], -1);  // 30 is an obstacle
  // Links and base lists.
  EXPECT_EQ(level->objects[3]->link, &a);
  EXPECT_EQ(a.backLink, level->objects[3].get());
  EXPECT_EQ(level->bases[1], (std::vector<int>{0}));
  EXPECT_EQ(level->bases[12], (std::vector<int>{3}));  // subclass 13: the exits
  for (int k = 0; k < Level::kBaseLists; ++k) {
    if (k != 1 && k != 12) {
      EXPECT_TRUE(level->bases[size_t(k)].empty()) << k;
    }
  }
  // Resolving again after a link changed leaves no stale or doubled back links.
  level->objects[3]->linkId = 0;
  level->ResolveAllLinks();
  EXPECT_EQ(a.backLink, nullptr);
  EXPECT_EQ(a.backLinks, (std::array<int, 3>{20, 40, 41}));
  EXPECT_EQ(na->neighbours[5], 4);
  level->ResolveLinks(*level->objects[2]);
  EXPECT_EQ(a.backLinks, (std::array<int, 3>{20, 40, 41}));
  level->objects[3]->linkId = 12;
  level->ResolveLinks(*level->objects[3]);
  EXPECT_EQ(a.backLink, level->objects[3].get());
  // The effect spot shows the effect of its subclass.
  EXPECT_EQ(level->objects[4]->particles, (EffectRef{"campfire", 1, 5, true}));

  const std::string text = level->WriteLevel();
  EXPECT_NE(
      text.find(
          R"(<object id="12" class="3" subclass="2" pos="0,0" size="0.00,0.00" links="15,99" />)"),
      std::string::npos)
      << text;
  EXPECT_EQ(text.find("tree"), std::string::npos);
  EXPECT_EQ(text.find("ignored"), std::string::npos);
  EXPECT_TRUE(LevelDiff::Compare(*level, *ReadBack(text)).empty());
}

TEST_F(LevelFormatTest, SpriteWithoutFrameTimeHasNoAnimation) {
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="1" class="0" flags="t" sprite="4,4,0,0,16,2" sprite_state="3,10,1"/>
      <object id="2" class="0" sprite="4,0,80,2,-16,3"/>
      <object id="3" class="0" sprite="4,2,80,0,8,1" sprite_state="6,33,1"/>
    </level>)"));
  const WorldObject& none = *level->objects[0];
  EXPECT_FALSE(none.sprite);
  EXPECT_FALSE(none.Has(ObjectFlags::kSprite));
  const WorldObject& fresh = *level->objects[1];
  ASSERT_TRUE(fresh.sprite);
  EXPECT_TRUE(fresh.Has(ObjectFlags::kSprite));
  EXPECT_EQ(fresh.sprite->rows, 1);        // zero rows count as one
  EXPECT_EQ(fresh.sprite->frameCount, 0);  // negative: the sheet's frames
  EXPECT_EQ(fresh.sprite->Frames(), 4);
  EXPECT_EQ(fresh.sprite->current, 3);  // starts at the start frame
  const WorldObject& saved = *level->objects[2];
  EXPECT_EQ(saved.sprite->current, 6);
  EXPECT_FLOAT_EQ(saved.sprite->elapsed, 33.0f);
  EXPECT_EQ(saved.sprite->step, 1);
  const std::string text = level->WriteLevel();
  EXPECT_EQ(text.find("sprite=\"4,4,0"), std::string::npos);
  EXPECT_NE(text.find(R"(sprite="4,2,80,0,8,1" )"), std::string::npos);
  EXPECT_NE(text.find(R"(sprite_state="6,33,1" )"), std::string::npos);
}

TEST_F(LevelFormatTest, WritesTheDocumentInItsFixedForm) {
  level->episode = 1;
  level->levelNumber = 2;
  ASSERT_TRUE(level->ReadLevel(R"(<level episode="7" level="7" music="3" fog_color="a0b1c2"
      fog_height="40" time_easy="300" time_norm="200" time_hard="100" storage="25"
      resources="5,6,7" state="0">
    <object id="4" tex="tree" class="1" subclass="2" flags="sa" pos="10,-20" size="32,40.5"
            respawn="3,5"/>
    <object id="7" class="3" subclass="1" pos="0,0" size="8,8" links="4,0,0"/>
    <worker id="1" tex="worker" class="9" pos="5,5" size="32,32" sprite="8,8,60,0,8,0"
            work_angle="2"/>
    <objective id="4"/><obstacle id="4" cur="1000" max="3000"/><trophy id="3"/>
    <bonus id="2" cur="10" max="20"/><obstacle id="7" cur="1" max="2"/>
  </level>)"));
  EXPECT_EQ(level->WriteLevel(),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<level episode=\"1\" level=\"2\" mode=\"0\" music=\"3\" fog_color=\"A0B1C2\" "
            "fog_height=\"40\" time_easy=\"300\" time_norm=\"200\" time_hard=\"100\" "
            "run_speed=\"15\" storage=\"25\" thief_per=\"0\" resp_speed=\"100\" "
            "resources=\"5,6,7\" quest_res=\"0,0,0\" flags=\"0\" collected=\"0,0,0\" "
            "bonus_speed=\"100\" bonus_used=\"0\" obelisks=\"0\" res_demeter=\"0\" "
            "birds_hunted=\"0\" bonus_cost=\"0,0,0,0,0,0\" state=\"2\" game_time=\"0\" "
            "level_time=\"1\" bonus_time=\"0\" quest_res_collect=\"0,0,0\" "
            "workers_free=\"0\" worker_types=\"1\" build_speed=\"100\" >\n"
            "<object id=\"4\" tex=\"tree\" class=\"1\" subclass=\"2\" flags=\"as\" "
            "pos=\"10,-20\" size=\"32.00,40.50\" respawn=\"3,5\" />\n"
            "<object id=\"7\" class=\"3\" subclass=\"1\" pos=\"0,0\" size=\"8.00,8.00\" "
            "links=\"4\" />\n"
            "<worker id=\"1\" tex=\"worker\" class=\"9\" subclass=\"0\" flags=\"t\" "
            "pos=\"5,5\" size=\"32.00,32.00\" sprite=\"8,8,60,0,8,0\" "
            "sprite_state=\"0,0,0\" work_angle=\"2\" work_anim=\"0\" "
            "work_dest=\"0.00,0.00\" />\n"
            "<obstacle id=\"4\" cur=\"1000\" max=\"3000\" />\n"
            "<obstacle id=\"7\" cur=\"1\" max=\"2\" />\n"
            "<bonus id=\"2\" cur=\"10\" max=\"20\" />\n"
            "<trophy id=\"3\" />\n"
            "<objective id=\"4\" />\n"
            "</level>\n");
}

TEST_F(LevelFormatTest, ValuesAreRoundedToTwoDecimalsBeforeWriting) {
  EXPECT_DOUBLE_EQ(LevelWriter::Round2(0.125), 0.13);
  EXPECT_DOUBLE_EQ(LevelWriter::Round2(-0.125), -0.12);
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="1" class="0" flags="x" pos="10.996,-10.6" size="0.125,-2.5" rot="45.678"
              tex_speed="2.999,-0.4"/>
    </level>)"));
  const std::string text = level->WriteLevel();
  EXPECT_NE(text.find(R"(flags="x" pos="11,-10" size="0.13,-2.50" rot="45.68" tex_speed="3,0" )"),
            std::string::npos)
      << text;
}

TEST_F(LevelFormatTest, TextsAreEscapedSoThatTheyReadBack) {
  ASSERT_TRUE(level->ReadLevel(
      R"(<level><object id="1" class="0" tex="a&quot;b&amp;c&lt;d&gt;e&#9;f&#0;g"/></level>)"));
  const std::string tex = level->objects[0]->texture;
  EXPECT_EQ(tex, std::string("a\"b&c<d>e\tf\0g", 13));
  const auto back = ReadBack(level->WriteLevel());
  ASSERT_EQ(back->objects.size(), 1u);
  EXPECT_EQ(back->objects[0]->texture, tex);
}

// A level's own texts: kept per language in file order, read back as written; a language
// that is no tag or comes twice is skipped, long texts are cut before a whole character.
TEST_F(LevelFormatTest, OwnTextsPerLanguageReadBackAndStayWithinBounds) {
  const std::string longName = std::string(119, 'a') + "\u00e9\u00e9";  // 123 bytes
  ASSERT_TRUE(level->ReadLevel(R"(<level><object id="1" class="0"/>
      <text lang="de" name="Am Fluss" message="Baut die Br&#252;cke &amp; &quot;mehr&quot;."/>
      <text lang="EN" name="shouted"/><text lang="de" name="twice"/><text name="no language"/>
      <text lang="en" name=")" + longName + R"(" message=""/></level>)"));
  ASSERT_EQ(level->texts.size(), 2u);
  EXPECT_EQ(level->texts[0].language, "de");
  EXPECT_EQ(level->texts[0].message, "Baut die Br\u00fccke & \"mehr\".");
  EXPECT_EQ(level->texts[1].name, std::string(119, 'a')) << "a character is never cut in two";
  EXPECT_EQ(level->TextIn("de")->name, "Am Fluss");
  EXPECT_EQ(level->TextIn("ru")->language, "en") << "English stands in for a missing language";
  const auto back = ReadBack(level->WriteLevel());
  EXPECT_EQ(back->texts, level->texts);
  EXPECT_TRUE(LevelDiff::Compare(*level, *back).empty());
  level->Reset();
  EXPECT_EQ(level->TextIn("en"), nullptr);
}

TEST_F(LevelFormatTest, ChildrenMayComeInAnyOrder) {
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <objective id="5"/><worker id="1" class="9"/><trophy id="21"/>
      <object id="5" class="1" subclass="2" flags="o"/><bonus id="5" cur="1" max="2"/>
      <object id="6" class="1" subclass="2" flags="ok"/>
    </level>)"));
  EXPECT_EQ(level->objects.size(), 2u);
  EXPECT_EQ(level->workers.size(), 1u);
  EXPECT_EQ(level->objectivePanel, (std::vector<int>{5}));
  EXPECT_EQ(level->trophies, (std::vector<int>{21}));
  ASSERT_EQ(level->savedTimers.size(), 1u);
  EXPECT_EQ(level->savedTimers[0], (Level::SavedTimer{Level::SavedTimer::kBonus, 5, 1, 2}));
  EXPECT_EQ(level->openObjectives, 2);
}

TEST_F(LevelFormatTest, UnknownSectionFailsAndKeepsWhatWasRead) {
  EXPECT_FALSE(level->ReadLevel(R"(<level>
      <object id="1" class="0"/><surprise/><object id="2" class="0"/></level>)"));
  EXPECT_EQ(services.messages, (std::vector<std::string>{"Unknown section"}));
  EXPECT_EQ(level->readError, "Unknown section");
  ASSERT_EQ(level->objects.size(), 1u);
  EXPECT_EQ(level->objects[0]->id, 1);
}

TEST_F(LevelFormatTest, MaskObjectIsAddedOnceAndCoversTheLevel) {
  textures.masks.insert("forest_mask");
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="3" tex="forest" class="0" flags="bi"/><object id="8" tex="rock" class="0"/>
    </level>)"));
  EXPECT_EQ(level->maskName, "forest");
  EXPECT_EQ(level->objectCount, 2);
  ASSERT_EQ(level->objects.size(), 3u);
  const WorldObject& mask = *level->objects[2];
  EXPECT_EQ(mask.texture, "forest_mask");
  EXPECT_EQ(mask.id, 9);
  EXPECT_EQ(mask.position, (Vec2{0, 0}));
  EXPECT_EQ(mask.size, (Vec2{640, 384}));
  EXPECT_TRUE(mask.Has(ObjectFlags::kMask));
  EXPECT_EQ(level->nextId, 10);
  // A saved level carries the mask object: reading it again adds no second one.
  const auto back = ReadBack(level->WriteLevel());
  EXPECT_EQ(back->objects.size(), 3u);
  EXPECT_TRUE(LevelDiff::Compare(*level, *back).empty());

  // Without the "_mask" texture nothing is added.
  ASSERT_TRUE(
      level->ReadLevel(R"(<level><object id="3" tex="lake" class="0" flags="b"/></level>)"));
  EXPECT_EQ(level->objects.size(), 1u);
  // A partner texture that is no mask texture is still added, and still only once.
  textures.textures.insert("lake_mask");
  ASSERT_TRUE(
      level->ReadLevel(R"(<level><object id="3" tex="lake" class="0" flags="b"/></level>)"));
  ASSERT_EQ(level->objects.size(), 2u);
  EXPECT_FALSE(level->objects[1]->Has(ObjectFlags::kMask));
  const auto again = ReadBack(level->WriteLevel());
  EXPECT_EQ(again->objects.size(), 2u);
}

TEST_F(LevelFormatTest, PuzzlePiecesFoundBeforeAreHidden) {
  level->episode = 2;
  level->levelNumber = 5;
  services.foundPieces.insert({2, 5});
  ASSERT_TRUE(level->ReadLevel(R"(<level><object id="1" class="6"/></level>)"));
  EXPECT_TRUE(level->objects[0]->Hidden());
  level->levelNumber = 6;
  ASSERT_TRUE(level->ReadLevel(R"(<level><object id="1" class="6"/></level>)"));
  EXPECT_FALSE(level->objects[0]->Hidden());
}

TEST_F(LevelFormatTest, FogStartsItsEffectAndMiniGamesFindTheirHeroLayer) {
  ASSERT_TRUE(level->ReadLevel(R"(<level>
      <object id="1" class="5" subclass="3"/><object id="2" class="5" subclass="4" flags="i"/>
      <object id="3" class="5"/></level>)"));
  EXPECT_EQ(level->objects[0]->marker, (EffectRef{"fog03", 0, 0, true}));
  EXPECT_TRUE(level->objects[1]->marker.Empty());
  EXPECT_TRUE(level->objects[2]->marker.Empty());

  services.heroType = 2;
  ASSERT_TRUE(level->ReadLevel(R"(<level mode="3"><object id="1" class="3" subclass="1"/>
      <object id="2" class="0"/><object id="3" class="3" subclass="3"/>
      <object id="4" class="0"/></level>)"));
  EXPECT_EQ(services.miniGameLoads, 1);
  EXPECT_EQ(level->heroType, 2);
  EXPECT_EQ(level->workerLayer, 3);
  // Without a hero no waypoint marks the layer: workers are drawn last.
  services.heroType = -1;
  ASSERT_TRUE(level->ReadLevel(R"(<level mode="2"><object id="1" class="3"/>
      <object id="2" class="0"/></level>)"));
  EXPECT_EQ(level->workerLayer, 2);
}

TEST_F(LevelFormatTest, SavedIndexesAreCheckedAgainstTheLevel) {
  ASSERT_TRUE(level->ReadLevel(R"(<level commands="9,3,4,5,6">
      <object id="3" class="3"/><object id="4" class="0"/><object id="5" class="3"/>
      <object id="6" class="3"/><object id="9" class="3"/>
      <worker id="1" class="9" flags="pl" work_path="0,5000" dest_wp="1"/>
      <worker id="2" class="9" flags="p" work_path="2,1" dest_wp="-4"/>
      <worker id="3" class="9" flags="p" work_path="3,2,1" dest_wp="3"/>
      <bonus id="9" cur="1" max="2"/><bonus id="-1"/><trophy id="22"/><trophy id="-1"/>
      <obstacle id="77" cur="-5" max="10"/>
    </level>)"));
  // Only the first three commands, and only those naming waypoints.
  EXPECT_EQ(level->commandQueue, (std::vector<int>{9, 3}));
  // A route through a waypoint that does not exist sends the worker home.
  const WorldObject& lost = *level->workers[0];
  EXPECT_TRUE(lost.worker->path.empty());
  EXPECT_EQ(lost.worker->home, 1);
  EXPECT_TRUE(lost.Hidden());
  EXPECT_FALSE(lost.HasAny(ObjectFlags::kBusy | ObjectFlags::kAtWork));
  const WorldObject& homeless = *level->workers[1];
  EXPECT_TRUE(homeless.worker->path.empty());
  EXPECT_EQ(homeless.worker->home, 0);
  const WorldObject& fine = *level->workers[2];
  EXPECT_EQ(fine.worker->path, (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(fine.Has(ObjectFlags::kBusy));
  EXPECT_FALSE(fine.Hidden());
  ASSERT_EQ(level->savedTimers.size(), 1u);
  EXPECT_EQ(level->savedTimers[0], (Level::SavedTimer{Level::SavedTimer::kObstacle, 77, 0, 10}));
  EXPECT_TRUE(level->trophies.empty());
}

TEST_F(LevelFormatTest, FileNamesLoadingAndTheSaveRule) {
  EXPECT_EQ(Level::LevelFileName(1, 2), "level_01_02.xml");
  EXPECT_EQ(Level::LevelFileName(0, 0), "level_00_00.xml");
  EXPECT_EQ(Level::LevelFileName(12, 345), "level_12_345.xml");

  WriteFile(content.Path() + "/level_02_03.xml",
            R"(<level storage="33"><object id="1" class="0"/></level>)");
  FileSystem fs;
  fs.Mount(content.Path());
  ASSERT_TRUE(level->LoadLevelFile(fs, 2, 3));
  EXPECT_EQ(level->storage, 33);
  EXPECT_EQ(level->episode, 2);
  EXPECT_EQ(level->levelNumber, 3);

  EXPECT_TRUE(level->CanSave());
  const auto saved = level->SaveLevel();
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, level->WriteLevel());
  level->medal = Medal::None;
  EXPECT_FALSE(level->CanSave());
  EXPECT_FALSE(level->SaveLevel().has_value());
  level->medal = Medal::Gold;
  level->mode = LevelMode::Ordinary1;
  EXPECT_TRUE(level->CanSave());
  level->mode = LevelMode::MiniGame;
  EXPECT_FALSE(level->CanSave());
  level->mode = LevelMode::Ordinary;
  level->ended = true;
  EXPECT_FALSE(level->CanSave());
  level->ended = false;
  level->objects.clear();
  EXPECT_FALSE(level->CanSave());

  // A missing file leaves an empty level.
  ASSERT_TRUE(level->LoadLevelFile(fs, 2, 3));
  EXPECT_FALSE(level->LoadLevelFile(fs, 4, 4));
  EXPECT_TRUE(level->objects.empty());
  EXPECT_EQ(level->storage, 20);
}

}  // namespace
