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
int CoastCountOf(const std::string& text, int id) {
  const std::string key = "class=\"1\" subclass=\"" + std::to_string(id) + "\"";
  int n = 0;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
  return n;
}

int PuzzlePiecesIn(const std::string& text) {
  int n = 0;
  for (size_t at = text.find("tex=\"puzzle_piece\""); at != std::string::npos;
       at = text.find("tex=\"puzzle_piece\"", at + 1))
    ++n;
  return n;
}

// The coast's levels are dressed in its own workable things: none of the meadow's obstacles and
// resource sites stands in them, each of the coast's ordinary things stands in at least three of
// them and the reef and the mangroves in two at least, every hint has its words in the four
// languages, levels 1-10 hide one puzzle piece and level 11 none.
TEST(CoastLandTest, LevelsUseTheLandsOwnThingsWithHintsInEveryLanguage) {
  const int meadow[] = {10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23, 24, 35, 36};
  std::map<int, int> levelsWith;
  int levels = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("level_02_", 0) != 0) continue;
    const std::string text = ReadText(entry.path().string());
    if (text.find("mode=\"3\"") != std::string::npos) continue;  // the mini-game level
    ++levels;
    for (int id : meadow) EXPECT_EQ(CoastCountOf(text, id), 0) << name << ": the meadow's " << id;
    for (int id = 200; id <= 210; ++id)
      if (CoastCountOf(text, id) > 0) ++levelsWith[id];
    EXPECT_EQ(PuzzlePiecesIn(text), name == "level_02_11.xml" ? 0 : 1) << name;
    for (const char* language : {"en", "de", "ru", "pl"}) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      for (const LevelHint& h : hints)
        EXPECT_TRUE(h.missing.empty()) << name << " " << language << " " << h.id << ": " << h.text;
    }
  }
  EXPECT_EQ(levels, 10);
  for (int id = 200; id <= 208; ++id) EXPECT_GE(levelsWith[id], 3) << "descriptor " << id;
  for (int id = 209; id <= 210; ++id) EXPECT_GE(levelsWith[id], 2) << "descriptor " << id;
}

// Every level message of the coast has its words in the four languages and a picture painted
// for it, so no level opens on an empty message box.
TEST(CoastLandTest, LevelMessagesHaveWordsAndPictures) {
  int messages = 0;
  for (int level = 1; level <= 11; ++level) {
    char key[32];
    std::snprintf(key, sizeof key, "level_message_02_%02d", level);
    const std::string en = ReadText(DemoGame() + "/locale/en/strings.xml");
    if (en.find(std::string("name=\"") + key + "\"") == std::string::npos) continue;
    ++messages;
    for (const char* language : {"de", "ru", "pl"}) {
      const std::string text = ReadText(DemoGame() + "/locale/" + language + "/strings.xml");
      EXPECT_NE(text.find(std::string("name=\"") + key + "\""), std::string::npos) << key << " " << language;
    }
    char picture[48];
    std::snprintf(picture, sizeof picture, "/msg_02_%02d.svg", level);
    // the opening story's picture sits with the dialogs, the coast's own in their own atlas
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/atlases/messages" + picture) ||
                fs::exists(DemoGame() + "/../art/atlases/dialogs" + picture))
        << picture;
  }
  EXPECT_GE(messages, 6);
}

// The coast's descriptors load from the demo tables: every thing can be worked, with a work
// sound of its own that ksynth makes; the resource sites grow back and pay (mussels and nets
// food, driftwood and palms wood, the cliff gold gold for some food); the obstacles in the way
// pay nothing or wood; and the coral reef and the mangroves wait for the stonemason and the
// forester. The cliff gold glints.
TEST(CoastLandTest, DescriptorsSoundsAndGlintLoad) {
  ASSERT_TRUE(fs::exists(DemoGame() + "/../effects/src/coast_gold_glint.xml"));
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  for (int id = 200; id <= 210; ++id) {
    const ObjectDesc* d = descriptors.Obstacle(id);
    ASSERT_NE(d, nullptr) << id;
    EXPECT_FALSE(d->Indestructible()) << id;
    const SoundRef* sound = descriptors.Sound(d->snd);
    ASSERT_NE(sound, nullptr) << id;
    EXPECT_EQ(sound->name.rfind("coast_", 0), 0u) << id;
    EXPECT_TRUE(fs::exists(DemoGame() + "/../sounds/effects/" + sound->name + ".ksy")) << sound->name;
  }
  const std::array<int, 3> mussels{2, 0, 0}, fish{3, 0, 0}, gold{0, 0, 2}, nothing{0, 0, 0};
  EXPECT_EQ(descriptors.Obstacle(200)->income, mussels);
  EXPECT_EQ(descriptors.Obstacle(201)->income, fish);
  for (int id : {202, 203, 206, 207, 210}) {
    EXPECT_GT(descriptors.Obstacle(id)->income[1], 0) << id;
    EXPECT_EQ(descriptors.Obstacle(id)->income[0], 0) << id;
  }
  EXPECT_EQ(descriptors.Obstacle(204)->income, gold);
  EXPECT_GT(descriptors.Obstacle(204)->cost[0], 0);
  for (int id : {205, 208, 209}) EXPECT_EQ(descriptors.Obstacle(id)->income, nothing) << id;
  EXPECT_EQ(descriptors.Obstacle(209)->WorkerType(), 1);
  EXPECT_EQ(descriptors.Obstacle(210)->WorkerType(), 2);
  for (int id = 200; id <= 208; ++id) EXPECT_EQ(descriptors.Obstacle(id)->WorkerType(), 0) << id;
  const ObjectParticle* glint = descriptors.ObjectParticles("coast_cliff_gold");
  ASSERT_NE(glint, nullptr);
  EXPECT_EQ(glint->par, "coast_gold_glint");
}

}  // namespace
