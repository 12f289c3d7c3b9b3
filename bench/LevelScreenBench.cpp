// bench_level_screen: plays the busiest demo level through the level screen with the bot, on
// the recording render device (no OpenGL), and prints the processor time of whole frames
// (update, world and HUD drawn): the mean and the 99th percentile, the latter last as
// "level_screen_frame_ms: X". Run it from the game folder. Usage: bench_level_screen [FRAMES]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include "BenchPlatform.h"
#include "app/Application.h"
#include "base/DataFiles.h"
#include "data/Language.h"
#include "level/Level.h"
#include "level_screen/ModeGame.h"

namespace {

double CpuMs() { return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 6000;
  const auto data = std::filesystem::temp_directory_path() / "bench_level_screen_data";
  std::filesystem::create_directories(data);
  base::SetDataFolder(data.string());
  BenchPlatform platform;
  int status = 0;
  {
    Application app(platform);
    if (!app.Init() || !app.InitDevice()) {
      std::fprintf(stderr, "bench_level_screen: run it from the game folder\n");
      return 1;
    }
    MountLocale(*app.files(), "en", false);
    if (!app.InitContent()) return 1;
    app.profiles()->progress.difficulty = Difficulty::Expert;
    ModeGame& game = TheModeGame();
    game.episode = 1;
    game.levelNumber = 10;
    game.SetBotPlaying(true);
    app.SetMode(&game, false);
    if (!game.HasLevel()) {
      std::fprintf(stderr, "bench_level_screen: level 1:10 cannot be started\n");
      status = 1;
    }
    std::vector<double> times;
    for (int i = 0; i < frames && status == 0 && app.current == &game && !app.pending; ++i) {
      platform.now += 16;
      const double start = CpuMs();
      app.Frame();
      times.push_back(CpuMs() - start);
    }
    if (!times.empty()) {
      double sum = 0;
      for (const double t : times) sum += t;
      std::sort(times.begin(), times.end());
      const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
      const Level* level = game.CurrentLevel();
      std::printf("frames: %zu\ngame_ms: %d\ncollected: %d,%d,%d\n", times.size(),
                  level ? level->gameTime : 0, level ? level->collected[0] : 0,
                  level ? level->collected[1] : 0, level ? level->collected[2] : 0);
      std::printf("mean_frame_ms: %.3f\nlevel_screen_frame_ms: %.3f\n", sum / double(times.size()),
                  p99);
    }
    app.Shutdown();
  }
  base::SetDataFolder("");
  std::filesystem::remove_all(data);
  return status;
}
