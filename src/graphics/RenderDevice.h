#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Shader.h"
#include "graphics/Texture.h"
#include "graphics/Vertex.h"

// The device layer below the Renderer: one call per thing the Renderer asks of the graphics
// hardware. The Renderer does all caching, batching and bookkeeping; a device only
// translates each call into its API. Implementations: GLRenderDevice (OpenGL 3.3 core) and
// RecordingDevice (for tests).

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

// Render switches, indexed as the Renderer's state cache.
enum class RenderSwitch : int {
  Lighting = 0,
  DepthTest = 1,
  DepthWrite = 2,
  AlphaBlend = 3,
  AlphaTest = 4,
  Culling = 5,  // on: triangles that appear clockwise on screen are culled
  ScissorTest = 6,
};
inline constexpr int kRenderSwitchCount = 7;

enum class TransformKind : int { World = 0, View = 1, Projection = 2 };

enum class BlendFactor : int { Zero, One, SourceAlpha, InverseSourceAlpha, DestColour };

// A 4×4 matrix in the row-vector convention: a point p is transformed as p × M, so the
// translation is in row 3.
struct Matrix {
  float m[4][4] = {};
  static Matrix Identity() {
    Matrix r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
  }
};
Matrix operator*(const Matrix& a, const Matrix& b);

struct BackBufferParams {
  int width = 0;
  int height = 0;
  bool fullscreen = false;
  bool depthStencil = false;
  bool operator==(const BackBufferParams&) const = default;
};

struct TextureDesc {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::BGRA8;
  bool alpha = false;  // 32-bit formats: use the fourth byte as alpha
  bool renderTarget = false;
  int levels = 1;  // 1, or the full chain down to 1×1
};

// One mip level: width × height pixels, rows top to bottom, tightly packed.
struct TextureLevel {
  int width = 0;
  int height = 0;
  const uint8_t* pixels = nullptr;
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;

  // Desktop size of the primary display, read when the device layer was made.
  virtual ScreenSize Desktop() const = 0;

  // Creates the device (and applies the window placement) for the back buffer given.
  virtual bool Create(const BackBufferParams& params) = 0;
  // Applies a new display mode. false: the switch failed and the old mode is still in effect.
  virtual bool Reset(const BackBufferParams& params) = 0;
  // True when the device wants a reset before it can go on (its surface changed under it).
  virtual bool NeedsReset() = 0;
  virtual void Release() = 0;
  virtual bool IsCreated() const = 0;
  // The back buffer actually in use (may differ from the size asked for).
  virtual ScreenSize BackBufferSize() const = 0;

  virtual int MaxTextureWidth() const = 0;
  virtual int MaxTextureHeight() const = 0;
  virtual bool SupportsNonPow2() const = 0;

  // The error box of a failed start-up; without a display the text goes to standard error.
  virtual void ShowErrorMessage(const std::string& caption, const std::string& text) = 0;

  // Clears the colour buffer (and depth to 1, stencil to 0 when depthStencil) to an ARGB colour.
  virtual void Clear(uint32_t argb, bool depthStencil) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void Present() = 0;

  // Viewport in back-buffer pixels, origin at the top left.
  virtual void SetViewport(int x, int y, int width, int height) = 0;
  virtual void SetTransform(TransformKind kind, const Matrix& matrix) = 0;
  virtual void SetRenderSwitch(RenderSwitch which, bool on) = 0;
  // Sampler stage 0: address modes (wrap or clamp) and filtering (linear or point).
  virtual void SetAddressU(bool wrap) = 0;
  virtual void SetAddressV(bool wrap) = 0;
  virtual void SetFilter(bool linear) = 0;
  virtual void SetBlendFactors(BlendFactor source, BlendFactor destination) = 0;
  // Scissor rectangle in back-buffer pixels, origin at the top left, y downwards.
  virtual void SetScissorRect(int left, int top, int right, int bottom) = 0;
  virtual void BindTexture(int stage, DeviceTextureHandle texture) = 0;
  virtual void SetShader(ShaderProgramHandle program) = 0;

  // Triangle lists from user memory. DrawQuads uses the fixed quad index pattern
  // (FillQuadIndices); DrawIndexed the indices given.
  virtual void DrawQuads(const Vertex* vertices, int vertexCount, int indexCount) = 0;
  virtual void DrawIndexed(const Vertex* vertices, int vertexCount, const uint16_t* indices,
                           int indexCount) = 0;

  // levels holds the pixel data per level (all levels of desc), or is empty for a texture
  // without initial content. Returns 0 when the texture cannot be made.
  virtual DeviceTextureHandle CreateTexture(const TextureDesc& desc,
                                            std::span<const TextureLevel> levels) = 0;
  virtual void ReleaseTexture(DeviceTextureHandle texture) = 0;

  // Returns 0 when the programs do not compile or link.
  virtual ShaderProgramHandle CreateShaderProgram(const std::string& pixelSource,
                                                  const std::string& vertexSource) = 0;
  virtual void ReleaseShaderProgram(ShaderProgramHandle program) = 0;

  // The back buffer as it stands, RGBA bytes, rows top to bottom.
  virtual bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) = 0;
};

// Size of the shared quad batch.
inline constexpr int kBatchVertices = 2048;
inline constexpr int kBatchQuads = kBatchVertices / 4;
inline constexpr int kBatchIndices = kBatchQuads * 6;

// The quad index pattern: quad q is drawn as the triangles (4q, 4q+2, 4q+3) and (4q, 4q+1, 4q+2).
void FillQuadIndices(uint16_t* indices, int quadCount);
