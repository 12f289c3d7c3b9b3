#include "main/GameScriptHost.h"

#include "app/Application.h"
#include "app/ModeSplash.h"
#include "campaign/ModeCastle.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeRatings.h"
#include "campaign/ModePuzzle.h"
#include "campaign/ModeStage.h"
#include "campaign/ModeComics.h"
#include "editor/ModeEditor.h"
#include "level_screen/ModeGame.h"

std::string GameScriptHost::ModeName(const Mode* mode) const {
  if (!mode) return "none";
  const struct {
    const Mode* mode;
    const char* name;
  } kModes[] = {{&TheModeSplash(), "ModeSplash"}, {&TheModeMenu(), "ModeMenu"},
                {&TheModeStage(), "ModeStage"},   {&TheModeGame(), "ModeGame"},
                {&TheModeComics(), "ModeComics"}, {&TheModeCastle(), "ModeCastle"},
                {&TheModePuzzle(), "ModePuzzle"}, {&TheModeRatings(), "ModeRatings"},
                {&TheModeEditor(), "ModeEditor"}};
  for (const auto& known : kModes) {
    if (known.mode == mode) return known.name;
  }
  return "Mode";
}

CampaignPosition GameScriptHost::Position() const {
  const ModeGame& game = TheModeGame();
  return {game.episode, game.levelNumber};
}

std::vector<const ControlList*> GameScriptHost::ControlLists(const Mode& mode) const {
  if (&mode == &TheModeStage()) return {&TheModeStage().controls, &TheModeStage().dialogs};
  // The level screen's world items (work timers, marks, labels) carry the ids of the objects
  // they float over; a script reaches objects by their point, so only the HUD and the dialogs
  // count.
  if (&mode == &TheModeGame()) return {&TheModeGame().controls, &TheModeGame().overlayControls};
  if (&mode == &TheModeComics()) return {&TheModeComics().controls, &TheModeComics().overlay};
  return {&mode.controls};
}

std::optional<GuiPoint> GameScriptHost::LevelMarkerPoint(int episode, int level) {
  if (App().current != &TheModeStage()) return std::nullopt;
  const auto at = TheModeStage().LevelMarkerPoint(episode, level);
  if (!at) return std::nullopt;
  return GuiPoint{at->x, at->y};
}

bool GameScriptHost::SetBotPlaying(bool on) {
  ModeGame& game = TheModeGame();
  if (on && (App().current != &game || !game.HasLevel())) return false;
  game.SetBotPlaying(on);
  return true;
}
