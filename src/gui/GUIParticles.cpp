#include "gui/GUIParticles.h"

#include "graphics/Renderer.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"
#include "particles/ParticleManager.h"

GUIParticles::GUIParticles() : GUIControl(ControlKind::Particles) {}
GUIParticles::~GUIParticles() = default;

std::unique_ptr<GUIControl> GUIParticles::Read(const LayoutElement& element) {
  auto holder = std::make_unique<GUIParticles>();
  element.ReadCommon(*holder);
  holder->sprite = nullptr;
  holder->effectName = element.Text("particles");
  const PlacementInput in = element.Placement();
  float x = in.x, y = in.y;
  if (in.parent) {
    const Rect& p = *in.parent;
    if (HasLetter(in.bind, 'l')) x = p.x0 + in.x;
    if (HasLetter(in.bind, 'r')) x = p.x1 - in.x;
    if (HasLetter(in.bind, 't')) y = p.y1 - in.y;
    if (HasLetter(in.bind, 'b')) y = p.y0 + in.y;
  } else {
    PlacementInput screen = in;
    screen.w = screen.h = 0.0f;
    PlacementRules rules;
    rules.sizeFromSprite = rules.centre = rules.mirror = false;
    const Rect r = PlaceRect(screen, std::nullopt, element.Context().HalfWidth(), rules);
    x = r.x0;
    y = r.y0;
  }
  holder->rect = {x, y, x + 1, y + 1};
  if (!element.HasLetter("flags", 's')) holder->Restart();
  return holder;
}

void GUIParticles::Restart() {
  effect_.reset();
  if (ParticleManager* particles = Gui().particles) effect_ = particles->CreateEffect(effectName);
}

void GUIParticles::Update(float dt) {
  GUIControl::Update(dt);
  if (!effect_) return;
  // The particle library's coordinates are the virtual ones negated.
  effect_->SetPosition(-CentreX(rect), -CentreY(rect));
  effect_->Advance(dt);
}

void GUIParticles::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !effect_) return;
  renderer->SetShader(shader);
  effect_->Draw();
  renderer->SetBlendMode(BlendMode::Alpha);
}
