// The four lands after the meadow each have eleven workable things of their own, laid out alike:
// two food sources, two wood sources, a gold source that costs some food, four things in the way
// and the two that wait for the stonemason and the forester. Their levels (all of the episode
// but the mini-game level 4) use only these, each on a ground of its own, and every text and
// picture a level shows exists in the four languages. The camp, the building sites and the
// buildings wear the land's dress of the meadow's pictures.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "LevelTestSupport.h"
#include "content_check/LevelHints.h"
#include "graphics/ImageDecoder.h"
#include "level/GameDescriptors.h"

using namespace leveltest;
namespace fs = std::filesystem;

namespace {

struct Land {
  int episode;
  int first;                // the first of its eleven descriptors
  const char* prefix;       // of its textures and sounds
  const char* goldTexture;  // the gold source's picture, which glints
  const char* glint;        // its effect
};

constexpr Land kLands[] = {{2, 200, "coast_", "coast_cliff_gold", "coast_gold_glint"},
                           {3, 220, "autumn_", "autumn_mossy_gold", "autumn_gold_glint"},
                           {4, 180, "north_", "north_frost_gold", "north_frost_glint"},
                           {5, 240, "desert_", "desert_gold_seam", "desert_gold_glint"}};
constexpr const char* kLanguages[] = {"en", "de", "ru", "pl"};

std::string Name(const ::testing::TestParamInfo<Land>& info) {
  return std::string(info.param.prefix, std::char_traits<char>::length(info.param.prefix) - 1);
}

int Count(const std::string& text, const std::string& key) {
  int n = 0;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
  return n;
}

// How many times a level file holds a level object (class 1) of descriptor id.
int ThingsOf(const std::string& text, int id) {
  return Count(text, "class=\"1\" subclass=\"" + std::to_string(id) + "\"");
}

// The episode's level files by level number, the mini-game level among them.
std::map<int, std::string> LevelsOf(int episode) {
  std::map<int, std::string> levels;
  for (int level = 1; level <= 11; ++level) {
    char name[32];
    std::snprintf(name, sizeof name, "/content/levels/level_%02d_%02d.xml", episode, level);
    if (fs::exists(DemoGame() + name)) levels[level] = ReadText(DemoGame() + name);
  }
  return levels;
}

// The first ground picture of the episode a level names.
std::string GroundOf(const std::string& text, int episode) {
  const std::string key = "tex=\"bg_e" + std::to_string(episode) + "_";
  const size_t at = text.find(key);
  if (at == std::string::npos) return {};
  return text.substr(at + 5, text.find('"', at + 5) - at - 5);
}

bool HasString(const std::string& language, const std::string& file, const std::string& key) {
  return ReadText(DemoGame() + "/locale/" + language + "/" + file).find("name=\"" + key + "\"") !=
         std::string::npos;
}

// The meadow's camp, sites and buildings (the gates' work sheets and the briefing's picture of
// a site among them), each dressed by every land.
constexpr const char* kDressed[] = {
    "workers_house", "workers_house_big", "campfire", "building_site", "scaffold", "farm",
    "farm_field", "sawmill", "gold_mine", "warehouse", "watchtower", "scarecrow", "obelisk_speed",
    "obelisk_growth", "obelisk_toil", "stonemason_lodge", "forester_lodge", "gate_old",
    "gate_old_a", "drawbridge", "drawbridge_a", "broken_bridge", "briefing_site"};

// The demo content's descriptor tables, loaded as the game loads them.
struct DemoTables {
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  StringTable strings{files};
  bool loaded = false;
  DemoTables() {
    files.Mount(DemoGame() + "/content");
    files.Mount(DemoGame() + "/locale/en");
    loaded = descriptors.LoadGameDescriptors(files, strings, textures);
  }
};

// The demo tables' dresses: the dressed texture and the meadow's picture it dresses.
std::map<std::string, std::string, std::less<>> Dresses() {
  DemoTables tables;
  EXPECT_TRUE(tables.loaded);
  return tables.descriptors.Dresses();
}

// Every tex attribute of a level file.
std::vector<std::string> TexturesOf(const std::string& text) {
  std::vector<std::string> names;
  const std::string key = " tex=\"";
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
    const size_t from = at + key.size();
    names.push_back(text.substr(from, text.find('"', from) - from));
  }
  return names;
}

// The size of a built texture file, when it is there and decodes.
std::optional<std::pair<int, int>> BuiltSize(const std::string& file) {
  const std::string bytes = ReadText(file);
  if (bytes.empty()) return std::nullopt;
  const auto image = DecodeZif(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  if (!image) return std::nullopt;
  return std::pair(image->imageWidth, image->imageHeight);
}

class LandsTest : public ::testing::TestWithParam<Land> {};

}  // namespace

// None of the meadow's obstacles and resource sites stands in the land's levels; each of the
// land's things stands in at least three of them, the stonemason's and the forester's too, and
// those two only in levels that have the lodge of their worker; every hint has its words in the
// four languages; levels 1-10 hide one puzzle piece and level 11 none.
TEST_P(LandsTest, LevelsUseTheLandsOwnThingsWithHintsInEveryLanguage) {
  const Land& land = GetParam();
  const int meadow[] = {10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23, 24, 35, 36};
  std::map<int, int> levelsWith;
  int ordinary = 0;
  for (const auto& [level, text] : LevelsOf(land.episode)) {
    if (level == 4) {
      EXPECT_NE(text.find("mode=\"3\""), std::string::npos) << "level 4 is the mini-game";
      continue;
    }
    ++ordinary;
    for (int id : meadow) EXPECT_EQ(ThingsOf(text, id), 0) << level << ": the meadow's " << id;
    for (int id = land.first; id <= land.first + 10; ++id)
      if (ThingsOf(text, id) > 0) ++levelsWith[id];
    // The lodges by their descriptors (45 the stonemason's, 46 the forester's), whatever the
    // land dresses them in.
    if (ThingsOf(text, land.first + 9) > 0) {
      EXPECT_GE(Count(text, "class=\"2\" subclass=\"45\""), 1) << level << ": the mason's lodge";
    }
    if (ThingsOf(text, land.first + 10) > 0) {
      EXPECT_GE(Count(text, "class=\"2\" subclass=\"46\""), 1) << level << ": the forester's lodge";
    }
    EXPECT_EQ(Count(text, "tex=\"puzzle_piece\""), level == 11 ? 0 : 1) << level;
    for (const char* language : kLanguages) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      for (const LevelHint& h : hints)
        EXPECT_TRUE(h.missing.empty()) << level << " " << language << " " << h.id << ": " << h.text;
    }
  }
  EXPECT_EQ(ordinary, 10);
  for (int id = land.first; id <= land.first + 10; ++id)
    EXPECT_GE(levelsWith[id], 3) << "descriptor " << id;
}

// Each level stands on a ground of its own, never the one of the level before (the mini-game's
// included), painted and named in the editor's palette; it plays the land's music, says what it
// brings new and opens with the chief's line in the four languages.
TEST_P(LandsTest, EachLevelHasItsOwnGroundMusicAndOpeningLine) {
  const Land& land = GetParam();
  std::map<std::string, int> grounds;
  std::string previous;
  for (const auto& [level, text] : LevelsOf(land.episode)) {
    const std::string ground = GroundOf(text, land.episode);
    ASSERT_FALSE(ground.empty()) << "level " << level;
    EXPECT_NE(ground, previous) << "level " << level;
    previous = ground;
    if (level == 4) continue;
    ++grounds[ground];
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/wide/" + ground + ".svg")) << ground;
    EXPECT_NE(text.find("music=\"" + std::to_string(land.episode) + "\""), std::string::npos)
        << "level " << level;
    EXPECT_NE(text.find("<!-- new: "), std::string::npos) << "level " << level;
    const int line = land.episode * 1000 + level * 10;
    EXPECT_NE(text.find("dialog=\"" + std::to_string(line) + ","), std::string::npos) << level;
    for (const char* language : kLanguages) {
      EXPECT_TRUE(HasString(language, "strings.xml", "dialog_" + std::to_string(line)))
          << line << " " << language;
      EXPECT_TRUE(HasString(language, "editor.xml", "editor_tex_" + ground))
          << ground << " " << language;
    }
  }
  EXPECT_EQ(grounds.size(), 10u) << "a ground per level";
}

// Every level message of the land has its words in the four languages and a picture painted
// for it, so no level opens on an empty message box.
TEST_P(LandsTest, LevelMessagesHaveWordsAndPictures) {
  const Land& land = GetParam();
  int messages = 0;
  for (int level = 1; level <= 11; ++level) {
    char key[32], picture[48];
    std::snprintf(key, sizeof key, "level_message_%02d_%02d", land.episode, level);
    if (!HasString("en", "strings.xml", key)) continue;
    ++messages;
    for (const char* language : kLanguages)
      EXPECT_TRUE(HasString(language, "strings.xml", key)) << key << " " << language;
    // The opening stories' pictures sit with the dialogs, the lands' own in their own atlas.
    std::snprintf(picture, sizeof picture, "/msg_%02d_%02d.svg", land.episode, level);
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/atlases/messages" + picture) ||
                fs::exists(DemoGame() + "/../art/atlases/dialogs" + picture))
        << picture;
  }
  EXPECT_GE(messages, 3);
}

// The land's descriptors load from the demo tables: every thing can be worked, with a work sound
// of the land's that ksynth makes; the resource sites pay when carried home (two food, two wood,
// the gold for some food); the things in the way pay nothing or wood; the last two wait for the
// stonemason and the forester; the gold glints.
TEST_P(LandsTest, DescriptorsSoundsAndGlintLoad) {
  const Land& land = GetParam();
  ASSERT_TRUE(fs::exists(DemoGame() + "/../effects/src/" + land.glint + ".xml"));
  DemoTables tables;
  ASSERT_TRUE(tables.loaded);
  const GameDescriptors& descriptors = tables.descriptors;
  const auto thing = [&](int k) { return descriptors.Obstacle(land.first + k); };
  for (int k = 0; k <= 10; ++k) {
    const ObjectDesc* d = thing(k);
    ASSERT_NE(d, nullptr) << land.first + k;
    EXPECT_FALSE(d->Indestructible()) << land.first + k;
    const SoundRef* sound = descriptors.Sound(d->snd);
    ASSERT_NE(sound, nullptr) << land.first + k;
    EXPECT_EQ(sound->name.rfind(std::string(land.prefix) + "work_", 0), 0u) << sound->name;
    EXPECT_TRUE(fs::exists(DemoGame() + "/../sounds/effects/" + sound->name + ".ksy"))
        << sound->name;
    EXPECT_EQ(d->WorkerType(), k == 9 ? 1 : k == 10 ? 2 : 0) << land.first + k;
  }
  for (int k = 0; k <= 4; ++k) EXPECT_TRUE(thing(k)->ret) << "site " << land.first + k;
  for (int k : {0, 1}) {
    EXPECT_GT(thing(k)->income[0], 0) << land.first + k;
    EXPECT_EQ(thing(k)->income[1] + thing(k)->income[2], 0) << land.first + k;
  }
  for (int k : {2, 3}) {
    EXPECT_GT(thing(k)->income[1], 0) << land.first + k;
    EXPECT_EQ(thing(k)->income[0] + thing(k)->income[2], 0) << land.first + k;
  }
  EXPECT_GT(thing(4)->income[2], 0);
  EXPECT_EQ(thing(4)->income[0] + thing(4)->income[1], 0);
  EXPECT_GT(thing(4)->cost[0], 0);
  for (int k = 5; k <= 10; ++k)
    EXPECT_EQ(thing(k)->income[0] + thing(k)->income[2], 0) << "in the way " << land.first + k;
  const ObjectParticle* glint = descriptors.ObjectParticles(land.goldTexture);
  ASSERT_NE(glint, nullptr);
  EXPECT_EQ(glint->par, land.glint);
}

// The land dresses every camp, site and building of the meadow, and its levels use only its own
// dress of them: no meadow picture and no other land's dress of one stands in them. The camp and
// the building sites appear in several levels.
TEST_P(LandsTest, LevelsWearTheLandsDressOfCampSitesAndBuildings) {
  const Land& land = GetParam();
  const auto dresses = Dresses();
  std::set<std::string> meadow;
  for (const auto& [dress, of] : dresses) meadow.insert(of);
  for (const char* name : kDressed) {
    const auto it = dresses.find(land.prefix + std::string(name));
    ASSERT_NE(it, dresses.end()) << land.prefix << name;
    EXPECT_EQ(it->second, name);
    EXPECT_TRUE(fs::exists(DemoGame() + "/../art/world/" + it->first + ".svg")) << it->first;
  }
  std::map<std::string, int> used;
  for (const auto& [level, text] : LevelsOf(land.episode)) {
    for (const std::string& tex : TexturesOf(text)) {
      EXPECT_FALSE(meadow.count(tex)) << "level " << level << " shows the meadow's " << tex;
      const auto dress = dresses.find(tex);
      if (dress == dresses.end()) continue;
      EXPECT_EQ(tex.rfind(land.prefix, 0), 0u) << "level " << level << " shows " << tex;
      ++used[dress->second];
    }
  }
  EXPECT_GE(used["workers_house"], 8);
  EXPECT_GE(used["building_site"], 8);
  EXPECT_GE(used.size(), 8u) << "kinds of the dress the land's levels show";
}

// Every picture of the dress is built, in the standard and the high definition, at the size of
// the meadow's picture it dresses: the levels' waypoints, the selectors and the sheets' frames
// were measured on that one.
TEST_P(LandsTest, TheDressIsBuiltAtTheMeadowsSize) {
  const char* built = std::getenv("KALODRUS_GAME_DIR");
  if (!built || !fs::exists(std::string(built) + "/content/world"))
    GTEST_SKIP() << "no built game folder";
  const Land& land = GetParam();
  int checked = 0;
  for (const auto& [dress, of] : Dresses()) {
    if (dress.rfind(land.prefix, 0) != 0) continue;
    for (const char* content : {"/content/world/", "/content_hd/world/"}) {
      const auto own = BuiltSize(built + (content + dress) + ".zif");
      const auto meadow = BuiltSize(built + (content + of) + ".zif");
      ASSERT_TRUE(own.has_value()) << content << dress;
      ASSERT_TRUE(meadow.has_value()) << content << of;
      EXPECT_EQ(*own, *meadow) << content << dress;
      ++checked;
    }
  }
  EXPECT_EQ(checked, int(std::size(kDressed)) * 2);
}

INSTANTIATE_TEST_SUITE_P(EveryLand, LandsTest, ::testing::ValuesIn(kLands), Name);
