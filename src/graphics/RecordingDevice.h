#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "graphics/RenderDevice.h"
#include "graphics/Vertex.h"

// A render device that draws nothing: it records every call in order, with its arguments,
// so that tests can check what the Renderer sent (batching, the state cache, the scissor
// and transform arithmetic, uploads). Its capabilities and failures are set by the test.
class RecordingDevice final : public RenderDevice {
 public:
  enum class Op {
    Create,
    Reset,
    Release,
    Message,
    Clear,
    BeginScene,
    EndScene,
    Present,
    Viewport,
    Transform,
    Switch,
    AddressU,
    AddressV,
    Filter,
    Blend,
    Scissor,
    BindTexture,
    SetShader,
    DrawQuads,
    DrawIndexed,
    CreateTexture,
    ReleaseTexture,
    CreateShader,
    ReleaseShader,
    ReadBack,
  };

  // One call. The integer arguments in call order (a, b, c, d), the colour of a clear, the
  // text of a message, for transforms the matrix, and for draws the vertices drawn.
  struct Call {
    explicit Call(Op op_, int a_ = 0, int b_ = 0, int c_ = 0, int d_ = 0)
        : op(op_), a(a_), b(b_), c(c_), d(d_) {}
    Op op;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    uint32_t colour = 0;
    std::string text;
    Matrix matrix;
    std::vector<Vertex> vertices;
  };

  struct RecordedTexture {
    TextureDesc desc;
    std::vector<std::vector<uint8_t>> levels;  // copies of the pixel data, one per level given
    bool released = false;
  };

  // --- set by the test
  ScreenSize desktop{1920, 1080};
  int maxTextureWidth = 8192;
  int maxTextureHeight = 8192;
  bool nonPow2 = true;
  bool failCreate = false;
  bool failReset = false;   // a display-mode switch that does not happen
  bool needsReset = false;  // reported once by NeedsReset, then cleared by Reset
  bool failShaders = false;
  // Keep the vertices of every draw in its call (off: only lastVertices is kept).
  bool keepVertices = false;
  // The pixels ReadBackBuffer returns (RGBA, back-buffer size); transparent black if empty.
  std::vector<uint8_t> backBufferPixels;

  // --- what happened
  std::vector<Call> calls;
  std::map<DeviceTextureHandle, RecordedTexture> textures;
  std::vector<Vertex> lastVertices;   // the vertices of the last draw
  std::vector<uint16_t> lastIndices;  // the indices of the last DrawIndexed
  BackBufferParams params;            // of the last successful Create or Reset

  int Count(Op op) const;
  const Call* Last(Op op) const;
  std::vector<Call> CallsOf(Op op) const;
  void ClearLog() { calls.clear(); }

  // RenderDevice
  ScreenSize Desktop() const override { return desktop; }
  bool Create(const BackBufferParams& p) override;
  bool Reset(const BackBufferParams& p) override;
  bool NeedsReset() override { return needsReset; }
  void Release() override;
  bool IsCreated() const override { return created_; }
  ScreenSize BackBufferSize() const override { return {params.width, params.height}; }
  int MaxTextureWidth() const override { return maxTextureWidth; }
  int MaxTextureHeight() const override { return maxTextureHeight; }
  bool SupportsNonPow2() const override { return nonPow2; }
  void ShowErrorMessage(const std::string& caption, const std::string& text) override;
  void Clear(uint32_t argb, bool depthStencil) override;
  void BeginScene() override { Record(Call(Op::BeginScene)); }
  void EndScene() override { Record(Call(Op::EndScene)); }
  void Present() override { Record(Call(Op::Present)); }
  void SetViewport(int x, int y, int width, int height) override;
  void SetTransform(TransformKind kind, const Matrix& matrix) override;
  void SetRenderSwitch(RenderSwitch which, bool on) override;
  void SetAddressU(bool wrap) override { Record(Call(Op::AddressU, int(wrap))); }
  void SetAddressV(bool wrap) override { Record(Call(Op::AddressV, int(wrap))); }
  void SetFilter(bool linear) override { Record(Call(Op::Filter, int(linear))); }
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

 private:
  void Record(Call call) { calls.push_back(std::move(call)); }

  bool created_ = false;
  uint32_t nextHandle_ = 1;
};
