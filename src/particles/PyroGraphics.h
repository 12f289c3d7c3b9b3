#pragma once
// The drawing interfaces the particle library calls. A host implements IDevice (and the
// objects it hands out) to route the library's textures and quads into its own renderer.
#include <cstddef>
#include <cstdint>

namespace PyroParticles::PyroGraphics {

// The vertex the library writes when the device asks for 24-byte vertices: position, ARGB
// colour (alpha in the top byte), one texture coordinate pair.
struct PyroVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(PyroVertex) == 24);

class IDeviceObject {
 public:
  virtual ~IDeviceObject() = default;
};

class ITexture : public IDeviceObject {};

// A bitmap record: what a texture is made from. Pixels are R, G, B, A.
class IBitmap : public IDeviceObject {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int Format() const = 0;  // 0: R, G, B, A
  virtual const uint8_t* Pixels() const = 0;
};

class IVertexBuffer : public IDeviceObject {
 public:
  // The buffer's memory for writing, or null when it cannot be written directly.
  virtual void* Lock() = 0;
  virtual void Unlock() = 0;
  // Copies bytes into the buffer at a byte offset; false when they do not fit.
  virtual bool Update(const void* data, size_t bytes, size_t offset) = 0;
  virtual int VertexCount() const = 0;
  virtual int Stride() const = 0;
  virtual int Flags() const = 0;
};

// The same buffer seen through the newer, vertex-counted interface.
class IVertexBuffer2 : public IDeviceObject {
 public:
  virtual IVertexBuffer& Buffer() = 0;
  virtual bool WriteVertices(int firstVertex, const void* vertices, int count) = 0;
};

class IDevice {
 public:
  virtual ~IDevice() = default;
  virtual void SetBlending(uint32_t source, uint32_t destination) = 0;
  // Null on failure.
  virtual IVertexBuffer* CreateVertexBuffer(int vertexCount, int stride, int format, int flags) = 0;
  virtual IVertexBuffer2* CreateVertexBuffer2(int vertexCount, int stride, int format,
                                              int flags) = 0;
  virtual int Unsupported() = 0;  // always -1
  // Null on failure.
  virtual ITexture* CreateTexture(const IBitmap& bitmap) = 0;
  virtual IBitmap* CreateBitmap(int width, int height, int format, const uint8_t* pixels) = 0;
  virtual int Nothing() = 0;  // no operation, 0
  virtual void SetTexture(ITexture* texture) = 0;
  // Draws count quads (4 vertices each) of the buffer, starting at quad first.
  virtual void DrawQuads(IVertexBuffer& buffer, int first, int count) = 0;
  virtual void Draw(IVertexBuffer& buffer, int first, int count) = 0;
  virtual int NothingElse() = 0;  // no operation, 0
  // Deletes the device.
  virtual void Destroy() = 0;
};

// Wraps a plain vertex buffer in the newer interface; owns it.
class CVertexBuffer2Adaptor final : public IVertexBuffer2 {
 public:
  explicit CVertexBuffer2Adaptor(IVertexBuffer* buffer) : buffer_(buffer) {}
  ~CVertexBuffer2Adaptor() override { delete buffer_; }
  CVertexBuffer2Adaptor(const CVertexBuffer2Adaptor&) = delete;
  CVertexBuffer2Adaptor& operator=(const CVertexBuffer2Adaptor&) = delete;
  IVertexBuffer& Buffer() override { return *buffer_; }
  bool WriteVertices(int firstVertex, const void* vertices, int count) override {
    if (firstVertex < 0 || count < 0) return false;
    return buffer_->Update(vertices, size_t(count) * size_t(buffer_->Stride()),
                           size_t(firstVertex) * size_t(buffer_->Stride()));
  }

 private:
  IVertexBuffer* buffer_;
};

}  // namespace PyroParticles::PyroGraphics
