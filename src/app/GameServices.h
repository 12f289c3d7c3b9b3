#pragma once
#include "level/DescriptorServices.h"

class FontManager;
class SpriteManager;
class TextureManager;

// What the descriptor tables and level files ask of the graphics and font services, answered
// by the game's own services. Any of them may be missing (no render device): the answers are
// then "nothing there".
class GameServices final : public DescriptorServices {
 public:
  GameServices(SpriteManager* sprites, FontManager* fonts, TextureManager* textures = nullptr)
      : sprites_(sprites), fonts_(fonts), textures_(textures) {}

  bool HasTexture(std::string_view name) const override;
  // A mask covers the whole level: it is a wide picture (1280 x 768, packed into a square
  // texture), whatever its name. Looked up as a texture, never as an atlas sprite.
  bool IsMaskTexture(std::string_view name) const override;
  bool TextureSize(std::string_view name, float& width, float& height) const override;
  void RegisterIcon(int code, std::string_view texture) override;

 private:
  SpriteManager* sprites_;
  FontManager* fonts_;
  TextureManager* textures_;
};
