#include "gui/LayoutElement.h"

#include <cmath>

#include "graphics/ShaderManager.h"
#include "graphics/SpriteManager.h"
#include "gui/GUIControl.h"
#include "gui/GuiContext.h"

float LayoutElement::Float(std::string_view attr, float def) const {
  return OptionalFloat(attr).value_or(def);
}

std::optional<float> LayoutElement::OptionalFloat(std::string_view attr) const {
  if (!element_.Has(attr)) return std::nullopt;
  const float v = element_.Float(attr, 0.0f);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

void LayoutElement::Floats(std::string_view attr, std::span<float> out) const {
  element_.Floats(attr, out);
  for (float& v : out) {
    if (!std::isfinite(v)) v = 0.0f;
  }
}

bool LayoutElement::HasLetter(std::string_view attr, char letter) const {
  const auto text = element_.Attribute(attr);
  return text && text->find(letter) != std::string_view::npos;
}

Sprite* LayoutElement::FindSprite(std::string_view attr) const {
  const std::string name = element_.Text(attr);
  if (name.empty() || !context_.sprites) return nullptr;
  return context_.sprites->Get(name);
}

const Shader* LayoutElement::FindShader(std::string_view attr) const {
  const std::string name = element_.Text(attr);
  if (name.empty() || !context_.shaders) return nullptr;
  return context_.shaders->Get(name);
}

void LayoutElement::ReadCommon(GUIControl& control, uint32_t defaultColour) const {
  control.id = Int("id", 0);
  control.tag = Int("tag", 0);
  control.clickFor = Int("for", 0);
  control.isDefault = Int("default", 0) != 0;
  control.SetSprite(FindSprite("spr"));
  control.shader = FindShader("shader");
  control.colour = Colour("color", defaultColour);
  control.scale = Float("scale", 1.0f);
}

PlacementInput LayoutElement::Placement() const {
  PlacementInput in;
  in.x = Float("x", 0.0f);
  in.y = Float("y", 0.0f);
  in.w = Float("w", 0.0f);
  in.h = Float("h", 0.0f);
  in.cx = OptionalFloat("cx");
  in.cy = OptionalFloat("cy");
  in.bind = Text("bind");
  in.inv = Text("inv");
  in.maxY = Float("maxy", context_.HalfHeight(false));
  in.scale = Float("scale", 1.0f);
  if (parent_) in.parent = parent_->rect;
  return in;
}

void LayoutElement::Place(GUIControl& control, const PlacementRules& rules) const {
  std::optional<SpriteSize> size;
  if (control.sprite && control.sprite->texture) {
    size = SpriteSize{control.sprite->width, control.sprite->height};
    control.texRect = control.sprite->rect;
  }
  control.rect = PlaceRect(Placement(), size, context_.HalfWidth(), rules);
}
