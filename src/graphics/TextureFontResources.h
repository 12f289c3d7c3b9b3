#pragma once
// The game's FontResources: page textures from the texture manager, icons from the sprite
// manager. Header-only so that the font code itself depends on neither manager.
#include <optional>
#include <string>

#include "graphics/FontManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"

class TextureFontResources final : public FontResources {
 public:
  TextureFontResources(TextureManager& textures, SpriteManager& sprites)
      : textures_(textures), sprites_(sprites) {}

  Texture* PageTexture(const std::string& name) override { return textures_.Get(name, true); }

  void DeletePageTexture(const std::string& name) override {
    if (Texture* texture = textures_.Find(name, false)) textures_.Delete(texture);
  }

  std::optional<FontIcon> Sprite(const std::string& name) override {
    const ::Sprite* sprite = sprites_.Get(name);
    if (!sprite || !sprite->texture) return std::nullopt;
    return FontIcon{sprite->texture, sprite->rect};
  }

 private:
  TextureManager& textures_;
  SpriteManager& sprites_;
};
