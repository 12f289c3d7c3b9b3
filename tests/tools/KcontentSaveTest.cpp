// kcontent save show: the per-user files of a folder decoded, and --check naming every file
// the game would ignore on load.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/DataFiles.h"
#include "base/SingleInstance.h"
#include "kcontent/SaveCommand.h"
#include "progress/PlayerProfiles.h"
#include "support/TempDir.h"

namespace {

int RunTool(const std::string& args, std::string& output) {
  const std::string log = std::filesystem::temp_directory_path() /
                          ("kcontent-save-test-" + std::to_string(getpid()) + ".log");
  const std::string command =
      std::string("'" KCONTENT_EXE "' ") + args + " >'" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(log, std::ios::binary);
  output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::filesystem::remove(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const char* kSavedLevel =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<level episode=\"1\" level=\"2\" mode=\"0\" resources=\"4,5,6\" collected=\"1,0,0\" "
    "state=\"2\" game_time=\"65000\" commands=\"7\" >\n"
    "<object id=\"7\" class=\"3\" subclass=\"1\" pos=\"0,0\" size=\"8,8\" />\n"
    "<worker id=\"9\" tex=\"worker\" class=\"9\" pos=\"0,0\" size=\"32,32\" />\n"
    "</level>\n";

class KcontentSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::SetDataFolder(folder.Path());
    PlayerProfiles p;
    p.Load("en", u"alice");
    p.AddPlayer(u"bob");
    LevelRecord& r = p.progress.Record(1, 2);
    r.stars = 3;
    r.bestScore = 7500;
    r.time = 95;
    r.flags = LevelRecord::kFinished;
    p.progress.achievements = 1u | 1u << 21;
    p.progress.SetPuzzleCompleted(2);
    p.SaveProgress();
    p.SaveGame(kSavedLevel);
    p.records.total.Insert(u"bob", 300, 0, 1700000000);
    p.SaveRecords();
    p.ownLevels.Store("farm_by_the_river.xml", true, 2, 1, 140, 6100);
    p.ownLevels.Store("broken_bridge.xml", false, 0, -1, 0, 300);
    p.SaveOwnLevels();
  }
  void TearDown() override { base::SetDataFolder(""); }

  void Damage(const std::string& rel, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder / rel, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  TempDir folder;
};

}  // namespace

TEST_F(KcontentSaveTest, AGoodFolderIsShownWholeAndPassesTheCheck) {
  const SaveReport report = InspectSaveFolder(folder.Path());
  EXPECT_TRUE(report.ignored.empty());
  const std::string& t = report.text;
  EXPECT_TRUE(Has(t, "slot 1: \"alice\"\n")) << t;
  EXPECT_TRUE(Has(t, "slot 2: \"bob\"  (current)")) << t;
  EXPECT_TRUE(Has(t, "music volume 70, effects volume 100, flags 3")) << t;
  EXPECT_TRUE(Has(t, "level 1-2: 3 stars, best score 7500, time 95 s, finished")) << t;
  EXPECT_TRUE(Has(t, "achievements: 2 of 22 (0, 21)")) << t;
  EXPECT_TRUE(Has(t, "puzzle 2 done")) << t;
  EXPECT_TRUE(Has(t, "saved level 1-2, mode 0, state 2, play time 65 s, 1 objects, 1 workers"))
      << t;
  EXPECT_TRUE(Has(t, "commands 7")) << t;
  EXPECT_TRUE(Has(t, "1. 300  0 s  \"bob\"")) << t;
  EXPECT_TRUE(Has(t, "128 level tables alike")) << t;
  EXPECT_TRUE(Has(t, "2/OwnLevels:\n  broken_bridge.xml: not won, score 300, 1 plays\n"
                     "  farm_by_the_river.xml: won, 2 stars, medal 1, 140 s, score 6100, 1 plays"))
      << t;

  std::string out;
  EXPECT_EQ(RunTool("save show '" + folder.Path() + "' --check", out), 0) << out;
  EXPECT_TRUE(Has(out, "every file would be used")) << out;
}

TEST_F(KcontentSaveTest, DamagedFilesAreNamedAndFailTheCheck) {
  Damage("2/Progress.sav", {1, 2, 3});
  Damage("Settings.sav", {0x78, 0x9C, 0, 0, 0, 0, 20, 0, 0, 0});
  base::SaveDataPacked("2\\Game", std::vector<uint8_t>{'<', 'l', 'e', 'v'}, false);
  std::vector<uint8_t> tables(41280, 0);
  for (size_t i = 0; i < 48; ++i) tables[40960 + 16 + i] = 'w';  // a name without its zero
  base::SaveDataPacked("HiScores", tables, false);
  base::SaveDataPacked("Profiles", std::vector<uint8_t>{7, 0, 1, 0, 'a', 0, 1, 0, 'b', 0}, false);
  std::string out;
  EXPECT_EQ(RunTool("save show '" + folder.Path() + "' --check", out), 1) << out;
  EXPECT_TRUE(Has(out, "Settings:\n  ignored on load")) << out;
  EXPECT_TRUE(Has(out, "2/Progress:\n  ignored on load")) << out;
  EXPECT_TRUE(Has(out, "2/Game:\n  ignored on load: the saved level cannot be read")) << out;
  EXPECT_TRUE(Has(out, "check: 3 file(s) would be ignored")) << out;
  EXPECT_TRUE(Has(out, "current slot 8 read as 1")) << out;
  EXPECT_TRUE(Has(out, "names without their closing zero")) << out;
  EXPECT_EQ(RunTool("save show '" + folder.Path() + "'", out), 0) << out;

  // With bob deleted his damaged files no longer count.
  base::SaveDataPacked("Profiles", std::vector<uint8_t>{0, 0, 1, 0, 'a', 0}, false);
  const SaveReport report = InspectSaveFolder(folder.Path());
  EXPECT_EQ(report.ignored.size(), 1u) << report.text;
  EXPECT_TRUE(Has(report.text, "slot 2: no player; Progress, Game left by a deleted player"))
      << report.text;
  EXPECT_EQ(RunTool("save show '" + folder.Path() + "/none' --check", out), 1) << out;
  EXPECT_EQ(RunTool("save show a b", out), 2) << out;
}

TEST(KcontentSaveSet, PreparesAProgressAndRefusesBadItemsWithoutWriting) {
  TempDir folder;
  std::string out;
  ASSERT_EQ(RunTool("save set '" + folder.Path() +
                        "' record:2:3=stars2,finished,piece,dev,score=900,time=75 option:12 "
                        "last:2:3 difficulty:2 achievement:21",
                    out),
            0)
      << out;
  base::SetDataFolder(folder.Path());
  {
    PlayerProfiles p;
    p.Load("en", u"alice");
    const LevelRecord& r = p.progress.Record(2, 3);
    EXPECT_EQ(r.stars, 2);
    EXPECT_EQ(r.flags,
              LevelRecord::kFinished | LevelRecord::kPuzzlePiece | LevelRecord::kDeveloperBeaten);
    EXPECT_EQ(r.bestScore, 900);
    EXPECT_EQ(r.time, 75);
    EXPECT_EQ(p.progress.totalScore, 900);
    EXPECT_EQ(p.progress.options, 1u << 12);
    EXPECT_EQ(p.progress.lastEpisode, 1);
    EXPECT_EQ(p.progress.lastLevel, 2);
    EXPECT_EQ(p.progress.difficulty, Difficulty::Expert);
    EXPECT_TRUE(p.progress.HasAchievement(21));
  }
  base::SetDataFolder("");
  for (const char* bad :
       {"record:0:1=finished", "record:1:12=finished", "record:1:1=stars7", "last:9:1", "option:32",
        "achievement:22", "difficulty:3", "nothing", "record:1:1=finished,wings"}) {
    EXPECT_EQ(RunTool("save set '" + folder.Path() + "' option:5 " + bad, out), 2) << bad;
  }
  // The comfort settings: sizes taken as the nearest offered, words combined, and anything
  // else refused without a change.
  Settings comfort;
  EXPECT_TRUE(ApplySettingsItem(comfort, "text:140"));
  EXPECT_EQ(comfort.textPercent, 150);
  EXPECT_TRUE(ApplySettingsItem(comfort, "pointer:120"));
  EXPECT_EQ(comfort.pointerPercent, 100);
  EXPECT_TRUE(ApplySettingsItem(comfort, "comfort:noshake,calm"));
  EXPECT_TRUE(comfort.Has(Settings::kNoShake));
  EXPECT_TRUE(comfort.Has(Settings::kCalmMotion));
  EXPECT_FALSE(comfort.Has(Settings::kSteadyMarks));
  const Settings before = comfort;
  for (const char* bad : {"comfort:steady,wobble", "text:", "text:0", "pointer:x", "size:150"}) {
    EXPECT_FALSE(ApplySettingsItem(comfort, bad)) << bad;
  }
  EXPECT_EQ(comfort.comfort, before.comfort);
  EXPECT_EQ(comfort.textPercent, before.textPercent);
  EXPECT_EQ(RunTool("save set '" + folder.Path() + "' text:125 comfort:steady", out), 0);
  base::SetDataFolder(folder.Path());
  {
    PlayerProfiles stored;
    stored.Load("en", u"alice");
    EXPECT_EQ(stored.settings.textPercent, 125);
    EXPECT_TRUE(stored.settings.Has(Settings::kSteadyMarks));
  }
  base::SetDataFolder("");
  Progress p;
  EXPECT_FALSE(ApplySaveItem(p, "last:-5:1"));
  EXPECT_EQ(p, Progress{}) << "a refused item leaves the progress alone";
  base::SetDataFolder(folder.Path());
  PlayerProfiles again;
  again.Load("en", u"alice");
  EXPECT_EQ(again.progress.options, 1u << 12) << "nothing was written for the refused runs";
  base::SetDataFolder("");
}

TEST(KcontentSaveSet, RefusesWhileAGameHoldsTheFolder) {
  TempDir folder;
  std::string out;
  ASSERT_EQ(RunTool("save set '" + folder.Path() + "' option:5", out), 0) << out;
  {
    base::SingleInstance game;  // what a running game holds
    ASSERT_TRUE(game.Acquire(folder.Path()));
    EXPECT_EQ(RunTool("save set '" + folder.Path() + "' option:7", out), 1) << out;
    EXPECT_TRUE(out.find("the game is running") != std::string::npos) << out;
  }
  base::SetDataFolder(folder.Path());
  {
    PlayerProfiles p;
    p.Load("en", u"alice");
    EXPECT_EQ(p.progress.options, 1u << 5) << "the refused change was not written";
  }
  base::SetDataFolder("");
  EXPECT_EQ(RunTool("save set '" + folder.Path() + "' option:7", out), 0) << out;
}
