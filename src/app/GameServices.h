#pragma once
#include "level/DescriptorServices.h"

class FontManager;
class SpriteManager;

// What the descriptor tables and level files ask of the graphics and font services, answered
// by the game's own services. Any of them may be missing (no render device): the answers are
// then "nothing there".
class GameServices final : public DescriptorServices {
 public:
  GameServices(SpriteManager* sprites, FontManager* fonts) : sprites_(sprites), fonts_(fonts) {}

  bool HasTexture(std::string_view name) const override;
  // Mask pictures are the textures named "<level picture>_mask".
  bool IsMaskTexture(std::string_view name) const override;
  void RegisterIcon(int code, std::string_view texture) override;

 private:
  SpriteManager* sprites_;
  FontManager* fonts_;
};
