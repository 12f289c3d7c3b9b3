#include "level_screen/MiniGameHint.h"

#include <algorithm>
#include <cmath>

#include "graphics/SpriteManager.h"
#include "gui/GuiContext.h"

std::string MiniGameHint::CardName(std::string_view texture) {
  if (texture.starts_with("mg_")) texture.remove_prefix(3);
  return "mg_hint_" + std::string(texture);
}

std::string MiniGameHint::PictureFor(std::string_view texture,
                                     const std::function<bool(std::string_view)>& hasPicture) {
  if (texture.empty()) return {};
  const std::string card = CardName(texture);
  return hasPicture && hasPicture(card) ? card : std::string(texture);
}

void MiniGameHint::SetPicture(std::string_view name) {
  GUIControl* picture = Children().Find(1);
  if (!picture) return;
  if (!boxTaken_) {
    box_ = picture->rect;
    boxTaken_ = true;
  }
  SpriteManager* sprites = Gui().sprites;
  Sprite* shown = sprites && !name.empty() ? sprites->Get(name) : nullptr;
  picture->SetSprite(shown);
  picture->SetRect(FitInto(box_, shown ? shown->width : 0, shown ? shown->height : 0));
}

Rect MiniGameHint::FitInto(const Rect& box, float w, float h) {
  if (!(w > 0.0f) || !(h > 0.0f) || !std::isfinite(w) || !std::isfinite(h)) return box;
  const float boxW = std::fabs(box.x1 - box.x0), boxH = std::fabs(box.y1 - box.y0);
  const float scale = std::min(boxW / w, boxH / h);
  const float halfW = w * scale / 2, halfH = h * scale / 2;
  const float cx = CentreX(box), cy = CentreY(box);
  // The corners keep the box's orientation (which one comes first).
  const float sx = box.x1 >= box.x0 ? 1.0f : -1.0f, sy = box.y1 >= box.y0 ? 1.0f : -1.0f;
  return Rect{cx - sx * halfW, cy - sy * halfH, cx + sx * halfW, cy + sy * halfH};
}
