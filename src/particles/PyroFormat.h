#pragma once
// The content of a ".pyro" effect file as plain records, and its byte layout.
//
// All integers and reals are 32-bit little-endian. After the identifier "PYRO" and the
// version come the resource block (bitmaps, then meshes), the shapes, the emitter
// prototypes, one extra value and twelve reserved values; the stream must end there.
//
//   string     u32 length (at most 255), then the bytes
//   curve      u32 key count (1..256), then per key: time (0..1, rising), value
//   bitmap     string name, u32 width, u32 height (1..1024), u32 format (0: R, G, B, A),
//              width × height × 4 bytes, rows top to bottom
//   mesh       string name, u32 bitmap (0xFFFFFFFF: none), u32 vertex count (0..4096),
//              per vertex x, y, u, v
//   shape      string name, u32 bitmap, u0, v0, u1, v1 (the region of the bitmap),
//              u32 frames (1..256, side by side in the region)
//   emitter    string name, u32 flags (bit 0 looping), duration (s, > 0), u32 layer count
//              (0..32), layers
//   layer      string name, u32 shape, u32 source and destination blend factors, u32 flags
//              (LayerFlag), u32 particle limit (1..100000), u32 burst, curve rate (per
//              second over the emitter's cycle), life min/max (s), speed min/max, direction
//              and spread (degrees, clockwise from straight up), gravity x/y, drag (per s),
//              u32 area kind (AreaKind), area width/height, spin min/max (degrees per s),
//              start angle min/max (degrees), size variation (0..1), stretch, curves over the
//              particle's life: size, red, green, blue, alpha (colours 0..1)
//
// The library's frame has y pointing down: positive gravity y pulls towards the bottom of
// the screen once the effect is shown through its y-flipping transformation.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Engine {
class CAbstractFile;
}

namespace PyroParticles {

inline constexpr uint32_t kPyroId = 0x4F525950;  // "PYRO"
inline constexpr uint32_t kPyroOldestVersion = 0x24000;
inline constexpr uint32_t kPyroNewestVersion = 0x28000;
inline constexpr uint32_t kPyroWrittenVersion = kPyroNewestVersion;

// Blend factors as effects name them.
enum BlendFactorCode : uint32_t {
  kFactorZero = 0,
  kFactorOne = 1,
  kFactorSourceColour = 2,
  kFactorInverseSourceColour = 3,
  kFactorSourceAlpha = 4,
  kFactorInverseSourceAlpha = 5,
};

enum LayerFlag : uint32_t {
  kLayerAlignToMotion = 1,  // the particle's up points along its velocity
  kLayerAnimateFrames = 2,  // the shape's frames play once over the particle's life
  kLayerRandomFrame = 4,    // otherwise: each particle keeps one random frame
};

enum class AreaKind : uint32_t { Point = 0, Rectangle = 1, Ellipse = 2, EllipseEdge = 3 };

struct CurveKey {
  float time = 0.0f;
  float value = 0.0f;
};

// A keyframed value over 0..1, linear between keys and constant outside them.
struct Curve {
  std::vector<CurveKey> keys;

  Curve() = default;
  explicit Curve(float constant) : keys{{0.0f, constant}} {}
  float At(float t) const;
};

struct BitmapDesc {
  std::string name;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // width × height × 4
};

struct MeshDesc {
  std::string name;
  uint32_t bitmap = 0xFFFFFFFFu;
  std::vector<std::array<float, 4>> vertices;  // x, y, u, v
};

struct ShapeDesc {
  std::string name;
  uint32_t bitmap = 0;
  float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
  uint32_t frames = 1;
};

struct LayerDesc {
  std::string name;
  uint32_t shape = 0;
  uint32_t sourceBlend = kFactorSourceAlpha;
  uint32_t destBlend = kFactorInverseSourceAlpha;
  uint32_t flags = 0;
  uint32_t maxParticles = 1000;
  uint32_t burst = 0;
  Curve rate{10.0f};
  float lifeMin = 1.0f, lifeMax = 1.0f;
  float speedMin = 0.0f, speedMax = 0.0f;
  float direction = 0.0f, spread = 360.0f;
  float gravityX = 0.0f, gravityY = 0.0f;
  float drag = 0.0f;
  AreaKind area = AreaKind::Point;
  float areaWidth = 0.0f, areaHeight = 0.0f;
  float spinMin = 0.0f, spinMax = 0.0f;
  float angleMin = 0.0f, angleMax = 0.0f;
  float sizeVariation = 0.0f;
  float stretch = 1.0f;
  Curve size{16.0f};
  Curve red{1.0f}, green{1.0f}, blue{1.0f}, alpha{1.0f};
};

struct EmitterDesc {
  std::string name;
  bool looping = true;
  float duration = 1.0f;
  std::vector<LayerDesc> layers;
};

struct FileDesc {
  uint32_t version = kPyroWrittenVersion;
  std::vector<BitmapDesc> bitmaps;
  std::vector<MeshDesc> meshes;
  std::vector<ShapeDesc> shapes;
  std::vector<EmitterDesc> emitters;
  uint32_t extra = 0;
};

// Limits every reader enforces (counts are also bounded by the bytes left in the stream).
inline constexpr uint32_t kMaxStringLength = 255;
inline constexpr uint32_t kMaxCurveKeys = 256;
inline constexpr uint32_t kMaxBitmapSide = 1024;
inline constexpr uint32_t kMaxMeshVertices = 4096;
inline constexpr uint32_t kMaxFrames = 256;
inline constexpr uint32_t kMaxLayers = 32;
inline constexpr uint32_t kMaxParticlesPerLayer = 100000;

// Reads a whole file. Throws CPyroException for a wrong identifier or version and for
// content that breaks the rules above (with corruptMessage), and the stream's own
// exceptions for short reads. The stream must end exactly after the reserved values.
FileDesc ReadPyro(Engine::CAbstractFile& in, const std::string& corruptMessage);
// Writes a whole file (the version written is desc.version).
void WritePyro(const FileDesc& desc, Engine::CAbstractFile& out);
std::vector<uint8_t> WritePyro(const FileDesc& desc);

}  // namespace PyroParticles
