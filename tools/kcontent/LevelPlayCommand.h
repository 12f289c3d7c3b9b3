#pragma once
#include <string>
#include <vector>

// level play FILE [--bot] [--seconds N] [--difficulty 0-2] [--seed N] [--step MS]
//   [--record F] [--replay F] [--trace] [--write F] [--game G]
// Plays a level without a window: the greedy bot or recorded clicks act through the pointer
// rules of the level screen; the last line printed is one JSON object with the result.
// --write F stores the level as it stands at the end (the level file format).
// The game folder of a level file: the folder above "content/levels/" (else ".").
std::string GameFolderOf(const std::string& file);

int RunLevelPlay(const std::vector<std::string>& args);

// What a run played, for a benchmark: game milliseconds simulated and frames run.
struct LevelPlayStats {
  long long gameMs = 0;
  long long frames = 0;
};
// RunLevelPlay that also reports its stats; quiet leaves out the result line.
int PlayLevel(const std::vector<std::string>& args, LevelPlayStats* stats, bool quiet);
