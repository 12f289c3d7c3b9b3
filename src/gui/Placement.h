#pragma once
#include <optional>
#include <string>

#include "graphics/Vertex.h"

// Where a layout puts a control: the inputs of the positioning rule every control type
// shares (a type's layout reader fills them from the element).
struct PlacementInput {
  float x = 0.0f, y = 0.0f;     // position
  float w = 0.0f, h = 0.0f;     // size; 0 takes the sprite's
  std::optional<float> cx, cy;  // centre instead of x / y
  std::string bind;             // anchoring letters: l left, r right, t top, b bottom
  std::string inv;              // mirroring letters: h horizontally, v vertically
  float maxY = 384.0f;          // half height for top and bottom anchoring
  float scale = 1.0f;
  std::optional<Rect> parent;  // the anchor rectangle; none anchors to the screen
};

// How a type deviates from the rule of the picture family (all steps on by default).
struct PlacementRules {
  bool sizeFromSprite = true;  // 1: a zero w takes the sprite width, a zero h minus its height
  bool centre = true;          // 2: cx, cy
  bool useParent = true;       // 3: anchor to the parent's rectangle when there is one
  bool mirror = true;          // 4: inv
  bool farEdgeRight = true;    // 5: r moves x back by the width
  bool farEdgeBottom = true;   // 5: b moves y back by the height
};

// The size of the control's sprite, when it has one with a texture.
struct SpriteSize {
  float width = 0.0f;
  float height = 0.0f;
};

// The positioning rule. H is the screen's half width.
//  1. With a sprite: w = sprite width when w is 0, h = -sprite height when h is 0 (so y0 is a
//     picture's top edge and y1 = y0 - height its bottom).
//  2. cx given: x = cx - w/2; cy given: y = cy - h/2.
//  3. With a parent P: x = x + P.x0 for l, else P.x1 - x for r, else x + (P.x0 + P.x1)/2;
//     y = P.y1 - y for t, else P.y0 + y for b, else y + (P.y0 + P.y1)/2 (a dialog's y0 is its
//     bottom, so t measures down from its top). Without a parent: x = x - H for l, else
//     H - x for r; y = maxY - y for t, else y - maxY for b; no letter keeps the value
//     relative to the screen centre.
//  4. inv h: w = -w, then x = x + s·w; inv v: h = -h, then y = y - s·h (s the scale).
//  5. r: x = x - s·w; b: y = y - s·h.
//  6. rect = (x, y, x + w, y + h). The size is not multiplied by the scale; drawing applies it.
Rect PlaceRect(const PlacementInput& in, std::optional<SpriteSize> sprite, float halfWidth,
               const PlacementRules& rules = {});

// Whether letters (a layout's letter attribute) holds letter.
inline bool HasLetter(const std::string& letters, char letter) {
  return letters.find(letter) != std::string::npos;
}
