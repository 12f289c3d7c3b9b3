#pragma once
#include <span>
#include <string_view>

class Mode;

// The game's screens by the names the command line and the tools give them ("menu", "map",
// "game", ...), and the ways between them that whoever starts the game wires up.
struct ModeEntry {
  std::string_view name;
  Mode& (*mode)();
};

std::span<const ModeEntry> GameModes();
// The screen of a name, or none.
Mode* ModeByName(std::string_view name);
// The level screen's ways out (the map, the comic after an episode, the castle) and the way
// back from the comic and the castle.
void ConnectModes();
