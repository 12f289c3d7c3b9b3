// Runs the built game as a person would, headless: a number of frames, then exit.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"

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

}  // namespace

TEST(GameRun, RunsAGivenNumberOfFramesAndWritesTheLastOne) {
  TempFolder data;
  const std::string shot = data.path() + "/last.png";
  const pid_t pid = StartGame(data.path(), {"/wn", "--frames", "20", "--fixed-step", "16",
                                            "--screenshot", shot});
  ASSERT_EQ(WaitExit(pid), 0);
  std::ifstream png(shot, std::ios::binary);
  ASSERT_TRUE(png.good());
  char signature[8] = {};
  png.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

TEST(GameRun, ASecondCopyExitsAtOnceWhileTheFirstRuns) {
  TempFolder data;
  const pid_t first = StartGame(data.path(), {"/wn", "--frames", "100000"});
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  int status = 0;
  ASSERT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first copy ended early";

  const auto start = std::chrono::steady_clock::now();
  const pid_t second = StartGame(data.path(), {"/wn", "--frames", "100000"});
  EXPECT_EQ(WaitExit(second), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first copy must still run";

  // Closing the first copy (SDL turns the termination signal into a quit) ends it cleanly.
  kill(first, SIGTERM);
  EXPECT_EQ(WaitExit(first), 0);
}

TEST(GameRun, MalformedOptionsAreReported) {
  TempFolder data;
  EXPECT_EQ(WaitExit(StartGame(data.path(), {"--frames", "many"})), 2);
}
