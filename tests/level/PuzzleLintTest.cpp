// The lint checks of the puzzles: the demo puzzles pass; damaged sets and outline files are
// reported, each for what is wrong; the built pictures are checked against their outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "content_check/ContentLint.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace leveltest;

namespace {

std::vector<std::string> PuzzleProblems(const std::string& game, bool media) {
  ContentLint lint(game, ContentLint::Options{media});
  lint.Run();
  std::vector<std::string> found;
  for (const std::string& p : lint.Problems())
    if (p.find("puzzle") != std::string::npos) found.push_back(p);
  return found;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& a,
              const std::string& b = {}) {
  return std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
    return p.find(a) != std::string::npos && p.find(b) != std::string::npos;
  });
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

// A copy of the demo content's game folder whose puzzle files a test rewrites.
class PuzzleCopy {
 public:
  PuzzleCopy() { fs::copy(DemoGame(), Game(), fs::copy_options::recursive); }
  std::string Game() const { return dir_.Path() + "/game"; }
  std::string Path(int p, const char* kind) const {
    return Game() + "/content/puzzles/puzzle_" + kind + "_" + std::to_string(p) + ".xml";
  }
  std::string Read(int p, const char* kind) const { return ReadText(Path(p, kind)); }
  void Write(int p, const char* kind, const std::string& text) const {
    WriteFile(Path(p, kind), text);
  }
  // Replaces the first occurrence of from in a puzzle file.
  void Replace(int p, const char* kind, const std::string& from, const std::string& to) const {
    std::string text = Read(p, kind);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    Write(p, kind, text);
  }

 private:
  TempDir dir_;
};

}  // namespace

TEST(PuzzleLintTest, TheDemoPuzzlesPassAndDamageIsNamed) {
  PuzzleCopy c;
  EXPECT_TRUE(PuzzleProblems(c.Game(), false).empty()) << Join(PuzzleProblems(c.Game(), false));

  // Puzzle 1: a link of 15, one that is not returned; puzzle 2: piece 4 missing from the
  // set and one twice; puzzle 3: an empty piece and only nine pieces; puzzle 4: a piece
  // moved away from its neighbours; puzzle 5 gone.
  c.Replace(1, "poly", R"(<piece links="2,6">)", R"(<piece links="2,6,15">)");
  c.Replace(1, "poly", R"(<piece links="3,7,1">)", R"(<piece links="3,7">)");
  c.Replace(2, "set", R"(<pic id="14")", R"(<pic id="13")");
  std::string poly3 = c.Read(3, "poly");
  const size_t second = poly3.find("<piece ", poly3.find("<piece ") + 1);
  const size_t secondEnd = poly3.find("</piece>", second) + 8;
  poly3.replace(second, secondEnd - second, R"(<piece links="1,3,7"/>)");
  poly3.erase(poly3.rfind("<piece "), poly3.rfind("</piece>") + 8 - poly3.rfind("<piece "));
  c.Write(3, "poly", poly3);
  c.Replace(4, "set", R"(<pic id="20" spr="pz4_10" cx="183")",
            R"(<pic id="20" spr="pz4_10" cx="150")");
  fs::remove(c.Path(5, "set"));
  fs::remove(c.Path(5, "poly"));

  const auto problems = PuzzleProblems(c.Game(), false);
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_1.xml: piece 1", "links 15, which is no other piece"))
      << Join(problems);
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_1.xml: piece 1", "piece 2 does not link it back"));
  EXPECT_TRUE(Mentions(problems, "puzzle_set_2.xml", "piece 3 (id 13) is there twice"));
  EXPECT_TRUE(Mentions(problems, "puzzle_set_2.xml", "no piece 4"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_3.xml", "9 pieces instead of 10"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_3.xml: piece 2", "at least three points"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_4.xml: piece 10", "does not fit piece 5"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_4.xml: piece 10", "does not fit piece 9"));
  EXPECT_TRUE(Mentions(problems, "no puzzle 5"));
  EXPECT_FALSE(Mentions(problems, "puzzle_poly_2.xml", "does not fit"))
      << "the first of two pieces 3 counts";
}

TEST(PuzzleLintTest, LinksThatNeverJoinEveryPieceMakeAPuzzleThatCannotBeCompleted) {
  PuzzleCopy c;
  // Pieces 5 and 10 cut off from the rest: their links only join each other.
  c.Replace(1, "poly", R"(<piece links="5,9,3">)", R"(<piece links="9,3">)");
  c.Replace(1, "poly", R"(<piece links="10,4">)", R"(<piece links="10">)");
  c.Replace(1, "poly", R"(<piece links="5,9">)", R"(<piece links="5">)");
  c.Replace(1, "poly", R"(<piece links="4,10,8">)", R"(<piece links="4,8">)");
  // And a piece whose outline folds back on itself.
  c.Replace(2, "poly", R"(<piece links="2,6"><point x="-52" y="80"/>)",
            R"(<piece links="2,6"><point x="-52" y="80"/><point x="40" y="-70"/>)"
            R"(<point x="-40" y="-70"/>)");
  // A piece of 600 points, one of them no number, and 20 links.
  std::string many = R"(<piece links="1,3,7,1,3,7,1,3,7,1,3,7,1,3,7,1,3,7,1,3">)";
  for (int i = 0; i < 600; ++i)
    many += "<point x=\"" + std::to_string(i % 7) + "\" y=\"" + std::to_string(i % 5) + "\"/>";
  many += R"(<point x="1e999" y="0"/></piece>)";
  std::string poly3 = c.Read(3, "poly");
  const size_t second = poly3.find("<piece ", poly3.find("<piece ") + 1);
  poly3.replace(second, poly3.find("</piece>", second) + 8 - second, many);
  c.Write(3, "poly", poly3);
  const auto problems = PuzzleProblems(c.Game(), false);
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_1.xml", "cannot be completed")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_3.xml: piece 2", "more than 512 points"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_3.xml", "piece 2: more than 16 links"));
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_2.xml: piece 1", "not star-shaped"));
}

// The built pictures: every outline runs along its sprite's opaque edge; an outline moved
// off the picture is reported.
TEST(PuzzleLintTest, BuiltPiecesHaveTheirOutlinesOnTheirOpaqueEdges) {
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  if (!game || !fs::exists(std::string(game) + "/content/atlases")) GTEST_SKIP() << "not built";
  TempDir dir;
  const std::string copy = dir.Path() + "/game";
  fs::create_directories(copy + "/content");
  for (const char* sub : {"atlases", "puzzles"})
    fs::copy(std::string(game) + "/content/" + sub, copy + "/content/" + sub,
             fs::copy_options::recursive);
  EXPECT_TRUE(PuzzleProblems(copy, true).empty()) << Join(PuzzleProblems(copy, true));

  const std::string poly = copy + "/content/puzzles/puzzle_poly_3.xml";
  std::string text = ReadText(poly);
  const std::string from = R"(<piece links="2,6"><point x="-52" y="80"/>)";
  const size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, from.size(), R"(<piece links="2,6"><point x="-40" y="68"/>)");
  WriteFile(poly, text);
  const auto problems = PuzzleProblems(copy, true);
  EXPECT_TRUE(Mentions(problems, "puzzle_poly_3.xml: piece 1",
                       "(-40, 68) is not on the sprite's opaque edge"))
      << Join(problems);
}
