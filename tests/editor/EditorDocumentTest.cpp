#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <set>

#include "EditorTestSupport.h"
#include "editor/AttributeLine.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPalette.h"
#include "level/LevelDiff.h"

using namespace editortest;

namespace {

const WorldObject* Find(const EditorDocument& doc, int id) { return doc.level().FindObject(id); }

std::string Field(const EditorDocument& doc, int id, const std::string& name) {
  for (const auto& [n, v] : doc.Fields(id))
    if (n == name) return v;
  return {};
}

bool HasProblem(const std::vector<EditorProblem>& problems, const std::string& key, int id = -1) {
  for (const EditorProblem& p : problems)
    if (p.key == key && (id < 0 || p.objectId == id)) return true;
  return false;
}

}  // namespace

// Every shipped level opens, saves unchanged byte for byte, loses nothing when written in the
// editor's own form, and that form is written the same again after reading it.
TEST(EditorDocumentTest, EveryShippedLevelOpensAndSavesUnchanged) {
  TempDir dir;
  const std::vector<std::string> files = ShippedLevels();
  ASSERT_GE(files.size(), 20u);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::string original = ReadText(file);
    EditorDocument doc(DemoDescriptors());
    ASSERT_TRUE(doc.OpenFile(file));
    EXPECT_FALSE(doc.Partial());
    EXPECT_FALSE(doc.Modified());
    const std::string copy = dir / "copy.xml";
    ASSERT_TRUE(doc.Save(copy).taken);
    EXPECT_EQ(ReadText(copy), original);

    // The editor's form of the level reads as the same level.
    Level asShipped(DemoDescriptors()), asWritten(DemoDescriptors());
    ASSERT_TRUE(asShipped.ReadLevel(original));
    ASSERT_TRUE(asWritten.ReadLevel(doc.Text()));
    EXPECT_EQ(LevelDiff::Compare(asShipped, asWritten), std::vector<std::string>{});
    EXPECT_NE(doc.Text().find("state=\"0\""), std::string::npos);

    // A file the editor wrote is written back byte for byte.
    EditorDocument again(DemoDescriptors());
    ASSERT_TRUE(again.Open(doc.Text()));
    EXPECT_EQ(again.Text(), doc.Text());
    EXPECT_EQ(again.SaveText(), doc.Text());
  }
}

// The checks of the editor find nothing in the shipped ordinary levels, and find what was
// broken on purpose.
TEST(EditorDocumentTest, ChecksPassShippedLevelsAndCatchBrokenOnes) {
  for (const std::string& file : ShippedLevels()) {
    SCOPED_TRACE(file);
    EditorDocument doc(DemoDescriptors());
    ASSERT_TRUE(doc.OpenFile(file));
    for (const EditorProblem& p : doc.Check())
      ADD_FAILURE() << p.objectId << " " << p.key << " " << p.detail;
  }
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  // An obstacle that names a descriptor nobody has, a waypoint linking to nothing, an object
  // off the level, medal times in the wrong order and no camp.
  std::string text = doc.Text();
  const auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  };
  replace("class=\"1\" subclass=\"20\"", "class=\"1\" subclass=\"999\"");
  replace("links=\"101,102,105\"", "links=\"101,102,4242\"");
  replace("pos=\"560,240\"", "pos=\"900,240\"");
  // Gold slower than the reference time.
  const size_t hard = text.find("time_hard=\"");
  ASSERT_NE(hard, std::string::npos);
  const size_t from = hard + 11;
  text.replace(from, text.find('"', from) - from, "999");
  ASSERT_TRUE(doc.Open(text));
  const std::vector<EditorProblem> found = doc.OpenProblems();
  EXPECT_TRUE(HasProblem(found, "editor_problem_no_descriptor", 37));
  EXPECT_TRUE(HasProblem(found, "editor_problem_broken_waypoint_link", 100));
  EXPECT_TRUE(HasProblem(found, "editor_problem_outside", 4));
  EXPECT_TRUE(HasProblem(found, "editor_problem_times", 0));
  EXPECT_FALSE(HasProblem(found, "editor_problem_no_camp"));
  // Waypoint 105 (to the berry bush) is still reached from the second camp and from 106.
  EXPECT_FALSE(HasProblem(found, "editor_problem_unreachable"));
  ASSERT_TRUE(doc.Unlink(112, 105));
  EXPECT_FALSE(HasProblem(doc.Check(), "editor_problem_unreachable"));
  ASSERT_TRUE(doc.Unlink(105, 106));
  EXPECT_TRUE(HasProblem(doc.Check(), "editor_problem_unreachable", 105));
  ASSERT_TRUE(doc.Delete(100));
  ASSERT_TRUE(doc.Delete(112));
  EXPECT_TRUE(HasProblem(doc.Check(), "editor_problem_no_camp", 0));
}

// Moving an object moves its waypoint and what it becomes; deleting takes them away with
// every link to them; a duplicate has fresh ids and keeps only the links within its group.
TEST(EditorDocumentTest, GroupsMoveDeleteAndDuplicateTogether) {
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  // The farm's site 32, raised by waypoint 102, becomes the hidden farm 33.
  EXPECT_EQ(doc.Group(32), (std::vector<int>{102, 32, 33}));
  ASSERT_TRUE(doc.Move(32, Vec2{-100, -150}));
  EXPECT_EQ(Find(doc, 32)->position.x, -100);
  EXPECT_EQ(Find(doc, 32)->position.y, -150);
  EXPECT_EQ(Find(doc, 102)->position.x, -100);  // it stood at -150,-210, 30 below the site
  EXPECT_EQ(Find(doc, 102)->position.y, -180);
  EXPECT_EQ(Find(doc, 33)->position.y, -130);
  EXPECT_FALSE(doc.Move(32, Vec2{-100.2f, -149.8f}));  // the same whole units: no step
  EXPECT_TRUE(doc.Modified());

  const int copy = doc.Duplicate(32, Vec2{200, 0});
  ASSERT_NE(copy, 0);
  const std::vector<int> group = doc.Group(copy);
  ASSERT_EQ(group.size(), 3u);
  for (const int id : group) EXPECT_GT(id, 112);
  const WorldObject* copiedWaypoint = Find(doc, group[0]);
  ASSERT_EQ(copiedWaypoint->cls, WorldObject::kWaypoint);
  EXPECT_EQ(copiedWaypoint->linkId, copy);
  EXPECT_EQ(copiedWaypoint->links, (std::array<int, 3>{}));  // links out of the group dropped
  EXPECT_EQ(Find(doc, copy)->position.x, 100);
  EXPECT_EQ(Find(doc, group[2])->linkId, 0);  // the farm's field waypoint was outside

  ASSERT_TRUE(doc.Delete(32));
  EXPECT_EQ(Find(doc, 32), nullptr);
  EXPECT_EQ(Find(doc, 33), nullptr);
  EXPECT_EQ(Find(doc, 102), nullptr);
  // The camp waypoint 100 linked to 102: that link is gone, the others stay.
  EXPECT_EQ(Field(doc, 100, "links"), "101,105");
  EXPECT_TRUE(doc.Delete(105));  // a lone waypoint goes alone
  EXPECT_EQ(Field(doc, 100, "links"), "101");
  EXPECT_NE(Find(doc, 37), nullptr);
}

// A waypoint moved alone gets a quad that takes the clicks on what it serves; a picture grown
// past its waypoint's quad is reported.
TEST(EditorDocumentTest, AMovedWaypointIsFittedToItsPicture) {
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  EXPECT_FALSE(doc.MoveWaypoint(37, Vec2{0, 0}));  // not a waypoint
  // Waypoint 105 serves the berry bush 37 at -250,74 (half size 30 x 24).
  ASSERT_TRUE(doc.MoveWaypoint(105, Vec2{-250, 10}));
  const WorldObject& w = *Find(doc, 105);
  EXPECT_EQ(w.position.y, 10);
  EXPECT_EQ(w.size.x, std::ceil(0.75f * 30));
  EXPECT_EQ(w.size.y, std::ceil(64 + 0.75f * 24));
  EXPECT_EQ(doc.History().UndoSteps(), 1u);
  EXPECT_EQ(doc.Check(), std::vector<EditorProblem>{});
  // A lone waypoint keeps its size.
  ASSERT_TRUE(doc.MoveWaypoint(100, Vec2{-430, -250}));
  EXPECT_EQ(Find(doc, 100)->size.x, 20);
  ASSERT_TRUE(doc.SetField(37, "size", "140,90").taken);
  EXPECT_TRUE(HasProblem(doc.Check(), "editor_problem_click_area", 105));
}

// Typed values: taken when the file carries them as typed, otherwise refused with the reason,
// and the level stays as it was.
TEST(EditorDocumentTest, TypedValuesAreCheckedAndNeverSilentlyDropped) {
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  const std::string before = doc.Text();
  const struct {
    int id;
    const char* attr;
    const char* value;
    const char* key;
  } kRefused[] = {
      {37, "pos", "12abc,4", "editor_field_numbers"},
      {37, "pos", "1,2,3", "editor_field_numbers"},
      {37, "size", "0,10", "editor_field_size"},
      {37, "subclass", "999", "editor_field_no_descriptor"},
      {37, "obj_link", "37", "editor_field_no_object"},
      {37, "obj_link", "5000", "editor_field_no_object"},
      {37, "id", "10", "editor_field_id_taken"},
      {37, "id", "70000", "editor_field_whole"},
      {37, "class", "12", "editor_field_whole"},
      {37, "respawn", "20,10", "editor_field_range"},
      {37, "flags", "s!", "editor_field_flags"},
      {37, "tex_speed", "5,5", "editor_field_not_kept"},  // only with flag x or A
      {37, "links", "101", "editor_field_not_kept"},      // only waypoints link
      {101, "links", "37", "editor_field_not_waypoint"},
      {101, "links", "102,103,104,105", "editor_field_too_many_links"},
      {37, "rot", "1e", "editor_field_stored_as"},
      {37, "animtime", "3x,4", "editor_field_stored_as"},
  };
  for (const auto& c : kRefused) {
    SCOPED_TRACE(std::string(c.attr) + "=" + c.value);
    const FieldResult r = doc.SetField(c.id, c.attr, c.value);
    EXPECT_FALSE(r.taken);
    EXPECT_EQ(r.key, c.key);
  }
  EXPECT_EQ(doc.Text(), before);
  EXPECT_FALSE(doc.CanUndo());

  EXPECT_TRUE(doc.SetField(37, "pos", "-240,80").taken);
  EXPECT_EQ(Find(doc, 37)->position.x, -240);
  EXPECT_TRUE(doc.SetField(37, "flags", "sEx").taken);
  EXPECT_TRUE(doc.SetField(37, "tex_speed", "5,5").taken);
  EXPECT_TRUE(doc.SetField(37, "subclass", "21").taken);
  EXPECT_EQ(Find(doc, 37)->desc, DemoDescriptors().Obstacle(21));
  EXPECT_TRUE(doc.SetField(37, "rot", "12.5").taken);
  EXPECT_EQ(Field(doc, 37, "rot"), "12.50");
  EXPECT_TRUE(doc.SetField(37, "id", "300").taken);
  // What named the object names it by its new id.
  EXPECT_EQ(Find(doc, 105)->linkId, 300);
  EXPECT_EQ(Find(doc, 300)->texture, "berry_bush");
  EXPECT_TRUE(doc.SetField(300, "animtime", "3,4").taken);
  EXPECT_EQ(Find(doc, 300)->animPause, (std::array<int, 3>{3, 4, 0}));
  EXPECT_TRUE(doc.SetField(300, "animtime", "").taken);

  // The level's own settings.
  EXPECT_EQ(doc.SetSetting("storage", "-5").key, "editor_field_negative");
  EXPECT_EQ(doc.SetSetting("mode", "7").key, "editor_field_whole");
  EXPECT_EQ(doc.SetSetting("fog_color", "ff00ff").key, "editor_field_not_kept");
  EXPECT_EQ(doc.SetSetting("time_norm", "2x").key, "editor_field_negative");
  EXPECT_TRUE(doc.SetSetting("fog_height", "40").taken);
  EXPECT_TRUE(doc.SetSetting("fog_color", "FF00FF").taken);
  EXPECT_EQ(doc.level().fogColor, 0xFF00FFu);
  EXPECT_TRUE(doc.SetSetting("quest_res", "30,20,5").taken);
  EXPECT_EQ(doc.level().questRes, (std::array<int, 3>{30, 20, 5}));
  EXPECT_TRUE(doc.SetSetting("time_hard", "150").taken);
  EXPECT_EQ(doc.level().timeHard, 150);
}

// Links are drawn from waypoint to waypoint, at most three from one, never twice, and removed
// in whichever direction they were drawn.
TEST(EditorDocumentTest, WaypointLinks) {
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  EXPECT_EQ(Field(doc, 100, "links"), "101,102,105");
  EXPECT_EQ(doc.Link(100, 104).key, "editor_field_too_many_links");
  EXPECT_EQ(doc.Link(100, 101).key, "editor_link_exists");
  EXPECT_EQ(doc.Link(101, 100).key, "editor_link_exists");  // already linked the other way
  EXPECT_EQ(doc.Link(100, 37).key, "editor_field_not_waypoint");
  EXPECT_EQ(doc.Link(100, 100).key, "editor_field_not_waypoint");
  EXPECT_TRUE(doc.Unlink(101, 100));
  EXPECT_EQ(Field(doc, 100, "links"), "102,105");
  EXPECT_FALSE(doc.Unlink(101, 100));
  EXPECT_TRUE(doc.Link(100, 104).taken);
  EXPECT_EQ(Field(doc, 100, "links"), "102,105,104");
  // The path graph follows: the camp reaches the warehouse site's waypoint directly.
  const WorldObject& w104 = *Find(doc, 104);
  EXPECT_NE(std::find(w104.backLinks.begin(), w104.backLinks.end(), 100), w104.backLinks.end());
}

// The level's own name and message in each language: set, checked as typed, kept through a
// save and a reopening, removed by emptying both, and undone like any other edit.
TEST(EditorDocumentTest, TextsInEachLanguage) {
  TempDir dir;
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(Farmstead()));
  const std::string opened = doc.Text();
  EXPECT_TRUE(doc.SetText("en", "name", "The mill by the ford").taken);
  EXPECT_TRUE(doc.SetText("ru", "message", "\u0421\u0442\u0440\u043e\u0439\u0442\u0435 \"\u043c\u043e\u0441\u0442\" & <\u0434\u043e\u0440\u043e\u0433\u0443>").taken);
  EXPECT_TRUE(doc.SetText("en", "message", "Build the bridge first.").taken);
  EXPECT_EQ(doc.TextOf("en", "name"), "The mill by the ford");
  EXPECT_EQ(doc.TextOf("de", "name"), "");

  EXPECT_EQ(doc.TryText("xx", "name", "a").key, "editor_field_language");
  EXPECT_EQ(doc.TryText("en", "title", "a").key, "editor_field_not_kept");
  EXPECT_EQ(doc.TryText("en", "name", std::string(121, 'a')).key, "editor_field_too_long");
  EXPECT_TRUE(doc.TryText("en", "name", std::string(120, 'a')).taken);
  EXPECT_EQ(doc.TryText("en", "message", "two\nlines").key, "editor_field_control");
  EXPECT_EQ(doc.TextOf("en", "name"), "The mill by the ford") << "a trial changes nothing";

  const std::string path = dir / "texts.xml";
  ASSERT_TRUE(doc.Save(path).taken);
  EditorDocument again(DemoDescriptors());
  ASSERT_TRUE(again.OpenFile(path));
  EXPECT_EQ(again.Text(), doc.Text());
  EXPECT_EQ(again.TextOf("ru", "message"), doc.TextOf("ru", "message"));
  EXPECT_TRUE(again.Check().empty());

  // Emptying both texts of a language takes its element away.
  EXPECT_TRUE(again.SetText("ru", "message", "").taken);
  EXPECT_EQ(again.Text().find("lang=\"ru\""), std::string::npos);
  EXPECT_NE(again.Text().find("lang=\"en\""), std::string::npos);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Text(), opened);
}
