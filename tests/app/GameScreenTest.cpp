// Starts the built game on a private X display with no window manager, as a new player
// would, and checks what the screen shows: the window where the display mode puts it, and
// the whole frame stretched over the size the window really has, also after Alt+Enter and
// after the window is given another size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "XDisplay.h"
#include "support/Picture.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

// On a 1920×1080 screen the 16:9 virtual screen (1280×720) fits once: a window of that size,
// centred. Fullscreen takes the whole screen.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr WindowGeometry kDesktop{0, 0, kScreenWidth, kScreenHeight};
constexpr WindowGeometry kCentred{320, 180, 1280, 720};

// A frame scaled to another size differs from the original by a few levels per channel on
// average; a part cut out of an enlarged frame by several tens.
constexpr double kSameFrame = 6.0;

std::string GameDir() {
  const char* dir = std::getenv("KALODRUS_GAME_DIR");
  return dir ? dir : "build/game";
}

// The game running on the test's display.
class Game {
 public:
  // An empty display runs it without one, drawing into an offscreen surface.
  Game(const std::string& display, const std::string& dataFolder,
       const std::vector<std::string>& args) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(GameDir().c_str()) != 0) _exit(120);
      if (display.empty()) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
      } else {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
      }
      setenv("KALODRUS3_DATA", dataFolder.c_str(), 1);
      unsetenv("WAYLAND_DISPLAY");
      std::vector<char*> argv{const_cast<char*>("./kalodrus3")};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(121);
    }
  }
  ~Game() {
    if (pid_ > 0) Close();
  }

  // Waits for the game to end by itself; its exit code.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  }
  // Asks the game to close (SDL turns the signal into a quit) and waits; its exit code.
  int Close() {
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 500 && waitpid(pid_, &status, WNOHANG) == 0; ++i)
      std::this_thread::sleep_for(20ms);
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
};

// The mean colour of each cell of a grid laid over the picture, whatever its pixel size:
// red, green and blue of each cell, row by row.
std::vector<double> CellColours(const Picture& p, int columns, int rows) {
  std::vector<double> cells(size_t(columns) * size_t(rows) * 3, 0.0);
  if (p.width < columns || p.height < rows) return cells;
  for (int cy = 0; cy < rows; ++cy) {
    const int y0 = cy * p.height / rows, y1 = (cy + 1) * p.height / rows;
    for (int cx = 0; cx < columns; ++cx) {
      const int x0 = cx * p.width / columns, x1 = (cx + 1) * p.width / columns;
      double* cell = &cells[(size_t(cy) * size_t(columns) + size_t(cx)) * 3];
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
          for (int c = 0; c < 3; ++c) cell[c] += p.At(x, y)[c];
      for (int c = 0; c < 3; ++c) cell[c] /= double((x1 - x0) * (y1 - y0));
    }
  }
  return cells;
}

// The rows of a grid that lie between the scrolling loading bands at the top and bottom
// (the middle 19/27 of the height).
constexpr bool BetweenBands(int row, int rows) {
  return row * 27 >= 4 * rows && row * 27 < 23 * rows;
}

// Mean difference per colour channel (0..255) between two pictures of one frame, compared
// cell by cell on a coarse grid, so that a frame stretched to another size still matches
// while an enlarged part of it does not.
double FrameDifference(const Picture& a, const Picture& b) {
  constexpr int kColumns = 48, kRows = 27;
  if (a.width < kColumns || a.height < kRows || b.width < kColumns || b.height < kRows) return 255;
  const std::vector<double> ca = CellColours(a, kColumns, kRows);
  const std::vector<double> cb = CellColours(b, kColumns, kRows);
  double total = 0;
  int samples = 0;
  for (int row = 0; row < kRows; ++row) {
    if (!BetweenBands(row, kRows)) continue;
    const size_t first = size_t(row) * kColumns * 3, last = first + kColumns * 3;
    for (size_t i = first; i < last; ++i, ++samples) total += std::fabs(ca[i] - cb[i]);
  }
  return total / samples;
}

// Where the picture shows something the reference frame does not (the game's cursor):
// the bounding box, in the picture's pixels, of the 16-pixel cells that differ clearly.
// Empty (width 0) when nothing does.
WindowGeometry Extra(const Picture& picture, const Picture& reference) {
  const int columns = picture.width / 16, rows = picture.height / 16;
  const std::vector<double> cp = CellColours(picture, columns, rows);
  const std::vector<double> cr = CellColours(reference, columns, rows);
  int left = columns, top = rows, right = -1, bottom = -1;
  for (int row = 0; row < rows; ++row) {
    if (!BetweenBands(row, rows)) continue;
    for (int column = 0; column < columns; ++column) {
      const size_t i = (size_t(row) * size_t(columns) + size_t(column)) * 3;
      double difference = 0;
      for (int c = 0; c < 3; ++c)
        difference = std::max(difference, std::fabs(cp[i + c] - cr[i + c]));
      if (difference < 40) continue;
      left = std::min(left, column);
      top = std::min(top, row);
      right = std::max(right, column);
      bottom = std::max(bottom, row);
    }
  }
  if (right < 0) return {};
  return {left * 16, top * 16, (right - left + 1) * 16, (bottom - top + 1) * 16};
}

class GameScreen : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (XvfbServer::Program().empty()) {
      skipReason_ = "Xvfb is not installed (Debian package xvfb)";
      return;
    }
    server_ = std::make_unique<XvfbServer>();
    if (!server_->Start(kScreenWidth, kScreenHeight, startError_)) server_.reset();
  }
  static void TearDownTestSuite() {
    server_.reset();
    reference_.reset();
  }

  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
    ASSERT_TRUE(server_) << startError_;
    screen_ = std::make_unique<XScreen>(server_->Display());
    ASSERT_TRUE(screen_->IsOpen());
    // The pointer starts in the middle of the screen, over the game's window in either mode.
    screen_->MovePointer(kScreenWidth / 2, kScreenHeight / 2);
  }

  Game Start(const std::vector<std::string>& args) {
    std::vector<std::string> all = args;
    all.push_back("--stay-loading");
    return Game(server_->Display(), data_.Path(), all);
  }

  // A frame the game captures itself from its back buffer: the loading screen, which stays
  // up once everything is loaded (apart from its scrolling bands), 12 s in, when its runner
  // has crossed the screen and left it.
  static bool Capture(const std::string& display, const std::vector<std::string>& mode,
                      Picture& out) {
    TempDir data;
    const std::string shot = data / "frame.png";
    std::vector<std::string> args = mode;
    for (const char* a :
         {"/16x9", "--stay-loading", "--frames", "300", "--fixed-step", "40", "--screenshot"})
      args.push_back(a);
    args.push_back(shot);
    Game game(display, data.Path(), args);
    const int exitCode = game.Wait();
    EXPECT_EQ(exitCode, 0);
    return exitCode == 0 && ReadPng(shot, out);
  }

  // The reference frame, drawn without any display: the window there is the back buffer.
  const Picture& Reference() {
    if (!reference_) {
      reference_ = std::make_unique<Picture>();
      EXPECT_TRUE(Capture("", {"/wn"}, *reference_));
    }
    return *reference_;
  }

  // Waits until the game's window has the geometry given and shows the reference frame over
  // the whole of it.
  ::testing::AssertionResult Shows(const WindowGeometry& where, std::chrono::seconds limit = 40s) {
    const Picture& reference = Reference();
    const auto end = std::chrono::steady_clock::now() + limit;
    std::ostringstream seen;
    seen << "no window shown";
    do {
      const unsigned long window = screen_->ShownWindow();
      WindowGeometry geometry;
      if (window && screen_->Geometry(window, geometry)) {
        seen.str("");
        seen << "window " << ToString(geometry);
        Picture picture;
        if (geometry == where && screen_->Grab(window, picture)) {
          const double difference = FrameDifference(picture, reference);
          if (difference < kSameFrame) return ::testing::AssertionSuccess();
          seen << ", frame difference " << difference;
        }
      }
      std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < end);
    return ::testing::AssertionFailure()
           << "wanted window " << ToString(where) << " showing the whole frame; saw " << seen.str();
  }

  // Puts the pointer at a point of the window (as a position inside it) and waits until the
  // game draws its cursor there, and nothing else over the reference frame.
  ::testing::AssertionResult PointsAt(const WindowGeometry& where, int x, int y,
                                      std::chrono::seconds limit = 20s) {
    screen_->MovePointer(where.x + x, where.y + y);
    const auto end = std::chrono::steady_clock::now() + limit;
    std::ostringstream seen;
    seen << "no window shown";
    do {
      const unsigned long window = screen_->ShownWindow();
      Picture picture;
      if (window && screen_->Grab(window, picture)) {
        const WindowGeometry extra = Extra(picture, Reference());
        // The cursor's tip is at the pointer; the cursor is smaller than 64 pixels.
        if (extra.width > 0 && std::abs(extra.x - x) <= 16 && std::abs(extra.y - y) <= 16 &&
            extra.width <= 64 && extra.height <= 64)
          return ::testing::AssertionSuccess();
        seen.str("");
        seen << "cursor cells " << (extra.width > 0 ? ToString(extra) : std::string("none"));
      }
      std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < end);
    return ::testing::AssertionFailure()
           << "wanted the cursor at " << x << "," << y << " in the window; saw " << seen.str();
  }

  unsigned long Window() { return screen_->ShownWindow(); }
  void AltEnter() { ASSERT_TRUE(screen_->Type({"Alt_L", "Return"}, 300ms)); }

  static inline std::unique_ptr<XvfbServer> server_;
  static inline std::unique_ptr<Picture> reference_;
  static inline std::string skipReason_;
  static inline std::string startError_;
  TempDir data_;
  std::unique_ptr<XScreen> screen_;
};

TEST_F(GameScreen, TheFirstStartFillsTheScreenAndAltEnterSwitchesTheWindowBackAndForth) {
  // What the game captures fullscreen is the whole screen, holding the whole frame.
  Picture captured;
  ASSERT_TRUE(Capture(server_->Display(), {"/fs"}, captured));
  EXPECT_EQ(captured.width, kScreenWidth);
  EXPECT_EQ(captured.height, kScreenHeight);
  EXPECT_LT(FrameDifference(captured, Reference()), kSameFrame);

  // A new player starts fullscreen: settings that do not exist yet say so.
  Game game = Start({"/16x9"});
  EXPECT_TRUE(Shows(kDesktop));
  // The pointer meets the picture where the player sees it.
  EXPECT_TRUE(PointsAt(kDesktop, 1500, 700));
  AltEnter();
  EXPECT_TRUE(Shows(kCentred));
  EXPECT_TRUE(PointsAt(kCentred, 200, 400));
  AltEnter();
  EXPECT_TRUE(Shows(kDesktop));
  EXPECT_TRUE(PointsAt(kDesktop, 400, 300));
  // A window manager may grant less than the whole screen (a panel, say): the frame follows.
  screen_->MoveResize(Window(), {0, 40, kScreenWidth, kScreenHeight - 40});
  EXPECT_TRUE(Shows({0, 40, kScreenWidth, kScreenHeight - 40}));
  EXPECT_EQ(game.Close(), 0);
}

TEST_F(GameScreen, TheWindowedFrameFollowsEverySizeTheWindowIsGiven) {
  Game game = Start({"/wn", "/16x9"});
  EXPECT_TRUE(Shows(kCentred));
  EXPECT_TRUE(PointsAt(kCentred, 900, 500));
  // Other proportions: the virtual screen is stretched, not cut or bordered.
  for (const WindowGeometry to :
       {WindowGeometry{40, 60, 1000, 700}, WindowGeometry{700, 100, 1200, 500}}) {
    screen_->MoveResize(Window(), to);
    EXPECT_TRUE(Shows(to));
  }
  EXPECT_EQ(game.Close(), 0);
}

}  // namespace
