// Runs the content viewer headless in a game folder of generated pictures and checks the
// pixels of its screenshots.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "support/Picture.h"

namespace {

// Runs kview in folder with the arguments given; returns its exit code. Everything the child
// needs is prepared before the fork (the test process may have driver threads running).
// Its error output goes to errorFile when one is given.
int RunKview(const std::filesystem::path& folder, const std::vector<std::string>& args,
             const std::string& errorFile = {}) {
  std::vector<std::string> environment{"SDL_VIDEODRIVER=offscreen"};
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).substr(0, 16) != "SDL_VIDEODRIVER=") environment.emplace_back(*e);
  std::vector<char*> envp;
  for (auto& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> words{KVIEW_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string dir = folder.string();

  const pid_t pid = fork();
  if (pid == 0) {
    if (!errorFile.empty()) {
      const int fd = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, 2) < 0) _exit(122);
    }
    if (chdir(dir.c_str()) != 0) _exit(120);
    execve(argv[0], argv.data(), envp.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

struct Shot : Picture {
  // The pixel under a virtual point of a screen virtualWidth units wide (origin at the
  // centre, y up); the virtual height follows from the proportions.
  std::array<int, 3> At(float x, float y, float virtualWidth) const {
    const float scale = float(width) / virtualWidth;
    const int px = int(float(width) / 2 + x * scale);
    const int py = int(float(height) / 2 - y * scale);
    const uint8_t* p = Picture::At(px, py);
    return {p[0], p[1], p[2]};
  }
};

// Points the game's data folder (KALODRUS3_DATA) at a folder while it lives.
class ScopedDataFolder {
 public:
  explicit ScopedDataFolder(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("KALODRUS3_DATA")) old_ = old;
    setenv("KALODRUS3_DATA", folder.c_str(), 1);
  }
  ~ScopedDataFolder() {
    if (old_) {
      setenv("KALODRUS3_DATA", old_->c_str(), 1);
    } else {
      unsetenv("KALODRUS3_DATA");
    }
  }

 private:
  std::optional<std::string> old_;
};

RgbaPicture Halves(int w, int h, std::array<uint8_t, 3> left, std::array<uint8_t, 3> right) {
  RgbaPicture picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto& c = x < w / 2 ? left : right;
      picture.Set(x, y, c[0], c[1], c[2]);
    }
  return picture;
}

bool IsBackground(std::array<int, 3> c) {
  return c[0] == c[1] && c[1] == c[2] && c[0] >= 0x70 && c[0] <= 0x90;
}

::testing::AssertionResult Near(std::array<int, 3> got, std::array<int, 3> want) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(got[i] - want[i]) > 4)
      return ::testing::AssertionFailure() << got[0] << "," << got[1] << "," << got[2];
  return ::testing::AssertionSuccess();
}

TEST(KviewTest, DrawsTexturesAndSpritesCentredInTheirColumns) {
  TempFolder game;
  game.Write("content/pic.png", EncodePng(Halves(64, 32, {255, 0, 0}, {0, 0, 255}), 3));
  game.Write("content/atlases/a.xml",
             "<Atlas name='pic'><Tex name='right' rect='32,0,32,32'/></Atlas>");
  const auto shot = game.path() / "shot.png";

  ASSERT_EQ(RunKview(game.path(), {"--aspect", "0", "--screenshot", shot.string(), "texture:pic"}),
            0);
  Shot one;
  ASSERT_TRUE(ReadPng(shot, one));
  EXPECT_TRUE(Near(one.At(-16, 0, 1024), {255, 0, 0}));
  EXPECT_TRUE(Near(one.At(16, 8, 1024), {0, 0, 255}));
  EXPECT_TRUE(IsBackground(one.At(-40, 0, 1024)));
  EXPECT_TRUE(IsBackground(one.At(0, 24, 1024)));
  EXPECT_TRUE(IsBackground(one.At(-500, 380, 1024)));

  // Two items: two columns, the sprite showing only its half of the texture.
  ASSERT_EQ(RunKview(game.path(), {"--aspect", "0", "--frames", "3", "--fixed-step", "16",
                                   "--screenshot", shot.string(), "texture:pic", "sprite:right"}),
            0);
  Shot two;
  ASSERT_TRUE(ReadPng(shot, two));
  EXPECT_TRUE(Near(two.At(-256 - 16, 0, 1024), {255, 0, 0}));
  EXPECT_TRUE(Near(two.At(256 - 8, 0, 1024), {0, 0, 255}));
  EXPECT_TRUE(Near(two.At(256 + 8, 0, 1024), {0, 0, 255}));
  EXPECT_TRUE(IsBackground(two.At(256 + 24, 0, 1024)));
  EXPECT_TRUE(IsBackground(two.At(0, 0, 1024)));
}

TEST(KviewTest, WideBackgroundsFillTheScreenAndMissingItemsFail) {
  TempFolder game;
  game.Write("content/wide.png", EncodePng(Halves(1280, 768, {0, 200, 0}, {200, 200, 0}), 3));
  const auto shot = game.path() / "wide.png";
  ASSERT_EQ(RunKview(game.path(), {"--aspect", "2", "--screenshot", shot.string(), "texture:wide"}),
            0);
  Shot wide;
  ASSERT_TRUE(ReadPng(shot, wide));
  EXPECT_TRUE(Near(wide.At(-630, 375, 1280), {0, 200, 0}));
  EXPECT_TRUE(Near(wide.At(-630, -375, 1280), {0, 200, 0}));
  EXPECT_TRUE(Near(wide.At(630, 375, 1280), {200, 200, 0}));
  EXPECT_TRUE(Near(wide.At(630, -375, 1280), {200, 200, 0}));

  EXPECT_EQ(RunKview(game.path(), {"--frames", "1", "texture:absent"}), 1);
  EXPECT_EQ(RunKview(game.path(), {"--frames", "1", "texture:wide", "sprite:absent"}), 1);
  EXPECT_EQ(RunKview(game.path(), {"--aspect", "7", "texture:wide"}), 2);
  EXPECT_EQ(RunKview(game.path(), {"colour:red"}), 1);
  EXPECT_EQ(RunKview(game.path(), {}), 2);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every item kind kview offers, each shown once from the built game folder. The kinds are
// read from kview's own usage text, together with the five the documentation promises, so
// that a kind that is documented but not handled, or offered without being tried here,
// fails.
TEST(KviewTest, EveryAdvertisedItemKindDrawsFromTheGameFolder) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  ASSERT_TRUE(std::filesystem::exists(game / "content")) << game;
  TempFolder out;
  const std::string usageFile = (out.path() / "usage.txt").string();
  ASSERT_EQ(RunKview(game, {}, usageFile), 2);
  std::istringstream usage(FileText(usageFile));

  // The lines after "items:" read "  kind:ARGUMENT  what it shows".
  std::set<std::string> kinds{"texture", "sprite", "text", "effect", "level", "layout"};
  size_t listed = 0;
  bool inItems = false;
  for (std::string line; std::getline(usage, line);) {
    if (line == "items:") {
      inItems = true;
    } else if (inItems && line.starts_with("  ") && line.find(':') != std::string::npos) {
      kinds.insert(line.substr(2, line.find(':') - 2));
      ++listed;
    }
  }
  EXPECT_GE(listed, 5u) << usage.str();

  const std::map<std::string, std::vector<std::string>> samples{
      {"texture", {"texture:loading_pattern"}},
      {"sprite", {"sprite:farm"}},
      {"text", {"text:0@60:Kalodrus"}},
      {"effect", {"effect:fire"}},
      {"level", {"level:1:1"}},
      {"layout", {"layout:gui_gallery"}},
      {"dialog", {"dialog:ok_dlg"}},
      {"msgbox", {"msgbox:really_exit:yesno"}},
      {"briefing", {"briefing:1:2"}},
      {"mode", {"mode:menu"}},
      {"result", {"--trophies", "3", "result:1:2"}},
      {"speech", {"speech:1:1:level"}},
  };
  // Whole screens read the player's data from here (a copy of it: nothing is written back).
  TempFolder data;
  ScopedDataFolder player(data.path());
  for (const std::string& kind : kinds) {
    SCOPED_TRACE(kind);
    const auto sample = samples.find(kind);
    if (sample == samples.end()) {
      ADD_FAILURE() << "kview offers \"" << kind << ":\" but there is no sample for it here";
      continue;
    }
    EXPECT_NE(usage.str().find("  " + kind + ":"), std::string::npos) << "not in the usage text";
    const std::string shot = (out.path() / (kind + ".png")).string();
    const std::string errors = (out.path() / (kind + ".txt")).string();
    std::vector<std::string> args{"--aspect",     "0",  "--frames",     "40",
                                  "--fixed-step", "25", "--screenshot", shot};
    args.insert(args.end(), sample->second.begin(), sample->second.end());
    ASSERT_EQ(RunKview(game, args, errors), 0) << FileText(errors);
    Shot frame;
    ASSERT_TRUE(ReadPng(shot, frame));
    // Something other than the checkerboard, over a fair number of pixels.
    int drawn = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const uint8_t* p = frame.Picture::At(x, y);
        if (!IsBackground({p[0], p[1], p[2]})) ++drawn;
      }
    EXPECT_GT(drawn, 500) << sample->second.back();
  }
  EXPECT_TRUE(std::filesystem::is_empty(data.path())) << "the player's data stays untouched";
}

// A level begun in the viewer shows its painted ground and its objects where the level file
// puts them: compared with the ground picture alone, a bare spot is the same and the stone
// at (-60, 48) is there, grey on the sandy road.
TEST(KviewTest, LevelShowsItsGroundAndItsObjectsInPlace) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  ASSERT_TRUE(std::filesystem::exists(game / "content" / "levels" / "level_01_01.xml"));
  TempFolder out;
  const std::string level = (out.path() / "level.png").string();
  const std::string ground = (out.path() / "ground.png").string();
  const std::string errors = (out.path() / "errors.txt").string();
  ASSERT_EQ(RunKview(game,
                     {"--aspect", "2", "--frames", "20", "--fixed-step", "16", "--screenshot",
                      level, "level:1:1"},
                     errors),
            0)
      << FileText(errors);
  ASSERT_EQ(RunKview(game, {"--aspect", "2", "--screenshot", ground, "texture:bg_e1_meadow"}), 0);
  Shot withObjects, bare;
  ASSERT_TRUE(ReadPng(level, withObjects));
  ASSERT_TRUE(ReadPng(ground, bare));
  for (const auto& [x, y] : {std::pair{-500.0f, 0.0f}, {-150.0f, 330.0f}}) {
    EXPECT_TRUE(Near(withObjects.At(x, y, 1280), bare.At(x, y, 1280))) << x << "," << y;
  }
  // The stone stands on the road: grey where the ground is sandy.
  const auto stone = withObjects.At(-60, 48, 1280);
  const auto road = bare.At(-60, 48, 1280);
  EXPECT_GT(
      std::abs(stone[0] - road[0]) + std::abs(stone[1] - road[1]) + std::abs(stone[2] - road[2]),
      60);
  EXPECT_LT(std::abs(stone[0] - stone[1]), 30);
  EXPECT_LT(std::abs(stone[1] - stone[2]), 30);

  // A level file that is not there is an error.
  EXPECT_EQ(RunKview(game, {"--frames", "1", "level:9:9"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "level:x"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "--hover", "999", "level:1:1"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "--hover", "24", "level:1:1"}), 0);
}

// The control gallery drawn by the game's control types: the button under the pointer shows
// its highlight frame, the nine-slice panels keep their corner rivets in the corners however
// far they are stretched, and the scissor cuts the bar that reaches past its box.
// A message box dims the whole screen behind it and shows its parchment in the middle; a key
// with no string or an unknown kind of box is refused.
TEST(KviewTest, AMessageBoxDimsTheScreenBehindItsFrame) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  TempFolder out;
  const std::string shot = (out.path() / "box.png").string();
  const std::string errors = (out.path() / "errors.txt").string();
  ASSERT_EQ(
      RunKview(game, {"--aspect", "0", "--frames", "2", "--screenshot", shot, "msgbox:really_exit"},
               errors),
      0)
      << FileText(errors);
  Shot frame;
  ASSERT_TRUE(ReadPng(shot, frame));
  const auto corner = frame.At(-500, 370, 1024);
  EXPECT_FALSE(IsBackground(corner));
  EXPECT_LT(corner[0] + corner[1] + corner[2], 3 * 0x60) << "darker than the checkerboard";
  const auto parchment = frame.At(0, 60, 1024);
  EXPECT_GT(parchment[0], 200);
  EXPECT_GT(parchment[0], parchment[2] + 20);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "msgbox:no_such_string"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "msgbox:really_exit:maybe"}), 1);
}

TEST(KviewTest, TheControlGalleryHoversStretchesAndClips) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  ASSERT_TRUE(std::filesystem::exists(game / "content" / "layouts" / "gui_gallery.xml"));
  TempFolder out;
  const std::string hovered = (out.path() / "hovered.png").string();
  const std::string plain = (out.path() / "plain.png").string();
  const std::string errors = (out.path() / "errors.txt").string();
  const std::vector<std::string> common{"--aspect", "0", "--frames", "40", "--fixed-step", "25"};
  auto args = common;
  args.insert(args.end(), {"--pointer", "-370,224", "--screenshot", hovered, "layout:gui_gallery"});
  ASSERT_EQ(RunKview(game, args, errors), 0) << FileText(errors);
  args = common;
  args.insert(args.end(), {"--pointer", "480,-360", "--screenshot", plain, "layout:gui_gallery"});
  ASSERT_EQ(RunKview(game, args, errors), 0) << FileText(errors);
  Shot over, away;
  ASSERT_TRUE(ReadPng(hovered, over));
  ASSERT_TRUE(ReadPng(plain, away));

  // The button's face left of its label: the highlight frame is lighter than the normal one.
  const auto lit = over.At(-455, 212, 1024);
  const auto normal = away.At(-455, 212, 1024);
  EXPECT_GT(lit[0] + lit[1] + lit[2], normal[0] + normal[1] + normal[2] + 30);

  // Corner rivets (gold) at the middle of each corner third, on both stretched panels.
  const auto gold = [](std::array<int, 3> c) {
    return c[0] > 190 && c[1] > 130 && c[1] < 215 && c[2] < 110;
  };
  for (const auto& [x, y] :
       {std::pair{-484.0f, 338.0f}, {484.0f, -338.0f}, {-104.0f, 48.0f}, {154.0f, -94.0f}}) {
    EXPECT_TRUE(gold(away.At(x, y, 1024))) << x << "," << y;
  }
  // Halfway along an edge there is no rivet: the edge is repeated, not the corner stretched.
  EXPECT_FALSE(gold(away.At(0, 338, 1024)));

  // The bar runs from -220 to 270; the scissor box from -120 to 170.
  const auto inside = away.At(-60, -190, 1024);
  const auto outside = away.At(-170, -190, 1024);
  EXPECT_GT(inside[2], inside[0] + 40) << "the bar (blue) inside the box";
  EXPECT_GT(outside[0], outside[2] + 40) << "the panel (warm) outside it";
}

// Pixels of a band of the picture (fractions of its size) that pass a test.
template <typename Test>
int CountPixels(const Shot& p, double fx0, double fy0, double fx1, double fy1, Test test) {
  int n = 0;
  for (int y = int(fy0 * p.height); y < int(fy1 * p.height); ++y)
    for (int x = int(fx0 * p.width); x < int(fx1 * p.width); ++x) n += test(p.Picture::At(x, y));
  return n;
}

// A screen of the game folder shot by kview at 4:3 with frames of 25 ms, into folder/NAME.png.
void ShootScreen(const std::filesystem::path& game, const std::filesystem::path& folder,
                 const std::string& name, std::vector<std::string> args, Shot& shot) {
  const std::string file = (folder / (name + ".png")).string();
  const std::string errors = (folder / (name + ".txt")).string();
  args.insert(args.begin(), {"--aspect", "0", "--fixed-step", "25", "--screenshot", file});
  ASSERT_EQ(RunKview(game, args, errors), 0) << name << ": " << FileText(errors);
  ASSERT_TRUE(ReadPng(file, shot)) << name;
}

// Whole screens run the game itself. The map of a new player is the painted meadow with the
// river along its top, scrolled to the first level; a returning player's map shows the
// progress the data folder holds; the result of a gold win shows three gold stars in the win
// dialog's star row, a bronze one none, and a lost level the lose dialog without a star row.
TEST(KviewTest, WholeScreensShowTheMapAndTheResultSequence) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  TempFolder out, data;
  ScopedDataFolder player(data.path());
  const auto shoot = [&](const std::string& name, std::vector<std::string> args, Shot& shot) {
    ShootScreen(game, out.path(), name, std::move(args), shot);
  };
  Shot map, played, gold, bronze, lost;
  shoot("map", {"--frames", "10", "mode:map"}, map);
  // A player who won 1:1 with three stars and 1:2 with two: the map read from the data
  // folder shows it.
  TempFolder progress;
  const char* bin = std::getenv("KALODRUS_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  const std::string prepare =
      std::string(bin) + "/kcontent save set " + progress.path().string() +
      " record:1:1=stars3,finished record:1:2=stars2,finished last:1:2 > /dev/null";
  ASSERT_EQ(std::system(prepare.c_str()), 0);
  {
    ScopedDataFolder returning(progress.path());
    shoot("played", {"--frames", "10", "mode:map"}, played);
  }
  shoot("gold", {"--frames", "100", "result:1:1"}, gold);
  shoot("bronze", {"--frames", "100", "--medal", "0", "result:1:1"}, bronze);
  shoot("lost", {"--frames", "100", "--lost", "result:1:1"}, lost);
  if (HasFatalFailure()) return;

  const auto green = [](const uint8_t* c) { return c[1] > c[0] + 20 && c[1] > c[2] + 40; };
  const auto water = [](const uint8_t* c) { return c[2] > c[0] + 60 && c[2] > 150; };
  const int all = map.width * map.height;
  EXPECT_GT(CountPixels(map, 0, 0, 1, 1, green), all / 2) << "the meadow";
  EXPECT_GT(CountPixels(map, 0, 0, 1, 0.2, water), all / 100) << "the river";
  EXPECT_EQ(CountPixels(map, 0, 0.5, 1, 1, water), 0);
  // The map scrolls to the next level: its marker ("level_current", a green flag) and the
  // selection pin (red) above it stand in the middle, for the new player on 1:1 and for the
  // returning one on 1:3, with 1:1's gold three-star marker two markers to its left.
  const auto pin = [](const uint8_t* c) { return c[0] > 200 && c[1] < 150 && c[2] < 100; };
  const auto flag = [](const uint8_t* c) { return c[1] > 110 && c[0] < 90 && c[2] < 80; };
  const auto goldFlag = [](const uint8_t* c) { return c[0] > 230 && c[1] > 170 && c[2] < 100; };
  for (const Shot* shot : {&map, &played}) {
    EXPECT_GT(CountPixels(*shot, 0.46, 0.55, 0.54, 0.65, pin), 60);
    EXPECT_GT(CountPixels(*shot, 0.46, 0.63, 0.54, 0.74, flag), 100);
  }
  EXPECT_GT(CountPixels(played, 0.1, 0.62, 0.17, 0.72, goldFlag), 100);
  EXPECT_EQ(CountPixels(map, 0.1, 0.62, 0.17, 0.72, goldFlag), 0);

  // The star row of the 4:3 win dialog, in thirds.
  constexpr double kStarX0 = 0.39, kStarW = 0.078, kStarY0 = 0.24, kStarY1 = 0.33;
  const auto goldStar = [](const uint8_t* c) {
    return c[0] > 235 && c[1] > 180 && c[1] < 235 && c[2] < 90;
  };
  for (int i = 0; i < 3; ++i) {
    const double x0 = kStarX0 + i * kStarW;
    EXPECT_GT(CountPixels(gold, x0, kStarY0, x0 + kStarW, kStarY1, goldStar), 60) << i;
    EXPECT_LT(CountPixels(bronze, x0, kStarY0, x0 + kStarW, kStarY1, goldStar), 10) << i;
    EXPECT_LT(CountPixels(lost, x0, kStarY0, x0 + kStarW, kStarY1, goldStar), 10) << i;
  }
  // The lose dialog is smaller: its parchment stands where the win dialog's frame is not.
  const auto parchment = [](const uint8_t* c) {
    return c[0] > 225 && c[1] > 210 && c[2] > 170 && c[2] < 225;
  };
  EXPECT_GT(CountPixels(lost, 0.3, 0.4, 0.7, 0.45, parchment), 300);
  EXPECT_TRUE(std::filesystem::is_empty(data.path()));
}

// The grey (luminance) of a pixel, as a screen seen without colour shows it.
int Grey(const Shot& p, int x, int y) {
  const uint8_t* c = p.Picture::At(x, y);
  return (299 * c[0] + 587 * c[1] + 114 * c[2]) / 1000;
}

// The pixels of a region that stand out from its commonest grey by more than `apart`.
int InkIn(const Shot& p, double fx0, double fy0, double fx1, double fy1, int apart) {
  const int x0 = int(fx0 * p.width), x1 = int(fx1 * p.width);
  const int y0 = int(fy0 * p.height), y1 = int(fy1 * p.height);
  std::array<int, 256> histogram{};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) ++histogram[size_t(Grey(p, x, y))];
  const int common = int(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
  int ink = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) ink += std::abs(Grey(p, x, y) - common) > apart;
  return ink;
}

// Colour is never the only cue: seen in grey, the result dialog's three medals differ in the
// number of stars, and the map's three medal signs in their marks.
TEST(KviewTest, InGreyTheThreeMedalsStillDifferInShape) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  TempFolder out, data;
  ScopedDataFolder player(data.path());
  const auto shoot = [&](const std::string& name, std::vector<std::string> args, Shot& shot) {
    ShootScreen(game, out.path(), name, std::move(args), shot);
  };
  // The star row of the 4:3 win dialog, in thirds: a third holds a star when its outline
  // and shading stand out from the parchment.
  constexpr double kStarX0 = 0.39, kStarW = 0.078, kStarY0 = 0.24, kStarY1 = 0.33;
  for (int medal = 0; medal < 3; ++medal) {
    Shot result;
    shoot("medal" + std::to_string(medal),
          {"--frames", "100", "--medal", std::to_string(medal), "result:1:1"}, result);
    if (HasFatalFailure()) return;
    int stars = 0;
    for (int i = 0; i < 3; ++i) {
      const double x0 = kStarX0 + i * kStarW;
      stars += InkIn(result, x0, kStarY0, x0 + kStarW, kStarY1, 50) > 60;
    }
    EXPECT_EQ(stars, medal + 1) << "medal " << medal;
  }

  // The map's signs, one at a time at the screen's centre: their grey pictures, each cut at
  // its own middle grey, differ in shape pairwise (not only in how light they are).
  const char* const kSigns[] = {"level_bronze", "level_silver", "level_gold"};
  std::vector<std::vector<bool>> masks;
  constexpr int kHalf = 40;
  for (const char* sign : kSigns) {
    Shot shot;
    shoot(sign, {"texture:" + std::string(sign)}, shot);
    if (HasFatalFailure()) return;
    const int cx = shot.width / 2, cy = shot.height / 2;
    long sum = 0;
    for (int y = cy - kHalf; y < cy + kHalf; ++y)
      for (int x = cx - kHalf; x < cx + kHalf; ++x) sum += Grey(shot, x, y);
    const long middle = sum / (4 * kHalf * kHalf);
    std::vector<bool> mask;
    for (int y = cy - kHalf; y < cy + kHalf; ++y)
      for (int x = cx - kHalf; x < cx + kHalf; ++x) mask.push_back(Grey(shot, x, y) > middle);
    masks.push_back(std::move(mask));
  }
  for (size_t a = 0; a < masks.size(); ++a)
    for (size_t b = a + 1; b < masks.size(); ++b) {
      int differ = 0;
      for (size_t i = 0; i < masks[a].size(); ++i) differ += masks[a][i] != masks[b][i];
      EXPECT_GT(differ, 80) << kSigns[a] << " and " << kSigns[b];
    }
}

// Items that each draw effects share the effects' textures: two layouts, or a level and a
// layout, end without a crash. Whole screens are shown alone, and bad values are refused.
TEST(KviewTest, ItemsShareTheirEffectsAndWholeScreensStandAlone) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  TempFolder out, data;
  ScopedDataFolder player(data.path());
  const std::string errors = (out.path() / "errors.txt").string();
  const std::vector<std::string> common{"--aspect", "0", "--frames", "5", "--fixed-step", "25"};
  for (const auto& pair :
       {std::pair{"layout:gui_gallery", "layout:gui_gallery"}, {"level:1:1", "layout:game_gui"}}) {
    auto args = common;
    args.insert(args.end(), {pair.first, pair.second});
    EXPECT_EQ(RunKview(game, args, errors), 0) << pair.first << " " << FileText(errors);
  }
  EXPECT_EQ(RunKview(game, {"--frames", "1", "result:1:1", "texture:farm"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "mode:splash"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "mode:nowhere"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "result:9:9"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "result:1"}), 1);
  EXPECT_EQ(RunKview(game, {"--frames", "1", "speech:1:1:x"}), 1);
  for (const auto& [option, value] : {std::pair{"--trophies", "3,22"},
                                      {"--parts", "1,2,3"},
                                      {"--medal", "3"},
                                      {"--difficulty", "-1"},
                                      {"--parts", "1,2,,4"}}) {
    EXPECT_EQ(RunKview(game, {"--frames", "1", option, value, "result:1:1"}), 2) << option;
  }
}

// A puzzle board over a data folder prepared with `kcontent save set`: with three pieces of
// episode 1 found, three pieces of the old map lie on the planks around the tray and the
// name plate shows at the top; with none found (puzzle 2) the board shows its message box.
TEST(KviewTest, APuzzleBoardShowsThePiecesTheProgressFound) {
  const std::filesystem::path game = KALODRUS_GAME_DIR;
  TempFolder out, progress;
  const char* bin = std::getenv("KALODRUS_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  const std::string prepare = std::string(bin) + "/kcontent save set " + progress.path().string() +
                              " record:1:1=piece,finished record:1:2=piece,finished"
                              " record:1:3=piece,finished > /dev/null";
  ASSERT_EQ(std::system(prepare.c_str()), 0);
  ScopedDataFolder player(progress.path());
  const auto shoot = [&](const std::string& item, Shot& shot) {
    const std::string file = (out.path() / "puzzle.png").string();
    const std::string errors = (out.path() / "puzzle.txt").string();
    ASSERT_EQ(RunKview(game,
                       {"--aspect", "0", "--fixed-step", "25", "--frames", "10", "--screenshot",
                        file, item},
                       errors),
              0)
        << FileText(errors);
    ASSERT_TRUE(ReadPng(file, shot));
  };
  Shot found, none;
  shoot("mode:puzzle:1", found);
  shoot("mode:puzzle:2", none);
  if (HasFatalFailure()) return;
  EXPECT_EQ(RunKview(game, {"--frames", "1", "mode:puzzle:x"}), 1);

  // The planks, the green felt of the tray, and the old map's parchment and sea on the
  // pieces; the board without pieces shows its message box (parchment too) but no sea.
  const auto wood = [](const uint8_t* c) { return c[0] > 110 && c[0] > c[1] + 25 && c[1] > c[2]; };
  const auto felt = [](const uint8_t* c) {
    return c[1] > c[0] + 15 && c[1] > c[2] && c[1] > 60 && c[1] < 150;
  };
  const auto parchment = [](const uint8_t* c) {
    return c[0] > 225 && c[1] > 195 && c[2] > 130 && c[2] < 200;
  };
  const auto sea = [](const uint8_t* c) {
    return c[1] > c[0] + 25 && c[2] > c[0] + 25 && c[1] > 170;
  };
  const int all = found.width * found.height;
  EXPECT_GT(CountPixels(found, 0, 0, 1, 1, wood), all / 4);
  EXPECT_GT(CountPixels(found, 0.2, 0.2, 0.75, 0.65, felt), all / 50) << "the tray";
  EXPECT_GT(CountPixels(found, 0, 0, 1, 1, parchment), 3000) << "three pieces of the old map";
  EXPECT_LT(CountPixels(found, 0, 0, 1, 1, parchment), 3 * 148 * 204);
  EXPECT_GT(CountPixels(found, 0, 0, 1, 1, sea), 300);
  EXPECT_EQ(CountPixels(none, 0, 0, 1, 1, sea), 0);
  EXPECT_GT(CountPixels(none, 0.3, 0.4, 0.7, 0.6, parchment), all / 20) << "the message box";
  // The name plate at the top middle: the plate's dark wood under light letters.
  const auto letters = [](const uint8_t* c) { return c[0] > 230 && c[1] > 220 && c[2] > 180; };
  EXPECT_GT(CountPixels(found, 0.3, 0, 0.65, 0.08, letters), 50);
}

}  // namespace
