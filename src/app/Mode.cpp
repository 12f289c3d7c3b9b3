#include "app/Mode.h"

#include "app/Application.h"

Mode::~Mode() = default;

bool Mode::Load() {
  if (loaded) return false;
  loaded = true;
  return true;
}

void Mode::Update() {}

void Mode::Draw() {
  if (Renderer* renderer = App().renderer()) renderer->SetShader(nullptr);
}

void Mode::Release() {}

void Mode::OnFadeDone(Fade) {}

void Mode::Enter() {
  Application& app = App();
  if (!loaded && !Load()) app.quit = true;
  app.StartFade(Fade::In);
}

void Mode::Leave() {}

bool Mode::OnActivate(bool) { return false; }

void Mode::Prepare() {}

int Mode::OnCommand(int id) { return id; }

int Mode::OnInput(InputEvent) { return 0; }

GUIControl* Mode::FindControl(int) { return nullptr; }

void Mode::RequestMode(Mode* target) {
  requested = target;
  App().StartFade(Fade::Out);
  if (target) target->Prepare();
}

void Mode::ShowInfoMessage(const std::u16string&) {}
