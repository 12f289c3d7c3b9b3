#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/RenderDevice.h"
#include "graphics/Shader.h"
#include "graphics/Texture.h"
#include "graphics/Vertex.h"

// Sampler bits (Renderer::SetSamplerBits / ClearSamplerBits).
enum SamplerBit : int {
  kSamplerWrapU = 1,
  kSamplerWrapV = 2,
  kSamplerLinear = 4,
};

// Blend modes (Renderer::SetBlendMode), numbered as content and effects name them.
enum class BlendMode : int {
  Alpha = 0,          // source alpha, inverse source alpha
  Add = 1,            // source alpha, one
  Multiply = 2,       // destination colour, zero
  Multiply2 = 3,      // the same as Multiply
  AddPure = 4,        // one, one
  Premultiplied = 5,  // one, inverse source alpha
};
// The blend mode a number in content names; none for a number outside 0..5.
std::optional<BlendMode> BlendModeFromNumber(int number);

// The five virtual screen sizes, numbered as the command line and the layouts name them.
enum class AspectMode : int {
  Screen4x3 = 0,    // 1024 × 768
  Screen3x2 = 1,    // 1080 × 720
  Screen15x9 = 2,   // 1280 × 768
  Screen16x9 = 3,   // 1280 × 720
  Screen16x10 = 4,  // 1280 × 800
};
inline constexpr int kAspectModeCount = 5;
// The aspect mode a number names; none outside 0..4.
std::optional<AspectMode> AspectModeFromNumber(int number);

// What the screen frame needs of the sprite "scrframe".
struct ScreenFrameSprite {
  Texture* texture = nullptr;
  TexRect rect;
  float width = 0.0f;   // tile width in virtual units
  float height = 0.0f;  // band height
};
using ScreenFrameLookup = std::function<std::optional<ScreenFrameSprite>()>;

struct PixelOffsetPair {
  float x;
  float y;
};

// The one service everything on screen is drawn through. It fixes a virtual screen of one of
// five sizes (origin at the centre, x right, y up) stretched over the whole back buffer,
// batches quads into one shared array of 2048 vertices drawn with one call per batch, caches
// render state so that redundant device calls are skipped, and runs the frame sequence.
// Everything here is platform-neutral; the RenderDevice does the talking to the hardware.
// Main thread only.
class Renderer {
 public:
  static constexpr int kTextureStages = 8;

  explicit Renderer(std::unique_ptr<RenderDevice> device);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  RenderDevice& Device() { return *device_; }

  // The services called back: the texture manager reloads evicted textures and re-creates
  // render targets around a reset; the sprite manager supplies the screen frame sprite,
  // looked up on the first screen frame drawn and remembered.
  void SetTextureReloader(TextureReloader* reloader) { reloader_ = reloader; }
  void SetRenderTargetOwner(RenderTargetOwner* owner) { renderTargets_ = owner; }
  void SetScreenFrameLookup(ScreenFrameLookup lookup);

  // --- Start-up and shutdown
  // Creates the device with the back buffer for the current aspect mode and display mode.
  // Shows the error box and returns false when there is no usable device.
  bool Init(bool depthStencil, bool fullscreen);
  // Picks the aspect mode from the desktop proportions, makes it current and returns it.
  ::AspectMode ChooseAspectMode();
  void SetAspectMode(::AspectMode mode) { aspectMode_ = mode; }
  ::AspectMode AspectMode() const { return aspectMode_; }
  float Width() const { return VirtualWidth(aspectMode_); }
  float Height() const { return VirtualHeight(aspectMode_); }
  float HalfWidth() const { return Width() * 0.5f; }
  // Half the virtual height; clamped to 384 unless unclamped (mode 4 reports 384, not 400).
  float HalfHeight(bool unclamped = false) const {
    return VirtualHalfHeight(aspectMode_, unclamped);
  }
  // The same for any aspect mode, without a renderer (tools lay out screens for every mode).
  static float VirtualWidth(::AspectMode mode);
  static float VirtualHeight(::AspectMode mode);
  static float VirtualHalfHeight(::AspectMode mode, bool unclamped = false);
  // Requests a switch of the display mode, carried out by the next Present. If the switch
  // fails the old mode stays, and IsFullscreen reports the mode actually in effect.
  void SetFullscreen(bool fullscreen);
  bool IsFullscreen() const { return fullscreen_; }
  bool SupportsNonPow2() const { return device_->SupportsNonPow2(); }
  ScreenSize Desktop() const { return device_->Desktop(); }
  PixelOffsetPair PixelOffset() const { return {-0.5f, 0.5f}; }
  int MaxTextureWidth() const { return device_->MaxTextureWidth(); }
  int MaxTextureHeight() const { return device_->MaxTextureHeight(); }
  // True when the device's texture limit is exactly 2048: the texture manager then uses
  // standard-definition content (quality 1).
  bool WantsStandardDefinition() const;
  // The back buffer in use (set by device creation and every reset).
  ScreenSize BackBufferSize() const { return backBuffer_; }
  // The back buffer asked for: the desktop when fullscreen; otherwise the virtual size,
  // doubled when twice that fits the desktop height with 50 pixels to spare, reduced to
  // 1024 and then 800 wide when it does not fit.
  static ScreenSize BackBufferSizeFor(bool fullscreen, ::AspectMode aspectMode, ScreenSize desktop);
  void Shutdown();

  // --- Frame
  void BeginFrame();
  void Clear(uint32_t colour);
  void EndFrame();
  void Present();
  // Writes the back buffer as an RGB PNG. The frame must have been drawn and not yet
  // presented (call it between EndFrame and Present): after Present the back buffer's
  // content is undefined, and this returns false.
  bool SaveScreenshot(const std::string& pngPath);

  // --- Batching and drawing
  // Draws what the batch holds; returns the triangles drawn.
  int Flush();
  void AddQuad(const Rect& rect, const TexRect& tex = kFullTexRect, uint32_t colour = kWhite);
  // Texture region read rotated by a quarter turn.
  void AddQuadTransposedUV(const Rect& rect, const TexRect& tex = kFullTexRect,
                           uint32_t colour = kWhite);
  void AddQuadCorners(const Corner& p0, const Corner& p1, const Corner& p2, const Corner& p3,
                      const TexRect& tex = kFullTexRect, uint32_t colour = kWhite);
  void AddGradientQuad(const Rect& rect, uint32_t topColour, uint32_t bottomColour);
  // rect in design-canvas coordinates: origin top left, y down, canvas Width() × min(Height(),
  // 768).
  void AddScreenQuad(const Rect& rect, const TexRect& tex = kFullTexRect, uint32_t colour = kWhite);
  // Flushes and hands out the shared array for callers that write vertices themselves.
  Vertex* VertexArray();
  // Draws the shared array with the quad index pattern, or with the caller's indices.
  // Out-of-range counts or indices draw nothing.
  void DrawVertexArray(int vertexCount, int indexCount);
  void DrawIndexed(const uint16_t* indices, int vertexCount, int indexCount);
  // A wide background picture (1280×768 packed into a square texture), bound by the caller.
  void DrawWideBackground(uint32_t colour, bool levelScreenCurrent);
  // The bands above and below the picture in mode 4.
  void DrawScreenFrame();

  // --- State (each call is compared with the cache first and costs nothing when unchanged)
  void BindTexture(Texture* texture, int stage = 0);
  // Drops every cache entry of the texture, so its next bind reaches the device (call it
  // before a texture record is freed).
  void ForgetTexture(const Texture* texture);
  void SetShader(const Shader* shader);
  void Enable(RenderSwitch which);
  void Disable(RenderSwitch which);
  void SetSamplerBits(int bits);
  void ClearSamplerBits(int bits);
  void SetBlendMode(BlendMode mode);
  // Scissor in virtual pixels, origin top left, y down; clipped to the back buffer.
  void SetScissor(int x, int y, int width, int height);
  // The world transform is applied before the base world transform (see SetBaseWorld).
  void SetTransform(TransformKind kind, const Matrix& matrix);
  // A transform under every world transform set from now on, until it is set back to the
  // identity: a dialog drawn larger takes its children's own turns and moves along.
  void SetBaseWorld(const Matrix& base);
  const Matrix& BaseWorld() const { return baseWorld_; }
  void SetupTransforms();
  void ResetStates();
  // Creates (or re-creates) the texture's device object from its pixels (width × height in
  // its pixel format, or none for an empty texture); halves oversize images; fills the
  // whole mip chain when the texture has kTextureMipmaps.
  void CreateDeviceTexture(Texture& texture, const uint8_t* pixels);
  void ReleaseDeviceTexture(Texture& texture);
  // Shader from GLSL texts; either may be empty for the built-in one. None on failure.
  std::unique_ptr<Shader> CreateShaderProgram(const std::string& pixelSource,
                                              const std::string& vertexSource);
  void ReleaseShaderProgram(Shader& shader);

  // --- Statistics of the frame so far
  int Triangles() const { return triangles_; }
  int DrawCalls() const { return drawCalls_; }

 private:
  void PutQuad(const Corner (&p)[4], const float (&uv)[4][2], const uint32_t (&colour)[4]);
  void SetSwitch(RenderSwitch which, bool on);
  // Drops the bind-cache entries of a texture, so its next bind reaches the device.
  void ForgetBinding(const Texture* texture);
  void ResetDevice();
  BackBufferParams Params() const;

  std::unique_ptr<RenderDevice> device_;
  Matrix world_ = Matrix::Identity();
  Matrix baseWorld_ = Matrix::Identity();
  TextureReloader* reloader_ = nullptr;
  RenderTargetOwner* renderTargets_ = nullptr;
  ScreenFrameLookup frameLookup_;
  std::optional<ScreenFrameSprite> frameSprite_;
  bool frameLookedUp_ = false;

  bool fullscreen_ = false;         // the mode requested
  bool fullscreenApplied_ = false;  // the mode in effect
  bool depthStencil_ = false;
  ::AspectMode aspectMode_ = ::AspectMode::Screen4x3;
  ScreenSize backBuffer_;
  bool resetRequested_ = false;
  bool deviceWasReset_ = false;
  bool frameDrawn_ = false;  // the back buffer holds a frame that has not been presented

  // State cache. A stage or the shader is "known" when the device is certain to hold what
  // the cache says; otherwise the next request is sent whatever it is.
  std::optional<BlendMode> blendMode_;  // none: unknown to the cache
  std::array<int, kRenderSwitchCount> switches_{};
  int samplerBits_ = 0;
  std::array<Texture*, kTextureStages> bound_{};
  std::array<bool, kTextureStages> boundKnown_{};
  const Shader* shader_ = nullptr;
  bool shaderKnown_ = false;

  std::vector<Vertex> vertices_;
  std::vector<uint16_t> indices_;
  int vertexCount_ = 0;
  int triangles_ = 0;
  int drawCalls_ = 0;
};
