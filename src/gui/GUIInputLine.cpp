#include "gui/GUIInputLine.h"

#include <algorithm>
#include <cmath>

#include "data/Utf8.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

namespace {

constexpr char16_t kCaret[] = u"_";

}  // namespace

std::unique_ptr<GUIControl> GUIInputLine::Read(const LayoutElement& element) {
  auto line = std::make_unique<GUIInputLine>();
  ReadTile(element, *line);
  line->fontId = element.Int("font", 1);
  line->fontSize = element.Float("font_size", 32.0f);
  line->textColour = element.Colour("font_col", kWhite);
  line->maxLength = element.Int("max", 20);
  return line;
}

int GUIInputLine::CharacterCount() const {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    ++count;
  }
  return count;
}

bool GUIInputLine::Drawable(std::u16string_view character) const {
  FontManager* fonts = Gui().fonts;
  if (!fonts || fonts->FontCount() == 0) return true;
  fonts->SelectFont(fontId);
  // Glyphs exist for single code units only: a surrogate pair is never drawn.
  return character.size() == 1 && fonts->HasGlyph(character[0]);
}

float GUIInputLine::ShownWidth(std::u16string_view value) const {
  FontManager* fonts = Gui().fonts;
  if (!fonts || fonts->FontCount() == 0) return 0.0f;
  fonts->SelectFont(fontId);
  // Centred by the text alone, the caret hanging after it: the half width on the caret's
  // side decides.
  const float half = fonts->MeasureText(FontManager::Literal(value), fontSize, false) / 2;
  return 2.0f * (half + fonts->MeasureText(kCaret, fontSize, false));
}

float GUIInputLine::AvailableWidth() const {
  const float width = std::fabs(rect.x1 - rect.x0);
  const float border = std::clamp(std::fabs(tileWidth) * kBorder, 0.0f, width / 4);
  return width - 2.0f * border;
}

bool GUIInputLine::Accepts(std::u16string_view character) const {
  if (CharacterCount() >= maxLength) return false;
  if (text.empty() && character == u" ") return false;
  if (!Drawable(character)) return false;
  const float shown = ShownWidth(text + std::u16string(character));
  return !(shown > AvailableWidth());
}

void GUIInputLine::EraseLast() {
  if (text.empty()) return;
  const size_t n = text.size();
  const bool pair = n >= 2 && IsLowSurrogate(text[n - 1]) && IsHighSurrogate(text[n - 2]);
  text.resize(n - (pair ? 2 : 1));
}

bool GUIInputLine::OnInput(InputEvent event) {
  if (event.type != InputType::Character) return false;
  const int c = event.value;
  const char16_t high = pendingHigh_;
  pendingHigh_ = 0;
  if (c == 13) return true;
  if (c == 8 || c == 127) {
    EraseLast();
    return false;
  }
  std::u16string character;
  if (IsHighSurrogate(c)) {
    pendingHigh_ = char16_t(c);
  } else if (IsLowSurrogate(c)) {
    // Only the second half of a pair; a lone one is dropped.
    if (high) character = {high, char16_t(c)};
  } else if (c > 31 && c <= 0xFFFF) {
    character = char16_t(c);
  }
  if (!character.empty() && Accepts(character)) text += character;
  return false;
}

void GUIInputLine::Update(float dt) {
  GUIControl::Update(dt);
  caretTimer -= dt;
  if (caretTimer < 0.0f || !std::isfinite(caretTimer)) {
    caretTimer = kBlinkMs;
    caretVisible = !caretVisible;
  }
}

void GUIInputLine::Draw() {
  GUITilePic::Draw();
  const GuiContext& gui = Gui();
  FontManager* fonts = gui.fonts;
  if (!fonts || !gui.renderer || Alpha() == 0) return;
  fonts->SelectFont(fontId);
  const std::u16string shown = FontManager::Literal(text);
  const float width = fonts->MeasureText(shown, fontSize, false);
  const float x = CentreX(rect) - width / 2, y = CentreY(rect);
  fonts->BeginText();
  fonts->DrawText(x, y, fontSize, caretVisible ? shown + kCaret : shown, textColour);
  fonts->EndText();
}
