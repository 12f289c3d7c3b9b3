#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Device-side texture object; 0 means none. What the number stands for is the render
// device's business (the OpenGL device uses texture names).
using DeviceTextureHandle = uint32_t;

// Texture flags.
enum TextureFlag : int {
  kTextureAlpha = 0x01,         // 32-bit pixels carry alpha (otherwise alpha reads as opaque)
  kTexturePackedWide = 0x02,    // a 1280×768 picture packed into a square texture
  kTextureRenderTarget = 0x04,  // released before and re-created after a device reset
  kTextureMipmaps = 0x08,       // a full mip chain is generated at upload
  kTextureUnloadable = 0x10,    // evicted when the screen that used it is left
  kTextureEvicted = 0x20,       // device object released; reloaded at its next use
  kTextureFromPixels = 0x40,    // made from raw pixels, not from a file
};

// Pixel layouts of texture data. The 32-bit formats are uploaded byte for byte as B, G, R, A
// whatever the recorded order, so producers of format 0 store B, G, R, A as well.
enum class PixelFormat : int {
  RGBA8 = 0,
  BGRA8 = 1,  // the device's own order; every image decoder produces this
  RGB8 = 2,
  BGR8 = 3,
  ARGB4444 = 4,  // 16-bit, alpha in the top nibble
  ARGB1555 = 5,  // 16-bit, alpha in the top bit
  RGB565 = 6,    // 16-bit, no alpha
};

int BytesPerPixel(PixelFormat format);

// One image the renderer can bind. Owned by the texture manager for the whole run; the
// renderer keeps pointers to it in its bind cache.
struct Texture {
  static constexpr size_t kMaxNameLength = 87;

  std::string name;    // without extension, as requested (at most kMaxNameLength characters)
  int flags = 0;       // TextureFlag bits
  int imageWidth = 0;  // size of the picture in pixels
  int imageHeight = 0;
  int width = 0;  // size of the device texture (padded or repacked)
  int height = 0;
  PixelFormat format = PixelFormat::BGRA8;
  DeviceTextureHandle deviceTexture = 0;  // none: not created, evicted, or creation failed
  // Decoded pixels (width × height in the pixel format), held only between a background
  // decode and its upload on the main thread; empty otherwise.
  std::vector<uint8_t> pixels;

  bool Has(int flag) const { return (flags & flag) != 0; }
};

// Brings an evicted texture back (re-creates its device object from its file). The
// renderer calls it when an evicted texture is bound.
class TextureReloader {
 public:
  virtual ~TextureReloader() = default;
  virtual void Reload(Texture& texture) = 0;
};

// Owner of the render-target textures: their device objects are released before a device
// reset and created again (empty) after it.
class RenderTargetOwner {
 public:
  virtual ~RenderTargetOwner() = default;
  virtual void ReleaseRenderTargets() = 0;
  virtual void RecreateRenderTargets() = 0;
};
