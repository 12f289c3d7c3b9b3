#include "graphics/SpriteManager.h"

#include "base/ContentLog.h"

#include <cmath>

#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "graphics/Renderer.h"

namespace {

constexpr std::string_view kAtlasFolder = "atlases/";
constexpr std::string_view kAtlasExtension = ".xml";
constexpr std::string_view kScreenFrameSprite = "scrframe";

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

SpriteManager::SpriteManager(FileSystem& files, TextureManager& textures)
    : files_(files), textures_(textures) {
  textures_.AddDeletionListener(this);
  textures_.renderer().SetScreenFrameLookup([this]() -> std::optional<ScreenFrameSprite> {
    const Sprite* sprite = Get(kScreenFrameSprite);
    if (!sprite) return std::nullopt;
    return ScreenFrameSprite{sprite->texture, sprite->rect, sprite->width, sprite->height};
  });
}

SpriteManager::~SpriteManager() {
  textures_.renderer().SetScreenFrameLookup(nullptr);
  textures_.RemoveDeletionListener(this);
}

size_t SpriteManager::Count() const {
  std::lock_guard lock(lock_);
  return sprites_.size();
}

bool SpriteManager::Insert(std::unique_ptr<Sprite> sprite) {
  std::lock_guard lock(lock_);
  const std::string name = sprite->name;
  return sprites_.try_emplace(name, std::move(sprite)).second;
}

int SpriteManager::LoadAtlases() {
  int added = 0;
  for (const FileInfo& file : files_.List(kAtlasFolder, kAtlasExtension)) {
    if (!EndsWith(file.path, kAtlasExtension)) continue;
    XmlDocument document(files_);
    if (!document.Load(file.key)) continue;
    const XmlElement atlas = document.FirstChild({}, "Atlas");
    if (!atlas) continue;
    const std::string textureName = atlas.Text("name");
    const float scale = atlas.Bool("half", false) ? 2.0f : 1.0f;
    for (XmlElement tex = atlas.FirstChild("Tex"); tex; tex = tex.NextSibling("Tex")) {
      float rect[4];
      tex.Floats("rect", rect);
      auto sprite = std::make_unique<Sprite>();
      sprite->name = tex.Text("name");
      if (sprite->name.empty()) continue;
      sprite->textureName = textureName;
      sprite->atlasX = rect[0];
      sprite->atlasY = rect[1];
      sprite->atlasW = rect[2];
      sprite->atlasH = rect[3];
      sprite->atlasScale = scale;
      sprite->width = rect[2] * scale;
      sprite->height = rect[3] * scale;
      sprite->resolution = kSpriteAtlasPending;
      if (Insert(std::move(sprite))) ++added;
    }
  }
  return added;
}

Sprite* SpriteManager::Get(std::string_view name) {
  if (name.empty()) return nullptr;
  const auto it = sprites_.find(name);
  if (it != sprites_.end()) {
    Sprite& sprite = *it->second;
    if (sprite.resolution != 0) return Resolve(sprite) ? &sprite : nullptr;
    if (sprite.texture && sprite.texture->Has(kTextureEvicted)) textures_.Reload(*sprite.texture);
    return &sprite;
  }
  // Not a sprite: a whole texture of that name, if there is one.
  Texture* texture = textures_.Get(name, false);
  if (!texture) {
    content_log::Missing(content_log::Kind::Sprite, name);
    return nullptr;
  }
  auto sprite = std::make_unique<Sprite>();
  sprite->name = std::string(name);
  sprite->textureName = sprite->name;
  sprite->texture = texture;
  sprite->wholeTexture = true;
  sprite->resolution = kSpriteWholePending;
  if (!ResolveWhole(*sprite)) return nullptr;
  Sprite* result = sprite.get();
  Insert(std::move(sprite));
  return result;
}

std::string SpriteManager::TextureNameOf(std::string_view name) const {
  std::lock_guard lock(lock_);
  const auto it = sprites_.find(name);
  return it == sprites_.end() ? std::string(name) : it->second->textureName;
}

void SpriteManager::OnTextureDeleted(const Texture& texture) {
  for (auto& [name, sprite] : sprites_) {
    if (sprite->texture != &texture) continue;
    sprite->texture = nullptr;
    sprite->resolution |= sprite->wholeTexture ? kSpriteWholePending : kSpriteAtlasPending;
  }
}

bool SpriteManager::Resolve(Sprite& sprite) {
  return sprite.wholeTexture ? ResolveWhole(sprite) : ResolveAtlas(sprite);
}

bool SpriteManager::ResolveAtlas(Sprite& sprite) {
  Texture* texture = textures_.Get(sprite.textureName, false);
  if (!texture || texture->width <= 0 || texture->height <= 0) return false;
  // With double-size content the recorded sizes are half the stored picture's, and the
  // atlas rectangles count stored pixels.
  const bool halved = textures_.Quality() == TextureQuality::Double;
  const float storedW = float(texture->width) * (halved ? 2.0f : 1.0f);
  const float storedH = float(texture->height) * (halved ? 2.0f : 1.0f);
  const float x = sprite.atlasX, y = sprite.atlasY, w = sprite.atlasW, h = sprite.atlasH;
  const bool inside = std::isfinite(x) && std::isfinite(y) && std::isfinite(w) &&
                      std::isfinite(h) && x >= 0 && y >= 0 && w >= 0 && h >= 0 &&
                      x + w <= storedW && y + h <= storedH;
  if (!inside) return false;
  sprite.texture = texture;
  sprite.rect = {x / storedW, y / storedH, (x + w) / storedW, (y + h) / storedH};
  const float size = sprite.atlasScale * (halved ? 0.5f : 1.0f);
  sprite.width = w * size;
  sprite.height = h * size;
  sprite.resolution &= ~kSpriteAtlasPending;
  return true;
}

bool SpriteManager::ResolveWhole(Sprite& sprite) {
  Texture* texture = sprite.texture ? sprite.texture : textures_.Get(sprite.textureName, false);
  if (texture && texture->Has(kTextureEvicted)) textures_.Reload(*texture);
  if (!texture || texture->width <= 0 || texture->height <= 0) return false;
  sprite.texture = texture;
  sprite.width = float(texture->imageWidth);
  sprite.height = float(texture->imageHeight);
  sprite.rect = {0.0f, 0.0f, float(texture->imageWidth) / float(texture->width),
                 float(texture->imageHeight) / float(texture->height)};
  sprite.resolution &= ~kSpriteWholePending;
  return true;
}
