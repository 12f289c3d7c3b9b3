#include "graphics/GLRenderDevice.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <cstring>

// Vertex colours are read straight from the ARGB words as B, G, R, A bytes.
static_assert(std::endian::native == std::endian::little, "vertex colours assume little-endian");

namespace {

constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColourAttribute = 1;
constexpr GLuint kTexcoordAttribute = 2;
// The streaming vertex buffer holds this many full batches before its storage is replaced.
constexpr int kStreamBatches = 8;
constexpr int kStreamVertices = kStreamBatches * kBatchVertices;

constexpr char kBuiltInVertexProgram[] = R"(#version 330 core
in vec3 a_position;
in vec4 a_colour;
in vec2 a_texcoord;
uniform mat4 u_matrix;
out vec4 v_colour;
out vec2 v_texcoord;
void main() {
  gl_Position = u_matrix * vec4(a_position, 1.0);
  v_colour = a_colour;
  v_texcoord = a_texcoord;
}
)";

// Texture stage 0 modulated by the vertex colour.
constexpr char kBuiltInPixelProgram[] = R"(#version 330 core
in vec4 v_colour;
in vec2 v_texcoord;
uniform sampler2D u_texture;
out vec4 o_colour;
void main() {
  o_colour = texture(u_texture, v_texcoord) * v_colour;
}
)";

GLenum ToGL(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero:
      return GL_ZERO;
    case BlendFactor::One:
      return GL_ONE;
    case BlendFactor::SourceAlpha:
      return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestColour:
      return GL_DST_COLOR;
  }
  return GL_ONE;
}

struct UploadFormat {
  GLint internalFormat;
  GLenum format;
  GLenum type;
  bool hasAlpha;
};

UploadFormat UploadFormatOf(const TextureDesc& desc) {
  switch (desc.format) {
    case PixelFormat::RGBA8:
    case PixelFormat::BGRA8:
      // 32-bit data is always in B, G, R, A byte order.
      return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, desc.alpha};
    case PixelFormat::RGB8:
      return {GL_RGB8, GL_RGB, GL_UNSIGNED_BYTE, false};
    case PixelFormat::BGR8:
      return {GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE, false};
    case PixelFormat::ARGB4444:
      return {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true};
    case PixelFormat::ARGB1555:
      return {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true};
    case PixelFormat::RGB565:
      return {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, false};
  }
  return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, desc.alpha};
}

void DrainErrors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

GLuint CompileStage(GLenum stage, const std::string& source) {
  const GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

GLRenderDevice::GLRenderDevice(platform::Window& window) : window_(window) {
  const platform::Size desktop = platform::DesktopSize();
  desktop_ = {desktop.width, desktop.height};
  if (desktop_.width <= 0 || desktop_.height <= 0) desktop_ = kFallbackDesktop;
  for (Matrix& m : transforms_) m = Matrix::Identity();
}

GLRenderDevice::~GLRenderDevice() { Release(); }

ScreenSize GLRenderDevice::Drawable() const {
  const platform::Size size = window_.PixelSize();
  return {size.width, size.height};
}

bool GLRenderDevice::Create(const BackBufferParams& params) {
  if (Usable()) return true;
  Release();  // a context left from a window that is gone
  SDL_Window* window = window_.Handle();
  if (!window) return false;
  window_.ApplyPlacement(params.fullscreen, params.width, params.height);
  applied_ = params;
  context_ = SDL_GL_CreateContext(window);
  if (!Usable()) return false;
  if (SDL_GL_MakeCurrent(window, context_) != 0 || epoxy_gl_version() < 33 || !CreateResources()) {
    Release();
    return false;
  }
  SDL_GL_SetSwapInterval(1);  // wait for the vertical retrace where the system allows it
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  maxTextureSize_ = maxSize;
  const ScreenSize drawable = Drawable();
  backBuffer_ = drawable.width > 0 && drawable.height > 0 ? drawable
                                                          : ScreenSize{params.width, params.height};
  viewport_ = backBuffer_;
  return true;
}

bool GLRenderDevice::CreateResources() {
  builtInProgram_ = LinkProgram(kBuiltInVertexProgram, kBuiltInPixelProgram);
  if (!builtInProgram_) return false;

  glGenVertexArrays(1, &vertexArray_);
  glBindVertexArray(vertexArray_);
  glGenBuffers(1, &vertexBuffer_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(kStreamVertices * sizeof(Vertex)), nullptr,
               GL_STREAM_DRAW);
  streamVertex_ = 0;
  glEnableVertexAttribArray(kPositionAttribute);
  glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, x)));
  // The ARGB word is B, G, R, A in memory; GL_BGRA hands it to the program as RGBA.
  glEnableVertexAttribArray(kColourAttribute);
  glVertexAttribPointer(kColourAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, colour)));
  glEnableVertexAttribArray(kTexcoordAttribute);
  glVertexAttribPointer(kTexcoordAttribute, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, u)));

  uint16_t indices[kBatchIndices];
  FillQuadIndices(indices, kBatchQuads);
  glGenBuffers(1, &quadIndexBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadIndexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices, GL_STATIC_DRAW);
  glGenBuffers(1, &streamIndexBuffer_);

  glGenSamplers(1, &sampler_);
  glBindSampler(0, sampler_);
  SetAddressU(false);
  SetAddressV(false);
  SetFilter(true);

  const uint8_t white[4] = {255, 255, 255, 255};
  glActiveTexture(GL_TEXTURE0);
  glGenTextures(1, &whiteTexture_);
  glBindTexture(GL_TEXTURE_2D, whiteTexture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  boundTextures_.fill(0);
  boundTextures_[0] = whiteTexture_;

  currentProgram_ = builtInProgram_;
  glUseProgram(currentProgram_);
  glDepthFunc(GL_LEQUAL);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return glGetError() == GL_NO_ERROR;
}

void GLRenderDevice::DestroyResources() {
  glBindVertexArray(0);
  glUseProgram(0);
  for (auto& [name, program] : programs_) glDeleteProgram(name);
  programs_.clear();
  if (vertexArray_) glDeleteVertexArrays(1, &vertexArray_);
  const GLuint buffers[] = {vertexBuffer_, quadIndexBuffer_, streamIndexBuffer_};
  glDeleteBuffers(3, buffers);
  if (sampler_) glDeleteSamplers(1, &sampler_);
  if (whiteTexture_) glDeleteTextures(1, &whiteTexture_);
  vertexArray_ = vertexBuffer_ = quadIndexBuffer_ = streamIndexBuffer_ = 0;
  sampler_ = whiteTexture_ = builtInProgram_ = currentProgram_ = 0;
  boundTextures_.fill(0);
}

void GLRenderDevice::Release() {
  if (context_ == nullptr) return;
  // Without the window the context cannot be made current; its objects go with it.
  if (window_.Handle() && SDL_GL_MakeCurrent(window_.Handle(), context_) == 0) DestroyResources();
  SDL_GL_DeleteContext(context_);
  context_ = nullptr;
  programs_.clear();
  backBuffer_ = {};
}

bool GLRenderDevice::Reset(const BackBufferParams& params) {
  if (!Usable()) return false;
  const bool placementChanged =
      params.fullscreen != applied_.fullscreen ||
      (!params.fullscreen && (params.width != applied_.width || params.height != applied_.height));
  if (placementChanged) {
    window_.ApplyPlacement(params.fullscreen, params.width, params.height);
    const bool nowFullscreen = (SDL_GetWindowFlags(window_.Handle()) & SDL_WINDOW_FULLSCREEN) != 0;
    if (nowFullscreen != params.fullscreen) {
      // The system refused the switch: put the window back as it was.
      window_.ApplyPlacement(applied_.fullscreen, applied_.width, applied_.height);
      return false;
    }
    applied_ = params;
  }
  const ScreenSize drawable = Drawable();
  backBuffer_ = drawable.width > 0 && drawable.height > 0 ? drawable
                                                          : ScreenSize{params.width, params.height};
  return true;
}

bool GLRenderDevice::NeedsReset() {
  if (!Usable()) return false;
  const ScreenSize drawable = Drawable();
  return drawable.width > 0 && drawable.height > 0 && !(drawable == backBuffer_);
}

void GLRenderDevice::ShowErrorMessage(const std::string& caption, const std::string& text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(),
                               window_.Handle()) != 0)
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

void GLRenderDevice::Clear(uint32_t argb, bool depthStencil) {
  if (!Usable()) return;
  glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
               float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f);
  GLbitfield mask = GL_COLOR_BUFFER_BIT;
  GLboolean depthWrite = GL_TRUE;
  if (depthStencil) {
    // A clear reaches the depth buffer only while depth writes are on.
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrite);
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    glClearStencil(0);
    mask |= GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
  }
  glClear(mask);
  if (depthStencil) glDepthMask(depthWrite);
}

void GLRenderDevice::BeginScene() {
  if (Usable()) SDL_GL_MakeCurrent(window_.Handle(), context_);
}

void GLRenderDevice::Present() {
  if (Usable()) SDL_GL_SwapWindow(window_.Handle());
}

void GLRenderDevice::SetViewport(int x, int y, int width, int height) {
  if (!Usable()) return;
  glViewport(x, backBuffer_.height - y - height, width, height);
  viewport_ = {width, height};
  ++matrixVersion_;  // the pixel-centre correction depends on the viewport
}

void GLRenderDevice::SetTransform(TransformKind kind, const Matrix& matrix) {
  const int index = int(kind);
  if (index < 0 || index > 2) return;
  transforms_[index] = matrix;
  ++matrixVersion_;
}

void GLRenderDevice::SetRenderSwitch(RenderSwitch which, bool on) {
  if (!Usable()) return;
  switch (which) {
    case RenderSwitch::Lighting:
      // There is no lighting: vertex colours are always used as they are.
      break;
    case RenderSwitch::DepthTest:
      on ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
      break;
    case RenderSwitch::DepthWrite:
      glDepthMask(on ? GL_TRUE : GL_FALSE);
      break;
    case RenderSwitch::AlphaBlend:
      on ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
      break;
    case RenderSwitch::AlphaTest:
      // The alpha test is never given a comparison other than "always pass", so turning it
      // on changes nothing.
      break;
    case RenderSwitch::Culling:
      // Front faces are anticlockwise in window coordinates (y up, as shown), so culling
      // back faces removes the triangles that appear clockwise on screen.
      on ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
      break;
    case RenderSwitch::ScissorTest:
      on ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST);
      break;
  }
}

void GLRenderDevice::SetAddressU(bool wrap) {
  if (sampler_)
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE);
}

void GLRenderDevice::SetAddressV(bool wrap) {
  if (sampler_)
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE);
}

void GLRenderDevice::SetFilter(bool linear) {
  if (!sampler_) return;
  // Unfiltered means point sampling from the top level.
  glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
  glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER,
                      linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
}

void GLRenderDevice::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  if (Usable()) glBlendFunc(ToGL(source), ToGL(destination));
}

void GLRenderDevice::SetScissorRect(int left, int top, int right, int bottom) {
  if (!Usable()) return;
  // GL counts rows from the bottom of the back buffer.
  glScissor(left, backBuffer_.height - bottom, std::max(0, right - left),
            std::max(0, bottom - top));
}

void GLRenderDevice::BindTexture(int stage, DeviceTextureHandle texture) {
  if (!Usable() || stage < 0 || stage >= int(boundTextures_.size())) return;
  const GLuint name = texture ? texture : (stage == 0 ? whiteTexture_ : 0);
  glActiveTexture(GLenum(GL_TEXTURE0 + stage));
  glBindTexture(GL_TEXTURE_2D, name);
  boundTextures_[size_t(stage)] = name;
  if (stage != 0) glActiveTexture(GL_TEXTURE0);
}

void GLRenderDevice::SetShader(ShaderProgramHandle program) {
  if (!Usable()) return;
  const GLuint name = program && programs_.count(program) ? program : builtInProgram_;
  if (name == currentProgram_) return;
  glUseProgram(name);
  currentProgram_ = name;
}

void GLRenderDevice::PrepareDraw() {
  Program& program = programs_[currentProgram_];
  if (program.matrixVersion == matrixVersion_) return;
  // The transforms are in the row-vector convention with a clip depth of 0..1 and pixel
  // centres on integer coordinates. Map depth to GL's -1..1, and move everything by half a
  // pixel right and down, so that pixels and texels line up as they do with that convention
  // and the view's half-pixel offset.
  Matrix depth = Matrix::Identity();
  depth.m[2][2] = 2.0f;
  depth.m[3][2] = -1.0f;
  Matrix centre = Matrix::Identity();
  if (viewport_.width > 0 && viewport_.height > 0) {
    centre.m[3][0] = 1.0f / float(viewport_.width);
    centre.m[3][1] = -1.0f / float(viewport_.height);
  }
  const Matrix combined = transforms_[int(TransformKind::World)] *
                          transforms_[int(TransformKind::View)] *
                          transforms_[int(TransformKind::Projection)] * depth * centre;
  // A row-major row-vector matrix read as column-major is exactly the column-vector matrix.
  if (program.matrixLocation >= 0)
    glUniformMatrix4fv(program.matrixLocation, 1, GL_FALSE, &combined.m[0][0]);
  program.matrixVersion = matrixVersion_;
}

int GLRenderDevice::UploadVertices(const Vertex* vertices, int vertexCount) {
  glBindVertexArray(vertexArray_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  // Batches are appended to the streaming buffer; the region written was never used by an
  // earlier draw since the buffer's storage was last replaced, so the map need not wait for
  // the driver. When the buffer is full its storage is orphaned: draws still reading the old
  // storage keep it, and new batches start at the front of fresh storage.
  if (streamVertex_ + vertexCount > kStreamVertices) {
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(kStreamVertices * sizeof(Vertex)), nullptr,
                 GL_STREAM_DRAW);
    streamVertex_ = 0;
  }
  const int first = streamVertex_;
  const GLsizeiptr bytes = GLsizeiptr(size_t(vertexCount) * sizeof(Vertex));
  void* target =
      glMapBufferRange(GL_ARRAY_BUFFER, GLintptr(size_t(first) * sizeof(Vertex)), bytes,
                       GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (target) {
    std::memcpy(target, vertices, size_t(bytes));
    glUnmapBuffer(GL_ARRAY_BUFFER);
  } else {
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(size_t(first) * sizeof(Vertex)), bytes, vertices);
  }
  streamVertex_ += vertexCount;
  return first;
}

void GLRenderDevice::DrawQuads(const Vertex* vertices, int vertexCount, int indexCount) {
  if (!Usable() || vertexCount <= 0 || vertexCount > kBatchVertices || indexCount <= 0 ||
      indexCount > kBatchIndices)
    return;
  PrepareDraw();
  const int first = UploadVertices(vertices, vertexCount);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadIndexBuffer_);
  glDrawElementsBaseVertex(GL_TRIANGLES, indexCount, GL_UNSIGNED_SHORT, nullptr, first);
}

void GLRenderDevice::DrawIndexed(const Vertex* vertices, int vertexCount, const uint16_t* indices,
                                 int indexCount) {
  if (!Usable() || vertexCount <= 0 || vertexCount > kBatchVertices || indexCount <= 0) return;
  PrepareDraw();
  const int first = UploadVertices(vertices, vertexCount);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, streamIndexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(size_t(indexCount) * sizeof(uint16_t)), indices,
               GL_STREAM_DRAW);
  glDrawElementsBaseVertex(GL_TRIANGLES, indexCount, GL_UNSIGNED_SHORT, nullptr, first);
}

DeviceTextureHandle GLRenderDevice::CreateTexture(const TextureDesc& desc,
                                                  std::span<const TextureLevel> levels) {
  if (!Usable() || desc.width <= 0 || desc.height <= 0 || desc.levels <= 0 ||
      desc.width > maxTextureSize_ || desc.height > maxTextureSize_)
    return 0;
  const UploadFormat upload = UploadFormatOf(desc);
  DrainErrors();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, desc.levels - 1);
  if (!upload.hasAlpha) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
  for (int i = 0; i < desc.levels; ++i) {
    const int w = std::max(1, desc.width >> i);
    const int h = std::max(1, desc.height >> i);
    const uint8_t* pixels = nullptr;
    if (size_t(i) < levels.size() && levels[size_t(i)].width == w && levels[size_t(i)].height == h)
      pixels = levels[size_t(i)].pixels;
    glTexImage2D(GL_TEXTURE_2D, i, upload.internalFormat, w, h, 0, upload.format, upload.type,
                 pixels);
  }
  const bool failed = glGetError() != GL_NO_ERROR;
  // Leave stage 0 as it was.
  glBindTexture(GL_TEXTURE_2D, boundTextures_[0]);
  if (failed) {
    glDeleteTextures(1, &texture);
    return 0;
  }
  return texture;
}

void GLRenderDevice::ReleaseTexture(DeviceTextureHandle texture) {
  if (!Usable() || !texture || texture == whiteTexture_) return;
  GLuint name = texture;
  glDeleteTextures(1, &name);
  // Deleting unbinds it everywhere; stage 0 falls back to white.
  for (size_t stage = 0; stage < boundTextures_.size(); ++stage)
    if (boundTextures_[stage] == name) boundTextures_[stage] = 0;
  if (boundTextures_[0] == 0) BindTexture(0, 0);
}

unsigned GLRenderDevice::LinkProgram(const std::string& vertexSource,
                                     const std::string& pixelSource) {
  const GLuint vertex = CompileStage(GL_VERTEX_SHADER, vertexSource);
  const GLuint pixel = vertex ? CompileStage(GL_FRAGMENT_SHADER, pixelSource) : 0;
  if (!vertex || !pixel) {
    if (vertex) glDeleteShader(vertex);
    return 0;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, pixel);
  glBindAttribLocation(program, kPositionAttribute, "a_position");
  glBindAttribLocation(program, kColourAttribute, "a_colour");
  glBindAttribLocation(program, kTexcoordAttribute, "a_texcoord");
  glLinkProgram(program);
  glDetachShader(program, vertex);
  glDetachShader(program, pixel);
  glDeleteShader(vertex);
  glDeleteShader(pixel);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    glDeleteProgram(program);
    return 0;
  }
  Program info;
  info.matrixLocation = glGetUniformLocation(program, "u_matrix");
  info.textureLocation = glGetUniformLocation(program, "u_texture");
  if (info.textureLocation >= 0) {
    glUseProgram(program);
    glUniform1i(info.textureLocation, 0);
    glUseProgram(currentProgram_);
  }
  programs_[program] = info;
  return program;
}

ShaderProgramHandle GLRenderDevice::CreateShaderProgram(const std::string& pixelSource,
                                                        const std::string& vertexSource) {
  if (!Usable() || (pixelSource.empty() && vertexSource.empty())) return 0;
  return LinkProgram(vertexSource.empty() ? kBuiltInVertexProgram : vertexSource,
                     pixelSource.empty() ? kBuiltInPixelProgram : pixelSource);
}

void GLRenderDevice::ReleaseShaderProgram(ShaderProgramHandle program) {
  if (!Usable() || !program || program == builtInProgram_) return;
  auto it = programs_.find(program);
  if (it == programs_.end()) return;
  if (currentProgram_ == program) SetShader(0);
  glDeleteProgram(program);
  programs_.erase(it);
}

bool GLRenderDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!Usable() || backBuffer_.width <= 0 || backBuffer_.height <= 0) return false;
  width = backBuffer_.width;
  height = backBuffer_.height;
  const size_t row = size_t(width) * 4;
  std::vector<uint8_t> bottomUp(row * size_t(height));
  DrainErrors();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  if (glGetError() != GL_NO_ERROR) return false;
  rgba.resize(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::copy_n(bottomUp.data() + size_t(height - 1 - y) * row, row, rgba.data() + size_t(y) * row);
  return true;
}
