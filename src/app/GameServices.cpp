#include "app/GameServices.h"

#include "graphics/FontManager.h"
#include "graphics/SpriteManager.h"

bool GameServices::HasTexture(std::string_view name) const {
  return sprites_ && !name.empty() && sprites_->Get(name) != nullptr;
}

bool GameServices::IsMaskTexture(std::string_view name) const {
  constexpr std::string_view kSuffix = "_mask";
  return name.size() > kSuffix.size() && name.substr(name.size() - kSuffix.size()) == kSuffix &&
         HasTexture(name);
}

void GameServices::RegisterIcon(int code, std::string_view texture) {
  if (fonts_) fonts_->RegisterIcon(code, texture);
}
