// Runs the built game as a person would, headless: a number of frames, then exit.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "base/DataFiles.h"
#include "progress/PlayerProfiles.h"
#include "support/Picture.h"
#include "support/TempDir.h"

namespace {

std::string GameDir() {
  const char* dir = std::getenv("KALODRUS_GAME_DIR");
  return dir ? dir : "build/game";
}

// Starts the game in its folder with the data folder given; returns the process id.
pid_t StartGame(const std::string& dataFolder, const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(GameDir().c_str()) != 0) _exit(120);
    setenv("KALODRUS3_DATA", dataFolder.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>("./kalodrus3")};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(121);
  }
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

// Share of pixels that differ clearly between two pictures of one size.
double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1.0;
  size_t differ = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) >
        60) {
      ++differ;
    }
  }
  return double(differ) / double(a.size() / 4);
}

}  // namespace

TEST(GameRun, TheFirstPictureThenTheLoadingScreenOverTheNext) {
  TempDir data;
  std::vector<std::vector<uint8_t>> frames;
  for (int n : {10, 200, 260}) {
    const std::string shot = data.Path() + "/f" + std::to_string(n) + ".png";
    ASSERT_EQ(
        WaitExit(StartGame(data.Path(), {"/wn", "--stay-loading", "--frames", std::to_string(n),
                                         "--fixed-step", "16", "--screenshot", shot})),
        0);
    Picture picture;
    ASSERT_TRUE(ReadPng(shot, picture));
    frames.push_back(std::move(picture.rgba));
  }
  // A picture is up at once: most of the screen is not black.
  size_t lit = 0;
  for (size_t i = 0; i < frames[0].size(); i += 4)
    lit += frames[0][i] + frames[0][i + 1] + frames[0][i + 2] > 60;
  EXPECT_GT(double(lit) / double(frames[0].size() / 4), 0.9);
  // Later another picture shows, and the loading bands scroll over it.
  EXPECT_GT(Difference(frames[0], frames[1]), 0.3);
  const double moved = Difference(frames[1], frames[2]);
  EXPECT_GT(moved, 0.005);
  EXPECT_LT(moved, 0.3);
}

TEST(GameRun, RunsAGivenNumberOfFramesAndWritesTheLastOne) {
  TempDir data;
  const std::string shot = data.Path() + "/last.png";
  const pid_t pid =
      StartGame(data.Path(), {"/wn", "--frames", "20", "--fixed-step", "16", "--screenshot", shot});
  ASSERT_EQ(WaitExit(pid), 0);
  std::ifstream png(shot, std::ios::binary);
  ASSERT_TRUE(png.good());
  char signature[8] = {};
  png.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");

  // The first start made a player whose difficulty is still to be chosen in the menu.
  base::SetDataFolder(data.Path());
  const auto payload = base::LoadDataPacked("1\\Progress", false);
  base::SetDataFolder("");
  ASSERT_TRUE(payload.has_value());
  const std::optional<Progress> progress = DecodeProgress(*payload);
  ASSERT_TRUE(progress.has_value());
  EXPECT_EQ(*progress, Progress()) << "difficulty " << int(progress->difficulty);
}

TEST(GameRun, ASecondCopyExitsAtOnceWhileTheFirstRuns) {
  TempDir data;
  const pid_t first = StartGame(data.Path(), {"/wn", "--frames", "100000"});
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  int status = 0;
  ASSERT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first copy ended early";

  const auto start = std::chrono::steady_clock::now();
  const pid_t second = StartGame(data.Path(), {"/wn", "--frames", "100000"});
  EXPECT_EQ(WaitExit(second), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first copy must still run";

  // Closing the first copy (SDL turns the termination signal into a quit) ends it cleanly.
  kill(first, SIGTERM);
  EXPECT_EQ(WaitExit(first), 0);
}

TEST(GameRun, MalformedOptionsAreReported) {
  TempDir data;
  EXPECT_EQ(WaitExit(StartGame(data.Path(), {"--frames", "many"})), 2);
}

namespace {

// Pixels of a rectangle (in fractions of the frame) that pass a test.
template <class Test>
int CountPixels(const Picture& p, double fx0, double fy0, double fx1, double fy1, Test test) {
  int n = 0;
  for (int y = int(fy0 * p.height); y < int(fy1 * p.height); ++y) {
    for (int x = int(fx0 * p.width); x < int(fx1 * p.width); ++x) n += test(p.At(x, y));
  }
  return n;
}

// The frame of a headless run of the game with these extra options.
bool RunAndShoot(const TempDir& data, const std::string& name, int frames,
                 std::vector<std::string> options, Picture& picture) {
  const std::string shot = data.Path() + "/" + name + ".png";
  std::vector<std::string> args{"/wn",          "/4x3", "--frames",     std::to_string(frames),
                                "--fixed-step", "16",   "--screenshot", shot};
  args.insert(args.end(), options.begin(), options.end());
  return WaitExit(StartGame(data.Path(), args)) == 0 && ReadPng(shot, picture);
}

}  // namespace

namespace {

// The first level's opening in clicks (frame:x,y in virtual units): start in the briefing,
// continue under the story message, skip the chief's bubble.
const std::vector<std::string> kOpening{"--click",    "620:120,-260", "--click",
                                        "680:0,-197", "--click",      "740:280,-325"};

std::vector<std::string> Opening(std::vector<std::string> more) {
  std::vector<std::string> args{"--level", "1:1"};
  args.insert(args.end(), kOpening.begin(), kOpening.end());
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

}  // namespace

TEST(GameRun, TheFirstLevelOpensWithItsPromptAndMenuThenAClickedObstacleGetsAWorkTimer) {
  TempDir data;
  Picture prompt, working, idle;
  ASSERT_TRUE(RunAndShoot(data, "prompt", 780, Opening({}), prompt));
  // "Click to start" in white letters under the middle of the screen; the menu button's
  // wooden disc in the upper left corner, where the grass would be green.
  const auto white = [](const uint8_t* c) { return c[0] > 225 && c[1] > 225 && c[2] > 225; };
  const auto wood = [](const uint8_t* c) { return c[0] > 120 && c[0] > c[1] + 20 && c[2] < 110; };
  EXPECT_GT(CountPixels(prompt, 0.35, 0.72, 0.65, 0.80, white), 150);
  EXPECT_GT(CountPixels(prompt, 0.0, 0.0, 0.06, 0.08, wood), 300);

  // The fallen tree at (-300, -190): a click on its way sends a worker, and its work timer,
  // a green bar, shows over the tree while the worker works; without the click no bar.
  ASSERT_TRUE(RunAndShoot(data, "working", 980,
                          Opening({"--click", "800:0,0", "--click", "820:-300,-215"}), working));
  ASSERT_TRUE(RunAndShoot(data, "idle", 980, Opening({"--click", "800:0,0"}), idle));
  // The bar's band above the tree: virtual (-300 +- 40, -151..-160) on the 800 x 600 frame,
  // the bar's own rows (the object's information window beside it must not count).
  const auto band = [](const Picture& p) {
    std::vector<uint8_t> out;
    for (int y = int(0.697 * p.height); y < int(0.709 * p.height); ++y) {
      for (int x = int(0.16 * p.width); x < int(0.24 * p.width); ++x) {
        out.insert(out.end(), p.At(x, y), p.At(x, y) + 4);
      }
    }
    return out;
  };
  EXPECT_GT(Difference(band(working), band(idle)), 0.3);
}

// The frame at which the bot's expert run of 1:1 shows its win dialog (frames of 50 ms, the
// later --fixed-step winning), and the band of the dialog's three stars on the 4:3 frame
// (fractions of the picture).
constexpr int kWonFrame = 4480;
constexpr double kStarX0 = 0.39, kStarW = 0.078, kStarY0 = 0.24, kStarY1 = 0.33;

TEST(GameRun, TheBotWinsTheFirstLevelInExpertAndTheStoreKeepsWhatTheWinDialogShows) {
  TempDir data;
  Picture won;
  ASSERT_TRUE(
      RunAndShoot(data, "won", kWonFrame,
                  {"--level", "1:1", "--difficulty", "2", "--bot", "--fixed-step", "50"}, won));
  base::SetDataFolder(data.Path());
  PlayerProfiles profiles;
  profiles.Load("en", u"Tester");
  base::SetDataFolder("");
  const LevelRecord& record = profiles.progress.Record(1, 1);
  EXPECT_EQ(record.stars, 3);
  EXPECT_NE(record.flags & LevelRecord::kFinished, 0);
  EXPECT_GT(record.time, 0);
  EXPECT_LE(record.time, 160) << "within the gold time";
  EXPECT_GE(record.bestScore, 7000) << "the gold medal's points and more";
  EXPECT_EQ(profiles.progress.totalScore, record.bestScore);
  // The level's record table holds the same score for the player.
  const RecordTable& table = profiles.records.Level(1, 1);
  const bool listed =
      std::any_of(table.entries.begin(), table.entries.end(), [&](const RecordEntry& e) {
        return e.Name() == profiles.CurrentName() && e.score == record.bestScore;
      });
  EXPECT_TRUE(listed);
  // Three gold stars at full brightness in the win dialog's star row.
  const auto gold = [](const uint8_t* c) {
    return c[0] > 235 && c[1] > 180 && c[1] < 235 && c[2] < 90;
  };
  EXPECT_GT(CountPixels(won, kStarX0, kStarY0, kStarX0 + kStarW, kStarY1, gold), 60);
  EXPECT_GT(CountPixels(won, kStarX0 + kStarW, kStarY0, kStarX0 + 2 * kStarW, kStarY1, gold), 60);
  EXPECT_GT(CountPixels(won, kStarX0 + 2 * kStarW, kStarY0, kStarX0 + 3 * kStarW, kStarY1, gold),
            60);
}

TEST(GameRun, TheChiefSpeaksFromTheLeftAndTheWorkerAnswersFromTheRight) {
  TempDir data;
  Picture chief, worker;
  const std::vector<std::string> toBubble{"--level",      "1:1",     "--click",
                                          "620:120,-260", "--click", "680:0,-197"};
  ASSERT_TRUE(RunAndShoot(data, "chief", 740, toBubble, chief));
  std::vector<std::string> answered = toBubble;
  answered.insert(answered.end(), {"--click", "740:60,-325"});  // continue
  ASSERT_TRUE(RunAndShoot(data, "worker", 800, answered, worker));
  // The figures stand on the bottom edge: the chief (kind 4) in the lower left corner, the
  // worker (kind 5) in the lower right one, above and beside the bubble.
  const auto region = [](const Picture& p, double fx0, double fy0, double fx1, double fy1) {
    std::vector<uint8_t> out;
    for (int y = int(fy0 * p.height); y < int(fy1 * p.height); ++y) {
      for (int x = int(fx0 * p.width); x < int(fx1 * p.width); ++x) {
        out.insert(out.end(), p.At(x, y), p.At(x, y) + 4);
      }
    }
    return out;
  };
  EXPECT_GT(
      Difference(region(chief, 0.68, 0.60, 0.76, 0.72), region(worker, 0.68, 0.60, 0.76, 0.72)),
      0.5)
      << "the worker stands at the right";
  EXPECT_GT(Difference(region(chief, 0.1, 0.60, 0.2, 0.74), region(worker, 0.1, 0.60, 0.2, 0.74)),
            0.3)
      << "the chief has left the left side";
}
