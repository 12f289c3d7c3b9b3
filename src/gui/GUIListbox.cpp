#include "gui/GUIListbox.h"

#include <cmath>

#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUIListbox::Read(const LayoutElement& element) {
  auto box = std::make_unique<GUIListbox>();
  ReadTile(element, *box);
  box->selection = element.FindSprite("sel");
  box->stretchSelection = element.Int("sel_stretch", 0) != 0;
  box->inset = element.Int("offset", 0);
  box->fontId = element.Int("font", 1);
  box->fontSize = element.Float("font_size", 32.0f);
  box->textColour = element.Colour("fci", kNormalTextColour);
  box->selectedColour = element.Colour("fca", kSelectedTextColour);
  return box;
}

float GUIListbox::RowHeight() const { return selection ? selection->height : 2.0f * fontSize; }

float GUIListbox::Top() const { return std::fmax(rect.y0, rect.y1) - float(inset); }

int GUIListbox::RowAt(float y) const {
  const float rh = RowHeight();
  if (!(rh > 0.0f)) return -1;
  const float row = (Top() - y) / rh - 0.5f;
  if (!(std::fabs(row) < 1e6f)) return -1;
  return int(std::trunc(row));
}

void GUIListbox::Draw() {
  GUITilePic::Draw();
  const GuiContext& gui = Gui();
  const float rh = RowHeight();
  if (!gui.renderer || Alpha() == 0 || !(rh > 0.0f)) return;
  const float top = Top();
  const float left = std::fmin(rect.x0, rect.x1) + float(inset);
  const float right = std::fmax(rect.x0, rect.x1) - float(inset);
  if (selection && selection->texture && selected >= 0) {
    const float cx = (left + right) / 2, w = selection->width;
    const float y0 = top - (float(selected) + 0.5f) * rh + 4;
    const float y1 = top - (float(selected) + 1.5f) * rh + 4;
    gui.renderer->BindTexture(selection->texture);
    gui.renderer->SetShader(shader);
    const TexRect& uv = selection->rect;
    if (stretchSelection && right - left > w) {
      // The ends as drawn, the middle third of the picture stretched across the row.
      const float cap = w / 3, du = (uv.u1 - uv.u0) / 3;
      gui.renderer->AddQuad({left, y0, left + cap, y1}, {uv.u0, uv.v0, uv.u0 + du, uv.v1}, colour);
      gui.renderer->AddQuad({left + cap, y0, right - cap, y1},
                            {uv.u0 + du, uv.v0, uv.u1 - du, uv.v1}, colour);
      gui.renderer->AddQuad({right - cap, y0, right, y1}, {uv.u1 - du, uv.v0, uv.u1, uv.v1},
                            colour);
    } else {
      gui.renderer->AddQuad({cx - w / 2, y0, cx + w / 2, y1}, uv, colour);
    }
  }
  FontManager* fonts = gui.fonts;
  if (!fonts || items.empty()) return;
  fonts->SelectFont(fontId);
  fonts->BeginText();
  for (size_t i = 0; i < items.size(); ++i) {
    const float y = top - (float(i) + 1.0f) * rh + 2;
    if (y < std::fmin(rect.y0, rect.y1) - rh) break;
    const float width = fonts->MeasureText(items[i], fontSize, false);
    fonts->DrawText((left + right - width) / 2, y, fontSize, items[i],
                    int(i) == selected ? selectedColour : textColour);
  }
  fonts->EndText();
}

bool GUIListbox::OnInput(InputEvent event) {
  if (event.type != InputType::LeftDown) return false;
  const int row = RowAt(Gui().Pointer().y);
  if (row >= 0 && row < int(items.size())) selected = row;
  return false;
}
