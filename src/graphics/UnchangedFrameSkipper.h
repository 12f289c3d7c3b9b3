#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/RenderDevice.h"

// A render device in front of another that leaves out a frame identical to the one on screen.
// A screen that stands still (a menu waiting for a click) otherwise costs a whole frame of
// pixel work sixty times a second, which on a software renderer is most of a core.
//
// The frame's drawing calls (clears, states, transforms, draws with their vertices) are kept
// in order as bytes instead of being passed on. At Present they are compared with the last
// frame shown: the same bytes, with no resource made or released in between and nothing
// marking the window as spoiled, mean the picture would come out the same, so neither the
// calls nor the buffer swap reach the device. Otherwise the calls are played to the device
// and the frame is presented.
//
// Whatever must happen in order with the drawing (making or releasing textures and shaders,
// mode switches, reading the back buffer) first plays what was kept so far, so the device
// always sees the calls in the order they were made.
class UnchangedFrameSkipper final : public RenderDevice {
 public:
  explicit UnchangedFrameSkipper(std::unique_ptr<RenderDevice> inner);

  // The window's picture was lost (uncovered, resized): the next frame is drawn and shown.
  void Invalidate() { spoiled_ = true; }
  // Frames presented and left out so far.
  int presented() const { return presented_; }
  int skipped() const { return skipped_; }

  ScreenSize Desktop() const override { return inner_->Desktop(); }
  bool Create(const BackBufferParams& params) override;
  bool Reset(const BackBufferParams& params) override;
  bool NeedsReset() override { return inner_->NeedsReset(); }
  void Release() override;
  bool IsCreated() const override { return inner_->IsCreated(); }
  ScreenSize BackBufferSize() const override { return inner_->BackBufferSize(); }
  int MaxTextureWidth() const override { return inner_->MaxTextureWidth(); }
  int MaxTextureHeight() const override { return inner_->MaxTextureHeight(); }
  bool SupportsNonPow2() const override { return inner_->SupportsNonPow2(); }
  void ShowErrorMessage(const std::string& caption, const std::string& text) override {
    inner_->ShowErrorMessage(caption, text);
  }

  void Clear(uint32_t argb, bool depthStencil) override;
  void BeginScene() override;
  void EndScene() override;
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

 private:
  enum class Op : uint8_t;

  template <typename... Values>
  void Keep(Op op, const Values&... values);
  void KeepBytes(const void* data, size_t size);
  // Plays the calls kept since the last play to the device.
  void Play();
  // Plays what was kept and marks the frame as one that must be shown.
  void PlayAndSpoil();

  std::unique_ptr<RenderDevice> inner_;
  std::vector<uint8_t> frame_;  // this frame's calls so far
  std::vector<uint8_t> shown_;  // the calls of the frame last presented
  size_t played_ = 0;           // bytes of frame_ already played to the device
  std::vector<Vertex> vertices_;  // a draw's vertices and indices, aligned for the device
  std::vector<uint16_t> indices_;
  bool spoiled_ = true;         // the next frame must be shown whatever its calls
  int presented_ = 0;
  int skipped_ = 0;
};
