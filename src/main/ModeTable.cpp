#include "main/ModeTable.h"

#include "app/Application.h"
#include "app/ModeSplash.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeCastle.h"
#include "campaign/ModeCredits.h"
#include "campaign/ModeRatings.h"
#include "campaign/ModePuzzle.h"
#include "campaign/ModeStage.h"
#include "campaign/ModeComics.h"
#include "editor/ModeEditor.h"
#include "level_screen/ModeGame.h"

namespace {

constexpr ModeEntry kModes[] = {
    {"splash", ModeId::Splash, []() -> Mode& { return TheModeSplash(); }},
    {"menu", ModeId::Menu, []() -> Mode& { return TheModeMenu(); }},
    {"map", ModeId::Map, []() -> Mode& { return TheModeStage(); }},
    {"game", ModeId::Game, []() -> Mode& { return TheModeGame(); }},
    {"comics", ModeId::Comics, []() -> Mode& { return TheModeComics(); }},
    {"puzzle", ModeId::Puzzle, []() -> Mode& { return TheModePuzzle(); }},
    {"castle", ModeId::Castle, []() -> Mode& { return TheModeCastle(); }},
    {"ratings", ModeId::Ratings, []() -> Mode& { return TheModeRatings(); }},
    {"credits", ModeId::Credits, []() -> Mode& { return TheModeCredits(); }},
    {"editor", ModeId::Editor, []() -> Mode& { return TheModeEditor(); }},
};

}  // namespace

std::span<const ModeEntry> GameModes() { return kModes; }

Mode* ModeByName(std::string_view name) {
  for (const ModeEntry& entry : kModes)
    if (entry.name == name) return &entry.mode();
  return nullptr;
}

void RegisterGameModes(Application& app) {
  for (const ModeEntry& entry : kModes) app.RegisterMode(entry.id, entry.mode());
}
