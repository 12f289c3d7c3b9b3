#include "gui/GUIScissor.h"

#include <cmath>

#include "graphics/Renderer.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

Rect PlaceSwitch(const LayoutElement& element) {
  PlacementRules rules;
  rules.sizeFromSprite = rules.centre = rules.mirror = false;
  return PlaceRect(element.Placement(), std::nullopt, element.Context().HalfWidth(), rules);
}

std::unique_ptr<GUIControl> GUIScissor::Read(const LayoutElement& element) {
  auto scissor = std::make_unique<GUIScissor>();
  element.ReadCommon(*scissor);
  scissor->sprite = nullptr;
  scissor->on = element.Bool("on", false);
  scissor->rect = PlaceSwitch(element);
  return scissor;
}

void GUIScissor::ScissorBox(int& x, int& y, int& w, int& h) const {
  const GuiContext& gui = Gui();
  const auto whole = [](float v) {
    return std::isfinite(v) ? int(std::fmax(std::fmin(v, 1e6f), -1e6f)) : 0;
  };
  x = whole(rect.x0 + gui.HalfWidth());
  y = whole(gui.HalfHeight(false) - rect.y1);
  w = whole(rect.x1 - rect.x0);
  h = whole(rect.y1 - rect.y0);
}

void GUIScissor::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer) return;
  if (!on) {
    renderer->Disable(RenderSwitch::ScissorTest);
    return;
  }
  int x = 0, y = 0, w = 0, h = 0;
  ScissorBox(x, y, w, h);
  renderer->Enable(RenderSwitch::ScissorTest);
  renderer->SetScissor(x, y, w, h);
}
