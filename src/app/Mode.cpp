#include "app/Mode.h"

#include "app/Application.h"
#include "base/ContentLog.h"
#include "gui/ControlFactory.h"
#include "gui/GUIChanger.h"

Mode::Mode() {
  // Whatever deletes the message control (removal, a layout loaded with clear, Release) also
  // drops the mode's reference to it.
  controls.SetDeletionListener([this](const GUIControl& control) {
    if (&control == infoText) infoText = nullptr;
  });
}

Mode::~Mode() = default;

bool Mode::Load() {
  if (loaded) return false;
  loaded = true;
  return true;
}

void Mode::Update() { controls.UpdateAll(App().frameTime); }

void Mode::Draw() { controls.DrawAll(); }

void Mode::Release() { controls.Clear(); }

void Mode::OnFadeDone(Fade) {}

void Mode::Enter() {
  Application& app = App();
  if (!loaded && !Load()) app.quit = true;
  app.StartFade(Fade::In);
  // Presses, hover marks and animation frames from the last visit are gone; so are capture
  // and focus.
  controls.ResetAll();
  if (controls.Empty()) infoText = nullptr;
}

void Mode::Leave() {}

bool Mode::OnActivate(bool) { return false; }

void Mode::Prepare() {}

int Mode::OnCommand(int id) { return id; }

int Mode::OnInput(InputEvent event) { return controls.OnInput(event); }

GUIControl* Mode::FindControl(int id) {
  GUIControl* control = controls.Find(id);
  if (!control && content_log::Enabled()) {
    content_log::Missing(content_log::Kind::Layout,
                         controls.LayoutName() + ": control " + std::to_string(id));
  }
  return control;
}

GUIControl* Mode::AddControl(std::unique_ptr<GUIControl> control, bool atFront) {
  return controls.Add(std::move(control), atFront);
}

void Mode::RequestMode(Mode* target) {
  requested = target;
  App().StartFade(Fade::Out);
  if (target) target->Prepare();
}

void Mode::RequestMode(const ModeRequest& request) { RequestMode(App().Accept(request)); }

void Mode::Accept(const ModeRequest&) {}

void Mode::ShowInfoMessage(const std::u16string& text) {
  const ValueTable* values = App().values();
  const float size = values ? values->GetFloat("fs_common_info", 20.0f) : 20.0f;
  const int font = values ? values->GetInt("ft_common_info", 0) : 0;
  if (!infoText) {
    infoText = controls.Add(Gui().Factory().MakeText({-512, -270, 512, -250}, font, size));
    if (!infoText) return;
  }
  infoText->ClearChangers();
  auto grow = std::make_unique<FontSizeChanger>(size, 1.4f * size, ChangerTiming::Duration, 1.2f,
                                                Easing::Linear);
  grow->blocking = true;
  infoText->AddChanger(std::move(grow));
  infoText->AddChanger(std::make_unique<VisibleChanger>());
  infoText->visible = true;
  infoText->SetText(text);
}
