#pragma once
#include <span>
#include <string_view>

#include "app/ModeRequest.h"

class Application;
class Mode;

// The game's screens by the names the command line and the tools give them ("menu", "map",
// "game", ...) and by the ids the screens ask each other for.
struct ModeEntry {
  std::string_view name;
  ModeId id;
  Mode& (*mode)();
};

std::span<const ModeEntry> GameModes();
// The screen of a name, or none.
Mode* ModeByName(std::string_view name);
// Puts every screen into the application's table, so that the screens find one another.
void RegisterGameModes(Application& app);
