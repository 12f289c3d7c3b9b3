#include "gui/GUIProgressBar.h"

#include <algorithm>
#include <cmath>

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

void ProgressState::Start(float newTotal, int newDirection) {
  total = std::isfinite(newTotal) ? newTotal : 0.0f;
  direction = newDirection;
  done = false;
  value = direction <= 0 ? total : 0.0f;
}

void ProgressState::Advance(float amount) {
  if (!std::isfinite(amount)) return;
  if (direction <= 0) {
    value -= amount;
    if (value <= 0.0f) {
      value = 0.0f;
      done = true;
    }
    value = std::fmin(value, total);
  } else {
    value += amount;
    if (value >= total) {
      value = total;
      done = true;
    }
    value = std::fmax(value, 0.0f);
  }
}

float ProgressState::Fraction(float shown) const {
  if (!(total > 0.0f)) return 0.0f;
  const float f = shown / total;
  return std::isfinite(f) ? std::clamp(f, 0.0f, 1.0f) : 0.0f;
}

namespace {

// The size and placement rule of both progress types: sprite-sized unless given, a given h
// negated (so y0 is then the top), anchored to the screen only, no far-edge step.
Rect PlaceProgress(const LayoutElement& element, float spriteW, float spriteH) {
  PlacementInput in = element.Placement();
  in.parent.reset();
  if (in.w == 0.0f) in.w = spriteW;
  in.h = in.h != 0.0f ? -in.h : spriteH;
  PlacementRules rules;
  rules.sizeFromSprite = rules.useParent = rules.farEdgeRight = rules.farEdgeBottom = false;
  return PlaceRect(in, std::nullopt, element.Context().HalfWidth(), rules);
}

}  // namespace

std::unique_ptr<GUIControl> GUIProgressBar::Read(const LayoutElement& element) {
  auto bar = std::make_unique<GUIProgressBar>();
  element.ReadCommon(*bar);
  bar->colour = kWhite;
  bar->smoothing = std::max(0, element.Int("smooth", 0));
  bar->endCap = std::fmax(0.0f, element.Float("fancy", 0.0f));
  bar->vertical = element.HasLetter("flags", 'v');
  const bool sized = bar->sprite && bar->sprite->texture;
  bar->rect =
      PlaceProgress(element, sized ? bar->sprite->width : 0.0f, sized ? bar->sprite->height : 0.0f);
  return bar;
}

void GUIProgressBar::Start(float total, int direction) {
  state.Start(total, direction);
  displayed = state.value;
}

void GUIProgressBar::SetProgressValue(float v) {
  if (!std::isfinite(v)) return;
  state.value = std::clamp(v, 0.0f, std::fmax(state.total, 0.0f));
}

void GUIProgressBar::Update(float dt) {
  GUIControl::Update(dt);
  if (!state.manual) state.Advance(dt);
  if (smoothing <= 0) {
    displayed = state.value;
    return;
  }
  const float step = dt / float(smoothing);
  const float gap = state.value - displayed;
  displayed = std::fabs(gap) < step ? state.value : displayed + (gap > 0 ? step : -step);
  if (!std::isfinite(displayed)) displayed = state.value;
}

void GUIProgressBar::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !sprite || !sprite->texture || Alpha() == 0) return;
  const Rect r = UprightRect(rect);
  const TexRect& t = texRect;
  renderer->BindTexture(sprite->texture);
  renderer->SetShader(shader);
  const uint32_t plain = (kWhite & 0x00FFFFFFu) | (colour & 0xFF000000u);
  // The empty half over everything.
  renderer->AddQuad(r, vertical ? SubTexRect(t, 0, 0, 0.5f, 1) : SubTexRect(t, 0, 0, 1, 0.5f),
                    plain);
  if (!(displayed > 0.0f)) return;
  const float s = state.Fraction(displayed);
  if (!vertical) {
    const float length = r.x1 - r.x0;
    const float cap = std::fmin(endCap, length);
    const float fill = (length - cap) * s;
    renderer->AddQuad({r.x0, r.y0, r.x0 + fill, r.y1}, SubTexRect(t, 0, 0.5f, s, 1), colour);
    if (cap > 0.0f && length > 0.0f) {
      renderer->AddQuad({r.x0 + fill, r.y0, r.x0 + fill + cap, r.y1},
                        SubTexRect(t, 1 - cap / length, 0.5f, 1, 1), colour);
    }
    return;
  }
  // Vertical bars fill from the bottom up.
  const float length = r.y0 - r.y1;
  const float cap = std::fmin(endCap, length);
  const float fill = (length - cap) * s;
  renderer->AddQuad({r.x0, r.y1 + fill, r.x1, r.y1}, SubTexRect(t, 0.5f, 1 - s, 1, 1), colour);
  if (cap > 0.0f && length > 0.0f) {
    renderer->AddQuad({r.x0, r.y1 + fill + cap, r.x1, r.y1 + fill},
                      SubTexRect(t, 0.5f, 0, 1, cap / length), colour);
  }
}

// --- GUIRoundProgress

std::unique_ptr<GUIControl> GUIRoundProgress::Read(const LayoutElement& element) {
  auto round = std::make_unique<GUIRoundProgress>();
  element.ReadCommon(*round);
  round->colour = kWhite;
  round->stepped = element.HasLetter("flags", 's');
  const bool sized = round->sprite && round->sprite->texture;
  const float divide = round->stepped ? 3.0f : 1.0f;
  round->rect = PlaceProgress(element, sized ? round->sprite->width / divide : 0.0f,
                              sized ? round->sprite->height / divide : 0.0f);
  return round;
}

void GUIRoundProgress::SetProgressValue(float v) {
  if (!std::isfinite(v)) return;
  state.value = std::clamp(v, 0.0f, std::fmax(state.total, 0.0f));
}

void GUIRoundProgress::Update(float dt) {
  GUIControl::Update(dt);
  if (!state.manual) state.Advance(dt);
}

int GUIRoundProgress::StepFrame() const {
  return std::clamp(int(std::floor(9.0f * state.Fraction(state.value))), 0, 8);
}

bool GUIRoundProgress::BuildWipe(float r, Vertex (&v)[10], uint16_t (&indices)[24],
                                 int& indexCount) const {
  static constexpr float kFractions[10][2] = {{0.5f, 0.5f}, {0.5f, 1}, {1, 1}, {1, 0.5f},
                                              {1, 0},       {0.5f, 0}, {0, 0}, {0, 0.5f},
                                              {0, 1},       {0.5f, 1}};
  indexCount = 0;
  if (!(r < 1.0f)) return false;
  r = std::fmax(r, 0.0f);
  const TexRect& t = texRect;
  // Fractions run from the bottom (0) to the top (1) whichever way round the rectangle was
  // given: a layout's h turns y0 into the top edge.
  const float bottom = std::fmin(rect.y0, rect.y1), top = std::fmax(rect.y0, rect.y1);
  for (int i = 0; i < 10; ++i) {
    const float fx = kFractions[i][0], fy = kFractions[i][1];
    v[i].x = rect.x0 + fx * (rect.x1 - rect.x0);
    v[i].y = bottom + fy * (top - bottom);
    v[i].z = 0.0f;
    v[i].colour = colour;
    // The texture's top (v0) belongs to the rectangle's top edge.
    v[i].u = t.u0 + fx * (t.u1 - t.u0);
    v[i].v = t.v1 + fy * (t.v0 - t.v1);
  }
  const int d = std::clamp(int(std::floor(8.0f * r)), 0, 7);
  const float f = 1.0f - (8.0f * r - float(d));
  const int moved = 8 - d;
  constexpr float kQuarter = 3.14159265f / 4.0f;
  const float g = moved % 2 == 0 ? 1.0f - std::tan((1.0f - f) * kQuarter) : std::tan(f * kQuarter);
  Vertex& a = v[moved];
  const Vertex& b = v[moved + 1];
  a.x += (b.x - a.x) * g;
  a.y += (b.y - a.y) * g;
  a.u += (b.u - a.u) * g;
  a.v += (b.v - a.v) * g;
  for (int k = moved; k <= 8; ++k) {
    indices[indexCount++] = 0;
    indices[indexCount++] = uint16_t(k);
    indices[indexCount++] = uint16_t(k + 1);
  }
  return true;
}

void GUIRoundProgress::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !sprite || !sprite->texture || Alpha() == 0) return;
  renderer->BindTexture(sprite->texture);
  renderer->SetShader(shader);
  if (stepped) {
    const int k = StepFrame();
    const float third = 1.0f / 3.0f;
    const float col = float(k % 3) * third, row = float(k / 3) * third;
    renderer->AddQuad(UprightRect(rect), SubTexRect(texRect, col, row, col + third, row + third),
                      colour);
    return;
  }
  Vertex vertices[10];
  uint16_t indices[24];
  int count = 0;
  if (!BuildWipe(state.Fraction(state.value), vertices, indices, count)) return;
  Vertex* shared = renderer->VertexArray();
  std::copy(std::begin(vertices), std::end(vertices), shared);
  renderer->DrawIndexed(indices, 10, count);
}
