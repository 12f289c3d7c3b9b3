// kcontent campaign: tune measures a level with the bot and writes the medal rule's times into
// it without touching anything else; table --check refuses a README whose table is stale.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

int RunTool(const std::string& args, std::string& output) {
  const std::string log = fs::temp_directory_path() /
                          ("kcontent-campaign-test-" + std::to_string(getpid()) + ".log");
  const std::string command = std::string("'" KCONTENT_EXE "' ") + args + " >'" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(log, std::ios::binary);
  output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  fs::remove(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The text with the first attribute NAME set to VALUE.
std::string WithAttribute(std::string text, const std::string& name, const std::string& value) {
  const size_t at = text.find(" " + name + "=\"");
  if (at == std::string::npos) return text;
  const size_t from = at + name.size() + 3;
  return text.replace(from, text.find('"', from) - from, value);
}

// The text without the line that holds PART.
std::string WithoutLine(std::string text, const std::string& part) {
  const size_t at = text.find(part);
  if (at == std::string::npos) return text;
  const size_t begin = text.rfind('\n', at) + 1, end = text.find('\n', at);
  return text.erase(begin, end - begin + 1);
}

// A game folder of links to the built one, with its own levels folder and records table, so
// that the tool writes only into copies.
class CampaignFolder {
 public:
  CampaignFolder() {
    const fs::path game = KALODRUS_GAME_DIR;
    for (const auto& entry : fs::directory_iterator(game)) {
      if (entry.path().filename() != "content") {
        fs::create_symlink(entry.path(), fs::path(dir.Path()) / entry.path().filename());
      }
    }
    const fs::path content = fs::path(dir.Path()) / "content";
    fs::create_directories(content);
    for (const auto& entry : fs::directory_iterator(game / "content")) {
      const auto name = entry.path().filename();
      if (name != "levels" && name != "tables") fs::create_symlink(entry.path(), content / name);
    }
    fs::copy(game / "content" / "tables", content / "tables");
    fs::create_directories(content / "levels");
  }
  std::string Level(const std::string& name) {
    const std::string to = dir / ("content/levels/" + name);
    fs::copy_file(fs::path(KALODRUS_GAME_DIR) / "content/levels" / name, to);
    return to;
  }
  std::string Records() const { return dir / "content/tables/dev_records.xml"; }
  const std::string& Path() const { return dir.Path(); }

 private:
  TempDir dir;
};

TEST(KcontentCampaignTest, TuneWritesTheRulesTimesAndNothingElse) {
  CampaignFolder game;
  const std::string level = game.Level("level_01_03.xml");
  const std::string shipped = Read(level);
  const std::string shippedRecords = Read(game.Records());
  // Times far off, and the developers' row of the level gone.
  Write(level, WithAttribute(WithAttribute(WithAttribute(shipped, "time_easy", "7"), "time_norm", "7"),
                             "time_hard", "7"));
  Write(game.Records(), WithoutLine(shippedRecords, "<Record level=\"103\""));
  ASSERT_NE(Read(game.Records()), shippedRecords);

  std::string out;
  ASSERT_EQ(RunTool("campaign tune '" + level + "' --write", out), 0) << out;
  EXPECT_NE(out.find("{\"level\":\"1:3\",\"casual_won\":true"), std::string::npos) << out;
  // The shipped times are the rule's: tuning gives the shipped file back byte for byte, and
  // the row goes back in (before the table's end, where the tool adds missing rows).
  EXPECT_EQ(Read(level), shipped);
  EXPECT_NE(Read(game.Records()).find("<Record level=\"103\" score=\""), std::string::npos);
  EXPECT_FALSE(fs::exists(level + ".tmp"));

  // Without --write nothing is written.
  Write(level, WithAttribute(shipped, "time_hard", "7"));
  ASSERT_EQ(RunTool("campaign tune '" + level + "'", out), 0) << out;
  EXPECT_NE(Read(level).find("time_hard=\"7\""), std::string::npos);
}

TEST(KcontentCampaignTest, BadArgumentsAndLevelsAreRefused) {
  CampaignFolder game;
  std::string out;
  EXPECT_EQ(RunTool("campaign", out), 2);
  EXPECT_EQ(RunTool("campaign tune", out), 2);
  EXPECT_EQ(RunTool("campaign tune x.xml --fast", out), 2);
  EXPECT_EQ(RunTool("campaign table", out), 2);
  EXPECT_EQ(RunTool("campaign tune '" + game.Path() + "/content/levels/level_01_01.xml'", out), 1);
  const std::string broken = game.Path() + "/content/levels/level_01_02.xml";
  Write(broken, "<level episode=\"1\"");
  EXPECT_EQ(RunTool("campaign tune '" + broken + "' --write", out), 1) << out;
  EXPECT_EQ(Read(broken), "<level episode=\"1\"");
}

TEST(KcontentCampaignTest, TheTableCheckRefusesAReadmeWithoutOrWithAStaleTable) {
  CampaignFolder game;
  game.Level("level_01_01.xml");
  game.Level("level_01_02.xml");
  TempDir docs;
  const std::string readme = docs / "README.md";
  std::string out;

  Write(readme, "# A game\n");
  EXPECT_EQ(RunTool("campaign table '" + game.Path() + "' --readme '" + readme + "'", out), 1);
  EXPECT_EQ(Read(readme), "# A game\n");

  Write(readme, "before\n<!-- campaign-table:begin -->\nold\n<!-- campaign-table:end -->\nafter\n");
  EXPECT_EQ(RunTool("campaign table '" + game.Path() + "' --check '" + readme + "'", out), 1);
  EXPECT_NE(out.find("is not the one measured"), std::string::npos) << out;

  ASSERT_EQ(RunTool("campaign table '" + game.Path() + "' --readme '" + readme + "'", out), 0);
  const std::string written = Read(readme);
  EXPECT_EQ(written.rfind("before\n<!-- campaign-table:begin -->\n| Level |", 0), 0u) << written;
  EXPECT_NE(written.find("| 1:1 |"), std::string::npos);
  EXPECT_NE(written.find("| 1:2 |"), std::string::npos);
  EXPECT_NE(written.find("<!-- campaign-table:end -->\nafter\n"), std::string::npos);
  EXPECT_EQ(RunTool("campaign table '" + game.Path() + "' --check '" + readme + "'", out), 0)
      << out;
  EXPECT_NE(out.find("2 levels, 0 problems"), std::string::npos) << out;
}

}  // namespace
