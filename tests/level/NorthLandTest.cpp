#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "LevelTestSupport.h"
#include "kcontent/LevelHintsCommand.h"

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

}  // namespace
