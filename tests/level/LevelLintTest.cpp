// The lint of one level's text standing in a game folder, as the level editor runs it: its
// findings name the objects they are about, and the shipped levels have none.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "content_check/ContentLint.h"
#include "content_check/LevelRoundTrip.h"

using namespace leveltest;
namespace fs = std::filesystem;

namespace {

std::string Level0101() { return ReadText(DemoGame() + "/content/levels/level_01_01.xml"); }

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

std::string Join(const std::vector<LevelFinding>& findings) {
  std::string text;
  for (const LevelFinding& f : findings) text += std::to_string(f.objectId) + " " + f.text + "\n";
  return text;
}

bool Has(const std::vector<LevelFinding>& findings, int objectId, const std::string& text) {
  return std::any_of(findings.begin(), findings.end(), [&](const LevelFinding& f) {
    return f.objectId == objectId && f.text.find(text) != std::string::npos;
  });
}

TEST(LevelLintTest, FindingsNameTheObjectTheyAreAbout) {
  std::string text = Level0101();
  // Waypoint 107 no longer leads on to 26, a cycle of links, an object off the level, a
  // setting of the level as a whole.
  Replace(text, R"(links="107,108" obj_link="24")", R"(links="0,108" obj_link="24")");
  Replace(text, R"(<object id="3" tex="deco_rock" class="0" subclass="0" flags="sm")",
          R"(<object id="3" tex="deco_rock" class="0" subclass="0" flags="sm" obj_link="5")");
  Replace(text, R"(<object id="5" tex="deco_tree_big" class="0" subclass="0" flags="sm")",
          R"(<object id="5" tex="deco_tree_big" class="0" subclass="0" flags="sm" obj_link="3")");
  Replace(text, R"(pos="-570,250")", R"(pos="-700,250")");
  Replace(text, R"(time_hard="152")", R"(time_hard="400")");
  ContentLint lint(DemoGame(), ContentLint::Options{false});
  const std::vector<LevelFinding> findings = lint.CheckLevelText(text, 1, 1);
  EXPECT_TRUE(Has(findings, 26, "object 26 at waypoint 107 is reached by no base of worker type 0"))
      << Join(findings);
  EXPECT_TRUE(Has(findings, 3, "the links go round in a circle: 3 -> 5 -> 3"));
  EXPECT_TRUE(Has(findings, 4, "object 4: stands outside the world at -700,250"));
  EXPECT_TRUE(Has(findings, 0, "time_norm must be above time_hard"));
  // The whole-folder run's lines carry the file's name; the findings do not.
  EXPECT_TRUE(std::any_of(lint.Problems().begin(), lint.Problems().end(), [](const auto& p) {
    return p.starts_with("level_01_01.xml: object 4: stands outside the world");
  }));
  for (const LevelFinding& f : findings) EXPECT_FALSE(f.text.starts_with("level_")) << f.text;

  // The text is checked, not the file it came from: the folder itself is still clean.
  EXPECT_EQ(lint.Run(), 0u);
  EXPECT_TRUE(lint.CheckLevelText(Level0101(), 1, 1).empty());
}

// A warning about the level is a finding too, marked as one.
TEST(LevelLintTest, WarningsAreFindingsToo) {
  std::string text = Level0101();
  Replace(text, "</level>", "<text lang=\"fr\" name=\"Le moulin\" message=\"\" />\n</level>");
  ContentLint lint(DemoGame(), ContentLint::Options{false});
  const std::vector<LevelFinding> findings = lint.CheckLevelText(text, 1, 1);
  EXPECT_EQ(findings, (std::vector<LevelFinding>{
                          {0, "warning: text in a language the game has not: fr"}}))
      << Join(findings);
  EXPECT_TRUE(lint.Problems().empty());
}

// Every shipped level, each checked alone, is as clean as the whole-folder run finds it; the
// largest ordinary one is timed in the built game folder, media and all, as the editor runs it
// after every settled edit.
TEST(LevelLintTest, EveryShippedLevelAloneHasNoFindings) {
  ContentLint lint(DemoGame(), ContentLint::Options{false});
  size_t checked = 0, largest = 0;
  std::string largestText;
  int largestEpisode = 0, largestLevel = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    int episode = 0, level = 0;
    if (!ParseLevelFileName(entry.path().string(), episode, level)) continue;
    const std::string text = ReadText(entry.path().string());
    EXPECT_EQ(Join(lint.CheckLevelText(text, episode, level)), "") << entry.path();
    ++checked;
    if (episode > 0 && text.size() > largest) {
      largest = text.size();
      largestText = text;
      largestEpisode = episode;
      largestLevel = level;
    }
  }
  EXPECT_GT(checked, 10u);
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  if (!game || !fs::exists(std::string(game) + "/content/world")) GTEST_SKIP() << "not built";
  const auto start = std::chrono::steady_clock::now();
  ContentLint media(game, ContentLint::Options{true});
  EXPECT_EQ(Join(media.CheckLevelText(largestText, largestEpisode, largestLevel)), "");
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  RecordProperty("largest_level_lint_ms", int(ms));
  std::printf("one-level lint of level %d:%d (%zu bytes) in the game folder: %lld ms\n",
              largestEpisode, largestLevel, largest, static_cast<long long>(ms));
}

}  // namespace
