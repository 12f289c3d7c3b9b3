#include "gui/GUIText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/System.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "data/ValueTable.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

void BreakLines(FontManager* fonts, int font, std::u16string_view text, float size, float width,
                bool wrap, std::vector<std::u16string>& lines) {
  text = text.substr(0, kMaxLaidOutText);
  lines.clear();
  // An empty text has no lines (not one empty line).
  if (text.empty()) return;
  if (fonts && fonts->FontCount() > 0) {
    fonts->SelectFont(font);
    fonts->LayoutLines(text, lines, size, width, wrap);
    return;
  }
  size_t start = 0;
  for (;;) {
    const size_t cut = text.find(u'\\', start);
    lines.emplace_back(text.substr(start, cut == std::u16string_view::npos ? cut : cut - start));
    if (cut == std::u16string_view::npos) break;
    start = cut + 1;
  }
}

namespace {

std::u16string ValueText(const ValueTable* values, const std::string& name) {
  const float v = values ? values->GetFloat(name, 0.0f) : 0.0f;
  char buffer[48];
  if (v == std::trunc(v) && std::fabs(v) < 1e9f) {
    std::snprintf(buffer, sizeof buffer, "%d", int(v));
  } else {
    std::snprintf(buffer, sizeof buffer, "%g", double(v));
  }
  return DecodeUtf8(buffer);
}

}  // namespace

void GUIText::ReadText(const LayoutElement& element, GUIText& t) {
  element.ReadCommon(t, kDefaultColour);
  t.sprite = nullptr;
  t.fontId = element.Int("font", 0);
  t.fontSize = element.Float("font_size", 32.0f);
  t.align = element.Int("align", 1);
  t.wrap = element.Bool("wrap", false);
  PlacementRules rules;
  rules.sizeFromSprite = rules.centre = rules.mirror = false;
  rules.farEdgeRight = rules.farEdgeBottom = false;
  t.rect = PlaceRect(element.Placement(), std::nullopt, element.Context().HalfWidth(), rules);

  const std::string key = element.Text("text");
  const GuiContext& gui = element.Context();
  std::u16string text;
  if (element.HasLetter("flags", 'l')) {
    text = ValueText(gui.values, key);
  } else if (element.HasLetter("flags", 'u')) {
    base::UserName(text);
  } else if (!key.empty() && gui.strings) {
    text = gui.strings->Get(key);
  }
  if (element.HasLetter("flags", 'v')) text += u" " + DecodeUtf8(base::VersionText());
  t.SetText(text);
}

std::unique_ptr<GUIControl> GUIText::Read(const LayoutElement& element) {
  auto text = std::make_unique<GUIText>();
  ReadText(element, *text);
  if (element.HasLetter("flags", 'c')) {
    text->AddChanger(std::make_unique<AlphaSinChanger>(element.Float("ovt", 1.5f),
                                                       element.Float("ova", 0.3f), 1.0f));
  }
  return text;
}

void GUIText::SetText(std::u16string_view text) {
  text_ = text;
  BreakLines(Gui().fonts, fontId, text_, fontSize, std::fabs(rect.x1 - rect.x0), wrap, lines_);
}

void GUIText::SetFontSize(float size) {
  fontSize = size;
  // Wrapped lines depend on the size.
  if (wrap) SetText(std::u16string(text_));
}

float GUIText::FirstLineY(float centre, int n, float s) {
  return centre + (n > 1 ? s * (0.1f * float(n) + 0.35f * float(n - 1)) : 0.0f);
}

void GUIText::Draw() {
  if (!visible || Alpha() == 0 || lines_.empty()) return;
  DrawLines();
}

void GUIText::DrawLines() const {
  const GuiContext& gui = Gui();
  FontManager* fonts = gui.fonts;
  if (!fonts || !gui.renderer) return;
  gui.renderer->SetShader(shader);
  fonts->SelectFont(fontId);
  fonts->BeginText();
  const float s = fontSize;
  float y = FirstLineY(CentreY(rect), int(lines_.size()), s);
  for (const std::u16string& line : lines_) {
    if (!line.empty()) {
      const float width = fonts->MeasureText(line, s, false);
      float x = 0.0f;
      if (line.size() >= 2 && line[0] == u'^' && line[1] == u'c') {
        x = rect.x0 + (std::fabs(rect.x0 - rect.x1) - width) / 2;
      } else if (align == 0) {
        x = rect.x0;
      } else if (align == 2) {
        x = rect.x1 - width;
      } else {
        x = rect.x0 + (std::fabs(rect.x0 - rect.x1) - width) / 2;
      }
      fonts->DrawText(x, y, s, line, colour);
    }
    y -= s;
  }
  fonts->EndText();
}

// --- GUIHint

GUIHint::GUIHint() : GUIText(ControlKind::Hint), background_(std::make_unique<GUITilePic>()) {}

std::unique_ptr<GUIControl> GUIHint::Read(const LayoutElement& element) {
  auto hint = std::make_unique<GUIHint>();
  ReadText(element, *hint);
  hint->background_->tileMode = element.Int("tile", 0) != 0 ? 1 : 0;
  hint->SetSprite(element.FindSprite("spr"));
  hint->sprite = nullptr;
  hint->background_->rect = hint->rect;
  hint->timeLeft = element.Float("time", 0.0f);
  return hint;
}

void GUIHint::SetText(std::u16string_view text) {
  GUIText::SetText(text);
  timeLeft = -1.0f;
}

void GUIHint::SetRect(const Rect& r) {
  GUIControl::SetRect(r);
  background_->SetRect(r);
}

void GUIHint::SetBounds(float x, float y, float w, float h) {
  GUIControl::SetBounds(x, y, w, h);
  background_->SetBounds(x, y, w, h);
}

void GUIHint::SetSprite(Sprite* s) {
  background_->SetSprite(s);
  background_->tileWidth = s ? s->width : 0.0f;
  background_->tileHeight = s ? s->height : 0.0f;
}

void GUIHint::Show(float x, float y, float w, float h, std::u16string_view text, float time,
                   float pad) {
  const GuiContext& gui = Gui();
  rect = {x + std::fmax(pad, 0.0f) / 2, y, x + w - std::fmax(pad, 0.0f) / 2, y + h};
  GUIText::SetText(text);
  if (pad < 0.0f) {
    float widest = 0.0f;
    if (gui.fonts) {
      gui.fonts->SelectFont(fontId);
      for (const auto& line : lines_)
        widest = std::fmax(widest, gui.fonts->MeasureText(line, fontSize, false));
    }
    w += widest;
    h += float(lines_.size()) * fontSize;
  }
  Rect r{x, y, x + w, y + h};
  if (pad != 0.0f) {
    const float maxX = gui.HalfWidth() - 10.0f, maxY = gui.HalfHeight(false) - 10.0f;
    const float right = std::fmax(r.x0, r.x1), top = std::fmax(r.y0, r.y1);
    if (right > maxX) r.x0 -= right - maxX, r.x1 -= right - maxX;
    if (top > maxY) r.y0 -= top - maxY, r.y1 -= top - maxY;
    // Then the left and bottom edges, which win when the hint is larger than the screen.
    const float left = std::fmin(r.x0, r.x1), bottom = std::fmin(r.y0, r.y1);
    if (left < -maxX) r.x0 += -maxX - left, r.x1 += -maxX - left;
    if (bottom < -maxY) r.y0 += -maxY - bottom, r.y1 += -maxY - bottom;
  }
  SetRect(r);
  if (time > 0.0f) {
    timeLeft = time;
    background_->colour = (background_->colour & 0x00FFFFFFu) | (colour & 0xFF000000u);
  } else {
    timeLeft = -1.0f;
    SetAlpha(255);
    background_->SetAlpha(255);
  }
}

void GUIHint::Update(float dt) {
  GUIControl::Update(dt);
  if (!(timeLeft > 0.0f)) return;
  if (timeLeft < 255.0f) {
    SetAlpha(int(timeLeft));
  } else {
    SetAlpha(std::min(int(float(Alpha()) + dt), 255));
  }
  background_->SetAlpha(Alpha());
  timeLeft = std::fmax(timeLeft - dt, 0.0f);
}

void GUIHint::Draw() {
  if (timeLeft == 0.0f || !visible) return;
  background_->Draw();
  if (Alpha() != 0 && !lines_.empty()) DrawLines();
}
