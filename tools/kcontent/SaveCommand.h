#pragma once
#include <string>
#include <vector>

// save show [DIR] [--check]: decodes the per-user files of a data folder (default: the
// game's own) and prints the players, the settings, each player's progress with every played
// level's record and the achievements, the saved level, and the record tables. Every file the
// game would ignore on load, and every value it would repair, is named. With --check the exit
// code is 1 when a file would be ignored on load (0 otherwise; 2 for wrong arguments).
int RunSaveCommand(const std::vector<std::string>& args);

// The report behind the command for one folder: what the command prints, and whether a file
// would be ignored on load.
struct SaveReport {
  std::string text;
  std::vector<std::string> ignored;  // one line per file the game would not use
};
SaveReport InspectSaveFolder(const std::string& folder);
