// bench_level: plays the busiest demo level with the bot, without a window, again and again,
// and prints how much faster than real time the simulation runs (game time simulated over
// processor time spent). Usage: bench_level [LEVELFILE] [RUNS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "kcontent/LevelPlayCommand.h"

#ifndef KALODRUS_SOURCE_DIR
#define KALODRUS_SOURCE_DIR "."
#endif

int main(int argc, char** argv) {
  const std::string level = argc > 1 ? argv[1]
                                     : std::string(KALODRUS_SOURCE_DIR) +
                                           "/content-src/game/content/levels/level_01_10.xml";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  long long gameMs = 0, frames = 0;
  const std::clock_t start = std::clock();
  for (int i = 0; i < runs; ++i) {
    LevelPlayStats stats;
    const std::vector<std::string> args{
        "play", level, "--bot", "--difficulty", "2", "--seed", std::to_string(i + 1)};
    if (PlayLevel(args, &stats, true) != 0) {
      std::fprintf(stderr, "bench_level: %s cannot be played\n", level.c_str());
      return 1;
    }
    gameMs += stats.gameMs;
    frames += stats.frames;
  }
  const double cpuMs = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
  std::printf("level: %s\nruns: %d\ngame_ms: %lld\nframes: %lld\ncpu_ms: %.1f\n", level.c_str(),
              runs, gameMs, frames, cpuMs);
  std::printf("us_per_frame: %.2f\n", frames > 0 ? cpuMs * 1000.0 / double(frames) : 0.0);
  std::printf("sim_speed_vs_realtime: %.0f\n", cpuMs > 0 ? double(gameMs) / cpuMs : 0.0);
  return 0;
}
