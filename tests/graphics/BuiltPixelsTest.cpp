// What a player sees of the buildings the bot raises: kview plays each level of episode 1
// headless with the bot through real OpenGL, and the last frame must show every building and
// beacon it raised. Their places are compared with the level's bare ground, leaving out what
// other objects standing from the start cover (neighbours and their shadows; not the site,
// which the work took away): where the raised object stands drawn, most of its place differs
// from the ground; where it stands invisible, the ground shows.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Picture.h"

namespace fs = std::filesystem;

namespace {

// Only the last frame is drawn; the frame cap leaves every level time to be won.
constexpr int kStepMs = 50;
constexpr int kFrameCap = 13000;
// The virtual screen of aspect mode 2 shows the whole 1280 × 768 world.
constexpr float kWorldWidth = 1280;
// A pixel differs when its channels differ by more than this in sum.
constexpr int kPixelTolerance = 60;
// The share of the uncovered place that must differ from the ground where a raised object stands
// drawn.
constexpr double kDrawnShare = 0.22;
// The share of a dressed picture's uncovered place that must look other than the meadow's
// picture there, or for a picture that covers little of its place (a raised drawbridge) the
// share of what the meadow's picture covers there.
constexpr double kDressedShare = 0.12;
constexpr double kDressedShareOfDrawn = 0.4;

std::string Env(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v ? v : fallback;
}

// Runs kview in the game folder (or in dir); its standard output goes to outFile. Its exit code.
int RunKview(const std::vector<std::string>& args, const std::string& outFile,
             const std::string& inDir = "") {
  std::vector<std::string> words{KVIEW_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string dir = inDir.empty() ? Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR) : inDir;
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

struct Thing {
  int cls = 0;
  int subclass = 0;
  std::string flags, texture;
  float x = 0, y = 0, w = 0, h = 0;
  int link = 0;
  bool Hidden() const { return flags.find('i') != std::string::npos; }
};

// The objects of a level file by id (the attributes this check needs).
std::map<int, Thing> ReadLevel(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  std::map<int, Thing> things;
  // Plain scanning: the level files write one <object .../> element per object.
  for (size_t at = all.find("<object "); at != std::string::npos; at = all.find("<object ", at)) {
    const size_t end = all.find("/>", at);
    if (end == std::string::npos) break;
    const std::string attrs = all.substr(at + 8, end - at - 8);
    at = end;
    std::map<std::string, std::string> a;
    for (size_t eq = attrs.find("=\""); eq != std::string::npos; eq = attrs.find("=\"", eq)) {
      size_t name = eq;
      const auto word = [&](size_t i) {
        return std::isalnum(static_cast<unsigned char>(attrs[i])) || attrs[i] == '_';
      };
      while (name > 0 && word(name - 1)) --name;
      const size_t close = attrs.find('"', eq + 2);
      if (close == std::string::npos) break;
      a[attrs.substr(name, eq - name)] = attrs.substr(eq + 2, close - eq - 2);
      eq = close + 1;
    }
    Thing t;
    t.cls = std::atoi(a["class"].c_str());
    t.subclass = std::atoi(a["subclass"].c_str());
    t.flags = a["flags"];
    t.texture = a["tex"];
    std::sscanf(a["pos"].c_str(), "%f,%f", &t.x, &t.y);
    if (std::sscanf(a["size"].c_str(), "%f,%f", &t.w, &t.h) != 2) t.w = t.h = 20;
    t.link = std::atoi(a["obj_link"].c_str());
    things[std::atoi(a["id"].c_str())] = t;
  }
  return things;
}

// What a run raised: for each site whose work finished (its timer faded), the object it
// turned into when that was hidden as the level began; first the site, then what it raised.
std::vector<std::pair<int, int>> Raised(const std::map<int, Thing>& things,
                                        const std::string& log) {
  std::vector<std::pair<int, int>> raised;
  const std::string fade = ": timer_fade ";
  const auto get = [&](int id) { return things.count(id) ? &things.at(id) : nullptr; };
  for (size_t at = log.find(fade); at != std::string::npos; at = log.find(fade, at + 1)) {
    const int site = std::atoi(log.c_str() + at + fade.size());
    const Thing* worked = get(site);
    if (!worked) continue;
    int target = worked->link;
    // An upgraded building: its scaffold links the building it becomes.
    if (worked->cls == 2 && get(target)) target = get(target)->link;
    const Thing* t = get(target);
    const auto same = [&](const auto& r) { return r.second == target; };
    if (t && t->Hidden() && (t->cls == 0 || t->cls == 2) &&
        std::none_of(raised.begin(), raised.end(), same))
      raised.emplace_back(site, target);
  }
  return raised;
}

struct Box {
  float x0, y0, x1, y1;  // world units, y up
  bool Has(float x, float y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The share of the raised object's place, outside everything else standing from the start
// but its site, that differs from the bare ground; the number of pixels compared in pixels.
double DrawnShare(const Picture& ground, const Picture& last, const std::map<int, Thing>& things,
                  std::pair<int, int> raised, int& pixels) {
  const Thing& t = things.at(raised.second);
  std::vector<Box> covered;
  for (const auto& [other, o] : things) {
    // Waypoints are never drawn; the ground and the river fill the screen behind everything.
    if (other == raised.first || o.cls == 3 || o.Hidden() || o.w >= 600 || o.texture == "river")
      continue;
    // Shadows lean to the right and a little down.
    const float lean = o.flags.find('s') != std::string::npos ? 70.0f : 0.0f;
    covered.push_back(Box{o.x - o.w, o.y - o.h - lean / 6, o.x + o.w + lean, o.y + o.h});
  }
  const float scale = float(ground.width) / kWorldWidth;
  const Box place{t.x - t.w, t.y - t.h, t.x + t.w, t.y + t.h};
  pixels = 0;
  int differing = 0;
  for (int py = 0; py < ground.height; ++py) {
    for (int px = 0; px < ground.width; ++px) {
      const float x = (float(px) + 0.5f - float(ground.width) / 2) / scale;
      const float y = (float(ground.height) / 2 - float(py) - 0.5f) / scale;
      if (!place.Has(x, y)) continue;
      if (std::any_of(covered.begin(), covered.end(), [&](const Box& b) { return b.Has(x, y); }))
        continue;
      ++pixels;
      const uint8_t* a = ground.At(px, py);
      const uint8_t* b = last.At(px, py);
      const int d = std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
      if (d > kPixelTolerance) ++differing;
    }
  }
  return pixels > 0 ? double(differing) / pixels : 0.0;
}

TEST(BuiltPixelsTest, TheLastFrameShowsEveryBuildingTheBotRaised) {
  const std::string game = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  if (!fs::exists(game + "/content")) GTEST_SKIP() << "no game folder at " << game;
  const std::string levels = Env("KALODRUS_SOURCE_DIR", ".") + "/content-src/game/content/levels";
  const fs::path work = fs::temp_directory_path() / ("built_pixels_" + std::to_string(getpid()));
  fs::create_directories(work);
  int raisedAll = 0;
  for (int n = 1; n <= 10; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "level_01_%02d", n);
    const std::map<int, Thing> things = ReadLevel(levels + "/" + name + ".xml");
    ASSERT_FALSE(things.empty()) << name;
    const std::string level = "level:1:" + std::to_string(n);
    const std::string groundShot = (work / (std::string(name) + "_ground.png")).string();
    const std::string lastShot = (work / (std::string(name) + "_last.png")).string();
    const std::string logFile = (work / (std::string(name) + ".log")).string();
    const std::string step = std::to_string(kStepMs);
    const auto ground =
        std::find_if(things.begin(), things.end(), [](const auto& t) { return t.second.w >= 600; });
    ASSERT_NE(ground, things.end()) << name << ": no ground";
    ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "1", "--screenshot", groundShot,
                        "texture:" + ground->second.texture},
                       logFile),
              0)
        << name;
    ASSERT_EQ(
        RunKview({"--aspect", "2", "--bot", "--draw-last", "--frames", std::to_string(kFrameCap),
                  "--fixed-step", step, "--screenshot", lastShot, level},
                 logFile),
        0)
        << name;
    std::ifstream in(logFile);
    std::stringstream log;
    log << in.rdbuf();
    ASSERT_NE(log.str().find("result won=1"), std::string::npos) << name << ": not won";
    Picture bare, last;
    ASSERT_TRUE(ReadPng(groundShot, bare) && ReadPng(lastShot, last)) << name;
    ASSERT_EQ(bare.width, last.width);
    for (const auto& raised : Raised(things, log.str())) {
      ++raisedAll;
      const int id = raised.second;
      int pixels = 0;
      const double share = DrawnShare(bare, last, things, raised, pixels);
      ASSERT_GT(pixels, 100) << name << ": too little of object " << id << " to compare";
      std::printf("%s: object %d (%s): %.2f of %d pixels differ from the ground\n", name, id,
                  things.at(id).texture.c_str(), share, pixels);
      EXPECT_GE(share, kDrawnShare)
          << name << ": object " << id << " (" << things.at(id).texture << ") is not seen ("
          << share << " of " << pixels << " pixels differ)";
    }
  }
  // Episode 1 has buildings and beacons to raise in most of its levels.
  EXPECT_GE(raisedAll, 8);
  fs::remove_all(work);
}

// The lands' own workable things (descriptors 180 to 250: the north, the coast, the autumn wood,
// the red desert) as a level begins: every kind that stands in a level of its land is drawn
// where the level puts it, seen against the level's bare ground in the first frame.
TEST(BuiltPixelsTest, EveryLandsThingsAreDrawnWhereTheirLevelsPutThem) {
  const std::string game = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  if (!fs::exists(game + "/content")) GTEST_SKIP() << "no game folder at " << game;
  const std::string levels = Env("KALODRUS_SOURCE_DIR", ".") + "/content-src/game/content/levels";
  const fs::path work = fs::temp_directory_path() / ("land_pixels_" + std::to_string(getpid()));
  fs::create_directories(work);
  std::map<int, std::string> seen;  // kind -> the level it was seen in
  for (int e = 2; e <= 5; ++e) {
    for (int n = 1; n <= 11; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "level_%02d_%02d", e, n);
      const std::map<int, Thing> things = ReadLevel(levels + "/" + name + ".xml");
      // The first of each kind not seen yet, away from the screen's edges and the HUD.
      std::vector<int> shown;
      std::map<int, int> tried;  // kind -> object
      for (const auto& [id, t] : things) {
        if (t.cls != 1 || t.subclass < 180 || t.subclass > 250 || seen.count(t.subclass) ||
            tried.count(t.subclass) || t.Hidden() || std::fabs(t.x) > 560 || std::fabs(t.y) > 300)
          continue;
        tried[t.subclass] = id;
        shown.push_back(id);
      }
      if (shown.empty()) continue;
      const auto ground = std::find_if(things.begin(), things.end(),
                                       [](const auto& t) { return t.second.w >= 600; });
      ASSERT_NE(ground, things.end()) << name << ": no ground";
      const std::string groundShot = (work / (std::string(name) + "_ground.png")).string();
      const std::string levelShot = (work / (std::string(name) + ".png")).string();
      const std::string logFile = (work / (std::string(name) + ".log")).string();
      ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "1", "--screenshot", groundShot,
                          "texture:" + ground->second.texture},
                         logFile),
                0)
          << name;
      ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "2", "--fixed-step", "16", "--screenshot",
                          levelShot, "level:" + std::to_string(e) + ":" + std::to_string(n)},
                         logFile),
                0)
          << name;
      Picture bare, level;
      ASSERT_TRUE(ReadPng(groundShot, bare) && ReadPng(levelShot, level)) << name;
      for (const int id : shown) {
        int pixels = 0;
        const double share = DrawnShare(bare, level, things, {id, id}, pixels);
        // One standing under others (a fog bank, a bigger neighbour) is looked for in a later
        // level.
        if (pixels <= 50) continue;
        seen[things.at(id).subclass] = name;
        EXPECT_GE(share, kDrawnShare)
            << name << ": object " << id << " (" << things.at(id).texture << ") is not seen ("
            << share << " of " << pixels << " pixels differ)";
      }
    }
  }
  // Four lands of eleven kinds each, every one of them seen.
  EXPECT_EQ(seen.size(), 44u);
  fs::remove_all(work);
}

// The game folder with one level file changed: links to everything of the game folder, and the
// changed file in the folder mounted last (content_hd), which replaces the game's own.
void GameWithLevel(const std::string& game, const fs::path& dir, const std::string& file,
                   const std::string& text) {
  fs::remove_all(dir);
  fs::create_directories(dir / "content_hd");
  for (const auto& entry : fs::directory_iterator(game)) {
    if (entry.path().filename() == "content_hd") continue;
    fs::create_directory_symlink(entry.path(), dir / entry.path().filename());
  }
  if (fs::exists(game + "/content_hd"))
    fs::create_directory_symlink(game + "/content_hd", dir / "content_hd" / "0_game");
  std::ofstream(dir / "content_hd" / file) << text;
}

// The lands' dress of the camp, the sites and the buildings (textures PREFIX_NAME): as a level
// begins, the first of each dressed kind that stands in view in a land's levels is drawn where
// the level puts it, and its place looks other than with the meadow's picture there (the same
// level with the meadow's names, played in a game folder that holds that level instead).
TEST(BuiltPixelsTest, EveryLandsDressIsDrawnInItsOwnColours) {
  const std::string game = Env("KALODRUS_GAME_DIR", KALODRUS_GAME_DIR);
  if (!fs::exists(game + "/content")) GTEST_SKIP() << "no game folder at " << game;
  const std::string source = Env("KALODRUS_SOURCE_DIR", ".");
  const std::string levels = source + "/content-src/game/content/levels";
  std::ifstream table(source + "/content-src/game/content/tables/land_dress.xml");
  std::stringstream tableText;
  tableText << table.rdbuf();
  std::map<std::string, std::string> dressOf;  // dress -> the meadow's picture
  {
    const std::string all = tableText.str();
    for (size_t at = all.find("<Dress tex=\""); at != std::string::npos;
         at = all.find("<Dress tex=\"", at + 1)) {
      const size_t tex = at + 12, texEnd = all.find('"', tex);
      const size_t of = all.find("of=\"", texEnd) + 4, ofEnd = all.find('"', of);
      dressOf[all.substr(tex, texEnd - tex)] = all.substr(of, ofEnd - of);
    }
  }
  ASSERT_GE(dressOf.size(), 80u);
  const fs::path work = fs::temp_directory_path() / ("dress_pixels_" + std::to_string(getpid()));
  fs::create_directories(work);
  const char* prefixes[] = {"coast_", "autumn_", "north_", "desert_"};
  std::set<std::string> seen;
  for (int e = 2; e <= 5; ++e) {
    const std::string prefix = prefixes[e - 2];
    for (int n = 1; n <= 11; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "level_%02d_%02d", e, n);
      const std::string file = levels + "/" + name + ".xml";
      const std::map<int, Thing> things = ReadLevel(file);
      // A building's product site (building -> waypoint -> site) shows only once it grows.
      std::set<int> products;
      for (const auto& [id, b] : things) {
        const auto wp = things.find(b.link);
        if (b.cls == 2 && wp != things.end() && wp->second.cls == 3) products.insert(wp->second.link);
      }
      std::vector<int> shown;
      std::set<std::string> tried;
      for (const auto& [id, t] : things) {
        if (!dressOf.count(t.texture) || seen.count(t.texture) || tried.count(t.texture) ||
            t.Hidden() || products.count(id) || std::fabs(t.x) > 560 || std::fabs(t.y) > 300)
          continue;
        EXPECT_EQ(t.texture.rfind(prefix, 0), 0u) << name << ": " << t.texture;
        tried.insert(t.texture);
        shown.push_back(id);
      }
      if (shown.empty()) continue;
      // The same level in the meadow's pictures.
      std::ifstream in(file);
      std::stringstream text;
      text << in.rdbuf();
      std::string meadow = text.str();
      for (const auto& [dress, of] : dressOf) {
        const std::string from = "tex=\"" + dress + "\"", to = "tex=\"" + of + "\"";
        for (size_t at = meadow.find(from); at != std::string::npos; at = meadow.find(from, at))
          meadow.replace(at, from.size(), to);
      }
      GameWithLevel(game, work / "meadow_game", std::string(name) + ".xml", meadow);
      const auto ground = std::find_if(things.begin(), things.end(),
                                       [](const auto& t) { return t.second.w >= 600; });
      ASSERT_NE(ground, things.end()) << name << ": no ground";
      const std::string groundShot = (work / (std::string(name) + "_ground.png")).string();
      const std::string levelShot = (work / (std::string(name) + ".png")).string();
      const std::string meadowShot = (work / (std::string(name) + "_meadow.png")).string();
      const std::string logFile = (work / (std::string(name) + ".log")).string();
      const std::string level = "level:" + std::to_string(e) + ":" + std::to_string(n);
      ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "1", "--screenshot", groundShot,
                          "texture:" + ground->second.texture},
                         logFile),
                0)
          << name;
      for (const auto& [shot, dir] : {std::pair{levelShot, std::string()},
                                      std::pair{meadowShot, (work / "meadow_game").string()}}) {
        ASSERT_EQ(RunKview({"--aspect", "2", "--frames", "2", "--fixed-step", "16", "--screenshot",
                            shot, level},
                           logFile, dir),
                  0)
            << name << " " << shot;
      }
      Picture bare, dressed, plain;
      ASSERT_TRUE(ReadPng(groundShot, bare) && ReadPng(levelShot, dressed) &&
                  ReadPng(meadowShot, plain))
          << name;
      for (const int id : shown) {
        const Thing& t = things.at(id);
        int pixels = 0;
        const double drawn = DrawnShare(bare, dressed, things, {id, id}, pixels);
        if (pixels <= 50) continue;  // under a neighbour here; looked for in a later level
        seen.insert(t.texture);
        // Drawn as much as the meadow's picture there (a raised drawbridge is mostly air).
        const double meadowDrawn = DrawnShare(bare, plain, things, {id, id}, pixels);
        EXPECT_GE(drawn, std::min(kDrawnShare, meadowDrawn * 0.8))
            << name << ": object " << id << " (" << t.texture << ") is not seen (" << drawn
            << " of " << pixels << ", the meadow's " << meadowDrawn << ")";
        const double other = DrawnShare(plain, dressed, things, {id, id}, pixels);
        std::printf("%s: %s differs from %s in %.2f of %d pixels\n", name, t.texture.c_str(),
                    dressOf.at(t.texture).c_str(), other, pixels);
        EXPECT_GE(other, std::min(kDressedShare, meadowDrawn * kDressedShareOfDrawn))
            << name << ": object " << id << " (" << t.texture << ") looks like the meadow's "
            << dressOf.at(t.texture);
      }
    }
  }
  // Each land's camp and building sites stand in view from the start of some level.
  for (const char* prefix : prefixes) {
    for (const char* kind : {"workers_house", "building_site"})
      EXPECT_TRUE(seen.count(std::string(prefix) + kind)) << prefix << kind;
  }
  fs::remove_all(work);
}

}  // namespace
