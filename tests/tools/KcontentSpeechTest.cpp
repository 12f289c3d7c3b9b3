// The checks of a level's speech script that kcontent lint reports.
#include <gtest/gtest.h>

#include "content_check/LevelSpeech.h"

namespace {

ScriptLine Line(int owner, SpeechLine line) {
  ScriptLine s;
  s.owner = owner;
  s.line = line;
  return s;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& part) {
  for (const std::string& p : problems) {
    if (p.find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST(KcontentSpeech, NamesThatPointNowhereAndLinesNothingWakes) {
  const std::vector<ScriptLine> lines{
      Line(0, {1, 1, 4, 0, 5, 0, 0}),      // the level's line wakes 5
      Line(5, {2, 1, 0, 4, 77, -16, 6}),   // notify 77 is no object
      Line(6, {3, 1, 0, 4, 0, 99, 6}),     // nobody notifies 6; target 99 is no object
      Line(7, {4, 1, 0, 2, 0, -4242, 6}),  // woken by work; no HUD control 4242
      Line(8, {5, 1, 0, 9, 0, INT32_MIN, 6})};
  const std::vector<std::string> problems = SpeechProblems(lines, {5, 6, 7, 8}, {16, 30});
  EXPECT_TRUE(Mentions(problems, "object 5: notify 77 names nothing"));
  EXPECT_FALSE(Mentions(problems, "object 5: target"));
  EXPECT_TRUE(Mentions(problems, "object 6: target 99 names nothing"));
  EXPECT_TRUE(Mentions(problems, "object 6: nothing can wake it"));
  EXPECT_FALSE(Mentions(problems, "object 5: nothing can wake"));
  EXPECT_FALSE(Mentions(problems, "object 7: nothing can wake"));
  EXPECT_TRUE(Mentions(problems, "object 7: target -4242 names nothing"));
  EXPECT_TRUE(Mentions(problems, "object 8: nothing can wake it"));
  EXPECT_TRUE(Mentions(problems, "object 8: target"));
  EXPECT_FALSE(Mentions(problems, "the level's line"));
}
