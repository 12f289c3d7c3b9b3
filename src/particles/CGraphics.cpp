#include "particles/CGraphics.h"

#include <cstdio>
#include <cstring>

#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleTextures.h"
#include "particles/PyroFormat.h"

Texture* TextureManagerParticleTextures::CreateTexture(std::string_view name, int width, int height,
                                                       const uint8_t* rgba) {
  return textures_.CreateFromPixels(name, width, height, PixelFormat::RGBA8, kTextureAlpha, rgba);
}

void TextureManagerParticleTextures::ReleaseTexture(Texture* texture) {
  if (texture) textures_.Delete(texture);
}

namespace PyroParticles {

CTexture::~CTexture() { provider_.ReleaseTexture(texture_); }

bool CVertexBuffer::Update(const void* data, size_t bytes, size_t offset) {
  if (offset > bytes_.size() || bytes > bytes_.size() - offset) return false;
  if (bytes) std::memcpy(bytes_.data() + offset, data, bytes);
  return true;
}

BlendMode CGraphics::BlendModeFor(uint32_t source, uint32_t destination) {
  if (source == kFactorSourceAlpha) {
    if (destination == kFactorInverseSourceAlpha) return BlendMode::Alpha;
    if (destination == kFactorOne) return BlendMode::Add;
    return BlendMode::Premultiplied;
  }
  if (source == kFactorOne && destination == kFactorOne) return BlendMode::AddPure;
  return BlendMode::Premultiplied;
}

void CGraphics::SetBlending(uint32_t source, uint32_t destination) {
  blendMode_ = BlendModeFor(source, destination);
}

PyroGraphics::IVertexBuffer* CGraphics::CreateVertexBuffer(int vertexCount, int stride,
                                                           int /*format*/, int flags) {
  if (vertexCount <= 0 || stride <= 0 || vertexCount > 65536 || stride > 256) return nullptr;
  return new CVertexBuffer(vertexCount, stride, flags);
}

PyroGraphics::IVertexBuffer2* CGraphics::CreateVertexBuffer2(int vertexCount, int stride,
                                                             int format, int flags) {
  PyroGraphics::IVertexBuffer* buffer = CreateVertexBuffer(vertexCount, stride, format, flags);
  return buffer ? new PyroGraphics::CVertexBuffer2Adaptor(buffer) : nullptr;
}

PyroGraphics::ITexture* CGraphics::CreateTexture(const PyroGraphics::IBitmap& bitmap) {
  char name[32];
  std::snprintf(name, sizeof name, "_pyroTex%04d", counter_++);
  Texture* texture =
      textures_.CreateTexture(name, bitmap.Width(), bitmap.Height(), bitmap.Pixels());
  return texture ? new CTexture(textures_, texture) : nullptr;
}

PyroGraphics::IBitmap* CGraphics::CreateBitmap(int width, int height, int format,
                                               const uint8_t* pixels) {
  if (width <= 0 || height <= 0 || format != 0 || !pixels) return nullptr;
  return new CBitmap(width, height, format, pixels);
}

void CGraphics::SetTexture(PyroGraphics::ITexture* texture) {
  auto* own = dynamic_cast<CTexture*>(texture);
  texture_ = own ? own->Get() : nullptr;
}

void CGraphics::DrawQuads(PyroGraphics::IVertexBuffer& buffer, int first, int count) {
  if (count <= 0 || count >= kMaxQuads || first < 0) return;
  if (buffer.Stride() != int(sizeof(Vertex))) return;
  const int quads = std::min(buffer.VertexCount() / 4, kMaxQuads);
  if (first + count > quads) return;
  const auto* source = static_cast<const uint8_t*>(buffer.Lock());
  if (!source) return;
  if (texture_) renderer_.BindTexture(texture_, 0);
  renderer_.SetBlendMode(blendMode_);
  Vertex* target = renderer_.VertexArray();
  std::memcpy(target, source + size_t(first) * 4 * sizeof(Vertex),
              size_t(count) * 4 * sizeof(Vertex));
  buffer.Unlock();
  renderer_.DrawVertexArray(count * 4, count * 6);
}

}  // namespace PyroParticles
