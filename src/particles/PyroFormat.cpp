#include "particles/PyroFormat.h"

#include <cmath>
#include <cstring>

#include "particles/PyroErrors.h"
#include "particles/PyroStreams.h"

namespace PyroParticles {

float Curve::At(float t) const {
  if (keys.empty()) return 0.0f;
  if (t <= keys.front().time) return keys.front().value;
  for (size_t i = 1; i < keys.size(); ++i) {
    const CurveKey& b = keys[i];
    if (t < b.time) {
      const CurveKey& a = keys[i - 1];
      const float span = b.time - a.time;
      return span > 0.0f ? a.value + (b.value - a.value) * (t - a.time) / span : b.value;
    }
  }
  return keys.back().value;
}

namespace {

// Reading with every count checked against the bytes left before anything is allocated.
class Reader {
 public:
  Reader(Engine::CAbstractFile& in, const std::string& corrupt) : in_(in), corrupt_(corrupt) {}

  [[noreturn]] void Corrupt() const { throw CPyroException(corrupt_); }

  uint32_t U32() {
    uint8_t b[4];
    in_.Read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  float F32() {
    const uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, 4);
    if (!std::isfinite(value)) Corrupt();
    return value;
  }
  // A count of records of at least minBytes each, at most limit.
  uint32_t Count(uint64_t minBytes, uint32_t limit) {
    const uint32_t count = U32();
    if (count > limit ||
        uint64_t(count) * minBytes > uint64_t(std::max<int64_t>(in_.Remaining(), 0)))
      Corrupt();
    return count;
  }
  std::string String() {
    const uint32_t length = Count(1, kMaxStringLength);
    std::string text(length, '\0');
    if (length) in_.Read(text.data(), length);
    return text;
  }
  Curve ReadCurve() {
    Curve curve;
    const uint32_t count = Count(8, kMaxCurveKeys);
    if (count == 0) Corrupt();
    curve.keys.resize(count);
    float last = -1.0f;
    for (CurveKey& key : curve.keys) {
      key.time = F32();
      key.value = F32();
      if (key.time < 0.0f || key.time > 1.0f || key.time < last) Corrupt();
      last = key.time;
    }
    return curve;
  }
  void Bytes(void* buffer, size_t size) { in_.Read(buffer, size); }
  int64_t Remaining() const { return in_.Remaining(); }

 private:
  Engine::CAbstractFile& in_;
  const std::string& corrupt_;
};

class Writer {
 public:
  explicit Writer(Engine::CAbstractFile& out) : out_(out) {}
  void U32(uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    out_.Write(b, 4);
  }
  void F32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    U32(bits);
  }
  void String(const std::string& text) {
    U32(uint32_t(text.size()));
    out_.Write(text.data(), text.size());
  }
  void WriteCurve(const Curve& curve) {
    U32(uint32_t(curve.keys.size()));
    for (const CurveKey& key : curve.keys) {
      F32(key.time);
      F32(key.value);
    }
  }
  void Bytes(const void* data, size_t size) { out_.Write(data, size); }

 private:
  Engine::CAbstractFile& out_;
};

// Smallest encodings, for bounding counts by the bytes left.
constexpr uint64_t kMinBitmap = 4 + 12 + 4;
constexpr uint64_t kMinMesh = 4 + 8;
constexpr uint64_t kMinShape = 4 + 4 + 16 + 4;
constexpr uint64_t kMinCurve = 4 + 8;
constexpr uint64_t kMinLayer = 4 + 4 * 6 + kMinCurve + 4 * 9 + 4 + 4 * 8 + 5 * kMinCurve;
constexpr uint64_t kMinEmitter = 4 + 4 + 4 + 4;

void ReadLayer(Reader& r, LayerDesc& l) {
  l.name = r.String();
  l.shape = r.U32();
  l.sourceBlend = r.U32();
  l.destBlend = r.U32();
  l.flags = r.U32();
  l.maxParticles = r.U32();
  l.burst = r.U32();
  l.rate = r.ReadCurve();
  l.lifeMin = r.F32();
  l.lifeMax = r.F32();
  l.speedMin = r.F32();
  l.speedMax = r.F32();
  l.direction = r.F32();
  l.spread = r.F32();
  l.gravityX = r.F32();
  l.gravityY = r.F32();
  l.drag = r.F32();
  l.area = AreaKind(r.U32());
  l.areaWidth = r.F32();
  l.areaHeight = r.F32();
  l.spinMin = r.F32();
  l.spinMax = r.F32();
  l.angleMin = r.F32();
  l.angleMax = r.F32();
  l.sizeVariation = r.F32();
  l.stretch = r.F32();
  l.size = r.ReadCurve();
  l.red = r.ReadCurve();
  l.green = r.ReadCurve();
  l.blue = r.ReadCurve();
  l.alpha = r.ReadCurve();
  if (l.maxParticles < 1 || l.maxParticles > kMaxParticlesPerLayer || l.burst > l.maxParticles ||
      l.lifeMin <= 0.0f || l.lifeMax < l.lifeMin || l.speedMax < l.speedMin ||
      uint32_t(l.area) > uint32_t(AreaKind::EllipseEdge) || l.drag < 0.0f ||
      l.sizeVariation < 0.0f || l.sizeVariation > 1.0f || l.stretch <= 0.0f)
    r.Corrupt();
  for (const CurveKey& key : l.rate.keys)
    if (key.value < 0.0f || key.value > 1.0e6f) r.Corrupt();
}

void WriteLayer(Writer& w, const LayerDesc& l) {
  w.String(l.name);
  w.U32(l.shape);
  w.U32(l.sourceBlend);
  w.U32(l.destBlend);
  w.U32(l.flags);
  w.U32(l.maxParticles);
  w.U32(l.burst);
  w.WriteCurve(l.rate);
  for (float v : {l.lifeMin, l.lifeMax, l.speedMin, l.speedMax, l.direction, l.spread, l.gravityX,
                  l.gravityY, l.drag})
    w.F32(v);
  w.U32(uint32_t(l.area));
  for (float v : {l.areaWidth, l.areaHeight, l.spinMin, l.spinMax, l.angleMin, l.angleMax,
                  l.sizeVariation, l.stretch})
    w.F32(v);
  for (const Curve* c : {&l.size, &l.red, &l.green, &l.blue, &l.alpha}) w.WriteCurve(*c);
}

}  // namespace

FileDesc ReadPyro(Engine::CAbstractFile& in, const std::string& corruptMessage) {
  Reader r(in, corruptMessage);
  FileDesc desc;
  if (r.U32() != kPyroId) throw CPyroException("Invalid .pyro file ID");
  desc.version = r.U32();
  if (desc.version < kPyroOldestVersion)
    throw CPyroException("File was saved using old Pyro editor. Please, update this .pyro file.");
  if (desc.version > kPyroNewestVersion)
    throw CPyroException(
        "File was saved using new Pyro editor. Please, make sure your are using SDK from the "
        "same distribution.");

  // Resource block: bitmaps, then meshes.
  desc.bitmaps.resize(r.Count(kMinBitmap, 4096));
  for (BitmapDesc& b : desc.bitmaps) {
    b.name = r.String();
    const uint32_t width = r.U32();
    const uint32_t height = r.U32();
    const uint32_t format = r.U32();
    if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        format != 0 || int64_t(width) * height * 4 > r.Remaining())
      r.Corrupt();
    b.width = int(width);
    b.height = int(height);
    b.rgba.resize(size_t(width) * height * 4);
    r.Bytes(b.rgba.data(), b.rgba.size());
  }
  desc.meshes.resize(r.Count(kMinMesh, 4096));
  for (MeshDesc& m : desc.meshes) {
    m.name = r.String();
    m.bitmap = r.U32();
    if (m.bitmap != 0xFFFFFFFFu && m.bitmap >= desc.bitmaps.size()) r.Corrupt();
    m.vertices.resize(r.Count(16, kMaxMeshVertices));
    for (auto& v : m.vertices)
      for (float& f : v) f = r.F32();
  }

  desc.shapes.resize(r.Count(kMinShape, 65536));
  for (ShapeDesc& s : desc.shapes) {
    s.name = r.String();
    s.bitmap = r.U32();
    s.u0 = r.F32();
    s.v0 = r.F32();
    s.u1 = r.F32();
    s.v1 = r.F32();
    s.frames = r.U32();
    if (s.bitmap >= desc.bitmaps.size() || s.frames < 1 || s.frames > kMaxFrames) r.Corrupt();
  }

  desc.emitters.resize(r.Count(kMinEmitter, 65536));
  for (EmitterDesc& e : desc.emitters) {
    e.name = r.String();
    e.looping = (r.U32() & 1u) != 0;
    e.duration = r.F32();
    if (e.duration <= 0.0f || e.duration > 3600.0f) r.Corrupt();
    e.layers.resize(r.Count(kMinLayer, kMaxLayers));
    for (LayerDesc& l : e.layers) {
      ReadLayer(r, l);
      if (l.shape >= desc.shapes.size()) r.Corrupt();
    }
  }

  desc.extra = r.U32();  // every accepted version carries it
  for (int i = 0; i < 12; ++i) r.U32();
  if (r.Remaining() != 0) r.Corrupt();
  return desc;
}

void WritePyro(const FileDesc& desc, Engine::CAbstractFile& out) {
  Writer w(out);
  w.U32(kPyroId);
  w.U32(desc.version);
  w.U32(uint32_t(desc.bitmaps.size()));
  for (const BitmapDesc& b : desc.bitmaps) {
    w.String(b.name);
    w.U32(uint32_t(b.width));
    w.U32(uint32_t(b.height));
    w.U32(0);
    w.Bytes(b.rgba.data(), b.rgba.size());
  }
  w.U32(uint32_t(desc.meshes.size()));
  for (const MeshDesc& m : desc.meshes) {
    w.String(m.name);
    w.U32(m.bitmap);
    w.U32(uint32_t(m.vertices.size()));
    for (const auto& v : m.vertices)
      for (float f : v) w.F32(f);
  }
  w.U32(uint32_t(desc.shapes.size()));
  for (const ShapeDesc& s : desc.shapes) {
    w.String(s.name);
    w.U32(s.bitmap);
    for (float f : {s.u0, s.v0, s.u1, s.v1}) w.F32(f);
    w.U32(s.frames);
  }
  w.U32(uint32_t(desc.emitters.size()));
  for (const EmitterDesc& e : desc.emitters) {
    w.String(e.name);
    w.U32(e.looping ? 1u : 0u);
    w.F32(e.duration);
    w.U32(uint32_t(e.layers.size()));
    for (const LayerDesc& l : e.layers) WriteLayer(w, l);
  }
  w.U32(desc.extra);
  for (int i = 0; i < 12; ++i) w.U32(0);
}

std::vector<uint8_t> WritePyro(const FileDesc& desc) {
  Engine::CMemoryFile out;
  WritePyro(desc, out);
  return out.Take();
}

}  // namespace PyroParticles
