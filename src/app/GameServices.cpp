#include "app/GameServices.h"

#include "graphics/FontManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"

bool GameServices::HasTexture(std::string_view name) const {
  return sprites_ && !name.empty() && sprites_->Get(name) != nullptr;
}

bool GameServices::IsMaskTexture(std::string_view name) const {
  if (!textures_ || name.empty()) return false;
  const Texture* texture = textures_->Get(name, false);
  return texture && texture->Has(kTexturePackedWide);
}

bool GameServices::TextureSize(std::string_view name, float& width, float& height) const {
  const Sprite* sprite = sprites_ && !name.empty() ? sprites_->Get(name) : nullptr;
  if (!sprite || sprite->width <= 0 || sprite->height <= 0) return false;
  width = sprite->width;
  height = sprite->height;
  return true;
}

void GameServices::RegisterIcon(int code, std::string_view texture) {
  if (fonts_) fonts_->RegisterIcon(code, texture);
}
