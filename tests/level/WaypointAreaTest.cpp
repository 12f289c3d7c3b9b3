// Obstacles and buildings are clicked through their waypoints' quads: the rule that sizes those
// quads, the lint that checks it, and every shipped level clicked at the centre of every picture
// through the controller's own picking.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "LevelTestSupport.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "content_check/LevelRoundTrip.h"
#include "kcontent/LevelFitCommand.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/WaypointArea.h"

using namespace leveltest;
namespace fs = std::filesystem;
namespace wa = waypoint_area;

namespace {

// A fallen log 25 units above the foot where its waypoint stands, as the levels place them.
const char* kLog = R"(<level mode="0">
  <object id="20" tex="fallen_tree" class="1" subclass="10" pos="-300,-190" size="58,26"/>
  <object id="101" class="3" pos="-300,-215" size="20,14" obj_link="20"/>
  <object id="102" class="3" pos="-100,-215" size="20,14" obj_link="21"/>
  <object id="21" tex="building_site" class="1" subclass="25" pos="-100,-185" size="60,40" obj_link="22"/>
  <object id="22" tex="workers_house" class="2" subclass="40" flags="i" pos="-100,-165" size="84,76"/>
</level>)";

TEST(WaypointAreaTest, TheRuleCoversTheMiddleOfEveryPictureAWaypointServes) {
  FakeTextures textures;
  GameDescriptors descriptors;
  Level level(descriptors, &textures);
  ASSERT_TRUE(level.ReadLevel(kLog)) << level.readError;
  WorldObject& log = *level.FindObject(101);
  WorldObject& site = *level.FindObject(102);
  // The ring at the foot alone misses the log's centre and most of its picture.
  EXPECT_LT(wa::Share(log, *level.FindObject(20)), wa::kLeastShare);
  EXPECT_EQ(wa::TopWaypointAt(level, level.FindObject(20)->position), nullptr);

  // A site serves its building too; the larger of the two sets the quad.
  ASSERT_EQ(wa::Served(site).size(), 2u);
  EXPECT_EQ(wa::FittedHalfSize(log), (Vec2{44, 45}));    // 0.75 x 58; 25 + 0.75 x 26
  EXPECT_EQ(wa::FittedHalfSize(site), (Vec2{63, 107}));  // 0.75 x 84; 50 + 0.75 x 76
  for (WorldObject* w : {&log, &site}) {
    w->size = wa::FittedHalfSize(*w);
    w->UpdateQuad();
    for (const WorldObject* o : wa::Served(*w)) {
      EXPECT_GE(wa::Share(*w, *o), 0.6f) << o->id;
      EXPECT_EQ(wa::TopWaypointAt(level, o->position), w) << o->id;
    }
  }
  // A waypoint with nothing to click keeps the small ring.
  WorldObject plain;
  plain.cls = WorldObject::kWaypoint;
  EXPECT_EQ(wa::FittedHalfSize(plain), wa::kMinHalf);
}

TEST(WaypointAreaTest, FitRewritesOnlyTheSizesOfWaypointsThatServeSomething) {
  const std::string text = std::string("<?xml version=\"1.0\"?>\n<!-- kept -->\n") + kLog;
  std::string out, error;
  int changed = 0;
  ASSERT_TRUE(FitWaypointSizes(text, out, changed, error)) << error;
  EXPECT_EQ(changed, 2);
  EXPECT_NE(out.find("<!-- kept -->"), std::string::npos);
  EXPECT_NE(out.find(R"(id="101" class="3" pos="-300,-215" size="44.00,45.00")"), std::string::npos)
      << out;
  EXPECT_NE(out.find(R"(size="58,26")"), std::string::npos);  // the log's own picture
  // Fitted once, nothing more to do.
  std::string again;
  ASSERT_TRUE(FitWaypointSizes(out, again, changed, error));
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(again, out);
  EXPECT_FALSE(FitWaypointSizes("<nothing/>", out, changed, error));
}

// Every waypoint that serves something clickable at once: fogs lifted, links standing, no
// waypoint busy. A click at the centre of each picture must reach the picture's waypoint through
// the controller's own picking, and so must a click on the waypoint itself (the bot's).
TEST(WaypointAreaTest, EveryPictureInTheShippedLevelsTakesTheClickAtItsCentre) {
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  const GameSettings settings = GameSettings::LoadGameSettings(files);
  int pictures = 0, levels = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    Level level(descriptors, &textures);
    ASSERT_TRUE(ParseLevelFileName(name, level.episode, level.levelNumber)) << name;
    ASSERT_TRUE(level.ReadLevel(ReadText(entry.path().string()))) << name;
    if (!IsOrdinary(level.mode)) continue;
    ++levels;
    HeadlessLevelScreen screen;
    GameController game(level, settings, screen);
    game.Begin();
    for (const auto& o : level.objects) {
      if (o->cls == WorldObject::kFog) o->Set(ObjectFlags::kHidden);
      if (o->cls == WorldObject::kPuzzlePiece) o->Set(ObjectFlags::kBusy);
      if (o->cls == WorldObject::kWaypoint && o->link) {
        o->Set(ObjectFlags::kBusy, false);
        o->link->Set(ObjectFlags::kPassable, false);
      }
    }
    for (const auto& w : level.objects) {
      for (const WorldObject* o : wa::Served(*w)) {
        ++pictures;
        EXPECT_EQ(game.PickHovered(o->position), w.get())
            << name << ": the centre of object " << o->id << " (" << o->texture
            << ") does not reach waypoint " << w->id;
      }
      if (!wa::Served(*w).empty()) {
        EXPECT_EQ(game.PickHovered(w->position), w.get()) << name << ": waypoint " << w->id;
      }
    }
  }
  EXPECT_GE(levels, 22);
  EXPECT_GE(pictures, 250);
}

}  // namespace
