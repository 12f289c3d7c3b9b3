// bench_campaign_soak: the bot plays every campaign level there is, 1:1 to 5:11, through the
// level screen (update, world and HUD drawn on the recording device), round after round in one
// process, and compares the heap in use after the last round with that after the first: a
// level screen that keeps something of every level it played grows round by round. Prints the
// bytes after each round and "growth_percent: X"; exits 1 when the growth passes the limit or a
// level cannot be started. Run it from the game folder.
// Usage: bench_campaign_soak [--rounds N] [--seconds S] [--limit PERCENT]
//   --rounds N   rounds through the campaign (3)
//   --seconds S  game seconds played of each level, 0 for each to its end (0)
//   --limit P    the growth allowed from the first round to the last, in percent (5)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's own count of the heap in use (its allocator replaces malloc's).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include "BenchPlatform.h"
#include "app/Application.h"
#include "base/DataFiles.h"
#include "data/Language.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/ModeGame.h"

namespace {

// One frame of the game, 16 ms on; the recording device then forgets what it recorded (its log
// of calls and the copies of released textures), which is the test device's memory, not the
// game's.
void Frame(Application& app, BenchPlatform& platform) {
  platform.now += 16;
  app.Frame();
  RecordingDevice* device = platform.device;
  if (!device) return;
  device->ClearLog();
  for (auto it = device->textures.begin(); it != device->textures.end();) {
    it = it->second.released ? device->textures.erase(it) : std::next(it);
  }
}

// The heap in use: what the allocator has handed out and not yet taken back.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

struct Options {
  int rounds = 3;
  int seconds = 0;
  double limit = 5.0;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (!std::strcmp(argv[i], "--rounds") && more) {
      o.rounds = std::max(2, std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--seconds") && more) {
      o.seconds = std::max(0, std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--limit") && more) {
      o.limit = std::atof(argv[++i]);
    } else {
      return false;
    }
  }
  return true;
}

// The campaign levels of the game folder, in order.
std::vector<std::pair<int, int>> CampaignLevels() {
  std::vector<std::pair<int, int>> levels;
  for (int e = 1; e <= 5; ++e) {
    for (int l = 1; l <= 11; ++l) {
      char name[64];
      std::snprintf(name, sizeof name, "content/levels/level_%02d_%02d.xml", e, l);
      if (std::filesystem::exists(name)) levels.emplace_back(e, l);
    }
  }
  return levels;
}

// Plays one level with the bot until it ends (or `seconds` of game time); false when it could
// not be started.
struct Played {
  bool started = false;
  bool ended = false;
  int gameMs = 0;
};

Played PlayLevel(Application& app, BenchPlatform& platform, int episode, int level, int seconds) {
  Played out;
  ModeGame& game = TheModeGame();
  game.episode = episode;
  game.levelNumber = level;
  game.SetBotPlaying(true);
  app.SetMode(&game, false);
  // The screen fades out and in again when it was showing a level already.
  for (int i = 0; i < 2000 && (app.pending || app.current != &game); ++i) Frame(app, platform);
  const Level* played = game.CurrentLevel();
  if (app.current != &game || !game.HasLevel() || !played || played->episode != episode ||
      played->levelNumber != level) {
    return out;
  }
  out.started = true;
  const int limitMs = seconds > 0 ? seconds * 1000 : 3600 * 1000;
  // A level ends, then its result shows; a few more frames let the result sequence begin.
  int after = 0;
  for (int i = 0; i < 400000 && after < 120 && app.current == &game && !app.pending; ++i) {
    Frame(app, platform);
    const Level* now = game.CurrentLevel();
    if (!game.HasLevel() || !now) break;
    out.gameMs = now->gameTime;
    out.ended = game.Controller()->Ended();
    if (out.ended || now->gameTime >= limitMs) ++after;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: bench_campaign_soak [--rounds N] [--seconds S] [--limit PERCENT]\n");
    return 2;
  }
  const auto levels = CampaignLevels();
  if (levels.empty()) {
    std::fprintf(stderr, "bench_campaign_soak: run it from the game folder\n");
    return 1;
  }
  const auto data = std::filesystem::temp_directory_path() /
                    ("bench_campaign_soak_" + std::to_string(::getpid()));
  std::filesystem::create_directories(data);
  base::SetDataFolder(data.string());
  BenchPlatform platform;
  int status = 0;
  {
    Application app(platform);
    if (!app.Init() || !app.InitDevice()) {
      std::fprintf(stderr, "bench_campaign_soak: run it from the game folder\n");
      return 1;
    }
    MountLocale(*app.files(), "en", false);
    if (!app.InitContent()) return 1;
    app.profiles()->progress.difficulty = Difficulty::Expert;
    std::vector<size_t> heap;
    for (int round = 1; round <= options.rounds && status == 0; ++round) {
      int ended = 0;
      long long gameMs = 0;
      for (const auto& [episode, level] : levels) {
        const Played played = PlayLevel(app, platform, episode, level, options.seconds);
        if (!played.started) {
          std::fprintf(stderr, "bench_campaign_soak: level %d:%d cannot be started\n", episode,
                       level);
          status = 1;
          break;
        }
        ended += played.ended;
        gameMs += played.gameMs;
      }
      heap.push_back(HeapInUse());
      std::printf("round %d: %zu levels, %d played to their end, %lld s of game time, heap %zu "
                  "bytes\n",
                  round, levels.size(), ended, gameMs / 1000, heap.back());
      std::fflush(stdout);
    }
    if (status == 0) {
      const double growth = 100.0 * (double(heap.back()) - double(heap.front())) /
                            double(std::max<size_t>(heap.front(), 1));
      std::printf("growth_percent: %.2f\n", growth);
      if (growth > options.limit) {
        std::fprintf(stderr, "bench_campaign_soak: the heap grew %.2f %% (limit %.1f %%)\n",
                     growth, options.limit);
        status = 1;
      }
    }
    app.Shutdown();
  }
  base::SetDataFolder("");
  std::filesystem::remove_all(data);
  return status;
}
