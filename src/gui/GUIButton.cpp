#include "gui/GUIButton.h"

#include <algorithm>
#include <cmath>

#include "data/StringTable.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

namespace {

// A coordinate anchored to the parent or the screen, as the positioning rule of Placement.h
// anchors it.
float AnchorX(const PlacementInput& in, float x, float halfWidth) {
  const bool l = HasLetter(in.bind, 'l'), r = HasLetter(in.bind, 'r');
  if (in.parent) {
    if (l) return x + in.parent->x0;
    if (r) return in.parent->x1 - x;
    return x + (in.parent->x0 + in.parent->x1) / 2;
  }
  if (l) return x - halfWidth;
  if (r) return halfWidth - x;
  return x;
}

float AnchorY(const PlacementInput& in, float y) {
  const bool t = HasLetter(in.bind, 't'), b = HasLetter(in.bind, 'b');
  if (in.parent) {
    if (t) return in.parent->y1 - y;
    if (b) return in.parent->y0 + y;
    return y + (in.parent->y0 + in.parent->y1) / 2;
  }
  if (t) return in.maxY - y;
  if (b) return y - in.maxY;
  return y;
}

uint32_t WithAlpha(uint32_t colour, int alpha) {
  return (colour & 0x00FFFFFFu) | uint32_t(std::clamp(alpha, 0, 255)) << 24;
}

}  // namespace

Rect PlaceButton(const LayoutElement& element, float frameW, float frameH) {
  const PlacementInput in = element.Placement();
  const float halfWidth = element.Context().HalfWidth();
  float w = in.w != 0.0f ? in.w : frameW;
  float h = in.h != 0.0f ? in.h : frameH;
  float x = AnchorX(in, in.x, halfWidth);
  float y = AnchorY(in, in.y);
  if (HasLetter(in.bind, 'r')) x -= w;
  if (HasLetter(in.bind, 't')) y -= h;
  if (HasLetter(in.inv, 'h')) {
    w = -w;
    x += w;
  }
  if (HasLetter(in.inv, 'v')) {
    h = -h;
    y -= h;
  }
  if (in.cx) x = AnchorX(in, *in.cx, halfWidth) - w / 2;
  if (in.cy) y = AnchorY(in, *in.cy) - h / 2;
  return {x, y, x + w, y + h};
}

void GUIButton::Grid(int frameCount, bool stackedFrames, int& columns, int& rows) {
  frameCount = std::max(frameCount, 1);
  if (!stackedFrames && frameCount == 4) {
    columns = rows = 2;
  } else if (!stackedFrames && frameCount == 2) {
    columns = 2;
    rows = 1;
  } else {
    columns = 1;
    rows = frameCount;
  }
}

TexRect GUIButton::FrameRect(const TexRect& tex, int frameCount, bool stackedFrames, int k) {
  int columns = 1, rows = 1;
  Grid(frameCount, stackedFrames, columns, rows);
  k = std::clamp(k, 0, columns * rows - 1);
  const int column = columns == 1 ? 0 : k % columns;
  const int row = columns == 1 ? k : k / columns;
  const float fx = 1.0f / float(columns), fy = 1.0f / float(rows);
  return SubTexRect(tex, fx * float(column), fy * float(row), fx * float(column + 1),
                    fy * float(row + 1));
}

std::unique_ptr<GUIControl> GUIButton::Read(const LayoutElement& element) {
  auto b = std::make_unique<GUIButton>();
  element.ReadCommon(*b);
  b->fontId = element.Int("font", 0);
  b->fontSize = element.Float("font_size", 32.0f);
  b->wrap = element.Bool("wrap", false);
  b->frames = std::max(1, element.Int("frames", 4));
  b->stacked = element.HasLetter("flags", 'o') || (b->frames != 4 && b->frames != 2);
  b->passive = element.HasLetter("flags", 's');
  b->fireOnPress = element.HasLetter("flags", 'h');
  b->fireOnLeave = element.HasLetter("flags", 'l');
  b->overlay = element.FindSprite("ovr");
  b->overlayW = element.Float("ovw", b->overlay ? b->overlay->width : 0.0f);
  b->overlayH = element.Float("ovh", b->overlay ? b->overlay->height : 0.0f);
  b->overlayFrames = std::max(1, element.Int("ovf", 1));
  b->overlayColour = element.Colour("ovc", kWhite);
  b->overlayBlend = element.Int("ovb", 0);
  b->offsetX = element.Float("ofx", 0.0f);
  b->offsetY = element.Float("ofy", 0.0f);
  b->overlayShader = element.FindShader("ovrShader");
  b->textColour = element.Colour("fci", kNormalTextColour);
  b->highlightColour = element.Colour("fca", kHighlightTextColour);

  float frameW = 0.0f, frameH = 0.0f;
  if (b->sprite && b->sprite->texture) {
    int columns = 1, rows = 1;
    Grid(b->frames, b->stacked, columns, rows);
    frameW = b->sprite->width / float(columns);
    frameH = b->sprite->height / float(rows);
  }
  b->rect = PlaceButton(element, frameW, frameH);

  const std::string key = element.Text("text");
  if (!key.empty() && element.Context().strings) b->SetText(element.Context().strings->Get(key));
  if (element.HasLetter("flags", 'c')) {
    const float range = element.Float("dlt", 8.0f);
    b->AddChanger(std::make_unique<PosInfChanger2>(element.Float("tim", 2.0f), range, range));
    b->AddChanger(std::make_unique<OverlayAlphaInfChanger>(element.Float("ovt", 1.5f),
                                                           element.Float("ova", 0.3f), 0.0f));
  }
  return b;
}

void GUIButton::SetText(std::u16string_view text) {
  label_ = text;
  BreakLines(Gui().fonts, fontId, label_, fontSize, std::fabs(rect.x1 - rect.x0), wrap, lines_);
}

void GUIButton::SetOverlayAlpha(int alpha) { overlayColour = WithAlpha(overlayColour, alpha); }

void GUIButton::Reset() {
  pressed = hovered = false;
  glow = 0.0f;
}

bool GUIButton::OnInput(InputEvent event) {
  if (!active) return false;
  switch (event.type) {
    case InputType::LeftDown:
      pressed = true;
      return fireOnPress;
    case InputType::LeftUp: {
      const bool click = pressed && hovered;
      pressed = false;
      return click;
    }
    case InputType::PointerMove: {
      // The list marks the hover after handing over the move: the pointer decides here.
      const GuiPoint p = Gui().Pointer();
      if (fireOnLeave && pressed && !(hovered && HitTest(p.x, p.y))) {
        pressed = false;
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

void GUIButton::Update(float dt) {
  GUIControl::Update(dt);
  const float step = dt / 1.5f;
  glow = std::clamp(hovered ? glow + step : glow - step, 0.0f, 255.0f);
  if (!std::isfinite(glow)) glow = 0.0f;
}

int GUIButton::StateFrame() const {
  if (frames <= 1) return 0;
  if (frames >= 4) {
    if (!active) return 3;
    return (pressed && hovered) || selected ? 2 : 0;
  }
  return pressed || selected ? 1 : 0;
}

void GUIButton::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || Alpha() == 0) return;
  const int state = StateFrame();
  if (sprite && sprite->texture) {
    const Rect r = scale != 1.0f ? ScaledRect(rect, scale)
                                 : Rect{rect.x0, std::fmax(rect.y0, rect.y1), rect.x1,
                                        std::fmin(rect.y0, rect.y1)};
    renderer->BindTexture(sprite->texture);
    renderer->SetShader(shader);
    renderer->AddQuad(r, FrameRect(texRect, frames, stacked, state), colour);
    if (frames >= 4 && state == 0 && glow > 0.0f)
      renderer->AddQuad(r, FrameRect(texRect, frames, stacked, 1), WithAlpha(colour, int(glow)));
  }
  if (!label_.empty()) {
    if ((textColour >> 24) != 0) DrawLabel();
    return;
  }
  DrawOverlay(*renderer);
}

void GUIButton::DrawLabel() const {
  const GuiContext& gui = Gui();
  FontManager* fonts = gui.fonts;
  if (!fonts || lines_.empty()) return;
  gui.renderer->SetShader(shader);
  fonts->SelectFont(fontId);
  fonts->BeginText();
  const float s = fontSize;
  const bool glowing = glow > 0.0f;
  const uint32_t normal = glowing ? (textColour | 0xFF000000u) : textColour;
  float y = GUIText::FirstLineY(CentreY(rect), int(lines_.size()), s);
  for (const std::u16string& line : lines_) {
    if (!line.empty()) {
      const float width = fonts->MeasureText(line, s, false);
      const float x = CentreX(rect) - width / 2 + offsetX;
      fonts->DrawText(x, y + offsetY, s, line, normal);
      if (glowing) fonts->DrawText(x, y + offsetY, s, line, WithAlpha(highlightColour, int(glow)));
    }
    y -= s;
  }
  fonts->EndText();
}

void GUIButton::DrawOverlay(Renderer& renderer) const {
  if (!overlay || !overlay->texture || (overlayColour >> 24) == 0) return;
  // The overlay's frames follow the button's state like its own frames.
  int frame = 0;
  if (overlayFrames >= 4) {
    frame = StateFrame();
  } else if (overlayFrames >= 2) {
    frame = pressed || selected ? 1 : 0;
  }
  const int count = overlayFrames >= 4 ? 4 : std::min(overlayFrames, 2);
  // Four or more frames are always a 2 × 2 grid; two lie as the button's own frames do.
  const bool stripes = count == 2 && stacked;
  int columns = 1, rows = 1;
  Grid(count, stripes, columns, rows);
  const float w = overlayW / float(columns), h = overlayH / float(rows);
  const float cx = CentreX(rect) + offsetX, cy = CentreY(rect) + offsetY;
  int alpha = int(overlayColour >> 24);
  if (!active) alpha /= 2;
  if (Alpha() < 255) alpha = int(overlayColour >> 24) * Alpha() / 255;
  const auto blend = BlendModeFromNumber(overlayBlend).value_or(BlendMode::Alpha);
  renderer.SetBlendMode(blend);
  renderer.BindTexture(overlay->texture);
  renderer.SetShader(overlayShader);
  renderer.AddQuad({cx - w / 2, cy + h / 2, cx + w / 2, cy - h / 2},
                   FrameRect(overlay->rect, count, stripes, frame),
                   WithAlpha(overlayColour, alpha));
  renderer.SetBlendMode(BlendMode::Alpha);
}
