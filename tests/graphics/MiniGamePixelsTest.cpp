// A mini-game as a player sees it: kview plays the pipes' test level headless through real
// OpenGL. Before play no tile shows water; after a few seconds of the bot's turning, the
// tiles the ball has rolled through show the blue of their "_fill" pictures, the first one
// among them, and the hero stands drawn at its base.
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Picture.h"

namespace fs = std::filesystem;

namespace {

constexpr float kWorldWidth = 1280;  // aspect mode 2 shows the whole world

std::string Env(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v ? v : fallback;
}

int RunKview(const std::vector<std::string>& args, const std::string& outFile) {
  std::vector<std::string> words{KVIEW_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string dir = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, 1) < 0) _exit(122);
    if (chdir(dir.c_str()) != 0) _exit(120);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    execv(argv[0], argv.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

struct Box {
  float x0, y0, x1, y1;
};

// Pixels of a world box that are water blue, and that differ from another picture.
struct Count {
  int pixels = 0, blue = 0, differing = 0;
};

Count CountIn(const Picture& p, const Picture* other, Box b) {
  Count c;
  const float scale = float(p.width) / kWorldWidth;
  for (int py = 0; py < p.height; ++py) {
    for (int px = 0; px < p.width; ++px) {
      const float x = (float(px) + 0.5f - float(p.width) / 2) / scale;
      const float y = (float(p.height) / 2 - float(py) - 0.5f) / scale;
      if (x < b.x0 || x > b.x1 || y < b.y0 || y > b.y1) continue;
      ++c.pixels;
      const uint8_t* a = p.At(px, py);
      if (a[2] > a[0] + 80 && a[2] > a[1] + 30) ++c.blue;
      if (other) {
        const uint8_t* o = other->At(px, py);
        if (std::abs(a[0] - o[0]) + std::abs(a[1] - o[1]) + std::abs(a[2] - o[2]) > 60) ++c.differing;
      }
    }
  }
  return c;
}

// The tile of a cell of the 4 x 3 grid (64 units a cell, the first centred at -96, 64),
// without its rim.
Box Cell(int cell) {
  const float x = -96.0f + 64.0f * float(cell % 4), y = 64.0f - 64.0f * float(cell / 4);
  return Box{x - 26, y - 26, x + 26, y + 26};
}

TEST(MiniGamePixelsTest, ThePipesFillWhereTheBallRolledAndTheHeroIsDrawn) {
  const std::string game = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  if (!fs::exists(game + "/content/levels/level_08_08.xml")) GTEST_SKIP() << "no game folder";
  const fs::path work = fs::temp_directory_path() / ("minigame_pixels_" + std::to_string(getpid()));
  fs::create_directories(work);
  const std::string ground = (work / "ground.png").string(), start = (work / "start.png").string(),
                    played = (work / "played.png").string(), log = (work / "log.txt").string();
  ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "1", "--screenshot", ground,
                      "texture:bg_e1_meadow"}, log), 0);
  ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "2", "--fixed-step", "50", "--screenshot",
                      start, "level:8:8"}, log), 0);
  // 5 s of play: the ball has left its first tiles, and the level is not over yet.
  ASSERT_EQ(RunKview({"--aspect", "2", "--bot", "--draw-last", "--frames", "100", "--fixed-step",
                      "50", "--screenshot", played, "level:8:8"}, log), 0);
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("goal "), std::string::npos) << "the ball entered no tile";
  Picture bare, first, last;
  ASSERT_TRUE(ReadPng(ground, bare) && ReadPng(start, first) && ReadPng(played, last));
  int filled = 0;
  for (int cell = 0; cell < 12; ++cell) {
    const Count before = CountIn(first, nullptr, Cell(cell));
    const Count after = CountIn(last, nullptr, Cell(cell));
    ASSERT_GT(before.pixels, 100);
    EXPECT_LT(before.blue, before.pixels / 50) << "cell " << cell << " holds water before play";
    if (after.blue > after.pixels / 20) ++filled;
    if (cell == 0) {
      EXPECT_GT(after.blue, after.pixels / 20) << "the first tile is not filled";
    }
  }
  EXPECT_GE(filled, 2);
  EXPECT_LE(filled, 7);
  // The hero at its base (0, -250), over the bare ground.
  const Count hero = CountIn(first, &bare, Box{-14, -250, 14, -214});
  EXPECT_GT(hero.differing, hero.pixels / 4) << hero.differing << " of " << hero.pixels;
  std::printf("%d tiles hold water; hero: %d of %d pixels over the ground\n", filled,
              hero.differing, hero.pixels);
  fs::remove_all(work);
}

}  // namespace
