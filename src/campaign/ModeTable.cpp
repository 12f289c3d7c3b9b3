#include "campaign/ModeTable.h"

#include "app/ModeSplash.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeStage.h"
#include "campaign/ModeStandIn.h"
#include "level_screen/ModeGame.h"

namespace {

constexpr ModeEntry kModes[] = {
    {"splash", []() -> Mode& { return TheModeSplash(); }},
    {"menu", []() -> Mode& { return TheModeMenu(); }},
    {"map", []() -> Mode& { return TheModeStage(); }},
    {"game", []() -> Mode& { return TheModeGame(); }},
    {"comics", []() -> Mode& { return TheModeComics(); }},
    {"puzzle", []() -> Mode& { return TheModePuzzle(); }},
    {"castle", []() -> Mode& { return TheModeCastle(); }},
    {"ratings", []() -> Mode& { return TheModeRatings(); }},
    {"credits", []() -> Mode& { return TheModeCredits(); }},
};

}  // namespace

std::span<const ModeEntry> GameModes() { return kModes; }

Mode* ModeByName(std::string_view name) {
  for (const ModeEntry& entry : kModes)
    if (entry.name == name) return &entry.mode();
  return nullptr;
}

void ConnectModes() {
  ModeGame& game = TheModeGame();
  game.mapMode = &TheModeStage();
  game.comicsMode = &TheModeComics();
  game.castleMode = &TheModeCastle();
  game.prepareComic = [](int number) {
    TheModeComics().number = number;
    TheModeComics().nextMode = &TheModeStage();
  };
  game.prepareCastle = [](Mode* next) { TheModeCastle().thenMode = next; };
  TheModeComics().nextMode = &TheModeStage();
  TheModeCastle().backMode = &TheModeStage();
}
