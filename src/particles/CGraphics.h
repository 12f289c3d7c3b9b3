#pragma once
// The game's drawing back end for the particle library: textures come from a
// ParticleTextureProvider, quads go straight into the Renderer's shared vertex array.
#include <cstdint>
#include <vector>

#include "graphics/Renderer.h"
#include "particles/PyroGraphics.h"

class ParticleTextureProvider;
struct Texture;

namespace PyroParticles {

class CTexture final : public PyroGraphics::ITexture {
 public:
  CTexture(ParticleTextureProvider& provider, Texture* texture)
      : provider_(provider), texture_(texture) {}
  ~CTexture() override;
  CTexture(const CTexture&) = delete;
  CTexture& operator=(const CTexture&) = delete;
  Texture* Get() const { return texture_; }

 private:
  ParticleTextureProvider& provider_;
  Texture* texture_;
};

class CBitmap final : public PyroGraphics::IBitmap {
 public:
  CBitmap(int width, int height, int format, const uint8_t* pixels)
      : width_(width), height_(height), format_(format), pixels_(pixels) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int Format() const override { return format_; }
  const uint8_t* Pixels() const override { return pixels_; }

 private:
  int width_, height_, format_;
  const uint8_t* pixels_;
};

// Plain memory of vertexCount × stride bytes.
class CVertexBuffer final : public PyroGraphics::IVertexBuffer {
 public:
  CVertexBuffer(int vertexCount, int stride, int flags)
      : bytes_(size_t(vertexCount) * size_t(stride)),
        count_(vertexCount),
        stride_(stride),
        flags_(flags) {}
  void* Lock() override { return bytes_.data(); }
  void Unlock() override {}
  bool Update(const void* data, size_t bytes, size_t offset) override;
  int VertexCount() const override { return count_; }
  int Stride() const override { return stride_; }
  int Flags() const override { return flags_; }
  const uint8_t* Data() const { return bytes_.data(); }

 private:
  std::vector<uint8_t> bytes_;
  int count_, stride_, flags_;
};

class CGraphics final : public PyroGraphics::IDevice {
 public:
  static constexpr int kMaxQuads = 512;

  // textureCounter numbers the textures ("_pyroTex%04d"); it belongs to whoever keeps the
  // count across back ends.
  CGraphics(Renderer& renderer, ParticleTextureProvider& textures, int& textureCounter)
      : renderer_(renderer), textures_(textures), counter_(textureCounter) {}

  void SetBlending(uint32_t source, uint32_t destination) override;
  PyroGraphics::IVertexBuffer* CreateVertexBuffer(int vertexCount, int stride, int format,
                                                  int flags) override;
  PyroGraphics::IVertexBuffer2* CreateVertexBuffer2(int vertexCount, int stride, int format,
                                                    int flags) override;
  int Unsupported() override { return -1; }
  PyroGraphics::ITexture* CreateTexture(const PyroGraphics::IBitmap& bitmap) override;
  PyroGraphics::IBitmap* CreateBitmap(int width, int height, int format,
                                      const uint8_t* pixels) override;
  int Nothing() override { return 0; }
  void SetTexture(PyroGraphics::ITexture* texture) override;
  // Copies the quads into the Renderer's shared array and draws them. Nothing is drawn for
  // 512 quads or more, or for a range outside the buffer.
  void DrawQuads(PyroGraphics::IVertexBuffer& buffer, int first, int count) override;
  void Draw(PyroGraphics::IVertexBuffer& buffer, int first, int count) override {
    DrawQuads(buffer, first, count);
  }
  int NothingElse() override { return 0; }
  void Destroy() override { delete this; }

  // The Renderer blend mode for a pair of library blend factors.
  static BlendMode BlendModeFor(uint32_t source, uint32_t destination);
  Texture* BoundTexture() const { return texture_; }

 private:
  Renderer& renderer_;
  ParticleTextureProvider& textures_;
  int& counter_;
  Texture* texture_ = nullptr;
  BlendMode blendMode_ = BlendMode::Alpha;
};

}  // namespace PyroParticles
