#include "graphics/Renderer.h"

#include <algorithm>
#include <cmath>

#include "base/Check.h"
#include "graphics/PixelOps.h"
#include "graphics/PngWriter.h"

namespace {

constexpr char kMessageCaption[] = "Game";
constexpr char kNoDeviceText[] =
    "Could not initialize Direct3D.\nPlease ensure that DirectX\nand graphics drivers are "
    "installed.\n";
constexpr char kUnsupportedText[] = "Sorry, you video card is not supported";
constexpr int kRequiredTextureSize = 2048;

struct ModeSize {
  int width;
  int height;
};
constexpr ModeSize kModeSizes[kAspectModeCount] = {
    {1024, 768}, {1080, 720}, {1280, 768}, {1280, 720}, {1280, 800}};

// Width of the level picture, and the height over which layouts are designed.
constexpr float kWorldWidth = 1280.0f;
constexpr float kDesignHeight = 768.0f;

// The plain screen-frame band used when there is no usable "scrframe" sprite.
constexpr float kPlainBandTile = 800.0f;
constexpr float kPlainBandHeight = 16.0f;

constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 300.0f;
constexpr float kViewDepth = 150.0f;

}  // namespace

Renderer::Renderer(std::unique_ptr<RenderDevice> device)
    : device_(std::move(device)), vertices_(kBatchVertices), indices_(kBatchIndices) {
  // Both arrays live as long as the renderer: no allocation ever happens per frame.
  FillQuadIndices(indices_.data(), kBatchQuads);
  switches_.fill(-1);
}

Renderer::~Renderer() { Shutdown(); }

void Renderer::SetScreenFrameLookup(ScreenFrameLookup lookup) {
  frameLookup_ = std::move(lookup);
  frameLookedUp_ = false;
  frameSprite_.reset();
}

// ---------------------------------------------------------------- start-up and shutdown

bool Renderer::Init(bool depthStencil, bool fullscreen) {
  if (device_->IsCreated()) return true;
  fullscreen_ = fullscreenApplied_ = fullscreen;
  depthStencil_ = depthStencil;
  resetRequested_ = false;
  if (!device_->Create(Params())) {
    device_->ShowErrorMessage(kMessageCaption, kNoDeviceText);
    return false;
  }
  if (device_->MaxTextureWidth() < kRequiredTextureSize ||
      device_->MaxTextureHeight() < kRequiredTextureSize) {
    device_->ShowErrorMessage(kMessageCaption, kUnsupportedText);
    device_->Release();
    return false;
  }
  backBuffer_ = device_->BackBufferSize();
  ResetStates();
  return true;
}

std::optional<AspectMode> AspectModeFromNumber(int number) {
  if (number < 0 || number >= kAspectModeCount) return std::nullopt;
  return AspectMode(number);
}

::AspectMode Renderer::ChooseAspectMode() {
  const ScreenSize desktop = device_->Desktop();
  if (desktop.width <= 0 || desktop.height <= 0) return aspectMode_;
  // The thresholds are single-precision constants compared with a single-precision ratio;
  // ratios right at a threshold depend on that.
  const float r = float(desktop.height) / float(desktop.width);
  ::AspectMode mode;
  if (r < 0.58f) {
    mode = AspectMode::Screen16x9;
  } else if (r > 0.63f) {
    mode = r > 0.7f ? AspectMode::Screen4x3 : AspectMode::Screen3x2;
  } else {
    mode = r > 0.62f ? AspectMode::Screen16x10 : AspectMode::Screen15x9;
  }
  aspectMode_ = mode;
  return mode;
}

float Renderer::VirtualWidth(::AspectMode mode) { return float(kModeSizes[int(mode)].width); }
float Renderer::VirtualHeight(::AspectMode mode) { return float(kModeSizes[int(mode)].height); }

float Renderer::VirtualHalfHeight(::AspectMode mode, bool unclamped) {
  const float h = VirtualHeight(mode);
  if (!unclamped && h >= kDesignHeight) return kDesignHeight * 0.5f;
  return h * 0.5f;
}

void Renderer::SetFullscreen(bool fullscreen) {
  if (fullscreen == fullscreen_) return;
  fullscreen_ = fullscreen;
  resetRequested_ = true;
}

bool Renderer::WantsStandardDefinition() const {
  return device_->MaxTextureWidth() == kRequiredTextureSize ||
         device_->MaxTextureHeight() == kRequiredTextureSize;
}

ScreenSize Renderer::BackBufferSizeFor(bool fullscreen, ::AspectMode aspectMode,
                                       ScreenSize desktop) {
  if (fullscreen) return desktop;
  const ModeSize virt = kModeSizes[int(aspectMode)];
  ScreenSize size{virt.width, virt.height};
  if (2 * size.height + 50 < desktop.height) {
    size.width *= 2;
    size.height *= 2;
  }
  if (size.height + 50 >= desktop.height) size = {1024, virt.height * 1024 / virt.width};
  if (size.height + 50 >= desktop.height) size = {800, virt.height * 800 / virt.width};
  return size;
}

BackBufferParams Renderer::Params() const {
  const ScreenSize size = BackBufferSizeFor(fullscreen_, aspectMode_, device_->Desktop());
  return {size.width, size.height, fullscreen_, depthStencil_};
}

void Renderer::Shutdown() {
  vertexCount_ = 0;
  if (device_) device_->Release();
  bound_.fill(nullptr);
  boundKnown_.fill(false);
  shader_ = nullptr;
  shaderKnown_ = false;
  frameSprite_.reset();
  frameLookedUp_ = false;
}

// ---------------------------------------------------------------- frame

void Renderer::BeginFrame() {
  SetupTransforms();
  device_->BeginScene();
  frameDrawn_ = true;
}

void Renderer::Clear(uint32_t colour) {
  Flush();
  device_->Clear(colour, depthStencil_);
}

void Renderer::EndFrame() {
  Flush();
  device_->EndScene();
  if (deviceWasReset_) {
    deviceWasReset_ = false;
    ResetStates();
  }
}

void Renderer::Present() {
  triangles_ = 0;
  drawCalls_ = 0;
  if (!device_->IsCreated()) return;
  device_->Present();
  frameDrawn_ = false;
  if (resetRequested_ || device_->NeedsReset()) ResetDevice();
}

void Renderer::ResetDevice() {
  if (renderTargets_) renderTargets_->ReleaseRenderTargets();
  if (device_->Reset(Params())) {
    fullscreenApplied_ = fullscreen_;
  } else {
    // The switch did not happen: report the mode still in effect, and try again only when
    // asked again.
    fullscreen_ = fullscreenApplied_;
  }
  backBuffer_ = device_->BackBufferSize();
  resetRequested_ = false;
  deviceWasReset_ = true;
  ResetStates();
  if (renderTargets_) renderTargets_->RecreateRenderTargets();
}

bool Renderer::SaveScreenshot(const std::string& pngPath) {
  if (!device_->IsCreated() || !frameDrawn_) return false;
  Flush();
  std::vector<uint8_t> rgba;
  int width = 0;
  int height = 0;
  if (!device_->ReadBackBuffer(rgba, width, height) || width <= 0 || height <= 0) return false;
  // The back buffer has no alpha worth keeping: write RGB.
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
    rgb[3 * i] = rgba[4 * i];
    rgb[3 * i + 1] = rgba[4 * i + 1];
    rgb[3 * i + 2] = rgba[4 * i + 2];
  }
  return WritePng(pngPath, width, height, 3, rgb.data());
}

// ---------------------------------------------------------------- batching

int Renderer::Flush() {
  if (vertexCount_ == 0) return 0;
  const int count = vertexCount_;
  vertexCount_ = 0;
  if (!device_->IsCreated()) return 0;
  device_->DrawQuads(vertices_.data(), count, count / 2 * 3);
  triangles_ += count / 2;
  drawCalls_ += 1;
  return count / 2;
}

void Renderer::PutQuad(const Corner (&p)[4], const float (&uv)[4][2], const uint32_t (&colour)[4]) {
  Vertex* v = vertices_.data() + vertexCount_;
  for (int k = 0; k < 4; ++k) v[k] = {p[k].x, p[k].y, p[k].z, colour[k], uv[k][0], uv[k][1]};
  vertexCount_ += 4;
  if (vertexCount_ >= kBatchVertices) Flush();
}

void Renderer::AddQuad(const Rect& r, const TexRect& t, uint32_t colour) {
  PutQuad({{r.x0, r.y0, 0}, {r.x1, r.y0, 0}, {r.x1, r.y1, 0}, {r.x0, r.y1, 0}},
          {{t.u0, t.v0}, {t.u1, t.v0}, {t.u1, t.v1}, {t.u0, t.v1}},
          {colour, colour, colour, colour});
}

void Renderer::AddQuadTransposedUV(const Rect& r, const TexRect& t, uint32_t colour) {
  PutQuad({{r.x0, r.y0, 0}, {r.x1, r.y0, 0}, {r.x1, r.y1, 0}, {r.x0, r.y1, 0}},
          {{t.u0, t.v0}, {t.u0, t.v1}, {t.u1, t.v1}, {t.u1, t.v0}},
          {colour, colour, colour, colour});
}

void Renderer::AddQuadCorners(const Corner& p0, const Corner& p1, const Corner& p2,
                              const Corner& p3, const TexRect& t, uint32_t colour) {
  PutQuad({p0, p1, p2, p3}, {{t.u0, t.v0}, {t.u1, t.v0}, {t.u1, t.v1}, {t.u0, t.v1}},
          {colour, colour, colour, colour});
}

void Renderer::AddGradientQuad(const Rect& r, uint32_t topColour, uint32_t bottomColour) {
  PutQuad({{r.x0, r.y0, 0}, {r.x1, r.y0, 0}, {r.x1, r.y1, 0}, {r.x0, r.y1, 0}},
          {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {topColour, topColour, bottomColour, bottomColour});
}

void Renderer::AddScreenQuad(const Rect& r, const TexRect& t, uint32_t colour) {
  const float canvasW = Width();
  const float canvasH = std::min(Height(), kDesignHeight);
  const float w = std::fabs(r.x1 - r.x0);
  const float h = std::fabs(r.y1 - r.y0);
  const float cx = r.x0 + w / 2 - canvasW / 2;
  const float cy = canvasH / 2 - (r.y0 + h / 2);
  AddQuad({cx - w / 2, cy + h / 2, cx + w / 2, cy - h / 2}, t, colour);
}

Vertex* Renderer::VertexArray() {
  Flush();
  return vertices_.data();
}

void Renderer::DrawVertexArray(int vertexCount, int indexCount) {
  Flush();
  if (vertexCount <= 0 || vertexCount > kBatchVertices || indexCount <= 0 ||
      indexCount > kBatchIndices)
    return;
  // The quad pattern only reaches vertex 4q+3 for the quads the indices cover.
  if ((indexCount + 5) / 6 * 4 > vertexCount) return;
  if (!device_->IsCreated()) return;
  device_->DrawQuads(vertices_.data(), vertexCount, indexCount);
  triangles_ += indexCount / 3;
  drawCalls_ += 1;
}

void Renderer::DrawIndexed(const uint16_t* indices, int vertexCount, int indexCount) {
  Flush();
  if (!indices || vertexCount <= 0 || vertexCount > kBatchVertices || indexCount <= 0) return;
  for (int i = 0; i < indexCount; ++i)
    if (indices[i] >= vertexCount) return;
  if (!device_->IsCreated()) return;
  device_->DrawIndexed(vertices_.data(), vertexCount, indices, indexCount);
  triangles_ += indexCount / 3;
  drawCalls_ += 1;
}

void Renderer::DrawWideBackground(uint32_t colour, bool levelScreenCurrent) {
  // The texture holds the 1024×768 centre in rows 128..895, the right 128-pixel strip
  // rotated into the top 128 rows and the left strip rotated into the bottom 128 rows.
  if (aspectMode_ == AspectMode::Screen4x3 && !levelScreenCurrent) {
    AddScreenQuad({0, 0, 1024, 768}, {0, 0.125f, 1, 0.875f}, colour);
    return;
  }
  AddQuad({-512, 384, 512, -384}, {0, 0.125f, 1, 0.875f}, colour);
  AddQuadTransposedUV({512, -384, 640, 384}, {0, 0, 0.75f, 0.125f}, colour);
  AddQuadTransposedUV({-640, -384, -512, 384}, {0, 0.875f, 0.75f, 1}, colour);
}

void Renderer::DrawScreenFrame() {
  if (aspectMode_ != AspectMode::Screen16x10) return;
  if (!frameLookedUp_ && frameLookup_) {
    frameSprite_ = frameLookup_();
    frameLookedUp_ = true;
  }
  float tile = kPlainBandTile;
  float band = kPlainBandHeight;
  TexRect tex = kFullTexRect;
  // A sprite without a usable width would make the tile count endless: use the plain band.
  const bool useSprite = frameSprite_ && std::isfinite(frameSprite_->width) &&
                         frameSprite_->width > 0 && std::isfinite(frameSprite_->height);
  if (useSprite) {
    BindTexture(frameSprite_->texture, 0);
    tile = frameSprite_->width;
    band = frameSprite_->height;
    tex = frameSprite_->rect;
  } else {
    BindTexture(nullptr, 0);
  }
  const int count = int(std::ceil(kWorldWidth / tile)) + 1;
  const float top = Height() / 2;
  for (int i = 0; i < count; ++i) {
    const float cx = float(i) * tile - kWorldWidth / 2;
    AddQuad({cx - tile / 2, top, cx + tile / 2, top - band}, tex, kWhite);
    AddQuad({cx - tile / 2, -top + band, cx + tile / 2, -top}, tex, kWhite);
  }
}

// ---------------------------------------------------------------- state

void Renderer::BindTexture(Texture* texture, int stage) {
  if (stage < 0 || stage >= kTextureStages) return;
  if (boundKnown_[stage] && bound_[stage] == texture) return;
  Flush();
  if (texture && texture->Has(kTextureEvicted) && reloader_) reloader_->Reload(*texture);
  device_->BindTexture(stage, texture ? texture->deviceTexture : 0);
  bound_[stage] = texture;
  boundKnown_[stage] = true;
}

void Renderer::ForgetTexture(const Texture* texture) {
  if (!texture) return;
  ForgetBinding(texture);
  if (frameSprite_ && frameSprite_->texture == texture) frameSprite_->texture = nullptr;
}

void Renderer::ForgetBinding(const Texture* texture) {
  for (int s = 0; s < kTextureStages; ++s)
    if (bound_[s] == texture) {
      bound_[s] = nullptr;
      boundKnown_[s] = false;
    }
}

void Renderer::SetShader(const Shader* shader) {
  if (shaderKnown_ && shader_ == shader) return;
  Flush();
  shader_ = shader;
  shaderKnown_ = true;
  device_->SetShader(shader ? shader->program : 0);
}

void Renderer::SetSwitch(RenderSwitch which, bool on) {
  const int index = int(which);
  if (index < 0 || index >= kRenderSwitchCount) return;
  if (switches_[index] == int(on)) return;
  Flush();
  switches_[index] = int(on);
  device_->SetRenderSwitch(which, on);
}

void Renderer::Enable(RenderSwitch which) { SetSwitch(which, true); }
void Renderer::Disable(RenderSwitch which) { SetSwitch(which, false); }

void Renderer::SetSamplerBits(int bits) {
  bits &= kSamplerWrapU | kSamplerWrapV | kSamplerLinear;
  if ((samplerBits_ | bits) == samplerBits_) return;
  Flush();
  samplerBits_ |= bits;
  if (bits & kSamplerWrapU) device_->SetAddressU(true);
  if (bits & kSamplerWrapV) device_->SetAddressV(true);
  if (bits & kSamplerLinear) device_->SetFilter(true);
}

void Renderer::ClearSamplerBits(int bits) {
  bits &= kSamplerWrapU | kSamplerWrapV | kSamplerLinear;
  if ((samplerBits_ & bits) == 0) return;
  Flush();
  samplerBits_ &= ~bits;
  if (bits & kSamplerWrapU) device_->SetAddressU(false);
  if (bits & kSamplerWrapV) device_->SetAddressV(false);
  if (bits & kSamplerLinear) device_->SetFilter(false);
}

std::optional<BlendMode> BlendModeFromNumber(int number) {
  if (number < 0 || number > 5) return std::nullopt;
  return BlendMode(number);
}

void Renderer::SetBlendMode(BlendMode mode) {
  static constexpr BlendFactor kFactors[6][2] = {
      {BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha},
      {BlendFactor::SourceAlpha, BlendFactor::One},
      {BlendFactor::DestColour, BlendFactor::Zero},
      {BlendFactor::DestColour, BlendFactor::Zero},
      {BlendFactor::One, BlendFactor::One},
      {BlendFactor::One, BlendFactor::InverseSourceAlpha},
  };
  if (mode == blendMode_) return;
  Flush();
  const auto& factors = kFactors[int(mode)];
  device_->SetBlendFactors(factors[0], factors[1]);
  blendMode_ = mode;
}

void Renderer::SetScissor(int x, int y, int width, int height) {
  Flush();
  const int bw = backBuffer_.width;
  const int bh = backBuffer_.height;
  const float s = float(bw) / Width();
  // The requested rectangle in back-buffer pixels (products truncated towards zero),
  // intersected with the back buffer. A request hanging off the left or top edge keeps its
  // right and bottom edges.
  const long long left = (long long)(float(x) * s);
  const long long top = (long long)(float(y) * s);
  const long long right = left + std::max(0LL, (long long)(float(width) * s));
  const long long bottom = top + std::max(0LL, (long long)(float(height) * s));
  const int l = int(std::clamp<long long>(left, 0, bw));
  const int t = int(std::clamp<long long>(top, 0, bh));
  const int r = int(std::clamp<long long>(right, l, bw));
  const int b = int(std::clamp<long long>(bottom, t, bh));
  device_->SetScissorRect(l, t, r, b);
}

void Renderer::SetTransform(TransformKind kind, const Matrix& matrix) {
  Flush();
  if (kind == TransformKind::World) {
    world_ = matrix;
    device_->SetTransform(kind, world_ * baseWorld_);
    return;
  }
  device_->SetTransform(kind, matrix);
}

void Renderer::SetBaseWorld(const Matrix& base) {
  Flush();
  baseWorld_ = base;
  device_->SetTransform(TransformKind::World, world_ * baseWorld_);
}

void Renderer::SetupTransforms() {
  const PixelOffsetPair offset = PixelOffset();
  Matrix view = Matrix::Identity();
  view.m[3][0] = offset.x;
  view.m[3][1] = offset.y;
  view.m[3][2] = kViewDepth;
  // Left-handed orthographic projection of the whole virtual screen.
  Matrix projection;
  projection.m[0][0] = 2.0f / Width();
  projection.m[1][1] = 2.0f / Height();
  projection.m[2][2] = 1.0f / (kFarPlane - kNearPlane);
  projection.m[3][2] = kNearPlane / (kNearPlane - kFarPlane);
  projection.m[3][3] = 1.0f;
  SetTransform(TransformKind::View, view);
  SetTransform(TransformKind::Projection, projection);
  SetTransform(TransformKind::World, Matrix::Identity());
}

void Renderer::ResetStates() {
  vertexCount_ = 0;
  if (!device_->IsCreated()) return;
  device_->SetAddressU(false);
  device_->SetAddressV(false);

  switches_.fill(-1);
  bound_.fill(nullptr);
  boundKnown_.fill(false);
  samplerBits_ = 0;
  shader_ = nullptr;
  shaderKnown_ = false;
  blendMode_.reset();
  Disable(RenderSwitch::Lighting);
  Disable(RenderSwitch::DepthTest);
  Disable(RenderSwitch::DepthWrite);
  Enable(RenderSwitch::AlphaBlend);
  Disable(RenderSwitch::Culling);
  SetSamplerBits(kSamplerLinear);

  Flush();
  backBuffer_ = device_->BackBufferSize();
  device_->SetViewport(0, 0, backBuffer_.width, backBuffer_.height);
  SetupTransforms();
  SetBlendMode(BlendMode::Alpha);
  SetShader(nullptr);
}

void Renderer::CreateDeviceTexture(Texture& texture, const uint8_t* pixels) {
  KALODRUS_EXPECT(!pixels || (texture.width > 0 && texture.height > 0),
                  "CreateDeviceTexture: pixels given for a texture without a size");
  Flush();
  if (texture.deviceTexture) device_->ReleaseTexture(texture.deviceTexture);
  texture.deviceTexture = 0;
  // Uploading may disturb stage 0 on some devices: bind it again on next use.
  boundKnown_[0] = false;
  if (!device_->IsCreated()) return;

  std::vector<uint8_t> halved;
  const int maxW = device_->MaxTextureWidth();
  const int maxH = device_->MaxTextureHeight();
  while ((texture.width > maxW || texture.height > maxH) && texture.width > 0 &&
         texture.height > 0) {
    if (pixels) {
      halved = HalveImage(pixels, texture.width, texture.height, texture.format);
      pixels = halved.data();
    }
    texture.width /= 2;
    texture.height /= 2;
    texture.imageWidth /= 2;
    texture.imageHeight /= 2;
  }
  if (texture.width <= 0 || texture.height <= 0) return;

  TextureDesc desc;
  desc.width = texture.width;
  desc.height = texture.height;
  desc.format = texture.format;
  desc.alpha = texture.Has(kTextureAlpha);
  desc.renderTarget = texture.Has(kTextureRenderTarget);
  desc.levels = texture.Has(kTextureMipmaps) ? MipLevelCount(desc.width, desc.height) : 1;

  std::vector<TextureLevel> levels;
  std::vector<std::vector<uint8_t>> mips;
  if (pixels) {
    levels.push_back({desc.width, desc.height, pixels});
    // Every level down to 1×1 is filled from the one above it.
    mips.reserve(size_t(desc.levels));
    for (int i = 1; i < desc.levels; ++i) {
      const TextureLevel& above = levels.back();
      mips.push_back(HalveImage(above.pixels, above.width, above.height, desc.format));
      levels.push_back(
          {std::max(1, above.width / 2), std::max(1, above.height / 2), mips.back().data()});
    }
  }
  texture.deviceTexture = device_->CreateTexture(desc, levels);
}

void Renderer::ReleaseDeviceTexture(Texture& texture) {
  Flush();
  if (texture.deviceTexture && device_->IsCreated()) device_->ReleaseTexture(texture.deviceTexture);
  texture.deviceTexture = 0;
  // The record lives on (an evicted texture is reloaded into it at its next bind), so only
  // the bindings are dropped, not the screen frame's hold on it.
  ForgetBinding(&texture);
}

std::unique_ptr<Shader> Renderer::CreateShaderProgram(const std::string& pixelSource,
                                                      const std::string& vertexSource) {
  Flush();
  if (!device_->IsCreated()) return nullptr;
  const ShaderProgramHandle program = device_->CreateShaderProgram(pixelSource, vertexSource);
  if (!program) return nullptr;
  auto shader = std::make_unique<Shader>();
  shader->program = program;
  return shader;
}

void Renderer::ReleaseShaderProgram(Shader& shader) {
  Flush();
  if (shader_ == &shader) SetShader(nullptr);
  if (shader.program && device_->IsCreated()) device_->ReleaseShaderProgram(shader.program);
  shader.program = 0;
}
