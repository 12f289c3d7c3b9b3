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
int AutumnCountOf(const std::string& text, int id) {
  const std::string key = "class=\"1\" subclass=\"" + std::to_string(id) + "\"";
  int n = 0;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
  return n;
}

int AutumnPiecesIn(const std::string& text) {
  int n = 0;
  for (size_t at = text.find("tex=\"puzzle_piece\""); at != std::string::npos;
       at = text.find("tex=\"puzzle_piece\"", at + 1))
    ++n;
  return n;
}

// The autumn wood's levels (all but the mini-game level), by level number.
std::map<int, std::string> AutumnLevels() {
  std::map<int, std::string> levels;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("level_03_", 0) != 0) continue;
    std::string text = ReadText(entry.path().string());
    if (text.find("mode=\"3\"") != std::string::npos) continue;
    levels[std::stoi(name.substr(9, 2))] = std::move(text);
  }
  return levels;
}

// The wood's levels are dressed in its own workable things: none of the meadow's obstacles and
// resource sites stands in them, each of the wood's things (the stone wall and the blackthorn
// too) stands in at least three of them, every hint has its words in the four languages, and
// levels 1-10 hide one puzzle piece and level 11 none.
TEST(AutumnLandTest, LevelsUseTheLandsOwnThingsWithHintsInEveryLanguage) {
  const int meadow[] = {10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23, 24, 35, 36};
  std::map<int, int> levelsWith;
  const auto levels = AutumnLevels();
  EXPECT_EQ(levels.size(), 10u);
  for (const auto& [level, text] : levels) {
    for (int id : meadow) EXPECT_EQ(AutumnCountOf(text, id), 0) << "level " << level << ": the meadow's " << id;
    for (int id = 220; id <= 230; ++id)
      if (AutumnCountOf(text, id) > 0) ++levelsWith[id];
    EXPECT_EQ(AutumnPiecesIn(text), level == 11 ? 0 : 1) << "level " << level;
    for (const char* language : {"en", "de", "ru", "pl"}) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      for (const LevelHint& h : hints)
        EXPECT_TRUE(h.missing.empty()) << "level " << level << " " << language << " " << h.id << ": " << h.text;
    }
  }
  for (int id = 220; id <= 230; ++id) EXPECT_GE(levelsWith[id], 3) << "descriptor " << id;
}

// Each level stands on a ground of its own (never the one of the level before), plays the
// wood's music, says what it brings new and opens with the chief's line in the four languages.
TEST(AutumnLandTest, EachLevelHasItsOwnGroundMusicAndOpeningLine) {
  // The first ground picture of the land a level names.
  const auto groundOf = [](const std::string& text) -> std::string {
    const size_t at = text.find("tex=\"bg_e3_");
    if (at == std::string::npos) return {};
    return text.substr(at + 5, text.find('"', at + 5) - at - 5);
  };
  std::map<std::string, int> grounds;
  std::string previous;
  for (const auto& [level, text] : AutumnLevels()) {
    const std::string found = groundOf(text);
    ASSERT_FALSE(found.empty()) << "level " << level;
    EXPECT_NE(found, previous) << "level " << level;
    previous = found;
    ++grounds[previous];
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/wide/" + previous + ".svg")) << previous;
    EXPECT_NE(text.find("music=\"3\""), std::string::npos) << "level " << level;
    EXPECT_NE(text.find("<!-- new: "), std::string::npos) << "level " << level;
    const std::string dialog = "dialog_" + std::to_string(3000 + level * 10);
    EXPECT_NE(text.find("dialog=\"" + std::to_string(3000 + level * 10) + ","), std::string::npos) << level;
    for (const char* language : {"en", "de", "ru", "pl"}) {
      const std::string strings = ReadText(DemoGame() + "/locale/" + language + "/strings.xml");
      EXPECT_NE(strings.find("name=\"" + dialog + "\""), std::string::npos) << dialog << " " << language;
      const std::string editor = ReadText(DemoGame() + "/locale/" + language + "/editor.xml");
      EXPECT_NE(editor.find("name=\"editor_tex_" + previous + "\""), std::string::npos) << previous << " " << language;
    }
  }
  EXPECT_EQ(grounds.size(), 10u);
}

// Every level message of the wood has its words in the four languages and a picture painted
// for it, so no level opens on an empty message box.
TEST(AutumnLandTest, LevelMessagesHaveWordsAndPictures) {
  int messages = 0;
  for (int level = 1; level <= 11; ++level) {
    char key[32];
    std::snprintf(key, sizeof key, "level_message_03_%02d", level);
    const std::string en = ReadText(DemoGame() + "/locale/en/strings.xml");
    if (en.find(std::string("name=\"") + key + "\"") == std::string::npos) continue;
    ++messages;
    for (const char* language : {"de", "ru", "pl"}) {
      const std::string text = ReadText(DemoGame() + "/locale/" + language + "/strings.xml");
      EXPECT_NE(text.find(std::string("name=\"") + key + "\""), std::string::npos) << key << " " << language;
    }
    char picture[48];
    std::snprintf(picture, sizeof picture, "/msg_03_%02d.svg", level);
    // the opening story's picture sits with the dialogs, the wood's own in the messages' atlas
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/atlases/messages" + picture) ||
                fs::exists(DemoGame() + "/../art/atlases/dialogs" + picture))
        << picture;
  }
  EXPECT_GE(messages, 5);
}

// The wood's descriptors load from the demo tables: every thing can be worked, with a work sound
// of its own that ksynth makes; the resource sites pay, carried home (mushrooms and apples food,
// branches and birches wood, the mossy rock gold for some food); the obstacles in the way pay
// nothing or wood; and the stone wall and the blackthorn wait for the stonemason and the
// forester. The gold in the mossy rock glints.
TEST(AutumnLandTest, DescriptorsSoundsAndGlintLoad) {
  ASSERT_TRUE(fs::exists(DemoGame() + "/../effects/src/autumn_gold_glint.xml"));
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  for (int id = 220; id <= 230; ++id) {
    const ObjectDesc* d = descriptors.Obstacle(id);
    ASSERT_NE(d, nullptr) << id;
    EXPECT_FALSE(d->Indestructible()) << id;
    EXPECT_GE(d->snd, 38) << id;
    EXPECT_LE(d->snd, 41) << id;
    const SoundRef* sound = descriptors.Sound(d->snd);
    ASSERT_NE(sound, nullptr) << id;
    EXPECT_EQ(sound->name.rfind("autumn_", 0), 0u) << id;
    EXPECT_TRUE(fs::exists(DemoGame() + "/../sounds/effects/" + sound->name + ".ksy")) << sound->name;
  }
  const std::array<int, 3> mushrooms{2, 0, 0}, apples{3, 0, 0}, gold{0, 0, 2}, nothing{0, 0, 0};
  EXPECT_EQ(descriptors.Obstacle(220)->income, mushrooms);
  EXPECT_EQ(descriptors.Obstacle(221)->income, apples);
  for (int id : {220, 221, 222, 223, 224}) EXPECT_TRUE(descriptors.Obstacle(id)->ret) << id;
  for (int id : {222, 223, 226, 228, 230}) {
    EXPECT_GT(descriptors.Obstacle(id)->income[1], 0) << id;
    EXPECT_EQ(descriptors.Obstacle(id)->income[0], 0) << id;
  }
  EXPECT_EQ(descriptors.Obstacle(224)->income, gold);
  EXPECT_GT(descriptors.Obstacle(224)->cost[0], 0);
  for (int id : {225, 227, 229}) EXPECT_EQ(descriptors.Obstacle(id)->income, nothing) << id;
  EXPECT_EQ(descriptors.Obstacle(229)->WorkerType(), 1);
  EXPECT_EQ(descriptors.Obstacle(230)->WorkerType(), 2);
  for (int id = 220; id <= 228; ++id) EXPECT_EQ(descriptors.Obstacle(id)->WorkerType(), 0) << id;
  const ObjectParticle* glint = descriptors.ObjectParticles("autumn_mossy_gold");
  ASSERT_NE(glint, nullptr);
  EXPECT_EQ(glint->par, "autumn_gold_glint");
}

}  // namespace
