#include "graphics/RecordingDevice.h"

#include <algorithm>

int RecordingDevice::Count(Op op) const {
  return int(std::count_if(calls.begin(), calls.end(), [op](const Call& c) { return c.op == op; }));
}

const RecordingDevice::Call* RecordingDevice::Last(Op op) const {
  for (auto it = calls.rbegin(); it != calls.rend(); ++it)
    if (it->op == op) return &*it;
  return nullptr;
}

std::vector<RecordingDevice::Call> RecordingDevice::CallsOf(Op op) const {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

bool RecordingDevice::Create(const BackBufferParams& p) {
  Record(Call(Op::Create, p.width, p.height, int(p.fullscreen), int(p.depthStencil)));
  if (failCreate) return false;
  created_ = true;
  params = p;
  return true;
}

bool RecordingDevice::Reset(const BackBufferParams& p) {
  Record(Call(Op::Reset, p.width, p.height, int(p.fullscreen), int(p.depthStencil)));
  if (failReset) return false;
  params = p;
  needsReset = false;
  return true;
}

void RecordingDevice::Release() {
  Record(Call(Op::Release));
  created_ = false;
}

void RecordingDevice::ShowErrorMessage(const std::string& caption, const std::string& text) {
  Call call{Op::Message};
  call.text = caption + "|" + text;
  Record(std::move(call));
}

void RecordingDevice::Clear(uint32_t argb, bool depthStencil) {
  Call call{Op::Clear, int(depthStencil)};
  call.colour = argb;
  Record(std::move(call));
}

void RecordingDevice::SetViewport(int x, int y, int width, int height) {
  Record(Call(Op::Viewport, x, y, width, height));
}

void RecordingDevice::SetTransform(TransformKind kind, const Matrix& matrix) {
  Call call{Op::Transform, int(kind)};
  call.matrix = matrix;
  Record(std::move(call));
}

void RecordingDevice::SetRenderSwitch(RenderSwitch which, bool on) {
  Record(Call(Op::Switch, int(which), int(on)));
}

void RecordingDevice::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  Record(Call(Op::Blend, int(source), int(destination)));
}

void RecordingDevice::SetScissorRect(int left, int top, int right, int bottom) {
  Record(Call(Op::Scissor, left, top, right, bottom));
}

void RecordingDevice::BindTexture(int stage, DeviceTextureHandle texture) {
  Record(Call(Op::BindTexture, stage, int(texture)));
}

void RecordingDevice::SetShader(ShaderProgramHandle program) {
  Record(Call(Op::SetShader, int(program)));
}

void RecordingDevice::DrawQuads(const Vertex* vertices, int vertexCount, int indexCount) {
  Call call(Op::DrawQuads, vertexCount, indexCount);
  if (keepVertices) call.vertices.assign(vertices, vertices + vertexCount);
  Record(std::move(call));
  lastVertices.assign(vertices, vertices + vertexCount);
}

void RecordingDevice::DrawIndexed(const Vertex* vertices, int vertexCount, const uint16_t* indices,
                                  int indexCount) {
  Call call(Op::DrawIndexed, vertexCount, indexCount);
  if (keepVertices) call.vertices.assign(vertices, vertices + vertexCount);
  Record(std::move(call));
  lastVertices.assign(vertices, vertices + vertexCount);
  lastIndices.assign(indices, indices + indexCount);
}

DeviceTextureHandle RecordingDevice::CreateTexture(const TextureDesc& desc,
                                                   std::span<const TextureLevel> levels) {
  Record(Call(Op::CreateTexture, desc.width, desc.height, desc.levels, int(levels.size())));
  if (desc.width > maxTextureWidth || desc.height > maxTextureHeight) return 0;
  RecordedTexture recorded;
  recorded.desc = desc;
  const int bpp = BytesPerPixel(desc.format);
  for (const TextureLevel& level : levels)
    recorded.levels.emplace_back(level.pixels,
                                 level.pixels + size_t(level.width) * level.height * bpp);
  const DeviceTextureHandle handle = nextHandle_++;
  textures[handle] = std::move(recorded);
  return handle;
}

void RecordingDevice::ReleaseTexture(DeviceTextureHandle texture) {
  Record(Call(Op::ReleaseTexture, int(texture)));
  auto it = textures.find(texture);
  if (it != textures.end()) it->second.released = true;
}

ShaderProgramHandle RecordingDevice::CreateShaderProgram(const std::string& pixelSource,
                                                         const std::string& vertexSource) {
  Call call{Op::CreateShader};
  call.text = pixelSource + "|" + vertexSource;
  Record(std::move(call));
  return failShaders ? 0 : nextHandle_++;
}

void RecordingDevice::ReleaseShaderProgram(ShaderProgramHandle program) {
  Record(Call(Op::ReleaseShader, int(program)));
}

bool RecordingDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
  Record(Call(Op::ReadBack));
  width = params.width;
  height = params.height;
  rgba = backBufferPixels;
  rgba.resize(size_t(width) * height * 4, 0);
  return true;
}
