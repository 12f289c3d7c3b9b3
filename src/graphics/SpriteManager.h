#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "graphics/Sprite.h"
#include "graphics/TextureManager.h"

class FileSystem;

// Gives every drawable picture a name: a rectangle of an atlas texture, declared by the XML
// files under "atlases/" (root `Atlas` with `name` and `half`, children `Tex` with `name` and
// `rect` = x, y, w, h in texture pixels), or a whole texture looked up by its own name. The
// first definition of a name wins. Sprites are resolved against their textures when first
// asked for, and never move.
//
// Main thread only, except TextureNameOf, which the precache worker may call.
//
// The manager supplies the Renderer's screen frame sprite ("scrframe") for as long as it
// lives. Destroy it before the TextureManager.
class SpriteManager final : public TextureDeletionListener {
 public:
  SpriteManager(FileSystem& files, TextureManager& textures);
  ~SpriteManager() override;
  SpriteManager(const SpriteManager&) = delete;
  SpriteManager& operator=(const SpriteManager&) = delete;

  // Reads every atlas file; returns the number of sprites added.
  int LoadAtlases();

  // The sprite of that name, with its texture loaded (reloaded when evicted). None for an
  // empty name, for a name that is neither a sprite nor a texture, and for an atlas sprite
  // that cannot be drawn: its texture is missing, or its rectangle lies outside it (such a
  // sprite is tried again at the next lookup).
  Sprite* Get(std::string_view name);

  // The texture behind a sprite name: the atlas texture, or the name itself when no sprite
  // of that name exists. Safe to call from the precache worker.
  std::string TextureNameOf(std::string_view name) const;

  size_t Count() const;

  // A deleted texture leaves its sprites to be resolved again at their next lookup.
  void OnTextureDeleted(const Texture& texture) override;

 private:
  bool Resolve(Sprite& sprite);
  bool ResolveAtlas(Sprite& sprite);
  bool ResolveWhole(Sprite& sprite);
  bool Insert(std::unique_ptr<Sprite> sprite);

  FileSystem& files_;
  TextureManager& textures_;
  std::map<std::string, std::unique_ptr<Sprite>, std::less<>> sprites_;
  // Taken by every change to the map's shape and by TextureNameOf; lookups on the main
  // thread, the only one that changes the map, need no lock.
  mutable std::mutex lock_;
};
