#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/ImageDecoder.h"
#include "graphics/Texture.h"

class FileSystem;
class Renderer;

// Told when a texture record is about to be freed, so that holders of pointers to it (the
// sprite manager, for one) can let go.
class TextureDeletionListener {
 public:
  virtual ~TextureDeletionListener() = default;
  virtual void OnTextureDeleted(const Texture& texture) = 0;
};

// Finds pictures by name in the file system, decodes them (zif, webp, jpa, jpg, png, tga, in
// that order of preference, with a "_%s_comp" packed variant tried before all of them), pads
// or repacks them for the device, uploads them through the Renderer and keeps them by name
// for the whole run. Records never move: evicting releases only the device object, and the
// next use decodes the file again into the same record.
//
// Main thread only, except Preload, which the splash screen runs on its worker thread while
// the main thread leaves textures alone; FinishPreload then uploads on the main thread.
//
// The manager hooks itself into the Renderer (reloading evicted textures when they are
// bound, render targets around a device reset) for as long as it lives.
// Which content the textures come from: chosen automatically, standard definition forced, or
// double-size content in use (every size the program sees is half the stored picture's).
enum class TextureQuality : int { Auto = 0, Standard = 1, Double = 2 };

class TextureManager final : public TextureReloader, public RenderTargetOwner {
 public:
  TextureManager(FileSystem& files, Renderer& renderer);
  ~TextureManager() override;
  TextureManager(const TextureManager&) = delete;
  TextureManager& operator=(const TextureManager&) = delete;

  // The texture of that name, loaded on first use (an evicted one is reloaded). mipmaps asks
  // for a full mip chain and power-of-two padding. None when no file of the name exists or
  // it cannot be decoded, and for names longer than Texture::kMaxNameLength.
  Texture* Get(std::string_view name, bool mipmaps = false);
  // Map lookup only; when absent and loadIfMissing, Get(name, false).
  Texture* Find(std::string_view name, bool loadIfMissing);
  // Whether an image file for the name is there to load (a probe for optional pictures,
  // which therefore never reach the content log).
  bool HasImageFile(std::string_view name) const;
  // Creates the texture of that name from memory, or re-creates it in the same record.
  // 32-bit pixels in R, G, B, A order (format 0) are handed to the device as B, G, R, A.
  // pixels may be null for an empty texture (render targets). None for an empty or too long
  // name or a size outside 1..kMaxImageSide.
  Texture* CreateFromPixels(std::string_view name, int width, int height, PixelFormat format,
                            int flags, const uint8_t* pixels);
  // Releases the device object and frees the record; pointers to it become invalid (the
  // renderer and the deletion listeners are told first).
  void Delete(Texture* texture);
  // Releases the device object; the texture is decoded again at its next use. Textures made
  // from memory have no file to come back from and are left alone.
  void Evict(Texture* texture);
  // Unbinds stage 0 and evicts every texture marked unloadable.
  void EvictUnloadable();
  // Brings an evicted texture back into its own record (TextureReloader).
  void Reload(Texture& texture) override;
  // Render targets around a device reset (RenderTargetOwner).
  void ReleaseRenderTargets() override;
  void RecreateRenderTargets() override;

  // Textures created while on are marked unloadable.
  void SetUnloadable(bool on) { unloadable_ = on; }
  bool Unloadable() const { return unloadable_; }

  // Background loading. Preload (worker thread) decodes the texture of that name into a
  // record of its own, unless it is loaded already and not evicted; FinishPreload (main
  // thread, after the worker has finished) uploads it and puts it in the map, or into the
  // existing record of that name.
  void Preload(std::string_view name);
  void FinishPreload();

  TextureQuality Quality() const { return quality_; }
  void SetQuality(TextureQuality quality) { quality_ = quality; }

  void AddDeletionListener(TextureDeletionListener* listener);
  void RemoveDeletionListener(TextureDeletionListener* listener);

  Renderer& renderer() { return renderer_; }
  size_t Count() const { return textures_.size(); }

 private:
  // Where a decoded picture goes: a new record in the map, an evicted record being
  // reloaded, or a record being preloaded off the main thread.
  struct Target {
    Texture* reload = nullptr;
    Texture* preload = nullptr;
  };

  Texture* Lookup(std::string_view name) const;
  // The packed "_%s_comp" variant first, then the name itself.
  Texture* Load(const std::string& name, bool mipmaps, Target target);
  Texture* LoadFile(const std::string& stem, const std::string& displayName, bool mipmaps,
                    Target target);
  Texture* Record(DecodedImage&& image, const std::string& displayName, bool mipmaps,
                  Target target);
  // (Re-)creates the device object from pixels (none for an empty texture).
  void Upload(Texture& texture, const uint8_t* pixels);
  void HalveSizes(Texture& texture) const;

  FileSystem& files_;
  Renderer& renderer_;
  std::map<std::string, std::unique_ptr<Texture>, std::less<>> textures_;
  TextureQuality quality_ = TextureQuality::Auto;
  bool unloadable_ = false;
  std::vector<TextureDeletionListener*> listeners_;

  // Guards the map's shape against the preload worker's look-up, and the preload slot.
  mutable std::mutex lock_;
  std::unique_ptr<Texture> preloaded_;
};
