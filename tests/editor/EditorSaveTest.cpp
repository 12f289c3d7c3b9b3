#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "EditorTestSupport.h"
#include "content_check/ContentLint.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPalette.h"
#include "kcontent/LevelPlayCommand.h"

using namespace editortest;

namespace {

bool Listed(const std::vector<EditorProblem>& problems, const std::string& key) {
  for (const EditorProblem& p : problems)
    if (p.key == key) return true;
  return false;
}

}  // namespace

// A failed write at any step leaves the old file whole and the document unsaved; the next
// save goes through.
TEST(EditorSaveTest, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string file = dir / "level.xml";
  WriteText(file, Farmstead());
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(file));
  ASSERT_TRUE(doc.Move(37, Vec2{0, 0}));
  for (const base::WriteStep step : {base::WriteStep::Open, base::WriteStep::Write,
                                     base::WriteStep::Sync, base::WriteStep::Rename}) {
    const FieldResult r = doc.Save(file, step);
    EXPECT_FALSE(r.taken);
    EXPECT_EQ(r.key, "editor_save_failed");
    EXPECT_EQ(ReadText(file), Farmstead());
    EXPECT_TRUE(doc.Modified());
  }
  ASSERT_TRUE(doc.Save(file).taken);
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(ReadText(file), doc.Text());
  // No temporary file stays behind.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    ++files;
  EXPECT_EQ(files, 1u);
}

// A read-only file opens and is never written; saving under another name works.
TEST(EditorSaveTest, ReadOnlyFilesOpenButAreNotOverwritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  TempDir dir;
  const std::string file = dir / "locked.xml";
  WriteText(file, Farmstead());
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(file));
  EXPECT_TRUE(Listed(doc.OpenProblems(), "editor_problem_read_only"));
  ASSERT_TRUE(doc.Delete(37));
  EXPECT_EQ(doc.Save(file).key, "editor_save_read_only");
  EXPECT_EQ(ReadText(file), Farmstead());
  EXPECT_TRUE(doc.Save(dir / "mine.xml").taken);
  EXPECT_EQ(doc.Path(), dir / "mine.xml");
}

// Damaged files: what can be read opens with its problems listed, and the editor never saves
// over a file it could not read whole; a file that is no level at all does not open.
TEST(EditorSaveTest, DamagedFilesOpenWhatTheyCanAndAreKept) {
  TempDir dir;
  const std::string file = dir / "damaged.xml";
  std::string text = Farmstead();
  text.insert(text.find("<object id=\"105\""), "<mystery/>\n");
  WriteText(file, text);
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.OpenFile(file));
  EXPECT_TRUE(doc.Partial());
  EXPECT_TRUE(Listed(doc.OpenProblems(), "editor_problem_unreadable"));
  EXPECT_NE(doc.level().FindObject(10), nullptr);  // the camp, read before it
  EXPECT_EQ(doc.level().FindObject(37), nullptr);  // after it: not read
  EXPECT_EQ(doc.Save(file).key, "editor_save_partial");
  EXPECT_EQ(ReadText(file), text);
  EXPECT_TRUE(doc.Save(dir / "rescued.xml").taken);

  for (const std::string& junk :
       {std::string(), std::string("<html/>"), std::string("\x01\x02<level")}) {
    EditorDocument none(DemoDescriptors());
    EXPECT_FALSE(none.Open(junk));
    EXPECT_TRUE(Listed(none.OpenProblems(), "editor_problem_not_level"));
  }
  EditorDocument missing(DemoDescriptors());
  EXPECT_FALSE(missing.OpenFile(dir / "nothing-here.xml"));
  EXPECT_TRUE(Listed(missing.OpenProblems(), "editor_problem_no_file"));
  EXPECT_EQ(missing.Save("").key, "editor_save_no_path");
  // Not files: a folder, an endless device. Neither opens, and nothing waits on them.
  EXPECT_FALSE(missing.OpenFile(dir.Path()));
  EXPECT_FALSE(missing.OpenFile("/dev/zero"));
  // Nowhere to write: a folder in the way, a folder that is not there.
  ASSERT_TRUE(doc.Open(Farmstead()));
  EXPECT_EQ(doc.Save(dir.Path()).key, "editor_save_failed");
  EXPECT_EQ(doc.Save(dir / "no/such/folder.xml").key, "editor_save_failed");
}

// Cut and flipped bytes of a level never crash the editor, and whatever it opens it saves
// as a file it reads back as the same level.
TEST(EditorSaveTest, MangledLevelsOpenSafelyAndSaveReadably) {
  TempDir dir;
  const std::string original = Farmstead();
  std::mt19937 rng(38);
  for (int round = 0; round < 150; ++round) {
    std::string text = original;
    const int changes = 1 + int(rng() % 6);
    for (int c = 0; c < changes; ++c) {
      const size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0:
          text[at] = char(rng() % 256);
          break;
        case 1:
          text.erase(at, rng() % 40);
          break;
        default:
          text.insert(at, std::string(1 + rng() % 3, "<>\"=,-9x&"[rng() % 9]));
      }
    }
    EditorDocument doc(DemoDescriptors());
    if (!doc.Open(text)) continue;
    const std::string out = dir / "out.xml";
    const FieldResult saved = doc.Save(out);
    ASSERT_TRUE(saved.taken) << saved.key << " " << saved.detail;
    EditorDocument again(DemoDescriptors());
    ASSERT_TRUE(again.OpenFile(out));
    EXPECT_EQ(again.Text(), doc.Text());
  }
}

// The palette offers every kind the shipped levels use, and each entry placed on a new
// ground gives a level that reads, with its waypoint serving it.
TEST(EditorPaletteTest, EveryEntryPlacesAWholeGroup) {
  EditorPalette palette;
  palette.Learn(DemoDescriptors(), ShippedTexts());
  for (const auto kind :
       {PaletteEntry::Kind::Scenery, PaletteEntry::Kind::Obstacle, PaletteEntry::Kind::Building,
        PaletteEntry::Kind::Camp, PaletteEntry::Kind::Helper}) {
    EXPECT_FALSE(palette.OfKind(kind).empty()) << EditorPalette::KindKey(kind);
  }
  ASSERT_FALSE(palette.Grounds().empty());
  const PaletteEntry* bush = palette.Find("berry_bush");
  ASSERT_NE(bush, nullptr);
  EXPECT_EQ(bush->kind, PaletteEntry::Kind::Obstacle);

  EditorDocument doc(DemoDescriptors());
  doc.New(palette.Grounds().front());
  for (const PaletteEntry& e : palette.Entries()) {
    SCOPED_TRACE(e.texture);
    const int id = doc.Place(e.lines, Vec2{100, 50}, "place");
    ASSERT_NE(id, 0);
    const WorldObject* placed = doc.level().FindObject(id);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->position.x, 100);
    if (e.cls == 1 || e.cls == 2 || e.cls == 7) {
      EXPECT_NE(placed->desc, nullptr);
    }
    if (e.kind == PaletteEntry::Kind::Obstacle && placed->desc && !placed->desc->Indestructible()) {
      EXPECT_FALSE(doc.ServingWaypoints(id).empty());
    }
  }
  EXPECT_EQ(doc.History().UndoSteps(), palette.Entries().size());
}

// A level made from an empty ground the way an author makes one — a camp, three obstacles, a
// resource and a building site, their waypoints linked, goals and times set — passes the
// content lint, is won by the bot, and opens again unchanged.
TEST(EditorSaveTest, ALevelMadeFromNothingIsCleanAndWinnable) {
  EditorPalette palette;
  palette.Learn(DemoDescriptors(), ShippedTexts());
  EditorDocument doc(DemoDescriptors());
  doc.New("bg_e1_farmland");
  const PaletteEntry* camp = palette.Find("workers_house");
  ASSERT_NE(camp, nullptr);
  ASSERT_EQ(camp->kind, PaletteEntry::Kind::Camp);
  const int house = doc.Place(camp->lines, Vec2{-480, -150}, "camp");
  ASSERT_NE(house, 0);
  int campWaypoint = 0;
  for (const auto& o : doc.level().objects)
    if (o->cls == WorldObject::kWaypoint && o->subclass == 1) campWaypoint = o->id;
  ASSERT_NE(campWaypoint, 0);

  // Three obstacles on the way east, a berry bush beside, a warehouse site at the end.
  std::vector<std::string> obstacles;
  for (const PaletteEntry* e : palette.OfKind(PaletteEntry::Kind::Obstacle)) {
    const ObjectDesc* d = DemoDescriptors().Obstacle(e->subclass);
    if (e->cls == 1 && d && d->work == 0 && !d->Indestructible() &&
        d->cost == std::array<int, 3>{} && e->texture != "berry_bush" && e->lines.size() == 2)
      obstacles.push_back(e->texture);
  }
  ASSERT_GE(obstacles.size(), 3u);
  int previous = campWaypoint;
  const auto placeServed = [&](const std::string& name, Vec2 at) {
    const PaletteEntry* e = palette.Find(name);
    EXPECT_NE(e, nullptr) << name;
    if (!e) return 0;
    const int id = doc.Place(e->lines, at, "place");
    const std::vector<int> waypoints = doc.ServingWaypoints(id);
    EXPECT_EQ(waypoints.size(), 1u) << name;
    if (waypoints.empty()) return 0;
    EXPECT_TRUE(doc.Link(previous, waypoints[0]).taken) << name;
    return waypoints[0];
  };
  for (int i = 0; i < 3; ++i)
    previous = placeServed(obstacles[size_t(i)], Vec2{-250.0f + 200 * i, -100});
  const int last = previous;
  previous = campWaypoint;
  placeServed("berry_bush", Vec2{-400, 60});
  previous = last;
  placeServed(palette.Find("building_site") ? "building_site" : obstacles[0], Vec2{400, -60});

  ASSERT_TRUE(doc.SetSetting("quest_res", "2,0,0").taken);
  ASSERT_TRUE(doc.SetSetting("time_easy", "900").taken);
  ASSERT_TRUE(doc.SetSetting("time_norm", "600").taken);
  ASSERT_TRUE(doc.SetSetting("time_hard", "400").taken);
  EXPECT_EQ(doc.Check(), std::vector<EditorProblem>{});

  // Saved in the place of the first episode's last level in a copy of the demo game.
  TempDir game;
  std::filesystem::copy(DemoGame(), game.Path(), std::filesystem::copy_options::recursive);
  const std::string file = game / "content/levels/level_01_10.xml";
  ASSERT_TRUE(doc.Save(file).taken);
  ContentLint lint(game.Path(), ContentLint::Options{false});
  lint.Run();
  for (const std::string& p : lint.Problems())
    if (p.find("level_01_10") != std::string::npos) ADD_FAILURE() << p;

  testing::internal::CaptureStdout();
  const int played =
      RunLevelPlay({"play", file, "--bot", "--game", game.Path(), "--seconds", "900"});
  const std::string result = testing::internal::GetCapturedStdout();
  EXPECT_EQ(played, 0);
  EXPECT_NE(result.find("\"won\":true"), std::string::npos) << result;

  EditorDocument again(DemoDescriptors());
  ASSERT_TRUE(again.OpenFile(file));
  EXPECT_FALSE(again.Modified());
  EXPECT_EQ(again.Text(), ReadText(file));
}

// A saved game opened in the editor becomes the level as authored: its run-time state (time
// played, stock gathered, running timers, trophies, the objectives panel) is left out and the
// level reads as a fresh one.
TEST(EditorSaveTest, ASavedGameOpensAsAFreshLevel) {
  Level running(DemoDescriptors());
  ASSERT_TRUE(running.ReadLevel(Farmstead()));
  running.episode = 1;
  running.levelNumber = 2;
  running.gameTime = 45000;
  running.levelTime = 12000;
  running.collected = {3, 4, 5};
  running.birdsHunted = 2;
  running.savedTimers.push_back(Level::SavedTimer{Level::SavedTimer::kObstacle, 37, 500, 3000});
  running.trophies.push_back(4);
  running.objectivePanel.push_back(33);
  running.FindObject(37)->respawnLeft = 700;
  const std::string saved = running.WriteLevel();
  ASSERT_NE(saved.find("state=\"2\""), std::string::npos);

  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(saved));
  for (const char* gone : {"game_time", "level_time", "collected", "birds_hunted", "resp_time",
                           "<obstacle", "<trophy", "<objective", "quest_res_collect"}) {
    EXPECT_EQ(doc.Text().find(gone), std::string::npos) << gone;
  }
  EXPECT_NE(doc.Text().find("state=\"0\""), std::string::npos);
  Level fresh(DemoDescriptors());
  ASSERT_TRUE(fresh.ReadLevel(doc.Text()));
  EXPECT_EQ(fresh.state, LevelState::Fresh);
  EXPECT_EQ(fresh.gameTime, 0);
  EXPECT_TRUE(fresh.savedTimers.empty());
  EXPECT_EQ(fresh.objects.size(), running.objects.size());
}
