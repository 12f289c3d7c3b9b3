#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "LevelTestSupport.h"
#include "content_check/ContentLint.h"
#include "content_check/LevelHints.h"
#include "content_check/LevelRoundTrip.h"
#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LintCommand.h"
#include "level/GameDescriptors.h"

using namespace leveltest;
namespace fs = std::filesystem;

namespace {

// A copy of the demo content that a test may damage.
class DamagedContent {
 public:
  DamagedContent() { fs::copy(DemoGame(), dir_.Path() + "/game", fs::copy_options::recursive); }
  std::string Game() const { return dir_.Path() + "/game"; }
  // Replaces the first occurrence of from in a file of the copy.
  void Replace(const std::string& file, const std::string& from, const std::string& to) {
    const std::string path = Game() + "/" + file;
    std::string text = ReadText(path);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << file << ": " << from;
    text.replace(at, from.size(), to);
    WriteFile(path, text);
  }
  std::vector<std::string> Lint() {
    ContentLint lint(Game(), ContentLint::Options{false});
    lint.Run();
    return lint.Problems();
  }

 private:
  TempDir dir_;
};

bool Mentions(const std::vector<std::string>& problems, const std::string& a,
              const std::string& b = {}) {
  return std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
    return p.find(a) != std::string::npos && p.find(b) != std::string::npos;
  });
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

TEST(ContentLintTest, DemoContentPassesEveryCheckButMissingMedia) {
  ContentLint lint(DemoGame(), ContentLint::Options{false});
  EXPECT_EQ(lint.Run(), 0u) << Join(lint.Problems());

  // With the media checks, every problem is a missing picture, sound, effect or tune, each
  // reported once.
  ContentLint media(DemoGame(), ContentLint::Options{true});
  media.Run();
  EXPECT_EQ(media.Problems().size(), media.MissingMedia().size()) << Join(media.Problems());
}

TEST(ContentLintTest, DemoLevelsSurviveSaving) {
  FakeTextures textures;
  GameDescriptors descriptors;
  FileSystem files;
  files.Mount(DemoGame() + "/content");
  files.Mount(DemoGame() + "/locale/en");
  StringTable strings(files);
  ASSERT_TRUE(descriptors.LoadGameDescriptors(files, strings, textures));
  std::vector<std::string> levels;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels"))
    levels.push_back(entry.path().filename().string());
  EXPECT_GE(levels.size(), 11u);
  for (const std::string& name : levels) {
    int episode = -1, level = -1;
    ASSERT_TRUE(ParseLevelFileName(name, episode, level));
    const std::string text = ReadText(DemoGame() + "/content/levels/" + name);
    ASSERT_FALSE(text.empty()) << name;
    EXPECT_EQ(CheckLevelRoundTrip(text, episode, level, descriptors, &textures),
              std::vector<std::string>{})
        << name;
  }
}

// Every hint of every demo level in every language, with only that language's strings: no
// entry is missing and no piece is empty.
TEST(ContentLintTest, EveryDemoHintHasItsWordsInEveryLanguage) {
  int levels = 0;
  for (const auto& entry : fs::directory_iterator(DemoGame() + "/content/levels")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("level_01_", 0) != 0) continue;
    const std::string text = ReadText(entry.path().string());
    if (text.find("mode=\"3\"") != std::string::npos) continue;  // mini-games show no hints
    ++levels;
    for (const char* language : {"en", "de", "ru", "pl"}) {
      std::vector<LevelHint> hints;
      std::string error;
      ASSERT_TRUE(CollectLevelHints(DemoGame(), text, language, true, hints, error)) << error;
      EXPECT_FALSE(hints.empty()) << name;
      for (const LevelHint& h : hints) {
        EXPECT_TRUE(h.missing.empty()) << name << " " << language << " " << h.id << ": " << h.text;
        EXPECT_EQ(h.text.find("\\:"), std::string::npos)
            << name << " " << language << ": " << h.text;
        EXPECT_EQ(h.text.find("^9\\"), std::string::npos)
            << name << " " << language << ": " << h.text;
      }
    }
  }
  EXPECT_EQ(levels, 10);
}

TEST(ContentLintTest, DamagedContentIsReported) {
  {
    DamagedContent c;
    c.Replace("locale/de/objects_names.xml", "obj_name_011", "obj_nme_011");
    c.Replace("locale/de/objects_names.xml", "obj_desc_011", "obj_dsc_011");
    c.Replace("content/levels/level_01_01.xml", R"(class="1" subclass="12")",
              R"(class="1" subclass="99")");
    // Both ways to waypoint 109 now lead to an obstacle instead.
    c.Replace("content/levels/level_01_01.xml", R"(links="109" obj_link="25")",
              R"(links="25" obj_link="25")");
    c.Replace("content/levels/level_01_01.xml", R"(links="109" obj_link="27")",
              R"(links="27" obj_link="27")");
    {  // level 1:3's developers' record, whatever its score
      const std::string records = ReadText(c.Game() + "/content/tables/dev_records.xml");
      const size_t row = records.find(R"(<Record level="103")");
      ASSERT_NE(row, std::string::npos);
      c.Replace("content/tables/dev_records.xml",
                records.substr(row, records.find("/>", row) + 2 - row), "");
    }
    c.Replace("content/levels/level_00_00.xml", R"(respawn="1,3")", R"(respawn="1,11")");
    c.Replace("content/levels/level_01_02.xml", R"(respawn="10,0")", "");
    c.Replace("content/levels/level_01_03.xml", R"(quest_res="15,20,6")", R"(quest_res="0,0,0")");
    c.Replace("content/levels/level_01_03.xml", R"(flags="ios")", R"(flags="is")");
    c.Replace("content/levels/level_01_03.xml", R"(flags="ios")", R"(flags="is")");
    c.Replace("locale/ru/strings.xml", R"(name="income")", R"(name="incom")");
    c.Replace("content/tables/objects_params.xml",
              R"(<Object id="13" class="0" offs="70" time="50" ani="0" work="1")",
              R"(<Object id="13" class="0" offs="70" time="50" ani="0" work="12")");
    const auto problems = c.Lint();
    EXPECT_TRUE(Mentions(problems, "locale/de/objects_names.xml", "obj_name_011"))
        << Join(problems);
    EXPECT_FALSE(Mentions(problems, "locale/en/objects_names.xml"));
    EXPECT_TRUE(Mentions(problems, "level_01_01.xml: object 24", "no descriptor 99"));
    EXPECT_TRUE(
        Mentions(problems, "level_01_01.xml: object 108", "links to 27, which is no waypoint"));
    EXPECT_TRUE(Mentions(problems, "level_01_03.xml", "no developer record"));
    // A marker of a level without a file is only a warning while the campaign grows.
    EXPECT_FALSE(Mentions(problems, "level_00_00.xml: marker 13", "level_01_11.xml"));
    EXPECT_TRUE(Mentions(problems, "level_01_02.xml", "camp waypoint 100 names no house"));
    EXPECT_TRUE(Mentions(problems, "level_01_03.xml", "won at once"));
    EXPECT_TRUE(Mentions(problems, "obstacle 13", "work names no worker type"));
    EXPECT_TRUE(Mentions(problems, "level_01_01.xml: waypoint 109", "cannot be reached"));
    EXPECT_TRUE(Mentions(problems, "level_01_01.xml: the hint of object",
                         "uses income, missing in locale/ru"));
    EXPECT_TRUE(Mentions(problems, "locale/ru/strings.xml", "no hint entry income"));
    EXPECT_FALSE(Mentions(problems, "uses income, missing in locale/de"));
  }
  {
    DamagedContent c;
    fs::remove(c.Game() + "/content/tables/sounds_table.xml");
    c.Replace("content/levels/level_01_01.xml", "<object id=\"2\"", "<oops/><object id=\"2\"");
    c.Replace("content/levels/level_01_02.xml", R"(pos="-250,74")", R"(pos="-250.5,74")");
    const auto problems = c.Lint();
    EXPECT_TRUE(Mentions(problems, "sounds_table.xml: missing")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "descriptor tables do not load"));
    EXPECT_TRUE(Mentions(problems, "level_01_01.xml", "Unknown section"));
    EXPECT_TRUE(Mentions(problems, "level_01_02.xml", "lost on saving"));
  }
}

// A waypoint's quad is the clickable area of its picture: one that holds too little of it, or
// one that another waypoint's quad covers at the picture's centre, is reported.
TEST(ContentLintTest, WaypointQuadsThatMissTheirPicturesAreReported) {
  DamagedContent c;
  c.Replace("content/levels/level_01_01.xml", R"(pos="-300,-215" size="44.00,45.00")",
            R"(pos="-300,-215" size="20.00,14.00")");
  c.Replace("content/levels/level_01_01.xml", R"(pos="-150,-285" size="23.00,43.00")",
            R"(pos="-150,-285" size="200.00,120.00")");
  const auto problems = c.Lint();
  EXPECT_TRUE(Mentions(problems, "level_01_01.xml: waypoint 101 and the picture of object 20",
                       "holds only"))
      << Join(problems);
  EXPECT_TRUE(
      Mentions(problems, "waypoint 101 and the picture of object 20", "goes to waypoint 102"));
  // The widened quad still holds its own bush and takes its clicks.
  EXPECT_FALSE(Mentions(problems, "picture of object 21"));
}

TEST(ContentLintTest, MapMarkersNamingNothingOrLackingAStringAreReported) {
  DamagedContent c;
  c.Replace("content/levels/level_00_00.xml", R"(respawn="0,1")", R"(respawn="0,99")");
  c.Replace("content/levels/level_00_00.xml",
            R"(subclass="2" pos="-700,200" size="30.00,36.00" respawn="1,0")",
            R"(subclass="2" pos="-700,200" size="30.00,36.00" respawn="40,0")");
  c.Replace("locale/pl/strings.xml", R"(name="wonder_1")", R"(name="wonder_one")");
  c.Replace("locale/de/strings.xml", R"(name="locked")", R"(name="lockd")");
  const auto problems = c.Lint();
  EXPECT_TRUE(Mentions(problems, "marker 10", "comic number 99 names nothing")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "marker 20", "achievement 40 names nothing"));
  EXPECT_TRUE(Mentions(problems, "marker 22", "wonder_1 in locale/pl"));
  EXPECT_TRUE(Mentions(problems, "level_00_00.xml", "locked in locale/de"));
  EXPECT_FALSE(Mentions(problems, "wonder_1 in locale/en"));
}

// Every marker of the map opens a level the game has: a marker of a level without a file is a
// problem, as is a marker outside the campaign.
TEST(ContentLintTest, MapMarkersOfMissingLevelsAreProblems) {
  DamagedContent c;
  c.Replace("content/levels/level_00_00.xml", R"(respawn="1,11")", R"(respawn="1,12")");
  ASSERT_TRUE(fs::remove(c.Game() + "/content/levels/level_05_10.xml"));
  ContentLint lint(c.Game(), ContentLint::Options{false});
  lint.Run();
  EXPECT_TRUE(Mentions(lint.Problems(), "marker 519", "level_05_10.xml, which does not exist"))
      << Join(lint.Problems());
  EXPECT_FALSE(Mentions(lint.Problems(), "level_02_01.xml")) << "that level is made";
  EXPECT_TRUE(Mentions(lint.Problems(), "marker 37", "outside the campaign: 1.12"))
      << Join(lint.Problems());
}

// A level's own text in a language the game does not have would never be shown.
TEST(ContentLintTest, OwnTextsInNoLanguageOfTheGameAreWarnedOf) {
  DamagedContent c;
  c.Replace("content/levels/level_01_03.xml", "</level>",
            "<text lang=\"fr\" name=\"Le moulin\" message=\"\" />\n"
            "<text lang=\"de\" name=\"Die M\u00fchle\" message=\"\" />\n</level>");
  ContentLint lint(c.Game(), ContentLint::Options{false});
  lint.Run();
  EXPECT_TRUE(Mentions(lint.Warnings(), "level_01_03.xml", "language the game has not: fr"))
      << Join(lint.Warnings());
  EXPECT_FALSE(Mentions(lint.Warnings(), "has not: de"));
  EXPECT_FALSE(Mentions(lint.Problems(), "level_01_03.xml")) << Join(lint.Problems());
}

TEST(ContentLintTest, DamagedLayoutsAreReported) {
  {
    DamagedContent c;
    c.Replace("content/layouts/splash_gui.xml", "<text id=\"0\" text=\"splash_tagline\"",
              "<Text id=\"0\" text=\"splash_tagline\"");
    c.Replace("content/layouts/splash_gui.xml", "text=\"loading\"", "text=\"loadin\"");
    c.Replace("locale/ru/strings.xml", "name=\"splash_tagline\"", "name=\"splash_tag\"");
    WriteFile(c.Game() + "/content/layouts/broken.xml", "<controls><pic></controls>");
    WriteFile(c.Game() + "/content/layouts/empty.xml", "<dialog/>");
    const auto problems = c.Lint();
    EXPECT_TRUE(Mentions(problems, "splash_gui.xml: <Text id=\"0\">", "unknown element"))
        << Join(problems);
    for (const char* language : {"en", "de", "ru", "pl"}) {
      EXPECT_TRUE(Mentions(problems, "no string loadin in locale/" + std::string(language)));
    }
    // The tagline element is unknown now, so its key is not looked up.
    EXPECT_FALSE(Mentions(problems, "splash_tag"));
    EXPECT_TRUE(Mentions(problems, "broken.xml", "does not parse"));
    EXPECT_TRUE(Mentions(problems, "empty.xml", "no controls element"));
  }
  {
    DamagedContent c;
    c.Replace("content/layouts/splash_gui.xml", "spr=\"loading_runner\"",
              "spr=\"loading_runner\" shader=\"no_such_shader\"");
    fs::rename(c.Game() + "/content/layouts/splash_gui.xml",
               c.Game() + "/content/layouts/other_gui.xml");
    const auto problems = c.Lint();
    EXPECT_TRUE(Mentions(problems, "no layout splash_gui")) << Join(problems);
    ContentLint media(c.Game(), ContentLint::Options{true});
    media.Run();
    EXPECT_TRUE(Mentions(media.Problems(), "other_gui.xml: <anipic id=\"10\">",
                         "no shader \"no_such_shader\""))
        << Join(media.Problems());
    EXPECT_TRUE(Mentions(media.Problems(), "no texture \"loading_runner\""));
  }
}

// What a level draws and how its objects link: cycles, links to the wrong kind of object,
// sprites that cannot play, objects off the level, and pictures that are only atlas sprites.
TEST(ContentLintTest, LinksSpritesPlacesAndLevelTexturesAreChecked) {
  DamagedContent c;
  const std::string level = "content/levels/level_01_01.xml";
  c.Replace(level, R"(<object id="3" tex="deco_rock" class="0" subclass="0" flags="sm")",
            R"(<object id="3" tex="deco_rock" class="0" subclass="0" flags="sm" obj_link="5")");
  c.Replace(level, R"(<object id="5" tex="deco_tree_big" class="0" subclass="0" flags="sm")",
            R"(<object id="5" tex="deco_tree_big" class="0" subclass="0" flags="sm" obj_link="3")");
  c.Replace(level, R"(<object id="2" tex="deco_flowers" class="0" subclass="0")",
            R"(<object id="2" tex="deco_flowers" class="0" subclass="0" sprite="0,2,-40,9,4,0")");
  c.Replace(level, R"(pos="-570,250")", R"(pos="-700,250")");
  c.Replace(level, R"(<object id="111" class="3" subclass="13")",
            R"(<object id="111" class="3" subclass="13" obj_link="110")");
  c.Replace(level, R"(class="1" subclass="12" flags="s")",
            R"(class="1" subclass="12" flags="sj" obj_link="111")");
  c.Replace(
      level, R"(<object id="10" tex="workers_house" class="2" subclass="40" flags="s")",
      R"(<object id="10" tex="workers_house" class="2" subclass="40" flags="s" obj_link="7")");
  WriteFile(c.Game() + "/content/atlases/atlas_x.xml",
            R"(<Atlas name="atlas_x"><Tex name="deco_rock" rect="0,0,8,8"/></Atlas>)");
  auto problems = c.Lint();
  EXPECT_TRUE(Mentions(problems, "level_01_01.xml", "in a circle: 3 -> 5 -> 3")) << Join(problems);
  EXPECT_TRUE(Mentions(problems, "object 2: sprite", "frame time is below zero"));
  EXPECT_TRUE(Mentions(problems, "object 2: sprite", "no columns or no rows"));
  EXPECT_TRUE(Mentions(problems, "object 2: sprite", "loop past its last frame"));
  EXPECT_TRUE(Mentions(problems, "object 4", "outside the world at -700,250"));
  EXPECT_TRUE(Mentions(problems, "object 111", "whose object is waypoint 110"));
  EXPECT_TRUE(Mentions(problems, "object 24", "links to waypoint 111"));
  EXPECT_TRUE(Mentions(problems, "object 24", "flag j"));
  EXPECT_TRUE(Mentions(problems, "object 10", "building linked to object 7 of class 7"));
  // With the media checked, a name that only an atlas gives is no texture for the level.
  ContentLint media(c.Game(), ContentLint::Options{true});
  media.Run();
  EXPECT_TRUE(Mentions(media.Problems(), "\"deco_rock\" is only an atlas sprite"));
  EXPECT_TRUE(Mentions(media.Problems(), "no texture \"deco_flowers\""));
}

// A land's dress is built at the size of the picture it dresses (the levels' quads and the
// sheets' frames were measured on that one): a dress of another size is reported, one of the
// same size is not.
TEST(ContentLintTest, ADressOfAnotherSizeThanItsPictureIsReported) {
  const char* built = std::getenv("KALODRUS_GAME_DIR");
  if (!built || !fs::exists(std::string(built) + "/content/world/coast_farm.zif"))
    GTEST_SKIP() << "not built";
  DamagedContent c;
  const std::string world = std::string(built) + "/content/world/";
  fs::create_directories(c.Game() + "/content/world");
  for (const char* name : {"workers_house", "coast_workers_house", "farm"})
    fs::copy_file(world + name + ".zif", c.Game() + "/content/world/" + name + ".zif");
  fs::copy_file(world + "campfire.zif", c.Game() + "/content/world/coast_farm.zif");
  ContentLint media(c.Game(), ContentLint::Options{true});
  media.Run();
  EXPECT_TRUE(Mentions(media.Problems(), "land_dress.xml: \"coast_farm\" is 144x96, \"farm\" 180x160"))
      << Join(media.Problems());
  EXPECT_FALSE(Mentions(media.Problems(), "\"coast_workers_house\" is"));
}

// Every speaker of the dialog table needs its figure and its head picture, each found as an
// atlas sprite: with the chief's head left out of the atlas, only that one is reported.
TEST(ContentLintTest, ASpeakerWithoutItsHeadPictureIsReported) {
  DamagedContent c;
  WriteFile(c.Game() + "/content/atlases/atlas_speakers.xml",
            R"(<Atlas name="atlas_speakers"><Tex name="chief_figure" rect="0,0,8,8"/>)"
            R"(<Tex name="worker_figure" rect="8,0,8,8"/><Tex name="worker_head" rect="16,0,8,8"/>)"
            R"(<Tex name="mason_figure" rect="24,0,8,8"/><Tex name="mason_head" rect="32,0,8,8"/>)"
            R"(</Atlas>)");
  ContentLint media(c.Game(), ContentLint::Options{true});
  media.Run();
  const auto& problems = media.Problems();
  EXPECT_TRUE(Mentions(problems, "dialog_pictures.xml", "no texture \"chief_head\""))
      << Join(problems);
  for (const char* found : {"\"chief_figure\"", "\"worker_head\"", "\"mason_figure\""})
    EXPECT_FALSE(Mentions(problems, found)) << found;
}

// Work that no base of its worker type reaches, even with every obstacle cleared.
TEST(ContentLintTest, WorkUnreachableByItsWorkerType) {
  DamagedContent c;
  const std::string level = "content/levels/level_01_01.xml";
  c.Replace(level, R"(links="107,108" obj_link="24")", R"(links="0,108" obj_link="24")");
  auto problems = c.Lint();
  EXPECT_TRUE(Mentions(problems, "object 26 at waypoint 107",
                       "reached by no base of worker type 0, even with every obstacle cleared"))
      << Join(problems);
  EXPECT_FALSE(Mentions(problems, "object 24 at waypoint 105", "reached by no base"));
}

// The built game folder, pictures, sounds and effects included, has nothing to fix.
TEST(ContentLintTest, BuiltGameFolderIsClean) {
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  if (!game || !fs::exists(std::string(game) + "/content/world")) GTEST_SKIP() << "not built";
  ContentLint lint(game, ContentLint::Options{true});
  EXPECT_EQ(lint.Run(), 0u) << Join(lint.Problems());
}

TEST(ContentLintTest, LevelCheckCommand) {
  TempDir dir;
  const std::string good = dir.Path() + "/level_01_04.xml";
  WriteFile(good, R"(<level><object id="1" tex="a" class="0" pos="10,20" size="1.5,2"/></level>)");
  const std::string lossy = dir.Path() + "/lossy.xml";
  WriteFile(
      lossy,
      R"(<level episode="1" level="2"><object id="1" tex="a" class="0" pos="10.5,20"/></level>)");
  const std::string broken = dir.Path() + "/broken.xml";
  WriteFile(broken, R"(<level><what/></level>)");
  EXPECT_EQ(RunLevelCommand({"check", good}), 0);
  EXPECT_EQ(RunLevelCommand({"check", lossy}), 1);
  EXPECT_EQ(RunLevelCommand({"check", broken}), 1);
  EXPECT_EQ(RunLevelCommand({"check", dir.Path() + "/missing.xml"}), 1);
  EXPECT_EQ(RunLevelCommand({"check", good, "--game", DemoGame()}), 0);
  EXPECT_EQ(RunLevelCommand({"check", good, "--game", dir.Path()}), 1);  // no tables there
  EXPECT_EQ(RunLevelCommand({"verify", good}), 2);
  EXPECT_EQ(RunLevelCommand({}), 2);
  EXPECT_EQ(RunLintCommand({}), 2);
  EXPECT_EQ(RunLintCommand({DemoGame(), "--no-media"}), 0);
  EXPECT_EQ(RunLintCommand({dir.Path(), "--no-media"}), 1);

  GameDescriptors none;
  const auto lines = CheckLevelRoundTrip(ReadText(lossy), 1, 2, none, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("object 0 (id 1) pos: 10.5,20 / 10,20"), std::string::npos) << lines[0];
  // A saved game of an ordinary level that names no campaign level is refused on reading back.
  const auto outside = CheckLevelRoundTrip(ReadText(good), 0, 0, none, nullptr);
  ASSERT_EQ(outside.size(), 1u);
  EXPECT_NE(outside[0].find("cannot be read back"), std::string::npos);
}

// A level file nested far too deep behind a declaration the parser skips to its first ">"
// (once enough to overflow the parser's stack) is reported as unreadable.
TEST(ContentLintTest, LevelCheckRefusesOverDeepFiles) {
  TempDir dir;
  const std::string deep = dir.Path() + "/level_01_05.xml";
  std::string text = "<?xml version=\"1.0\"?><!x [><level>";
  for (int i = 0; i < 200000; ++i) text += "<a>";
  WriteFile(deep, text);
  EXPECT_EQ(RunLevelCommand({"check", deep}), 1);
}

TEST(ContentLintTest, LevelFileNames) {
  int e = 0, l = 0;
  EXPECT_TRUE(ParseLevelFileName("a/b/level_02_07.xml", e, l));
  EXPECT_EQ(e, 2);
  EXPECT_EQ(l, 7);
  EXPECT_TRUE(ParseLevelFileName("level_00_00.xml", e, l));
  EXPECT_EQ(e, 0);
  for (const char* bad : {"level_2_07.xml", "level_02_07.xm", "level_02-07.xml", "xlevel_02_07.xml",
                          "level_+2_07.xml", "level_02_07.xml.bak", ""}) {
    EXPECT_FALSE(ParseLevelFileName(bad, e, l)) << bad;
  }
}

}  // namespace

// Mini-game levels: a grid that cannot be solved, a gate without its attacker, a cued phase
// missing a candidate and a goal text missing in a language are reported; the demo's grids
// are noted with their tile kinds.
TEST(ContentLintTest, MiniGameLevelsAreChecked) {
  {
    ContentLint lint(DemoGame(), ContentLint::Options{false});
    lint.Run();
    EXPECT_TRUE(Mentions(lint.Notes(), "level_08_08.xml: phase 1 (kind 7)", "grid 4 x 3: S0"))
        << Join(lint.Notes());
  }
  DamagedContent c;
  c.Replace("content/levels/level_08_08.xml", R"(class="8" pos="96,-64")",
            R"(class="0" pos="96,-64")");
  c.Replace("content/levels/level_08_01.xml", R"(subclass="13" pos="-420,120" size="34,40" obj_link)",
            R"(subclass="13" pos="-420,120" size="34,40" no_link)");
  c.Replace("content/levels/level_08_07.xml", R"(respawn="2,0")", R"(respawn="5,0")");
  c.Replace("locale/pl/minigames.xml", R"(name="mg_goal_bells")", R"(name="mg_goal_bellz")");
  const auto problems = c.Lint();
  EXPECT_TRUE(Mentions(problems, "level_08_08.xml: phase 1 (kind 7)", "no fillable object"))
      << Join(problems);
  EXPECT_TRUE(Mentions(problems, "level_08_08.xml: phase 1 (kind 7)", "no turning of the tiles"));
  EXPECT_TRUE(Mentions(problems, "level_08_01.xml: phase 1 (kind 0)", "has no attacker"));
  EXPECT_TRUE(Mentions(problems, "level_08_07.xml: phase 1 (kind 6)", "no candidate 2 of 1..2"));
  EXPECT_TRUE(Mentions(problems, "level_08_07.xml", "goal text mg_goal_bells missing in pl"));
  EXPECT_FALSE(Mentions(problems, "level_08_07.xml", "missing in de"));
  EXPECT_FALSE(Mentions(problems, "level_08_02.xml"));
}
