#include "campaign/ModeStandIn.h"

#include "app/Application.h"
#include "base/GameKeys.h"

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
  if (!leave || requested) return 0;
  if (then_) {
    const ModeRequest next = *then_;
    then_.reset();
    RequestMode(next);
  } else if (Mode* back = App().ModeOf(back_)) {
    RequestMode(back);
  }
  return 0;
}

void ModeStandIn::Accept(const ModeRequest& request) {
  back_ = request.back;
  then_ = request.then;
}

void ModePuzzle::Accept(const ModeRequest& request) {
  ModeStandIn::Accept(request);
  number = request.number;
}

void ModeRatings::Accept(const ModeRequest& request) {
  ModeStandIn::Accept(request);
  episode = request.episode;
  level = request.level;
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
