#include <gtest/gtest.h>

#include <array>
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
int NorthCountOf(const std::string& text, int id) {
  const std::string key = "class=\"1\" subclass=\"" + std::to_string(id) + "\"";
  int n = 0;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
  return n;
}

// The snowy north's levels are dressed in its own workable things: none of the meadow's
// obstacles and resource sites stands in them, each of the north's ordinary things stands in
// at least three of them and its special ones in two at least, and every hint of these levels
// has its words in the four languages.
TEST(NorthLandTest, LevelsUseTheLandsOwnThingsWithHintsInEveryLanguage) {
  const int meadow[] = {10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23, 24, 35, 36};
  std::map<int, int> levelsWith;
  int levels = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("level_04_", 0) != 0) continue;
    const std::string text = ReadText(entry.path().string());
    if (text.find("mode=\"3\"") != std::string::npos) continue;  // the mini-game level
    ++levels;
    for (int id : meadow) EXPECT_EQ(NorthCountOf(text, id), 0) << name << ": the meadow's " << id;
    for (int id = 180; id <= 190; ++id)
      if (NorthCountOf(text, id) > 0) ++levelsWith[id];
    for (const char* language : {"en", "de", "ru", "pl"}) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      for (const LevelHint& h : hints)
        EXPECT_TRUE(h.missing.empty()) << name << " " << language << " " << h.id << ": " << h.text;
    }
  }
  EXPECT_EQ(levels, 10);
  for (int id = 180; id <= 188; ++id) EXPECT_GE(levelsWith[id], 3) << "descriptor " << id;
  for (int id = 189; id <= 190; ++id) EXPECT_GE(levelsWith[id], 2) << "descriptor " << id;
}

// The north's descriptors load from the demo tables: every thing can be worked, with a work
// sound of its own that ksynth makes, the resource sites grow back and pay (berries and
// fishing holes food, branches and pines wood, the frosted gold gold for some food), and the
// ice wall and the frozen thicket wait for the stonemason and the forester.
TEST(NorthLandTest, DescriptorsSoundsAndGlintLoad) {
  ASSERT_TRUE(fs::exists(DemoGame() + "/../effects/src/north_frost_glint.xml"));
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  for (int id = 180; id <= 190; ++id) {
    const ObjectDesc* d = descriptors.Obstacle(id);
    ASSERT_NE(d, nullptr) << id;
    EXPECT_FALSE(d->Indestructible()) << id;
    const SoundRef* sound = descriptors.Sound(d->snd);
    ASSERT_NE(sound, nullptr) << id;
    EXPECT_EQ(sound->name.rfind("north_", 0), 0u) << id;
    EXPECT_TRUE(fs::exists(DemoGame() + "/../sounds/effects/" + sound->name + ".ksy")) << sound->name;
  }
  const std::array<int, 3> food{2, 0, 0}, fish{3, 0, 0}, gold{0, 0, 2};
  EXPECT_EQ(descriptors.Obstacle(180)->income, food);
  EXPECT_EQ(descriptors.Obstacle(181)->income, fish);
  EXPECT_GT(descriptors.Obstacle(182)->income[1], 0);
  EXPECT_GT(descriptors.Obstacle(183)->income[1], 0);
  EXPECT_EQ(descriptors.Obstacle(184)->income, gold);
  EXPECT_GT(descriptors.Obstacle(184)->cost[0], 0);
  EXPECT_EQ(descriptors.Obstacle(189)->WorkerType(), 1);
  EXPECT_EQ(descriptors.Obstacle(190)->WorkerType(), 2);
  for (int id = 180; id <= 188; ++id) EXPECT_EQ(descriptors.Obstacle(id)->WorkerType(), 0) << id;
  const ObjectParticle* glint = descriptors.ObjectParticles("north_frost_gold");
  ASSERT_NE(glint, nullptr);
  EXPECT_EQ(glint->par, "north_frost_glint");
}

}  // namespace
