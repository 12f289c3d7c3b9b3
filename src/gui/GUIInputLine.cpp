#include "gui/GUIInputLine.h"

#include <cmath>

#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUIInputLine::Read(const LayoutElement& element) {
  auto line = std::make_unique<GUIInputLine>();
  ReadTile(element, *line);
  line->fontId = element.Int("font", 1);
  line->fontSize = element.Float("font_size", 32.0f);
  line->textColour = element.Colour("font_col", kWhite);
  line->maxLength = element.Int("max", 20);
  return line;
}

bool GUIInputLine::Drawable(char16_t c) const {
  FontManager* fonts = Gui().fonts;
  if (!fonts || fonts->FontCount() == 0) return true;
  fonts->SelectFont(fontId);
  const char16_t one[1] = {c};
  return fonts->MeasureText(std::u16string_view(one, 1), 20.0f, false) != 0.0f;
}

bool GUIInputLine::OnInput(InputEvent event) {
  if (event.type != InputType::Character) return false;
  const int c = event.value;
  if (c == 13) return true;
  if (c == 8 || c == 127) {
    if (!text.empty()) text.pop_back();
    return false;
  }
  if (c > 31 && c <= 0xFFFF && int(text.size()) < maxLength && (!text.empty() || c != ' ') &&
      Drawable(char16_t(c)))
    text.push_back(char16_t(c));
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
  const float width = fonts->MeasureText(text, fontSize, false);
  const float x = CentreX(rect) - width / 2, y = CentreY(rect);
  fonts->BeginText();
  fonts->DrawText(x, y, fontSize, caretVisible ? text + u"_" : text, textColour);
  fonts->EndText();
}
