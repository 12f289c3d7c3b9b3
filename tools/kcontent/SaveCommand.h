#pragma once
#include "progress/Settings.h"
#include <string>
#include <vector>

// save show [DIR] [--check]: decodes the per-user files of a data folder (default: the
// game's own) and prints the players, the settings, each player's progress with every played
// level's record and the achievements, the saved level, and the record tables. Every file the
// game would ignore on load, and every value it would repair, is named. With --check the exit
// code is 1 when a file would be ignored on load (0 otherwise; 2 for wrong arguments).
//
// save set DIR ITEM...: prepares the current player's progress in a data folder (made with a
// first player when empty), so that every state of the map can be seen:
//   record:E:L=stars2,finished,piece,dev,score=N,time=S   a level's record (replaced)
//   option:N        sets bit N of the options        achievement:N  earns achievement N
//   last:E:L        the last level played (from 1)   difficulty:D   0 relax, 1 casual, 2 expert
// Exit code 2 for a word it does not know (nothing is written then), 1 when the folder is
// missing or a running game holds it (its lock file "Kalodrus3").
int RunSaveCommand(const std::vector<std::string>& args);

struct Progress;
// Applies one ITEM of save set to a progress; false (progress unchanged) for a bad item.
bool ApplySaveItem(Progress& progress, std::string_view item);
// One item of the player's comfort settings: `text:PERCENT`, `pointer:PERCENT` (taken as
// the nearest offered size), `comfort:WORD,…` with the words noshake, steady and calm. False
// for anything else.
bool ApplySettingsItem(Settings& settings, std::string_view item);

// The report behind the command for one folder: what the command prints, and whether a file
// would be ignored on load.
struct SaveReport {
  std::string text;
  std::vector<std::string> ignored;  // one line per file the game would not use
};
SaveReport InspectSaveFolder(const std::string& folder);
