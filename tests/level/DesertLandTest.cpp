#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "LevelTestSupport.h"
#include "kcontent/LevelHintsCommand.h"
#include "level/GameDescriptors.h"

using namespace leveltest;
namespace fs = std::filesystem;

namespace {

// How many times a level file holds a level object (class 1) of descriptor id.
int DesertCountOf(const std::string& text, int id) {
  const std::string key = "class=\"1\" subclass=\"" + std::to_string(id) + "\"";
  int n = 0;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
  return n;
}

int DesertPiecesIn(const std::string& text) {
  int n = 0;
  for (size_t at = text.find("tex=\"puzzle_piece\""); at != std::string::npos;
       at = text.find("tex=\"puzzle_piece\"", at + 1))
    ++n;
  return n;
}

// The level's ground picture (the tex of its bg_ object).
std::string GroundOf(const std::string& text) {
  const size_t at = text.find("tex=\"bg_");
  if (at == std::string::npos) return {};
  const size_t from = at + 5;
  return text.substr(from, text.find('"', from) - from);
}

// The desert's levels are dressed in its own workable things: none of the meadow's obstacles and
// resource sites stands in them, every one of the desert's things (the sandstone pillars and the
// acacia thickets too) stands in at least three of them, every hint has its words in the four
// languages, levels 1-10 hide one puzzle piece and level 11 none, they play the desert's music
// and no two levels in a row (the mini-game level among them) lie on the same ground.
TEST(DesertLandTest, LevelsUseTheLandsOwnThingsWithHintsInEveryLanguage) {
  const int meadow[] = {10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23, 24, 35, 36};
  std::map<int, int> levelsWith;
  std::map<std::string, std::string> grounds;
  int levels = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("level_05_", 0) != 0) continue;
    const std::string text = ReadText(entry.path().string());
    grounds[name] = GroundOf(text);  // the mini-game's ground counts in the sequence too
    if (text.find("mode=\"3\"") != std::string::npos) continue;  // the mini-game level
    ++levels;
    EXPECT_NE(text.find("music=\"5\""), std::string::npos) << name;
    EXPECT_NE(text.find("<!-- new: "), std::string::npos) << name;
    for (int id : meadow) EXPECT_EQ(DesertCountOf(text, id), 0) << name << ": the meadow's " << id;
    for (int id = 240; id <= 250; ++id)
      if (DesertCountOf(text, id) > 0) ++levelsWith[id];
    EXPECT_EQ(DesertPiecesIn(text), name == "level_05_11.xml" ? 0 : 1) << name;
    for (const char* language : {"en", "de", "ru", "pl"}) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      for (const LevelHint& h : hints)
        EXPECT_TRUE(h.missing.empty()) << name << " " << language << " " << h.id << ": " << h.text;
    }
  }
  EXPECT_EQ(levels, 10);
  for (int id = 240; id <= 250; ++id) EXPECT_GE(levelsWith[id], 3) << "descriptor " << id;
  std::string previous;
  for (const auto& [name, ground] : grounds) {  // the map sorts the files by level
    EXPECT_EQ(ground.rfind("bg_e5_", 0), 0u) << name << ": " << ground;
    EXPECT_NE(ground, previous) << name;
    previous = ground;
  }
}

// Every level message of the desert has its words in the four languages and a picture painted
// for it, so no level opens on an empty message box.
TEST(DesertLandTest, LevelMessagesHaveWordsAndPictures) {
  const std::string en = ReadText(DemoGame() + "/locale/en/strings.xml");
  int messages = 0;
  for (int level = 1; level <= 11; ++level) {
    char key[32];
    std::snprintf(key, sizeof key, "level_message_05_%02d", level);
    if (en.find(std::string("name=\"") + key + "\"") == std::string::npos) continue;
    ++messages;
    for (const char* language : {"de", "ru", "pl"}) {
      const std::string text = ReadText(DemoGame() + "/locale/" + language + "/strings.xml");
      EXPECT_NE(text.find(std::string("name=\"") + key + "\""), std::string::npos) << key << " " << language;
    }
    char picture[48];
    std::snprintf(picture, sizeof picture, "/msg_05_%02d.svg", level);
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/atlases/messages" + picture) ||
                fs::exists(DemoGame() + "/../art/atlases/dialogs" + picture))
        << picture;
  }
  EXPECT_GE(messages, 4);  // the opening, the stonemason, the forester and the big house
}

// The desert's descriptors load from the demo tables: every thing can be worked, with a work
// sound of its own that ksynth makes; the resource sites grow back and pay (date palms and goats
// food, tamarisks and acacias wood, the sandstone gold gold for some food); the obstacles in the
// way pay nothing or wood; and the sandstone pillars and the acacia thicket wait for the
// stonemason and the forester. The sandstone gold glints.
TEST(DesertLandTest, DescriptorsSoundsAndGlintLoad) {
  ASSERT_TRUE(fs::exists(DemoGame() + "/../effects/src/desert_gold_glint.xml"));
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  for (int id = 240; id <= 250; ++id) {
    const ObjectDesc* d = descriptors.Obstacle(id);
    ASSERT_NE(d, nullptr) << id;
    EXPECT_FALSE(d->Indestructible()) << id;
    const SoundRef* sound = descriptors.Sound(d->snd);
    ASSERT_NE(sound, nullptr) << id;
    EXPECT_EQ(sound->name.rfind("desert_", 0), 0u) << id;
    EXPECT_TRUE(fs::exists(DemoGame() + "/../sounds/effects/" + sound->name + ".ksy")) << sound->name;
  }
  const std::array<int, 3> dates{2, 0, 0}, goats{3, 0, 0}, gold{0, 0, 2}, nothing{0, 0, 0};
  EXPECT_EQ(descriptors.Obstacle(240)->income, dates);
  EXPECT_EQ(descriptors.Obstacle(241)->income, goats);
  for (int id : {242, 243, 246, 250}) {
    EXPECT_GT(descriptors.Obstacle(id)->income[1], 0) << id;
    EXPECT_EQ(descriptors.Obstacle(id)->income[0], 0) << id;
  }
  EXPECT_EQ(descriptors.Obstacle(244)->income, gold);
  EXPECT_GT(descriptors.Obstacle(244)->cost[0], 0);
  for (int id : {245, 247, 248, 249}) EXPECT_EQ(descriptors.Obstacle(id)->income, nothing) << id;
  EXPECT_EQ(descriptors.Obstacle(249)->WorkerType(), 1);
  EXPECT_EQ(descriptors.Obstacle(250)->WorkerType(), 2);
  for (int id = 240; id <= 248; ++id) EXPECT_EQ(descriptors.Obstacle(id)->WorkerType(), 0) << id;
  const ObjectParticle* glint = descriptors.ObjectParticles("desert_gold_seam");
  ASSERT_NE(glint, nullptr);
  EXPECT_EQ(glint->par, "desert_gold_glint");
}

}  // namespace
