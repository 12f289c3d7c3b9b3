#include "gui/Placement.h"

Rect PlaceRect(const PlacementInput& in, std::optional<SpriteSize> sprite, float halfWidth,
               const PlacementRules& rules) {
  float x = in.x, y = in.y, w = in.w, h = in.h;
  const float s = in.scale;
  const bool left = HasLetter(in.bind, 'l'), right = HasLetter(in.bind, 'r');
  const bool top = HasLetter(in.bind, 't'), bottom = HasLetter(in.bind, 'b');

  if (rules.sizeFromSprite && sprite) {
    if (w == 0.0f) w = sprite->width;
    if (h == 0.0f) h = -sprite->height;
  }
  if (rules.centre) {
    if (in.cx) x = *in.cx - w / 2;
    if (in.cy) y = *in.cy - h / 2;
  }
  if (rules.useParent && in.parent) {
    const Rect& p = *in.parent;
    if (left) {
      x = x + p.x0;
    } else if (right) {
      x = p.x1 - x;
    } else {
      x = x + (p.x0 + p.x1) / 2;
    }
    if (top) {
      y = p.y1 - y;
    } else if (bottom) {
      y = p.y0 + y;
    } else {
      y = y + (p.y0 + p.y1) / 2;
    }
  } else {
    if (left) {
      x = x - halfWidth;
    } else if (right) {
      x = halfWidth - x;
    }
    if (top) {
      y = in.maxY - y;
    } else if (bottom) {
      y = y - in.maxY;
    }
  }
  if (rules.mirror) {
    if (HasLetter(in.inv, 'h')) {
      w = -w;
      x = x + s * w;
    }
    if (HasLetter(in.inv, 'v')) {
      h = -h;
      y = y - s * h;
    }
  }
  if (rules.farEdgeRight && right) x = x - s * w;
  if (rules.farEdgeBottom && bottom) y = y - s * h;
  return {x, y, x + w, y + h};
}
