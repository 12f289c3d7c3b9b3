#include "gui/GUISlider.h"

#include <algorithm>
#include <cmath>

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

namespace {
constexpr float kTrack = 30.0f / 64.0f;  // the track's share of the sprite's height
}

std::unique_ptr<GUIControl> GUISlider::Read(const LayoutElement& element) {
  auto slider = std::make_unique<GUISlider>();
  element.ReadCommon(*slider);
  slider->colour = kWhite;
  slider->vertical = element.HasLetter("flags", 'v');
  PlacementInput in = element.Placement();
  if (slider->sprite && slider->sprite->texture) {
    if (in.w == 0.0f) in.w = slider->sprite->width;
    if (in.h == 0.0f) in.h = slider->sprite->height * kTrack;
  }
  PlacementRules rules;
  rules.sizeFromSprite = rules.farEdgeRight = rules.farEdgeBottom = false;
  slider->rect = PlaceRect(in, std::nullopt, element.Context().HalfWidth(), rules);
  return slider;
}

float GUISlider::Fraction() const {
  const float range = max - min;
  if (range == 0.0f || !std::isfinite(range)) return 0.0f;
  return std::clamp((value - min) / range, 0.0f, 1.0f);
}

void GUISlider::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !sprite || !sprite->texture || Alpha() == 0) return;
  const Rect r = UprightRect(rect);
  const float h = r.y0 - r.y1;
  const float cap = h * 8.0f / 15.0f;
  renderer->BindTexture(sprite->texture);
  renderer->SetShader(shader);
  const TexRect& t = texRect;
  renderer->AddQuad({r.x0, r.y0, r.x0 + cap, r.y1}, SubTexRect(t, 0, 0, 0.25f, kTrack), colour);
  renderer->AddQuad({r.x0 + cap, r.y0, r.x1 - cap, r.y1}, SubTexRect(t, 0.25f, 0, 0.75f, kTrack),
                    colour);
  renderer->AddQuad({r.x1 - cap, r.y0, r.x1, r.y1}, SubTexRect(t, 0.75f, 0, 1, kTrack), colour);
  const float side = h * 34.0f / 30.0f;
  const float left = r.x0 + (r.x1 - h - r.x0) * Fraction();
  const float cy = (r.y0 + r.y1) / 2;
  renderer->AddQuad({left, cy + side / 2, left + side, cy - side / 2},
                    SubTexRect(t, 15.0f / 64, kTrack, 49.0f / 64, 1), colour);
}

void GUISlider::DragTo(float x, float y) {
  float t = 0.0f;
  if (vertical) {
    const float span = rect.y1 - rect.y0;
    if (span != 0.0f)
      t = std::clamp(y - rect.y0, std::fmin(0.0f, span), std::fmax(0.0f, span)) / span;
  } else {
    const float h = std::fabs(rect.y1 - rect.y0);
    const float c = (rect.x1 - rect.x0) - h / 2;
    const float d = std::fmin(x - rect.x0, c);
    const float span = c - h / 2;
    if (span > 0.0f) t = (std::fmax(d, h / 2) - h / 2) / span;
  }
  if (!std::isfinite(t)) t = 0.0f;
  value = min + (max - min) * t;
}

bool GUISlider::OnInput(InputEvent event) {
  const GuiPoint p = Gui().Pointer();
  switch (event.type) {
    case InputType::LeftDown:
      dragging = true;
      DragTo(p.x, p.y);
      return true;
    case InputType::PointerMove:
      if (!dragging) return false;
      DragTo(p.x, p.y);
      return true;
    case InputType::LeftUp:
      dragging = false;
      return true;
    default:
      return false;
  }
}
