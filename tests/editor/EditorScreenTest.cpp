// The editor screen run as an author runs it, headless: shown by kview for screenshots, and
// driven by input scripts through the game (--edit, --edit-new, --script).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "EditorTestSupport.h"
#include "content_check/ContentLint.h"
#include "editor/EditorDocument.h"
#include "editor/LevelProof.h"
#include "support/Picture.h"

using namespace editortest;

namespace {

std::string Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

// Runs a program in the game folder with the data folder given; its exit code, with its
// output kept in `out`.
int RunProgram(const std::vector<std::string>& argv, const std::string& data,
               std::string* out = nullptr) {
  TempDir logs;
  const std::string log = logs / "out.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(Env("KALODRUS_GAME_DIR", "build/game").c_str()) != 0) _exit(120);
    setenv("KALODRUS3_DATA", data.c_str(), 1);
    const int o = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (o < 0 || dup2(o, 1) < 0 || dup2(o, 2) < 0) _exit(122);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (out) *out = ReadText(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

std::string Kview() { return Env("KALODRUS_BIN_DIR", "build/bin") + "/kview"; }

// Pixels of a region whose colour lies within `tolerance` of rgb on every channel.
int CountNear(const Picture& p, int x0, int y0, int x1, int y1, uint32_t rgb, int tolerance) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint32_t c = p.Colour(x, y);
      bool near = true;
      for (int shift : {0, 8, 16})
        near = near && std::abs(int((c >> shift) & 255) - int((rgb >> shift) & 255)) <= tolerance;
      n += near;
    }
  return n;
}

// Where the editor shows a level point in a 1280 x 720 virtual screen, as a script clicks it:
// the level fitted between the palette (220), the fields (270), the bar (40) and the status
// line (30).
std::string ScreenPoint(float x, float y) {
  const float scale = std::min(790.0f / 1280.0f, 650.0f / 768.0f);
  const float k = 1.0f / scale;
  const float ox = -25.0f * k, oy = -5.0f * k;
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d", int(std::lround((x + ox) / k)),
                int(std::lround((y + oy) / k)));
  return text;
}

}  // namespace

// kview shows the editor on a shipped level: the level's own picture in the middle, the path
// graph over it (yellow waypoints, the camp green), the palette's pictures on the left, the
// level's settings on the right.
TEST(EditorScreenTest, KviewShowsTheEditorOverTheLevelAsItPlays) {
  TempDir data, shots;
  const std::string shot = shots / "editor.png";
  ASSERT_EQ(RunProgram({Kview(), "--aspect", "3", "--fixed-step", "16", "--frames", "20",
                        "--screenshot", shot, "mode:editor:1:2"},
                       data.Path()),
            0);
  Picture p;
  ASSERT_TRUE(ReadPng(shot, p));
  const float sx = float(p.width) / 1280.0f, sy = float(p.height) / 720.0f;
  const auto X = [&](float v) { return int((v + 640) * sx); };
  const auto Y = [&](float v) { return int((360 - v) * sy); };
  // The world between the panels is the painted level: many colours, mostly green ground.
  std::set<uint32_t> colours;
  for (int y = Y(200); y < Y(-200); y += 2)
    for (int x = X(-380); x < X(330); x += 2) colours.insert(p.Colour(x, y) >> 3 & 0x1F1F1F);
  EXPECT_GT(colours.size(), 400u);
  // Waypoints: yellow squares, one green camp.
  EXPECT_GT(CountNear(p, X(-420), Y(320), X(370), Y(-330), 0xFFE070, 40), 200);
  EXPECT_GT(CountNear(p, X(-420), Y(320), X(370), Y(-330), 0x7BD88F, 40), 40);
  // The panels are the editor's dark blue-grey; the palette shows pictures on them.
  EXPECT_GT(CountNear(p, X(-640), Y(320), X(-420), Y(-330), 0x262B33, 12), int(30000 * sx * sy));
  std::set<uint32_t> palette;
  for (int y = Y(150); y < Y(-300); y += 2)
    for (int x = X(-630); x < X(-430); x += 2) palette.insert(p.Colour(x, y) >> 3 & 0x1F1F1F);
  EXPECT_GT(palette.size(), 150u);
  // The level settings' text on the right: light pixels on the dark panel.
  const auto light = [&](float top, float bottom) {
    int n = 0;
    for (int y = Y(top); y < Y(bottom); ++y)
      for (int x = X(380); x < X(630); ++x) n += (p.Colour(x, y) & 0xFF) > 0x90;
    return n;
  };
  EXPECT_GT(light(300, 100), 60);
  EXPECT_EQ(light(-200, -320), 0);  // no problems listed: an empty panel there
  EXPECT_EQ(RunProgram({Kview(), "mode:editor:9:9"}, data.Path()), 1);
}

// An author opens a level file, selects an object with a click, deletes it, saves and leaves
// for the menu; the file holds the level without that object and its waypoint.
TEST(EditorScreenTest, ClickDeleteSaveAndLeave) {
  TempDir data, work;
  const std::string file = work / "farm.xml";
  WriteText(file, Farmstead());
  const std::string script = work / "edit.txt";
  WriteText(script, "1~400 expect mode:ModeEditor\n+5~100 click " + ScreenPoint(-250, 78) +
                        "\n+5 key delete\n+5 key 45\n+5 key escape\n+0~100 expect mode:ModeMenu\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "900",
                        "--edit", file, "--script", script, "--trace"},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_NE(out.find("mode ModeEditor"), std::string::npos) << out;
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(file));
  EXPECT_EQ(doc.level().FindObject(37), nullptr);   // the berry bush
  EXPECT_EQ(doc.level().FindObject(105), nullptr);  // its waypoint
  EXPECT_NE(doc.level().FindObject(10), nullptr);
  EditorDocument before(DemoDescriptors());
  ASSERT_TRUE(before.Open(Farmstead()));
  EXPECT_EQ(doc.level().objects.size(), before.level().objects.size() - 2);
}

// The content lint's findings follow the editor's own problems in the panel: a level whose
// old oak (26) no worker reaches lists it once the lint has run, and a click on that line
// selects the oak, which Delete then removes with its waypoint (107).
TEST(EditorScreenTest, ALintFindingIsListedAndSelectsItsObject) {
  TempDir data, work;
  std::string text = ReadText(DemoGame() + "/content/levels/level_01_01.xml");
  const std::string from = R"(links="107,108" obj_link="24")";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), R"(links="0,108" obj_link="24")");
  const std::string file = work / "oak.xml";
  WriteText(file, text);
  // The panel's line of the finding: after the editor's own problems, in the lint's order.
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(text));
  ContentLint lint(DemoGame(), ContentLint::Options{false});
  const std::vector<LevelFinding> findings = lint.CheckLevelText(text, 1, 1);
  const auto oak = std::find_if(findings.begin(), findings.end(), [](const LevelFinding& f) {
    return f.objectId == 26 && f.text.find("reached by no base") != std::string::npos;
  });
  ASSERT_NE(oak, findings.end());
  const int line = int(doc.Check().size()) + int(oak - findings.begin());
  // The list starts 126 units below the middle of a 720-unit screen, 18 units a line.
  const std::string click = "500," + std::to_string(-135 - 18 * line);
  const std::string script = work / "lint.txt";
  WriteText(script, "1~400 expect mode:ModeEditor\n+60 click " + click +
                        "\n+5 key delete\n+5 key 45\n+5 key escape\n"
                        "+0~100 expect mode:ModeMenu\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "900",
                        "--edit", file, "--script", script},
                       data.Path(), &out),
            0)
      << out;
  EditorDocument saved(DemoDescriptors());
  ASSERT_TRUE(saved.OpenFile(file));
  EXPECT_EQ(saved.level().FindObject(26), nullptr);
  EXPECT_EQ(saved.level().FindObject(107), nullptr);
  EXPECT_EQ(saved.level().objects.size(), doc.level().objects.size() - 2);
}

// Unsaved changes keep the editor up with its question on Escape; the file stays as it was.
TEST(EditorScreenTest, LeavingWithUnsavedChangesAsksFirst) {
  TempDir data, work;
  const std::string file = work / "farm.xml";
  WriteText(file, Farmstead());
  const std::string script = work / "edit.txt";
  WriteText(script, "1~400 expect mode:ModeEditor\n+5~100 click " + ScreenPoint(-250, 78) +
                        "\n+5 key delete\n+5 key escape\n+60 expect mode:ModeEditor\n"
                        "+1 click 0,-36\n+0~100 expect mode:ModeMenu\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "900",
                        "--edit", file, "--script", script},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_EQ(ReadText(file), Farmstead());
}

// A new level on the first land's ground: the camp placed from the palette (its kind, its
// entry, a click on the world) and saved into the data folder's levels.
TEST(EditorScreenTest, ANewLevelGetsACampFromThePalette) {
  TempDir data, work;
  const std::string script = work / "new.txt";
  // The kinds' tabs list down the palette; the camps' fourth entry (after the camp, plain and
  // exit waypoints) is the workers' house.
  WriteText(script,
            "1~400 expect mode:ModeEditor\n+5~100 click -580,237\n+5 click -475,10\n+5 click " +
                ScreenPoint(0, 0) + "\n+5 key 45\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "700",
                        "--edit-new", "1", "--script", script},
                       data.Path(), &out),
            0)
      << out;
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(data / "levels/my_level_01.xml")) << out;
  const Level& level = doc.level();
  ASSERT_EQ(level.objects.size(), 3u);
  // The ground of the land's first level.
  Level first(DemoDescriptors());
  ASSERT_TRUE(first.ReadLevel(ReadText(DemoGame() + "/content/levels/level_01_01.xml")));
  EXPECT_EQ(level.objects[0]->texture, first.objects[0]->texture);
  EXPECT_EQ(level.objects[1]->texture, "workers_house");
  EXPECT_EQ(level.objects[1]->position.x, 0);
  EXPECT_EQ(level.objects[2]->cls, WorldObject::kWaypoint);
  EXPECT_EQ(level.objects[2]->respawnMin, level.objects[1]->id);
  EXPECT_EQ(doc.Check(), std::vector<EditorProblem>{});
}

// A shipped level opened by its place is saved as the player's own copy in the data folder's
// levels; the game's content stays as it was.
TEST(EditorScreenTest, AShippedLevelIsSavedAsThePlayersCopy) {
  TempDir data, work;
  const std::string shipped =
      Env("KALODRUS_GAME_DIR", "build/game") + "/content/levels/level_01_02.xml";
  const std::string before = ReadText(shipped);
  const std::string script = work / "edit.txt";
  WriteText(script, "1~400 expect mode:ModeEditor\n+5~100 click " + ScreenPoint(-250, 78) +
                        "\n+5 key delete\n+5 key 45\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "500",
                        "--edit", "1:2", "--script", script},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_EQ(ReadText(shipped), before);
  EditorDocument copy(DemoDescriptors());
  ASSERT_TRUE(copy.OpenFile(data / "levels/level_01_02.xml"));
  EXPECT_EQ(copy.level().FindObject(37), nullptr);
  EXPECT_NE(copy.level().FindObject(10), nullptr);
}

// Prove lets the bot play the level in casual and expert play; the medal times it suggests
// are taken with one key and saved.
TEST(EditorScreenTest, ProvedTimesAreTakenAndSaved) {
  TempDir data, work;
  const std::string file = work / "first.xml";
  // Level 1:1 with times far off what its play takes.
  std::string text = ReadText(DemoGame() + "/content/levels/level_01_01.xml");
  const size_t times = text.find("time_easy=");
  ASSERT_NE(times, std::string::npos);
  text.replace(times, text.find(" run_speed") - times,
               "time_easy=\"990\" time_norm=\"980\" time_hard=\"970\"");
  WriteText(file, text);
  const std::string script = work / "prove.txt";
  WriteText(script,
            "1~400 expect mode:ModeEditor\n+5~100 key 43\n+2 key 38\n+2 key 45\n+20 key 38\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "400",
                        "--edit", file, "--script", script},
                       data.Path(), &out),
            0)
      << out;
  EditorDocument saved(DemoDescriptors());
  ASSERT_TRUE(saved.OpenFile(file));
  const Level& level = saved.level();
  // The times of the same proof made here.
  const LevelProof proof = LevelProof::Prove(
      DemoDescriptors(), DemoSettings(), ReadText(DemoGame() + "/content/levels/level_01_01.xml"));
  ASSERT_TRUE(proof.HasSuggestion());
  EXPECT_EQ(level.timeHard, proof.gold);
  EXPECT_EQ(level.timeNorm, proof.silver);
  EXPECT_EQ(level.timeEasy, proof.reference);
  // The shipped level's times came from the same rule.
  Level shipped(DemoDescriptors());
  ASSERT_TRUE(shipped.ReadLevel(ReadText(DemoGame() + "/content/levels/level_01_01.xml")));
  EXPECT_EQ(level.timeHard, shipped.timeHard);
  EXPECT_EQ(level.timeNorm, shipped.timeNorm);
}

// Play: the level as it stands is played in the level screen, Escape comes back to the editor
// with the document as it was, and nothing of the trial is kept for the player.
TEST(EditorScreenTest, PlayInTheLevelScreenAndComeBack) {
  TempDir data, work;
  const std::string file = work / "farm.xml";
  WriteText(file, Farmstead());
  const std::string script = work / "play.txt";
  WriteText(script, "1~400 expect mode:ModeEditor\n+5~100 click " + ScreenPoint(-250, 78) +
                        "\n+5 key delete\n+5 key 52\n+0~200 expect mode:ModeGame\n+60 key escape\n"
                        "+0~200 expect mode:ModeEditor\n+5~100 key 45\n");
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "900",
                        "--edit", file, "--script", script, "--trace"},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_NE(out.find("mode ModeGame"), std::string::npos) << out;
  // The deletion made before playing is still there, and saved.
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(file));
  EXPECT_EQ(doc.level().FindObject(37), nullptr);
  EXPECT_NE(doc.level().FindObject(10), nullptr);

  // A game that ends while the trial is played leaves no saved level for "continue" (the
  // level screen keeps one when the game ends during a campaign level).
  WriteText(script, "1~400 expect mode:ModeEditor\n+5~100 key 52\n+0~200 expect mode:ModeGame\n");
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "450",
                        "--edit", file, "--script", script, "--trace"},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_NE(out.find("mode ModeGame"), std::string::npos) << out;
  EXPECT_FALSE(std::filesystem::exists(data / "1/Game.sav"));
}

// The authoring script of tests/editor: from an empty ground through the editor's own panels
// (palette, clicks on the level, links dragged between waypoints, the settings dialog typed
// into) to a saved level that the content lint finds clean, the bot wins, and the editor
// opens again unchanged, with its name in each language.
TEST(EditorScreenTest, TheAuthoringScriptMakesACleanWinnableLevel) {
  TempDir data, game;
  std::string out;
  ASSERT_EQ(RunProgram({"./kalodrus3", "/wn", "/16x9", "--fixed-step", "16", "--frames", "1000",
                        "--edit-new", "1", "--script",
                        SourceDir() + "/tests/editor/author_level.txt"},
                       data.Path(), &out),
            0)
      << out;
  const std::string saved = data / "levels/my_level_01.xml";
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(saved)) << out;
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.Text(), ReadText(saved)) << "opens again unchanged";
  EXPECT_EQ(doc.Check(), std::vector<EditorProblem>{});
  int camps = 0, obstacles = 0, linked = 0;
  for (const auto& o : doc.level().objects) {
    camps += o->cls == WorldObject::kWaypoint && o->subclass == 1;
    obstacles += o->cls == WorldObject::kObstacle;
    for (const int l : o->links) linked += l != 0;
  }
  EXPECT_EQ(camps, 1);
  EXPECT_EQ(obstacles, 5) << "three obstacles, the berry bush and the site";
  EXPECT_EQ(linked, 5);
  EXPECT_EQ(doc.level().questRes, (std::array<int, 3>{2, 0, 0}));
  EXPECT_EQ(doc.level().timeHard, 400);
  EXPECT_EQ(doc.TextOf("de", "name"), "Drei Steine am Weg");
  EXPECT_EQ(doc.TextOf("ru", "name"), "\u0414\u043e\u0440\u043e\u0433\u0430 \u0442\u0440\u0451\u0445 \u043a\u0430\u043c\u043d\u0435\u0439");
  EXPECT_NE(doc.TextOf("en", "message").find("warehouse"), std::string::npos);

  // In the place of the first episode's last level of a copy of the demo game: the lint
  // (without the media, which the authored game folder does not hold) and the bot.
  std::filesystem::copy(DemoGame(), game.Path(), std::filesystem::copy_options::recursive);
  const std::string placed = game / "content/levels/level_01_10.xml";
  std::filesystem::copy_file(saved, placed, std::filesystem::copy_options::overwrite_existing);
  const std::string kcontent = Env("KALODRUS_BIN_DIR", "build/bin") + "/kcontent";
  EXPECT_EQ(RunProgram({kcontent, "lint", game.Path(), "--no-media"}, data.Path(), &out), 0) << out;
  EXPECT_EQ(RunProgram({kcontent, "level", "play", placed, "--bot", "--game", game.Path(),
                        "--seconds", "900"},
                       data.Path(), &out),
            0)
      << out;
  EXPECT_NE(out.find("\"won\":true"), std::string::npos) << out;
}
