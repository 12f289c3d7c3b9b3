// The episode map on the recording device with the game's content and a small map of its
// own: markers from hand-made progress, the opening rules, the tooltips, selecting and
// starting, dragging, the scroll limits, the cheat and the once-per-player messages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "base/GameKeys.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeStage.h"
#include "data/Language.h"
#include "graphics/RecordingDevice.h"
#include "gui/GUIDialog.h"
#include "gui/GUIText.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/ModeGame.h"
#include "progress/IntegerFormat.h"
#include "support/TempDir.h"

#include "level_screen/ModeGameFixture.h"

namespace {

// Markers of every kind, bad ones among them, on a panel 2560 wide.
constexpr const char* kTestMap = R"(<?xml version="1.0" encoding="utf-8"?>
<level episode="0" level="0" mode="2" music="0" time_easy="0" time_norm="0" time_hard="0" state="0">
  <object id="1" tex="map_panel_01" class="0" subclass="0" pos="0,0" size="1280.00,384.00"/>
  <object id="11" tex="level_unfinished" class="1" subclass="0" pos="-1000,0" size="20,20" respawn="1,1"/>
  <object id="12" tex="level_unfinished" class="1" subclass="0" pos="-900,0" size="20,20" respawn="1,2"/>
  <object id="19" tex="level_unfinished" class="1" subclass="0" pos="-800,0" size="20,20" respawn="1,10"/>
  <object id="20" tex="level_unfinished" class="1" subclass="0" pos="-700,0" size="20,20" respawn="1,11"/>
  <object id="21" tex="level_unfinished" class="1" subclass="0" pos="-600,0" size="20,20" respawn="2,1"/>
  <object id="23" tex="level_unfinished" class="1" subclass="0" pos="-500,0" size="20,20" respawn="2,3"/>
  <object id="24" tex="level_unfinished" class="1" subclass="0" pos="-400,0" size="20,20" respawn="2,4"/>
  <object id="25" tex="level_unfinished" class="1" subclass="0" pos="-300,0" size="20,20" respawn="5,11"/>
  <object id="30" tex="level_unfinished" class="1" subclass="0" pos="-200,0" size="20,20" respawn="0,1"/>
  <object id="31" tex="level_unfinished" class="1" subclass="0" pos="-100,0" size="20,20" respawn="1,12"/>
  <object id="40" tex="map_comic" class="1" subclass="1" pos="0,0" size="20,20" respawn="0,1"/>
  <object id="41" tex="map_comic" class="1" subclass="1" pos="100,0" size="20,20" respawn="0,99"/>
  <object id="50" tex="map_trophy" class="1" subclass="2" pos="200,0" size="20,20" respawn="40,0"/>
  <object id="51" tex="map_trophy" class="1" subclass="2" pos="300,0" size="20,20" respawn="2,0"/>
  <object id="60" tex="map_puzzle" class="1" subclass="3" pos="400,0" size="20,20" respawn="0,1"/>
  <object id="70" tex="w" class="1" subclass="4" pos="500,0" size="20,20" respawn="1,0"/>
  <object id="71" tex="map_road" class="0" subclass="0" pos="600,0" size="20,20" respawn="1,0" obj_link="70"/>
  <object id="72" tex="map_road" class="0" subclass="0" pos="700,0" size="20,20" respawn="3,0" obj_link="70"/>
</level>
)";

class ModeStageTest : public MapScreenTest {
 protected:
  void SetUp() override {
    MapScreenTest::SetUp();
    if (HasFatalFailure()) return;
    std::filesystem::create_directories(content / "map");
    std::ofstream(content / "map/level_00_00.xml") << kTestMap;
    app->files()->Mount((content / "map").string());
  }

  void Finish(int e, int l, int stars) {
    LevelRecord& r = progress().Record(e, l);
    r.flags |= LevelRecord::kFinished;
    r.stars = uint8_t(stars);
  }
  const ModeStage::Marker& Marker(int e, int l) {
    const ModeStage::Marker* m = map().LevelMarker(e, l);
    EXPECT_NE(m, nullptr) << e << ":" << l;
    static const ModeStage::Marker none;
    return m ? *m : none;
  }
  WorldObject& Object(int id) { return *map().MapLevel()->FindObject(id); }
  // The pointer over a point of the map.
  void PointAt(float mapX, float y) {
    platform.pointerX = mapX + map().scrollX;
    platform.pointerY = y;
    Frames(1);
    app->OnInput({InputType::PointerMove, 0});
  }
  void Click() {
    app->OnInput({InputType::LeftDown, 0});
    app->OnInput({InputType::LeftUp, 0});
  }

  TempDir contentDir;
  std::filesystem::path content{contentDir.Path()};
};

}  // namespace

TEST_F(ModeStageTest, ANewPlayerSeesOnlyTheFirstLevelOpenCurrentAndSelected) {
  Enter();
  ASSERT_TRUE(map().HasMapLevel());
  const ModeStage::Marker& first = Marker(1, 1);
  EXPECT_TRUE(first.open);
  EXPECT_EQ(first.picture, "level_current");
  EXPECT_EQ(map().Selected(), int(&first - map().Markers().data()));
  EXPECT_EQ(Object(11).texture, "level_current");
  const WorldObject& pin = Object(ModeStage::kPinId);
  EXPECT_EQ(pin.texture, "level_select") << "the selected marker plays its animation";
  EXPECT_TRUE(pin.sprite.has_value());
  EXPECT_EQ(pin.position.x, Object(11).position.x);
  EXPECT_GT(pin.position.y, Object(11).position.y);
  for (const auto& [e, l] : {std::pair{1, 2}, {1, 10}, {1, 11}, {2, 1}, {2, 3}, {5, 11}}) {
    EXPECT_FALSE(Marker(e, l).open) << e << ":" << l;
    EXPECT_EQ(map().ObjectOf(Marker(e, l))->alpha, 127) << e << ":" << l;
  }
  // Markers naming nothing stay locked and are read nowhere out of range.
  EXPECT_FALSE(map().FindMarker(30)->open);
  EXPECT_FALSE(map().FindMarker(31)->open);
  EXPECT_TRUE(map().FindMarker(40)->open) << "comic 1 is always open";
  EXPECT_FALSE(map().FindMarker(41)->open);
  EXPECT_EQ(map().FindMarker(50)->second, -1);
  EXPECT_EQ(Object(50).texture, "map_trophy");
  EXPECT_EQ(Object(50).alpha, 127);
  // The wonder with no three-star level: picture 01 appended to its short name, empty.
  EXPECT_EQ(Object(70).texture, "w01");
  EXPECT_FALSE(map().FindMarker(70)->built);
  EXPECT_TRUE(Object(71).Hidden());
  EXPECT_TRUE(Object(72).Hidden());
}

TEST_F(ModeStageTest, FinishedLevelsShowTheirMedalAndOpenTheNext) {
  for (int l = 1; l <= 10; ++l) Finish(1, l, 3);
  Finish(2, 1, 1);
  Finish(2, 2, 0);  // relax: no stars
  Finish(2, 3, 2);
  progress().lastEpisode = 1;
  progress().lastLevel = 2;
  progress().achievements = 1u << 1;
  Enter();
  EXPECT_EQ(Marker(1, 1).picture, "level_gold");
  EXPECT_EQ(Marker(2, 1).picture, "level_bronze");
  EXPECT_EQ(Marker(2, 3).picture, "level_silver");
  EXPECT_EQ(Marker(2, 4).picture, "level_current");
  EXPECT_TRUE(Marker(2, 4).open);
  EXPECT_EQ(map().Selected(), int(&Marker(2, 4) - map().Markers().data()));
  EXPECT_EQ(map().FindMarker(51)->second, 0) << "an earned trophy keeps its parameter";
  // Ten three-star levels build the wonder to its last stage and show every linked object.
  EXPECT_EQ(Object(70).texture, "w10");
  EXPECT_TRUE(map().FindMarker(70)->built);
  EXPECT_FALSE(Object(71).Hidden());
  EXPECT_FALSE(Object(72).Hidden());
}

TEST_F(ModeStageTest, TheNextLevelRuleAndTheOpeningRules) {
  Progress p;
  int e = 0, l = 0;
  ModeStage::NextLevel(p, e, l);
  EXPECT_EQ(std::pair(e, l), std::pair(1, 1));
  p.Record(1, 10).flags = LevelRecord::kFinished;
  p.lastEpisode = 0, p.lastLevel = 9;
  ModeStage::NextLevel(p, e, l);
  EXPECT_EQ(std::pair(e, l), std::pair(2, 1)) << "1:10 leads to 2:1";
  EXPECT_TRUE(ModeStage::LevelOpens(p, 2, 1));
  // A relax finish (no stars) counts as finished.
  p.Record(2, 1).flags = LevelRecord::kFinished;
  EXPECT_TRUE(ModeStage::LevelOpens(p, 2, 2));
  EXPECT_FALSE(ModeStage::LevelOpens(p, 2, 3));
  // Level 11 of episodes 1-4 by the episode's puzzle bit; episode 5's by the four 11s.
  EXPECT_FALSE(ModeStage::LevelOpens(p, 3, 11));
  p.options |= 1u << (Progress::kFirstPuzzleBit + 2);
  EXPECT_TRUE(ModeStage::LevelOpens(p, 3, 11));
  for (int k = 1; k <= 3; ++k) p.Record(k, 11).flags = LevelRecord::kFinished;
  EXPECT_FALSE(ModeStage::LevelOpens(p, 5, 11));
  p.Record(4, 11).flags = LevelRecord::kFinished;
  EXPECT_TRUE(ModeStage::LevelOpens(p, 5, 11));
  // Damaged progress reads nothing out of range.
  for (const int bad : {-5, 9, 1000}) {
    p.lastEpisode = bad, p.lastLevel = bad;
    ModeStage::NextLevel(p, e, l);
    EXPECT_TRUE(e >= 1 && e <= 5 && l >= 1 && l <= 11) << bad;
  }
  EXPECT_FALSE(ModeStage::LevelOpens(p, 0, 1));
  EXPECT_FALSE(ModeStage::LevelOpens(p, 1, 12));
}

TEST_F(ModeStageTest, WonderPicturesAndTranslatedCounts) {
  EXPECT_EQ(ModeStage::WonderPicture("wonder_01_05", 0), "wonder_01_00");
  EXPECT_EQ(ModeStage::WonderPicture("wonder_01_05", 1), "wonder_01_01");
  EXPECT_EQ(ModeStage::WonderPicture("wonder_01_05", 10), "wonder_01_10");
  EXPECT_EQ(ModeStage::WonderPicture("w", 3), "w03");
  EXPECT_EQ(ModeStage::WonderPicture("", 3), "03");
  EXPECT_EQ(FormatIntegers(u"Built %d of 10", {4}), u"Built 4 of 10");
  EXPECT_EQ(FormatIntegers(u"%s %n %d %d %d%%", {7}), u"%s %n 7 %d %d%");
  EXPECT_EQ(FormatIntegers(u"%", {1}), u"%");
}

TEST_F(ModeStageTest, TooltipsSayWhatAMarkerIs) {
  StringTable& s = *app->strings();
  s.Set(u"level", u"Level");
  s.Set(u"level_name_02_03", u"Mill");
  s.Set(u"level_name_02_01", u"");  // a level without a name keeps its empty line
  s.Set(u"score", u"Score");
  s.Set(u"time", u"Time");
  s.Set(u"locked", u"Locked");
  s.Set(u"map_wonder", u"Wonder");
  s.Set(u"wonder_1", u"Tower");
  s.Set(u"wonder_progress", u"%s %n built %d");
  s.Set(u"wonder_description", u"episode %d");
  Finish(2, 3, 2);
  progress().Record(2, 3).bestScore = 1234;
  progress().Record(2, 3).time = 125;
  Enter();
  EXPECT_EQ(map().TooltipText(Marker(2, 3)), u"^s^8Level 2.3\\^s^9Mill\\Score: 1234\\Time: 2:05");
  EXPECT_EQ(map().TooltipText(Marker(2, 1)), u"^s^8Level 2.1\\^s^9\\Locked");
  EXPECT_EQ(map().TooltipText(*map().FindMarker(70)),
            u"^s^8Wonder\\^s^9Tower\\%s %n built 0\\episode 1");
  // Hovering shows it; hovering nothing hides it.
  Frames(30, 20);
  PointAt(-500, 0);
  ASSERT_NE(map().tooltip, nullptr);
  EXPECT_TRUE(map().tooltip->visible);
  EXPECT_EQ(map().Hovered(), int(&Marker(2, 3) - map().Markers().data()));
  PointAt(-450, 300);
  EXPECT_EQ(map().Hovered(), -1);
}

TEST_F(ModeStageTest, ATrophyTooltipShowsItsTitleAndTheTrophyOnLinesOfTheirOwn) {
  StringTable& s = *app->strings();
  s.Set(u"map_achievement", u"Trophy");
  s.Set(u"ach_02_name", u"Woodcutter");
  s.Set(u"ach_02_desc", u"Cut ten trees");
  Enter();
  Frames(30, 20);
  PointAt(300, 0);  // the trophy of marker 51, not earned
  ASSERT_TRUE(map().tooltip->visible);
  // The hint draws line i at its first line's y minus i font sizes: text on different lines
  // cannot overlap, text on one line is drawn in one row.
  const std::vector<std::u16string>& lines = map().tooltip->Lines();
  const auto lineOf = [&](std::u16string_view text) {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(text) != std::u16string::npos) return int(i);
    }
    return -1;
  };
  ASSERT_GE(lineOf(u"Trophy"), 0);
  EXPECT_GT(lineOf(u"Woodcutter"), lineOf(u"Trophy"));
  EXPECT_GT(lineOf(u"Cut ten trees"), lineOf(u"Woodcutter"));
}

TEST_F(ModeStageTest, TheFirstClickSelectsTheSecondStartsAndDragsSelectNothing) {
  Finish(1, 1, 3);
  Finish(1, 2, 1);
  progress().lastLevel = 1;
  Enter();
  Frames(30, 20);
  const int one = int(&Marker(1, 1) - map().Markers().data());
  // A press that moves exactly 10 units is still a click: it selects.
  PointAt(-1000, 0);
  app->OnInput({InputType::LeftDown, 0});
  platform.pointerX += 10;
  app->OnInput({InputType::PointerMove, 0});
  app->OnInput({InputType::LeftUp, 0});
  EXPECT_EQ(map().Selected(), one);
  EXPECT_EQ(app->pending, nullptr);
  // 11 units is a drag: the map scrolls and nothing is started.
  PointAt(-1000, 0);
  const float before = map().scrollX;
  app->OnInput({InputType::LeftDown, 0});
  platform.pointerX += 11;
  app->OnInput({InputType::PointerMove, 0});
  app->OnInput({InputType::LeftUp, 0});
  EXPECT_TRUE(map().scrollX != before || map().scrollX == map().ScrollUpper());
  EXPECT_EQ(map().requested, nullptr);
  // The second click on the selected marker starts its level.
  PointAt(-1000, 0);
  Click();
  EXPECT_EQ(map().requested, &TheModeGame());
  EXPECT_EQ(TheModeGame().episode, 1);
  EXPECT_EQ(TheModeGame().levelNumber, 1);
}

TEST_F(ModeStageTest, KeysWalkTheOpenMarkersAndEnterPlaysTheSelectedLevel) {
  Finish(1, 1, 3);
  Finish(1, 2, 1);
  progress().lastLevel = 1;
  Enter();
  Frames(30, 20);
  const auto index = [&](int e, int l) { return int(&Marker(e, l) - map().Markers().data()); };
  const auto key = [&](int k) {
    app->OnInput({InputType::KeyDown, k});
    app->OnInput({InputType::KeyUp, k});
  };
  // The current level (1:3) has no marker on this map: nothing is selected yet, and Right
  // takes the first open marker along the road.
  ASSERT_LT(map().Selected(), 0);
  key(kGameKeyRight);
  EXPECT_EQ(map().Selected(), index(1, 1));
  key(kGameKeyRight);
  EXPECT_EQ(map().Selected(), index(1, 2));
  // Left steps back over open markers only, and stops at the first.
  key(kGameKeyLeft);
  EXPECT_EQ(map().Selected(), index(1, 1));
  key(kGameKeyLeft);
  EXPECT_EQ(map().Selected(), index(1, 1));
  // The selected marker is in view.
  const std::optional<Vec2> shown = map().LevelMarkerPoint(1, 1);
  ASSERT_TRUE(shown.has_value());
  EXPECT_LT(std::fabs(shown->x), Gui().HalfWidth());
  key(kGameKeyRight);
  EXPECT_EQ(map().Selected(), index(1, 2));
  EXPECT_EQ(app->pending, nullptr);
  // Enter with nothing marked takes the play button: the selected level starts.
  key(kGameKeyEnter);
  EXPECT_EQ(map().requested, &TheModeGame());
  EXPECT_EQ(TheModeGame().levelNumber, 2);
}

TEST_F(ModeStageTest, ADoubleClickSelectsAndStartsAndTheGameComesBackToTheMap) {
  Finish(1, 1, 2);
  Enter();
  Frames(30, 20);
  PointAt(-900, 0);
  app->OnInput({InputType::LeftDown, 0});
  app->OnInput({InputType::LeftUp, 0});
  app->OnInput({InputType::DoubleClick, 0});
  EXPECT_EQ(map().requested, &TheModeGame());
  EXPECT_EQ(TheModeGame().levelNumber, 2);
  Frames(60, 20);
  ASSERT_EQ(app->current, &TheModeGame());
  EXPECT_FALSE(map().HasMapLevel()) << "the map lets its level go before the game starts";
  TheModeGame().OnCommand(1010);
  Frames(60, 20);
  EXPECT_EQ(app->current, &map());
  EXPECT_TRUE(map().HasMapLevel());
}

TEST_F(ModeStageTest, TheCurrentLevelIsCentredThoughTheMapGoesOnPastIt) {
  // The current level's marker comes before the panels that reach past it.
  TempDir other;
  std::ofstream(other / "level_00_00.xml") << R"(<?xml version="1.0" encoding="utf-8"?>
<level episode="0" level="0" mode="2" music="0" time_easy="0" time_norm="0" time_hard="0" state="0">
  <object id="11" tex="level_unfinished" class="1" subclass="0" pos="1800,0" size="20,20" respawn="1,1"/>
  <object id="1" tex="map_panel_01" class="0" subclass="0" pos="0,0" size="1280.00,384.00"/>
  <object id="2" tex="map_panel_01" class="0" subclass="0" pos="2560,0" size="1280.00,384.00"/>
</level>
)";
  app->files()->Mount(other.Path());
  Enter();
  ASSERT_EQ(map().Selected(), 0);
  EXPECT_FLOAT_EQ(map().scrollX, -1800.0f) << "the marker at the screen's centre";
  const std::optional<Vec2> shown = map().LevelMarkerPoint(1, 1);
  ASSERT_TRUE(shown.has_value());
  EXPECT_NEAR(shown->x, 0.0f, 0.5f);
}

TEST_F(ModeStageTest, ScrollingStopsAtTheLimitsAndTheGlideBouncesBack) {
  Enter();
  const float lower = map().ScrollLower(), upper = map().ScrollUpper();
  ASSERT_LT(lower, upper);
  map().ScrollBy(1e6f);
  EXPECT_EQ(map().scrollX, upper);
  map().ScrollBy(-1e6f);
  EXPECT_EQ(map().scrollX, lower);
  // A glide into the lower limit turns into a small bounce the other way.
  map().velocity = -40;
  Frames(1);
  EXPECT_EQ(map().scrollX, lower);
  EXPECT_GT(map().velocity, 0);
  Frames(200);
  EXPECT_GE(map().scrollX, lower);
  EXPECT_LE(map().scrollX, upper);
  // A map narrower than the screen rests on the lower bound.
  map().minX = -10, map().maxX = 10;
  map().ScrollBy(5);
  EXPECT_EQ(map().scrollX, map().ScrollLower());
}

TEST_F(ModeStageTest, UnlockTwiceTogglesClickableLevelsThatStayDimmed) {
  app->cheats = true;
  Enter();
  Frames(30, 20);
  map().ShowInfoMessage(u"cheats");
  for (const char c : std::string("unlock")) app->OnInput({InputType::Character, c});
  EXPECT_TRUE(map().unlockAll);
  EXPECT_FALSE(Marker(2, 3).open);
  EXPECT_TRUE(map().Clickable(Marker(2, 3)));
  EXPECT_EQ(map().ObjectOf(Marker(2, 3))->alpha, 127);
  EXPECT_EQ(map().infoText, nullptr) << "the rebuilt list dropped the message";
  Frames(30, 20);
  map().ShowInfoMessage(u"cheats");
  for (const char c : std::string("unlock")) app->OnInput({InputType::Character, c});
  EXPECT_FALSE(map().unlockAll);
  EXPECT_FALSE(map().Clickable(Marker(2, 3)));
  Frames(5);
  app->OnInput({InputType::PointerMove, 0});
}

TEST_F(ModeStageTest, TheCompletionMessagesComeOncePerPlayer) {
  Finish(4, 10, 1);
  for (int e = 1; e <= 4; ++e) Finish(e, 11, 1);
  Enter();
  const size_t plain = map().controls.Size();
  Frames(30, 20);
  EXPECT_NE(progress().options & Progress::kCompletionShown, 0u);
  EXPECT_NE(progress().options & Progress::kSuperBonusShown, 0u);
  EXPECT_EQ(map().controls.Size(), plain + 2);
  // Escape answers the top message; it is gone, and the next Escape leads to the menu.
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(map().controls.Size(), plain);
  EXPECT_EQ(map().requested, nullptr);
  map().OnFadeDone(Fade::In);
  EXPECT_EQ(map().controls.Size(), plain) << "each message comes once";
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(map().requested, &TheModeMenu());
}

TEST_F(ModeStageTest, TenMinutesOfTheMapChangeOnlyItsAnimation) {
  Enter();
  Level& level = *map().MapLevel();
  std::vector<std::tuple<int, Vec2, uint32_t>> before;
  for (const auto& o : level.objects) before.emplace_back(o->id, o->position, o->flags);
  for (int i = 0; i < 600; ++i) Frames(1, 1000);
  ASSERT_EQ(level.objects.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(level.objects[i]->id, std::get<0>(before[i]));
    EXPECT_EQ(level.objects[i]->position, std::get<1>(before[i]));
    EXPECT_EQ(level.objects[i]->flags & ~ObjectFlags::kSprite,
              std::get<2>(before[i]) & ~ObjectFlags::kSprite);
  }
  EXPECT_EQ(level.state, LevelState::Fresh);
  EXPECT_FALSE(level.ended);
}

TEST_F(ModeStageTest, AMapThatCannotBeReadStillLeadsToTheMenu) {
  std::ofstream(content / "map/level_00_00.xml") << "<level mode=\"2\"><object id=";
  app->files()->Reload("level_00_00.xml");
  Enter();
  EXPECT_FALSE(map().HasMapLevel());
  EXPECT_TRUE(map().Markers().empty());
  Frames(30, 20);
  map().OnCommand(2);
  EXPECT_EQ(map().requested, &TheModeMenu());
  Frames(60, 20);
  ASSERT_EQ(app->current, &TheModeMenu());
  Frames(5);
  // On the menu Escape asks whether to quit; no is the way back to the menu.
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  Frames(10, 20);
  ASSERT_NE(TheModeMenu().exitDialog, nullptr);
  EXPECT_TRUE(TheModeMenu().exitDialog->visible);
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  Frames(2, 20);
  EXPECT_FALSE(TheModeMenu().exitDialog->visible);
  EXPECT_EQ(app->current, &TheModeMenu());
  EXPECT_FALSE(app->quit);
}
