#include "campaign/ModeStandIn.h"

#include "app/Application.h"
#include "app/GameKeys.h"
#include "campaign/ModeStage.h"

void ModeStandIn::Enter() {
  requested = nullptr;
  Mode::Enter();
  ShowInfoMessage(name_);
}

void ModeStandIn::OnFadeDone(Fade kind) {
  if (kind == Fade::Out && requested) App().SetMode(requested, false);
}

int ModeStandIn::OnInput(InputEvent event) {
  const bool leave = event.type == InputType::LeftUp ||
                     (event.type == InputType::KeyDown && event.value == kGameKeyEscape);
  Mode* next = thenMode ? thenMode : backMode;
  if (!leave || !next || requested) return 0;
  thenMode = nullptr;
  RequestMode(next);
  return 0;
}

void ModeComics::Update() {
  Mode::Update();
  if (!nextMode || requested || App().fadeState != Fade::None) return;
  RequestMode(nextMode);
  // Asked once where to go on (the first comic of a new game leads into its level); any later
  // comic, such as the one closing an episode, goes on to the map.
  nextMode = &TheModeStage();
}

ModeCredits& TheModeCredits() {
  static ModeCredits mode;
  return mode;
}

ModePuzzle& TheModePuzzle() {
  static ModePuzzle mode;
  return mode;
}

ModeCastle& TheModeCastle() {
  static ModeCastle mode;
  return mode;
}

ModeRatings& TheModeRatings() {
  static ModeRatings mode;
  return mode;
}

ModeComics& TheModeComics() {
  static ModeComics mode;
  return mode;
}
