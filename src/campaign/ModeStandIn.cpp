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

void ModeComics::Accept(const ModeRequest& request) {
  number = request.number;
  next_ = request.then ? *request.then : ShowScreen(ModeId::Map);
}

void ModeComics::Update() {
  Mode::Update();
  if (requested || App().fadeState != Fade::None) return;
  RequestMode(next_);
  // Told once where to go on (the first comic of a new game leads into its level); a comic
  // entered without being told goes on to the map.
  next_ = ShowScreen(ModeId::Map);
}

ModeComics& TheModeComics() {
  static ModeComics mode;
  return mode;
}
