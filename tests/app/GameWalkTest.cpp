// The whole game walked by scripts, headless, as a player would: the screens each run passes
// through (its trace), a clean exit and what the store holds afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

std::string Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Finished {
  int exitCode = -1;
  std::string out, err;
};

// Runs a program in a folder with the data folder given, its output caught in `logs`.
Finished RunProgram(const std::string& folder, const std::vector<std::string>& argv,
                    const std::string& data, const std::string& logs) {
  const std::string out = logs + "/out.txt", err = logs + "/err.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(120);
    setenv("KALODRUS3_DATA", data.c_str(), 1);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) _exit(122);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  Finished f;
  f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  f.out = ReadAll(out);
  f.err = ReadAll(err);
  return f;
}

std::string ScriptPath(const std::string& name) {
  return Env("KALODRUS_SOURCE_DIR", ".") + "/tests/app/walk/" + name;
}

// The game played by a script with frames of 100 ms (the longest frame the game counts); a
// frame budget guards against a script that loses its way.
Finished Walk(const std::string& data, const std::string& script, const std::string& logs) {
  return RunProgram(Env("KALODRUS_GAME_DIR", "build/game"),
                    {"./kalodrus3", "/wn", "/4x3", "--fixed-step", "50", "--seed", "7", "--frames",
                     "9000", "--trace", "--script", ScriptPath(script)},
                    data, logs);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What `kcontent save show --check` says of the data folder.
Finished ShowSave(const std::string& data, const std::string& logs) {
  return RunProgram(
      ".", {Env("KALODRUS_BIN_DIR", "build/bin") + "/kcontent", "save", "show", data, "--check"},
      data, logs);
}

// The store after the campaign's first two levels were won by one casual player (and the
// castle they lead to was seen).
void ExpectTwoLevelsWon(const std::string& data, const std::string& logs) {
  const Finished shown = ShowSave(data, logs);
  EXPECT_EQ(shown.exitCode, 0) << shown.out << shown.err;
  const std::string& report = shown.out;
  EXPECT_NE(report.find("check: every file would be used"), std::string::npos) << report;
  EXPECT_NE(report.find("difficulty 1 (casual)"), std::string::npos) << report;
  // A new game started, and the castle explained on its first visit after 1:1's stars.
  EXPECT_NE(report.find("options 0x08000101"), std::string::npos) << report;
  for (const char* level : {"level 1-1: ", "level 1-2: "}) {
    const size_t at = report.find(level);
    ASSERT_NE(at, std::string::npos) << report;
    const std::string line = report.substr(at, report.find('\n', at) - at);
    EXPECT_NE(line.find("finished"), std::string::npos) << line;
  }
  size_t players = 0;
  for (const std::string& line : Lines(report)) {
    players += line.starts_with("  slot ") && line.find(": \"") != std::string::npos;
  }
  EXPECT_EQ(players, 1u) << report;
}

std::vector<std::string> Trace(const Finished& run) {
  std::vector<std::string> trace;
  for (const std::string& line : Lines(run.out)) {
    if (line.starts_with("mode ") || line == "quit") trace.push_back(line);
  }
  return trace;
}

}  // namespace

TEST(GameWalk, ScriptFaultsEndTheRunWithTheirLine) {
  TempDir data, logs;
  const std::string bad = logs.Path() + "/bad.txt";
  std::ofstream(bad) << "1 move 0,0\n2 wave\n";
  const std::string game = Env("KALODRUS_GAME_DIR", "build/game");
  Finished run =
      RunProgram(game, {"./kalodrus3", "/wn", "--script", bad}, data.Path(), logs.Path());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("bad.txt, line 2: no action is called \"wave\""), std::string::npos)
      << run.err;

  // An expectation that does not hold ends the run at once, naming its line.
  std::ofstream(bad) << "# the splash comes first\n0 expect mode:ModeStage\n";
  run = RunProgram(game, {"./kalodrus3", "/wn", "--frames", "2000", "--script", bad, "--trace"},
                   data.Path(), logs.Path());
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("script line 2: expected the screen ModeStage, but it is ModeSplash"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(Trace(run), std::vector<std::string>{"mode ModeSplash 1:1"});
}

// One player's first evening, in one data folder: a new game through the difficulty choice
// and the first comic into level 1:1, played by the bot, its result, the castle the result
// leads to and the map; level 1:2 won by the cheat word; back through the map to the menu and
// out. Then the same player comes back to the map and leaves again. Then a level left through
// the in-game menu is continued at the program's next start. Every run ends by the menu's
// exit question and leaves the same player's store: casual, a new game started, both levels
// finished.
TEST(GameWalk, ANewPlayerAReturningPlayerAndALevelContinuedAtTheNextStart) {
  TempDir data, logs;
  const Finished first = Walk(data.Path(), "new_player.txt", logs.Path());
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(Trace(first), (std::vector<std::string>{
                              "mode ModeSplash 1:1", "mode ModeMenu 1:1", "mode ModeComics 1:1",
                              "mode ModeGame 1:1", "mode ModeCastle 1:2", "mode ModeStage 0:0",
                              "mode ModeGame 1:2", "mode ModeCastle 1:3", "mode ModeStage 0:0",
                              "mode ModeMenu 0:0", "quit"}));
  ExpectTwoLevelsWon(data.Path(), logs.Path());

  const Finished back = Walk(data.Path(), "returning_player.txt", logs.Path());
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(Trace(back),
            (std::vector<std::string>{"mode ModeSplash 1:1", "mode ModeMenu 1:1",
                                      "mode ModeStage 0:0", "mode ModeMenu 0:0", "quit"}));
  ExpectTwoLevelsWon(data.Path(), logs.Path());

  const Finished left = Walk(data.Path(), "level_left.txt", logs.Path());
  ASSERT_EQ(left.exitCode, 0) << left.err;
  EXPECT_EQ(Trace(left),
            (std::vector<std::string>{"mode ModeSplash 1:1", "mode ModeMenu 1:1",
                                      "mode ModeStage 0:0", "mode ModeGame 1:3",
                                      "mode ModeStage 0:0", "mode ModeMenu 0:0", "quit"}));
  ExpectTwoLevelsWon(data.Path(), logs.Path());
  const Finished shown = ShowSave(data.Path(), logs.Path());
  EXPECT_NE(shown.out.find("saved level 1-3"), std::string::npos) << shown.out;

  const Finished continued = Walk(data.Path(), "level_continued.txt", logs.Path());
  ASSERT_EQ(continued.exitCode, 0) << continued.err;
  EXPECT_EQ(Trace(continued), (std::vector<std::string>{"mode ModeSplash 1:1", "mode ModeMenu 1:1",
                                                        "mode ModeGame 1:3", "mode ModeStage 0:0",
                                                        "mode ModeMenu 0:0", "quit"}));
  ExpectTwoLevelsWon(data.Path(), logs.Path());
}

// A player without a mouse: Enter on the menu, the arrows on the difficulty pictures, Escape
// through the comic, and in level 1:1 only Tab and Enter, pressed in turn until the level is
// won and its result dialog's main button taken: the castle and the map follow, and the store
// holds the level finished with its stars.
TEST(GameWalk, AKeyboardPlayerWinsTheFirstLevelWithoutTheMouse) {
  TempDir data, logs;
  const Finished run = Walk(data.Path(), "keys_only.txt", logs.Path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Trace(run), (std::vector<std::string>{"mode ModeSplash 1:1", "mode ModeMenu 1:1",
                                                   "mode ModeComics 1:1", "mode ModeGame 1:1",
                                                   "mode ModeCastle 1:2", "mode ModeStage 0:0",
                                                   "mode ModeMenu 0:0", "quit"}));
  const Finished shown = ShowSave(data.Path(), logs.Path());
  EXPECT_NE(shown.out.find("difficulty 1 (casual)"), std::string::npos) << shown.out;
  const size_t at = shown.out.find("level 1-1: ");
  ASSERT_NE(at, std::string::npos) << shown.out;
  const std::string line = shown.out.substr(at, shown.out.find('\n', at) - at);
  EXPECT_NE(line.find("finished"), std::string::npos) << line;
  EXPECT_EQ(line.find(" 0 stars"), std::string::npos) << line;
}
