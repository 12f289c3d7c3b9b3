#include "graphics/TextureManager.h"

#include "base/ContentLog.h"

#include <algorithm>

#include "data/FileSystem.h"
#include "graphics/Renderer.h"

namespace {

bool UsableName(std::string_view name) {
  return !name.empty() && name.size() <= Texture::kMaxNameLength;
}

}  // namespace

TextureManager::TextureManager(FileSystem& files, Renderer& renderer)
    : files_(files), renderer_(renderer) {
  renderer_.SetTextureReloader(this);
  renderer_.SetRenderTargetOwner(this);
}

TextureManager::~TextureManager() {
  renderer_.SetTextureReloader(nullptr);
  renderer_.SetRenderTargetOwner(nullptr);
  renderer_.BindTexture(nullptr, 0);
  for (auto& [name, texture] : textures_) {
    renderer_.ReleaseDeviceTexture(*texture);
    renderer_.ForgetTexture(texture.get());
  }
  std::lock_guard lock(lock_);
  textures_.clear();
  preloaded_.reset();
}

void TextureManager::AddDeletionListener(TextureDeletionListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TextureManager::RemoveDeletionListener(TextureDeletionListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// ---------------------------------------------------------------- lookups

Texture* TextureManager::Lookup(std::string_view name) const {
  const auto it = textures_.find(name);
  return it == textures_.end() ? nullptr : it->second.get();
}

Texture* TextureManager::Get(std::string_view name, bool mipmaps) {
  if (!UsableName(name)) return nullptr;
  if (Texture* texture = Lookup(name)) {
    if (texture->Has(kTextureEvicted)) Reload(*texture);
    return texture;
  }
  return Load(std::string(name), mipmaps, {});
}

Texture* TextureManager::Find(std::string_view name, bool loadIfMissing) {
  Texture* texture = Lookup(name);
  if (!texture && loadIfMissing) texture = Get(name, false);
  return texture;
}

bool TextureManager::HasImageFile(std::string_view name) const {
  if (Lookup(name)) return true;
  const std::string stem(name);
  for (ImageFileType type : kImageFileTypes) {
    const std::string extension = "." + std::string(ExtensionOf(type));
    if (files_.Find(stem + extension) || files_.Find("_" + stem + "_comp" + extension)) return true;
  }
  return false;
}

Texture* TextureManager::Load(const std::string& name, bool mipmaps, Target target) {
  // A "_%s_comp" file holds the picture already packed as a wide background; it is kept
  // under the name asked for.
  if (name[0] != '_') {
    if (Texture* texture = LoadFile("_" + name + "_comp", name, mipmaps, target)) {
      texture->flags |= kTexturePackedWide;
      return texture;
    }
  }
  Texture* texture = LoadFile(name, name, mipmaps, target);
  if (!texture) content_log::Missing(content_log::Kind::Texture, name);
  return texture;
}

Texture* TextureManager::LoadFile(const std::string& stem, const std::string& displayName,
                                  bool mipmaps, Target target) {
  const bool powerOfTwo = mipmaps || !renderer_.SupportsNonPow2();
  for (ImageFileType type : kImageFileTypes) {
    const std::string file = stem + "." + std::string(ExtensionOf(type));
    if (!files_.Find(file)) continue;
    // The first file that exists decides; if it is unreadable or damaged there is no texture.
    const FileData data = files_.Read(file);
    if (!data) {
      content_log::Unreadable(content_log::Kind::Texture, displayName, file + " cannot be read");
      return nullptr;
    }
    std::optional<DecodedImage> image = DecodeImage(type, data.Bytes(), powerOfTwo);
    files_.Release(data.data);
    if (!image) {
      content_log::Unreadable(content_log::Kind::Texture, displayName, file + " does not decode");
      return nullptr;
    }
    return Record(std::move(*image), displayName, mipmaps, target);
  }
  return nullptr;
}

Texture* TextureManager::Record(DecodedImage&& image, const std::string& displayName, bool mipmaps,
                                Target target) {
  Texture* texture = target.preload ? target.preload : target.reload;
  bool fresh = target.preload != nullptr;
  if (!texture) {
    std::lock_guard lock(lock_);
    auto [it, inserted] = textures_.try_emplace(displayName);
    if (inserted) {
      it->second = std::make_unique<Texture>();
      it->second->name = displayName;
    }
    texture = it->second.get();
    fresh = inserted;
  }
  texture->imageWidth = image.imageWidth;
  texture->imageHeight = image.imageHeight;
  texture->width = image.width;
  texture->height = image.height;
  texture->format = image.format;
  texture->pixels.clear();
  // A reloaded record keeps its flags. A preloaded one gets the unloadable mark when it is
  // handed over, on the main thread.
  if (fresh) {
    texture->flags = (image.packedWide ? kTexturePackedWide : 0) |
                     (image.alpha ? kTextureAlpha : 0) | (mipmaps ? kTextureMipmaps : 0) |
                     (!target.preload && unloadable_ ? kTextureUnloadable : 0);
  }
  if (target.preload) {
    texture->pixels = std::move(image.pixels);
    return texture;
  }
  Upload(*texture, image.pixels.data());
  if (quality_ == TextureQuality::Double) HalveSizes(*texture);
  return texture;
}

void TextureManager::Upload(Texture& texture, const uint8_t* pixels) {
  // Dropping the old device object first also drops every stale binding of the record.
  if (texture.deviceTexture) renderer_.ReleaseDeviceTexture(texture);
  renderer_.CreateDeviceTexture(texture, pixels);
}

void TextureManager::HalveSizes(Texture& texture) const {
  texture.imageWidth /= 2;
  texture.imageHeight /= 2;
  texture.width /= 2;
  texture.height /= 2;
}

// ---------------------------------------------------------------- textures from memory

Texture* TextureManager::CreateFromPixels(std::string_view name, int width, int height,
                                          PixelFormat format, int flags, const uint8_t* pixels) {
  if (!UsableName(name) || width <= 0 || height <= 0 || width > kMaxImageSide ||
      height > kMaxImageSide)
    return nullptr;
  Texture* texture = Lookup(name);
  if (!texture) {
    auto created = std::make_unique<Texture>();
    created->name = std::string(name);
    texture = created.get();
    std::lock_guard lock(lock_);
    textures_.emplace(std::string(name), std::move(created));
  }
  texture->imageWidth = texture->width = width;
  texture->imageHeight = texture->height = height;
  texture->format = format;
  texture->flags = (flags & ~(kTextureEvicted | kTextureFromPixels)) | kTextureFromPixels;
  texture->pixels.clear();

  // The device takes 32-bit pixels as B, G, R, A.
  std::vector<uint8_t> swapped;
  if (pixels && format == PixelFormat::RGBA8) {
    swapped.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < swapped.size(); i += 4) std::swap(swapped[i], swapped[i + 2]);
    pixels = swapped.data();
  }
  Upload(*texture, pixels);
  return texture;
}

// ---------------------------------------------------------------- deleting and evicting

void TextureManager::Delete(Texture* texture) {
  if (!texture) return;
  const auto it = textures_.find(texture->name);
  if (it == textures_.end() || it->second.get() != texture) return;
  for (TextureDeletionListener* listener : listeners_) listener->OnTextureDeleted(*texture);
  renderer_.ReleaseDeviceTexture(*texture);
  renderer_.ForgetTexture(texture);
  std::lock_guard lock(lock_);
  textures_.erase(it);
}

void TextureManager::Evict(Texture* texture) {
  if (!texture || texture->Has(kTextureEvicted) || texture->Has(kTextureFromPixels)) return;
  renderer_.ReleaseDeviceTexture(*texture);
  texture->flags |= kTextureEvicted;
}

void TextureManager::EvictUnloadable() {
  renderer_.BindTexture(nullptr, 0);
  for (auto& [name, texture] : textures_)
    if (texture->Has(kTextureUnloadable)) Evict(texture.get());
}

void TextureManager::Reload(Texture& texture) {
  if (!texture.Has(kTextureEvicted)) return;
  texture.flags &= ~kTextureEvicted;
  // Decoded again into the same record, trying the packed variant first as at the first
  // load. Should the file be gone, the record stays without a device object.
  Load(texture.name, texture.Has(kTextureMipmaps), {.reload = &texture});
}

void TextureManager::ReleaseRenderTargets() {
  for (auto& [name, texture] : textures_)
    if (texture->Has(kTextureRenderTarget)) renderer_.ReleaseDeviceTexture(*texture);
}

void TextureManager::RecreateRenderTargets() {
  for (auto& [name, texture] : textures_)
    if (texture->Has(kTextureRenderTarget) && !texture->Has(kTextureEvicted))
      Upload(*texture, nullptr);
}

// ---------------------------------------------------------------- background loading

void TextureManager::Preload(std::string_view name) {
  if (!UsableName(name)) return;
  {
    std::lock_guard lock(lock_);
    const auto it = textures_.find(name);
    if (it != textures_.end() && !it->second->Has(kTextureEvicted)) return;
  }
  auto record = std::make_unique<Texture>();
  record->name = std::string(name);
  Load(record->name, false, {.preload = record.get()});
  std::lock_guard lock(lock_);
  preloaded_ = std::move(record);
}

void TextureManager::FinishPreload() {
  std::unique_ptr<Texture> record;
  {
    std::lock_guard lock(lock_);
    record = std::move(preloaded_);
  }
  // A failed decode leaves the record without pixels: nothing to hand over.
  if (!record || record->pixels.empty()) return;
  const std::vector<uint8_t> pixels = std::move(record->pixels);
  Texture* texture = Lookup(record->name);
  if (texture) {
    // The record already in the map keeps its identity, but takes the sizes and layout of
    // the pixels now uploaded into it.
    texture->imageWidth = record->imageWidth;
    texture->imageHeight = record->imageHeight;
    texture->width = record->width;
    texture->height = record->height;
    texture->format = record->format;
  } else {
    if (unloadable_) record->flags |= kTextureUnloadable;
    texture = record.get();
    std::lock_guard lock(lock_);
    textures_.emplace(record->name, std::move(record));
  }
  Upload(*texture, pixels.data());
  if (quality_ == TextureQuality::Double) HalveSizes(*texture);
  texture->flags &= ~kTextureEvicted;
}
