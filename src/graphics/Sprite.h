#pragma once
#include <string>

#include "graphics/Texture.h"
#include "graphics/Vertex.h"

// Resolution flags of a sprite: what still has to be worked out at its next lookup.
enum SpriteResolution : int {
  kSpriteAtlasPending = 0x01,  // an atlas rectangle not yet turned into texture coordinates
  kSpriteWholePending = 0x02,  // a whole-texture sprite whose texture is not yet known
};

// A named picture: a rectangle of an atlas texture, or a whole texture. Owned by the sprite
// manager for the whole run; its address never changes.
//
// Drawing it: bind `texture` (Renderer::BindTexture), then add a quad with `rect`. A sprite
// the sprite manager hands out always has its texture; `width` and `height` are its size in
// virtual pixels.
struct Sprite {
  std::string name;
  std::string textureName;  // the atlas texture, or the sprite's own name
  Texture* texture = nullptr;
  TexRect rect;  // texture coordinates, once resolved
  float width = 0.0f;
  float height = 0.0f;
  int resolution = 0;  // SpriteResolution bits

  bool wholeTexture = false;

  // Atlas sprites: the rectangle in texture pixels (x, y, w, h) and the factor from those
  // pixels to virtual pixels (2 for a half-size atlas).
  float atlasX = 0.0f;
  float atlasY = 0.0f;
  float atlasW = 0.0f;
  float atlasH = 0.0f;
  float atlasScale = 1.0f;
};
