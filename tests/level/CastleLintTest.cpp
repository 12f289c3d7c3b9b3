// The lint check of the castle's part table, on small game folders of its own: the demo
// table is clean, and broken tables (too many parts, missing sprites, bad numbers and
// offsets, parts off the canvas) are reported by part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "content_check/ContentLint.h"

using namespace leveltest;

namespace {

std::vector<std::string> CastleLines(const std::vector<std::string>& lines) {
  std::vector<std::string> castle;
  for (const std::string& l : lines)
    if (l.find("castle_parts") != std::string::npos) castle.push_back(l);
  return castle;
}

bool Mentioned(const std::vector<std::string>& lines, const std::string& a, const std::string& b) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.find(a) != std::string::npos && l.find(b) != std::string::npos;
  });
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

}  // namespace

// Over the built game folder, whose atlases give the parts' sizes.
TEST(CastleLintTest, TheDemoCastleLiesOnItsCanvas) {
  const char* built = std::getenv("KALODRUS_GAME_DIR");
  ASSERT_NE(built, nullptr);
  ContentLint lint(built, ContentLint::Options{true});
  lint.Run();
  EXPECT_TRUE(CastleLines(lint.Problems()).empty()) << JoinLines(CastleLines(lint.Problems()));
  EXPECT_TRUE(CastleLines(lint.Warnings()).empty()) << JoinLines(CastleLines(lint.Warnings()));
}

TEST(CastleLintTest, BrokenPartTablesAreReportedByPart) {
  TempDir dir;
  const std::string game = dir.Path();
  WriteFile(game + "/content/atlases/atlas_castle.xml",
            "<Atlas name='atlas_castle'><Tex name='wall' rect='0,0,200,100'/>"
            "<Tex name='tower' rect='200,0,100,300'/></Atlas>");
  WriteFile(game + "/content/effects/castle_part.pyro", "x");
  std::string table = "<PartTable>\n";
  table += "<part name='wall' x='10' y='10'/>\n";                      // 1: fine
  table += "<part name='wall' x='1100' y='10'/>\n";                    // 2: 1100 + 200 > 1280
  table += "<part name='tower' x='0' y='500'/>\n";                     // 3: 500 + 300 > 768
  table += "<part name='gone' x='0' y='0' w='10' h='10'/>\n";          // 4: no such sprite
  table += "<part name='wall' x='12px' y='0'/>\n";                     // 5: not a number
  table += "<part name='wall' x='0' y='0' offset='3'/>\n";             // 6: offset of one number
  table += "<part name='wall' x='0' y='0' offset='1,2' effect='no_fx'/>\n";  // 7: no effect
  table += "<part name='' x='0' y='0'/>\n";                            // 8: no sprite named
  table += "<part name='wall' x='-20' y='0' w='40' h='40'/>\n";        // 9: left of the canvas
  for (int i = 10; i <= 47; ++i) table += "<part name='wall' x='0' y='0'/>\n";
  table += "</PartTable>\n";
  WriteFile(game + "/content/castle_parts.xml", table);

  ContentLint lint(game, ContentLint::Options{true});
  lint.Run();
  const std::vector<std::string> problems = CastleLines(lint.Problems());
  EXPECT_FALSE(Mentioned(problems, "part 1 ", "")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 2 (wall)", "outside the 1280 x 768 canvas")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 3 (tower)", "outside")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 4 (gone)", "gone")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 5 (wall)", "x is not a number")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 6 (wall)", "offset is not two numbers")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 7 (wall)", "no_fx")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 8 ()", "names no sprite")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(problems, "part 9 (wall)", "outside")) << JoinLines(problems);
  EXPECT_FALSE(Mentioned(problems, "part 10 ", "")) << JoinLines(problems);
  EXPECT_TRUE(Mentioned(CastleLines(lint.Warnings()), "part 46", "only the first 45"))
      << JoinLines(lint.Warnings());

  // A table that is missing or has the wrong root.
  WriteFile(game + "/content/castle_parts.xml", "<Parts/>");
  lint.Run();
  EXPECT_TRUE(Mentioned(lint.Problems(), "castle_parts.xml", "no PartTable root"));
}
