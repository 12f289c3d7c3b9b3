#include <gtest/gtest.h>

#include "LevelTestSupport.h"
#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "level/GameSettings.h"

using namespace leveltest;

namespace {

GameSettings Parse(std::string_view text) {
  XmlDocument doc;
  doc.Parse(text);
  GameSettings settings;
  settings.Read(doc);
  return settings;
}

TEST(GameSettingsTest, DefaultsWhenTheFileIsMissing) {
  TempDir dir;
  FileSystem fs;
  fs.Mount(dir.Path() + "/content");
  const GameSettings s = GameSettings::LoadGameSettings(fs);
  EXPECT_EQ(s.shadowOffset, (Vec2{60, -8}));
  EXPECT_EQ(s.shadowAlpha, 128);
  EXPECT_FLOAT_EQ(s.shadowSize, 1.0f);
  EXPECT_FLOAT_EQ(s.workerOffset, 8.0f);
  EXPECT_FLOAT_EQ(s.respawnOffset, 12.0f);
  EXPECT_FLOAT_EQ(s.flySpeed, 25.0f);
  EXPECT_FALSE(s.showResLost);
  EXPECT_FALSE(s.showFPS.has_value());
  EXPECT_EQ(s.birdLife, 1);
}

TEST(GameSettingsTest, EverySettingIsReadFromItsElement) {
  TempDir dir;
  WriteFile(dir.Path() + "/content/game_settings.xml", R"(<GameSettings>
      <shadowOffset value="12.5,-3"/>
      <shadowAlpha value="77"/>
      <shadowSize value="50"/>
      <workerOffset value="6"/>
      <respawnOffset value="20.5"/>
      <flySpeed value="40"/>
      <showResLost value="1"/>
      <showFPS value="0"/>
      <birdLife value="3"/>
      <unknownSetting value="9"/>
    </GameSettings>)");
  FileSystem fs;
  fs.Mount(dir.Path() + "/content");
  const GameSettings s = GameSettings::LoadGameSettings(fs);
  EXPECT_EQ(s.shadowOffset, (Vec2{12.5f, -3}));
  EXPECT_EQ(s.shadowAlpha, 77);
  EXPECT_FLOAT_EQ(s.shadowSize, 0.5f);  // the file gives percent
  EXPECT_FLOAT_EQ(s.workerOffset, 6.0f);
  EXPECT_FLOAT_EQ(s.respawnOffset, 20.5f);
  EXPECT_FLOAT_EQ(s.flySpeed, 40.0f);
  EXPECT_TRUE(s.showResLost);
  ASSERT_TRUE(s.showFPS.has_value());
  EXPECT_FALSE(*s.showFPS);
  EXPECT_EQ(s.birdLife, 3);
}

TEST(GameSettingsTest, UnusableValuesKeepTheDefaults) {
  const GameSettings s = Parse(R"(<GameSettings>
      <shadowOffset value="nan,1"/><shadowAlpha value="900"/><shadowSize value="inf"/>
      <flySpeed/><birdLife value="-4"/><workerOffset value="abc"/>
    </GameSettings>)");
  EXPECT_EQ(s.shadowOffset, (Vec2{60, -8}));
  EXPECT_EQ(s.shadowAlpha, 255);
  EXPECT_FLOAT_EQ(s.shadowSize, 1.0f);
  EXPECT_FLOAT_EQ(s.flySpeed, 25.0f);
  EXPECT_EQ(s.birdLife, 1);
  EXPECT_FLOAT_EQ(s.workerOffset, 0.0f);  // a text that is no number reads as 0
  XmlDocument doc;
  doc.Parse("<Settings><birdLife value=\"5\"/></Settings>");
  GameSettings other;
  EXPECT_FALSE(other.Read(doc));
  EXPECT_EQ(other.birdLife, 1);
}

}  // namespace
