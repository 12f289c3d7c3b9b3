#pragma once
#include <array>
#include <string>
#include <unordered_map>

#include "graphics/RenderDevice.h"
#include "platform/Window.h"

// The OpenGL 3.3 core render device, drawing into the game window's GL surface.
//
// It draws every batch from one streaming vertex buffer sized for the shared 2048-vertex
// array, with one static index buffer holding the quad pattern, through a built-in program
// that multiplies the texture of stage 0 by the vertex colour. With no texture bound, stage 0
// samples a 1×1 white texture, so untextured quads draw in their vertex colour.
//
// Shader programs made by CreateShaderProgram are GLSL 3.30 and see the same inputs:
//   in vec3 a_position;     attribute 0, virtual screen position (z is 0)
//   in vec4 a_colour;       attribute 1, the vertex colour as RGBA in 0..1 (unpacked from ARGB)
//   in vec2 a_texcoord;     attribute 2
//   uniform mat4 u_matrix;  world × view × projection, ready for gl_Position = u_matrix * p
//   uniform sampler2D u_texture;  texture stage 0
// The pixel program writes one vec4 output. An empty text uses the built-in counterpart.
//
// Display-mode changes re-apply the window placement; the GL context survives them. A
// change of the drawable size behind our back (the window manager finishing a switch) is
// reported through NeedsReset, so the Renderer picks up the new size.
class GLRenderDevice final : public RenderDevice {
 public:
  // Reads the desktop size now; the window may not exist yet (the context is made in Create).
  explicit GLRenderDevice(platform::Window& window);
  ~GLRenderDevice() override;
  GLRenderDevice(const GLRenderDevice&) = delete;
  GLRenderDevice& operator=(const GLRenderDevice&) = delete;

  ScreenSize Desktop() const override { return desktop_; }
  bool Create(const BackBufferParams& params) override;
  bool Reset(const BackBufferParams& params) override;
  bool NeedsReset() override;
  void Release() override;
  // A context whose window has been destroyed can no longer be used: the device then counts
  // as not created and every call does nothing until Release.
  bool IsCreated() const override { return Usable(); }
  ScreenSize BackBufferSize() const override { return backBuffer_; }
  int MaxTextureWidth() const override { return maxTextureSize_; }
  int MaxTextureHeight() const override { return maxTextureSize_; }
  bool SupportsNonPow2() const override { return true; }
  void ShowErrorMessage(const std::string& caption, const std::string& text) override;

  void Clear(uint32_t argb, bool depthStencil) override;
  void BeginScene() override;
  void EndScene() override {}
  void Present() override;
  void SetViewport(int x, int y, int width, int height) override;
  void SetTransform(TransformKind kind, const Matrix& matrix) override;
  void SetRenderSwitch(RenderSwitch which, bool on) override;
  void SetAddressU(bool wrap) override;
  void SetAddressV(bool wrap) override;
  void SetFilter(bool linear) override;
  void SetBlendFactors(BlendFactor source, BlendFactor destination) override;
  void SetScissorRect(int left, int top, int right, int bottom) override;
  void BindTexture(int stage, DeviceTextureHandle texture) override;
  void SetShader(ShaderProgramHandle program) override;
  void DrawQuads(const Vertex* vertices, int vertexCount, int indexCount) override;
  void DrawIndexed(const Vertex* vertices, int vertexCount, const uint16_t* indices,
                   int indexCount) override;
  DeviceTextureHandle CreateTexture(const TextureDesc& desc,
                                    std::span<const TextureLevel> levels) override;
  void ReleaseTexture(DeviceTextureHandle texture) override;
  ShaderProgramHandle CreateShaderProgram(const std::string& pixelSource,
                                          const std::string& vertexSource) override;
  void ReleaseShaderProgram(ShaderProgramHandle program) override;
  bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

  // Used when the system reports no usable desktop size (a headless display, for example).
  static constexpr ScreenSize kFallbackDesktop{1280, 800};

 private:
  struct Program {
    int matrixLocation = -1;
    int textureLocation = -1;
    unsigned long long matrixVersion = 0;  // the matrix it holds
  };

  bool Usable() const { return context_ != nullptr && window_.Handle() != nullptr; }
  bool CreateResources();
  void DestroyResources();
  ScreenSize Drawable() const;
  // Copies vertices into the streaming buffer and returns the first vertex's index there.
  int UploadVertices(const Vertex* vertices, int vertexCount);
  void PrepareDraw();
  unsigned LinkProgram(const std::string& vertexSource, const std::string& pixelSource);

  platform::Window& window_;
  ScreenSize desktop_;
  void* context_ = nullptr;  // SDL_GLContext
  ScreenSize backBuffer_;
  BackBufferParams applied_;  // the placement last applied to the window
  int maxTextureSize_ = 0;
  ScreenSize viewport_;

  unsigned vertexArray_ = 0;
  unsigned vertexBuffer_ = 0;
  int streamVertex_ = 0;  // where the next batch goes in the streaming buffer
  unsigned quadIndexBuffer_ = 0;
  unsigned streamIndexBuffer_ = 0;
  unsigned sampler_ = 0;
  unsigned whiteTexture_ = 0;
  unsigned builtInProgram_ = 0;
  unsigned currentProgram_ = 0;
  std::unordered_map<unsigned, Program> programs_;
  std::array<unsigned, 8> boundTextures_{};

  Matrix transforms_[3];
  unsigned long long matrixVersion_ = 1;
};
