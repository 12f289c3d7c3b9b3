// The castle, the record tables and the credits as kview draws them through real OpenGL over
// the built game folder, with the player's progress prepared by kcontent save set: what the
// frames show, pixel by pixel.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Picture.h"
#include "support/TempDir.h"

namespace {

std::string Env(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v ? v : fallback;
}

// Runs a program of the build in the game folder with the data folder given; its error
// output goes to errFile. Its exit code.
int RunProgram(const std::string& program, const std::vector<std::string>& args,
        const std::string& dataFolder, const std::string& errFile) {
  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string dir = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, 2) < 0 || dup2(fd, 1) < 0) _exit(122);
    if (chdir(dir.c_str()) != 0) _exit(120);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("KALODRUS3_DATA", dataFolder.c_str(), 1);
    execv(argv[0], argv.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class CampaignScreensPixelsTest : public ::testing::Test {
 protected:
  // Prepares the data folder with kcontent save set.
  void Prepare(const std::vector<std::string>& items) {
    std::vector<std::string> args{"save", "set", data.Path()};
    args.insert(args.end(), items.begin(), items.end());
    const std::string log = out.Path() + "/save.txt";
    ASSERT_EQ(RunProgram(Env("KALODRUS_BIN_DIR", "") + "/kcontent", args, data.Path(), log), 0)
        << FileText(log);
  }
  // The screen after frames of 25 ms, 1280 x 768 (aspect mode 2: the castle's whole canvas).
  void Shoot(const std::string& name, const std::string& item, int frames, Picture& shot) {
    const std::string file = out.Path() + "/" + name + ".png";
    const std::string log = out.Path() + "/" + name + ".txt";
    ASSERT_EQ(RunProgram(KVIEW_PATH,
                  {"--aspect", "2", "--fixed-step", "25", "--frames", std::to_string(frames),
                   "--screenshot", file, item},
                  data.Path(), log),
              0)
        << name << ": " << FileText(log);
    ASSERT_TRUE(ReadPng(file, shot)) << name;
  }
  // Pixels of a box (fractions of the picture) that pass a test.
  static int Count(const Picture& p, double fx0, double fy0, double fx1, double fy1,
                   const std::function<bool(const uint8_t*)>& test) {
    int n = 0;
    for (int y = int(fy0 * p.height); y < int(fy1 * p.height); ++y)
      for (int x = int(fx0 * p.width); x < int(fx1 * p.width); ++x) n += test(p.At(x, y));
    return n;
  }

  TempDir data, out;
};

bool Stone(const uint8_t* c) {
  return c[0] > 150 && c[1] > 130 && c[2] > 90 && c[0] > c[2] + 25 && c[0] - c[1] < 40;
}
bool Sky(const uint8_t* c) { return c[2] > c[0] + 40 && c[2] > 170; }
bool RoofRed(const uint8_t* c) { return c[0] > 150 && c[1] < 110 && c[2] < 90; }
bool Gold(const uint8_t* c) { return c[0] > 200 && c[1] > 150 && c[2] < 110; }

}  // namespace

// With the first four parts the foundations stand and the towers do not; with every level
// won the whole castle stands up to the golden sun, the newest part revealed at full alpha.
TEST_F(CampaignScreensPixelsTest, TheCastleShowsThePartsOfThreeStarLevels) {
  Prepare({"record:1:1=stars3", "record:1:2=stars3", "record:1:3=stars3", "record:1:4=stars3",
           "option:27"});
  Picture four;
  Shoot("castle4", "mode:castle", 130, four);
  std::vector<std::string> all{"option:27"};
  for (int e = 1; e <= 4; ++e)
    for (int l = 1; l <= 11; ++l) {
      char item[32];
      std::snprintf(item, sizeof item, "record:%d:%d=stars3", e, l);
      all.emplace_back(item);
    }
  all.emplace_back("record:5:11=stars3");
  Prepare(all);
  Picture whole;
  Shoot("castle45", "mode:castle", 130, whole);
  if (HasFatalFailure()) return;
  // The foundations (canvas y 612-656) in both; the left tower (x 270-400, y 394-614) only
  // in the whole castle: the backdrop's sky and hill stand there in the first.
  const double fy0 = 620.0 / 768, fy1 = 650.0 / 768;
  EXPECT_GT(Count(four, 0.2, fy0, 0.8, fy1, Stone), 10000);
  EXPECT_GT(Count(whole, 0.2, fy0, 0.8, fy1, Stone), 10000);
  const double tx0 = 280.0 / 1280, tx1 = 390.0 / 1280, ty0 = 400.0 / 768, ty1 = 600.0 / 768;
  EXPECT_LT(Count(four, tx0, ty0, tx1, ty1, Stone), 800);
  EXPECT_GT(Count(whole, tx0, ty0, tx1, ty1, Stone), 12000);
  // The red roof of that tower (y 262-366) and the golden sun at the top (x 604-676, y 0-72).
  EXPECT_GT(Count(whole, tx0, 300.0 / 768, tx1, 350.0 / 768, RoofRed), 2000);
  EXPECT_EQ(Count(four, tx0, 300.0 / 768, tx1, 350.0 / 768, RoofRed), 0);
  EXPECT_GT(Count(whole, 610.0 / 1280, 5.0 / 768, 670.0 / 1280, 68.0 / 768, Gold), 300);
  EXPECT_LT(Count(four, 610.0 / 1280, 5.0 / 768, 670.0 / 1280, 68.0 / 768, Gold), 50);
  EXPECT_GT(Count(four, tx0, 0.05, tx1, 0.3, Sky), 5000);
}

// The record tables of a level: the panel, the tabs, the arrows; the overall table hides the
// arrows, so their gold-brown discs are gone from the title's ends.
TEST_F(CampaignScreensPixelsTest, TheRecordTablesShowArrowsOnlyForALevel) {
  Prepare({"record:1:1=stars3"});
  Picture level, overall;
  Shoot("ratings", "mode:ratings:2:3", 20, level);
  Shoot("ratings_total", "mode:ratings:0:0", 20, overall);
  if (HasFatalFailure()) return;
  const auto orange = [](const uint8_t* c) {
    return c[0] > 190 && c[1] > 110 && c[1] < 210 && c[2] < 110;
  };
  // The left arrow's disc: virtual x -372..-316, y 264..208 on the 1280 x 768 screen.
  const double ax0 = (640 - 368) / 1280.0, ax1 = (640 - 320) / 1280.0;
  const double ay0 = (384 - 260) / 768.0, ay1 = (384 - 212) / 768.0;
  EXPECT_GT(Count(level, ax0, ay0, ax1, ay1, orange), 400);
  EXPECT_LT(Count(overall, ax0, ay0, ax1, ay1, orange), 40);
  // The parchment of the rows is drawn in both.
  const auto paper = [](const uint8_t* c) { return c[0] > 230 && c[1] > 215 && c[2] > 170; };
  EXPECT_GT(Count(level, 0.3, 0.4, 0.7, 0.6, paper), 20000);
  EXPECT_GT(Count(overall, 0.3, 0.4, 0.7, 0.6, paper), 20000);
}

// The credits: the evening sky, and after five seconds the crest in the middle and the title
// lines, light text on the dark hill at the bottom, centred.
TEST_F(CampaignScreensPixelsTest, TheCreditsScrollWhiteTextOverTheEveningSky) {
  Prepare({"record:1:1=stars1"});
  Picture start, later;
  Shoot("credits0", "mode:credits", 1, start);
  Shoot("credits", "mode:credits", 200, later);
  if (HasFatalFailure()) return;
  const auto white = [](const uint8_t* c) { return c[0] > 200 && c[1] > 200 && c[2] > 180; };
  const auto night = [](const uint8_t* c) { return c[2] > c[0] + 15 && c[0] < 120; };
  EXPECT_GT(Count(start, 0, 0, 1, 0.5, night), 200000);
  EXPECT_LT(Count(start, 0.3, 0.1, 0.7, 0.7, white), 200) << "nothing has come up yet";
  EXPECT_GT(Count(later, 0.35, 0.82, 0.65, 0.98, white), 800) << "the title lines";
  EXPECT_LT(Count(later, 0.0, 0.82, 0.3, 0.98, white), 30);
  EXPECT_LT(Count(later, 0.7, 0.82, 1.0, 0.98, white), 30);
  EXPECT_GT(Count(later, 0.42, 0.45, 0.58, 0.7, white), 1500) << "the crest's castle";
  EXPECT_LT(Count(start, 0.35, 0.82, 0.65, 0.98, white), 30);
}
