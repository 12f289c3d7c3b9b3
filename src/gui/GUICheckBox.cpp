#include "gui/GUICheckBox.h"

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUICheckBox::Read(const LayoutElement& element) {
  auto box = std::make_unique<GUICheckBox>();
  element.ReadCommon(*box);
  box->colour = kWhite;
  box->passive = element.HasLetter("flags", 's');
  PlacementInput in = element.Placement();
  if (box->sprite && box->sprite->texture) {
    if (in.w == 0.0f) in.w = box->sprite->width / 2;
    if (in.h == 0.0f) in.h = box->sprite->height;
  }
  PlacementRules rules;
  rules.sizeFromSprite = rules.centre = rules.mirror = rules.farEdgeBottom = false;
  box->rect = PlaceRect(in, std::nullopt, element.Context().HalfWidth(), rules);
  return box;
}

void GUICheckBox::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !sprite || !sprite->texture || Alpha() == 0) return;
  renderer->BindTexture(sprite->texture);
  renderer->SetShader(shader);
  const float from = checked ? 0.5f : 0.0f;
  renderer->AddQuad(UprightRect(ScaledRect(rect, scale)),
                    SubTexRect(texRect, from, 0.0f, from + 0.5f, 1.0f), colour);
}

bool GUICheckBox::OnInput(InputEvent event) {
  if (event.type == InputType::LeftDown) {
    pressed = true;
    return false;
  }
  if (event.type == InputType::LeftUp) {
    pressed = false;
    if (!hovered) return false;
    checked = !checked;
    return true;
  }
  return false;
}
