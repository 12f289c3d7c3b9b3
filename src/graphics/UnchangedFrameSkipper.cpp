#include "graphics/UnchangedFrameSkipper.h"

#include <cstring>
#include <type_traits>

enum class UnchangedFrameSkipper::Op : uint8_t {
  Clear,
  BeginScene,
  EndScene,
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
};

namespace {

// Reads back, in order, what Keep wrote.
class Reader {
 public:
  Reader(const std::vector<uint8_t>& bytes, size_t at) : bytes_(bytes), at_(at) {}
  bool AtEnd() const { return at_ >= bytes_.size(); }
  size_t Offset() const { return at_; }
  template <typename T>
  T Next() {
    static_assert(std::is_trivially_copyable_v<T>);
    T value;
    std::memcpy(&value, bytes_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  // The next `count` values, copied out: the bytes kept for them need not be aligned.
  template <typename T>
  const T* NextArray(size_t count, std::vector<T>& into) {
    static_assert(std::is_trivially_copyable_v<T>);
    into.resize(count);
    std::memcpy(into.data(), bytes_.data() + at_, count * sizeof(T));
    at_ += count * sizeof(T);
    return into.data();
  }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_;
};

}  // namespace

UnchangedFrameSkipper::UnchangedFrameSkipper(std::unique_ptr<RenderDevice> inner)
    : inner_(std::move(inner)) {}

template <typename... Values>
void UnchangedFrameSkipper::Keep(Op op, const Values&... values) {
  KeepBytes(&op, sizeof op);
  (
      [&] {
        static_assert(std::is_trivially_copyable_v<Values>);
        KeepBytes(&values, sizeof values);
      }(),
      ...);
}

void UnchangedFrameSkipper::KeepBytes(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  frame_.insert(frame_.end(), bytes, bytes + size);
}

void UnchangedFrameSkipper::Play() {
  Reader in(frame_, played_);
  while (!in.AtEnd()) {
    switch (in.Next<Op>()) {
      case Op::Clear: {
        const auto argb = in.Next<uint32_t>();
        inner_->Clear(argb, in.Next<bool>());
        break;
      }
      case Op::BeginScene:
        inner_->BeginScene();
        break;
      case Op::EndScene:
        inner_->EndScene();
        break;
      case Op::Viewport: {
        const auto x = in.Next<int>();
        const auto y = in.Next<int>();
        const auto width = in.Next<int>();
        inner_->SetViewport(x, y, width, in.Next<int>());
        break;
      }
      case Op::Transform: {
        const auto kind = in.Next<TransformKind>();
        inner_->SetTransform(kind, in.Next<Matrix>());
        break;
      }
      case Op::Switch: {
        const auto which = in.Next<RenderSwitch>();
        inner_->SetRenderSwitch(which, in.Next<bool>());
        break;
      }
      case Op::AddressU:
        inner_->SetAddressU(in.Next<bool>());
        break;
      case Op::AddressV:
        inner_->SetAddressV(in.Next<bool>());
        break;
      case Op::Filter:
        inner_->SetFilter(in.Next<bool>());
        break;
      case Op::Blend: {
        const auto source = in.Next<BlendFactor>();
        inner_->SetBlendFactors(source, in.Next<BlendFactor>());
        break;
      }
      case Op::Scissor: {
        const auto left = in.Next<int>();
        const auto top = in.Next<int>();
        const auto right = in.Next<int>();
        inner_->SetScissorRect(left, top, right, in.Next<int>());
        break;
      }
      case Op::BindTexture: {
        const auto stage = in.Next<int>();
        inner_->BindTexture(stage, in.Next<DeviceTextureHandle>());
        break;
      }
      case Op::SetShader:
        inner_->SetShader(in.Next<ShaderProgramHandle>());
        break;
      case Op::DrawQuads: {
        const auto vertexCount = in.Next<int>();
        const auto indexCount = in.Next<int>();
        const Vertex* vertices = in.NextArray(size_t(vertexCount), vertices_);
        inner_->DrawQuads(vertices, vertexCount, indexCount);
        break;
      }
      case Op::DrawIndexed: {
        const auto vertexCount = in.Next<int>();
        const auto indexCount = in.Next<int>();
        const Vertex* vertices = in.NextArray(size_t(vertexCount), vertices_);
        const uint16_t* indices = in.NextArray(size_t(indexCount), indices_);
        inner_->DrawIndexed(vertices, vertexCount, indices, indexCount);
        break;
      }
    }
  }
  played_ = in.Offset();
}

void UnchangedFrameSkipper::PlayAndSpoil() {
  Play();
  spoiled_ = true;
}

bool UnchangedFrameSkipper::Create(const BackBufferParams& params) {
  PlayAndSpoil();
  return inner_->Create(params);
}

bool UnchangedFrameSkipper::Reset(const BackBufferParams& params) {
  PlayAndSpoil();
  return inner_->Reset(params);
}

void UnchangedFrameSkipper::Release() {
  PlayAndSpoil();
  inner_->Release();
}

void UnchangedFrameSkipper::Clear(uint32_t argb, bool depthStencil) {
  Keep(Op::Clear, argb, depthStencil);
}
void UnchangedFrameSkipper::BeginScene() { Keep(Op::BeginScene); }
void UnchangedFrameSkipper::EndScene() { Keep(Op::EndScene); }

void UnchangedFrameSkipper::Present() {
  // Vertices and matrices have no padding: equal bytes are equal values.
  const bool same = !spoiled_ && played_ == 0 && frame_ == shown_;
  if (same) {
    ++skipped_;
  } else {
    Play();
    inner_->Present();
    ++presented_;
  }
  shown_.swap(frame_);
  frame_.clear();
  played_ = 0;
  spoiled_ = false;
}

void UnchangedFrameSkipper::SetViewport(int x, int y, int width, int height) {
  Keep(Op::Viewport, x, y, width, height);
}
void UnchangedFrameSkipper::SetTransform(TransformKind kind, const Matrix& matrix) {
  Keep(Op::Transform, kind, matrix);
}
void UnchangedFrameSkipper::SetRenderSwitch(RenderSwitch which, bool on) {
  Keep(Op::Switch, which, on);
}
void UnchangedFrameSkipper::SetAddressU(bool wrap) { Keep(Op::AddressU, wrap); }
void UnchangedFrameSkipper::SetAddressV(bool wrap) { Keep(Op::AddressV, wrap); }
void UnchangedFrameSkipper::SetFilter(bool linear) { Keep(Op::Filter, linear); }
void UnchangedFrameSkipper::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  Keep(Op::Blend, source, destination);
}
void UnchangedFrameSkipper::SetScissorRect(int left, int top, int right, int bottom) {
  Keep(Op::Scissor, left, top, right, bottom);
}
void UnchangedFrameSkipper::BindTexture(int stage, DeviceTextureHandle texture) {
  Keep(Op::BindTexture, stage, texture);
}
void UnchangedFrameSkipper::SetShader(ShaderProgramHandle program) {
  Keep(Op::SetShader, program);
}

void UnchangedFrameSkipper::DrawQuads(const Vertex* vertices, int vertexCount, int indexCount) {
  if (!vertices || vertexCount <= 0) return;
  Keep(Op::DrawQuads, vertexCount, indexCount);
  KeepBytes(vertices, size_t(vertexCount) * sizeof(Vertex));
}

void UnchangedFrameSkipper::DrawIndexed(const Vertex* vertices, int vertexCount,
                                        const uint16_t* indices, int indexCount) {
  if (!vertices || !indices || vertexCount <= 0 || indexCount <= 0) return;
  Keep(Op::DrawIndexed, vertexCount, indexCount);
  KeepBytes(vertices, size_t(vertexCount) * sizeof(Vertex));
  KeepBytes(indices, size_t(indexCount) * sizeof(uint16_t));
}

DeviceTextureHandle UnchangedFrameSkipper::CreateTexture(const TextureDesc& desc,
                                                         std::span<const TextureLevel> levels) {
  PlayAndSpoil();
  return inner_->CreateTexture(desc, levels);
}

void UnchangedFrameSkipper::ReleaseTexture(DeviceTextureHandle texture) {
  PlayAndSpoil();
  inner_->ReleaseTexture(texture);
}

ShaderProgramHandle UnchangedFrameSkipper::CreateShaderProgram(const std::string& pixelSource,
                                                               const std::string& vertexSource) {
  PlayAndSpoil();
  return inner_->CreateShaderProgram(pixelSource, vertexSource);
}

void UnchangedFrameSkipper::ReleaseShaderProgram(ShaderProgramHandle program) {
  PlayAndSpoil();
  inner_->ReleaseShaderProgram(program);
}

bool UnchangedFrameSkipper::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
  PlayAndSpoil();
  return inner_->ReadBackBuffer(rgba, width, height);
}
