// The particle library: effect files, emitter prototypes, emitters and their simulation.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "particles/PyroFormat.h"
#include "particles/PyroParticles.h"
#include "particles/PyroRandom.h"

namespace PyroParticles {

using PyroGraphics::IDevice;
using PyroGraphics::ITexture;
using PyroGraphics::IVertexBuffer;
using PyroGraphics::PyroVertex;

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;
constexpr int kLutSize = 256;
constexpr int kTimeScale = 50;

uint8_t ToByte(float v) { return uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

uint64_t HashName(const std::string& name) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
  return h;
}

// A layer ready for simulation: the curves over a particle's life sampled into tables.
struct BakedLayer {
  const LayerDesc* desc = nullptr;
  const ShapeDesc* shape = nullptr;
  float sizeLut[kLutSize];
  uint32_t colourLut[kLutSize];  // ARGB
  bool upright = true;           // never rotated: the quad stays axis-aligned
};

struct ProtoData {
  const EmitterDesc* desc = nullptr;
  std::vector<BakedLayer> layers;
};

struct Particle {
  float x, y;
  float vx, vy;
  float age;      // 0..1 of its life
  float invLife;  // 1 / life in seconds
  float angle;    // radians
  float spin;     // radians per second
  float scale;
  uint32_t frame;
};

struct LayerState {
  std::vector<Particle> particles;
  bool emitting = true;
  bool burstDone = false;
  float cycle = 0.0f;  // seconds into the emission cycle
  float carry = 0.0f;  // fraction of a particle owed by the rate
};

}  // namespace

class CPyroFile;

class CPyroParticleLibrary final : public IPyroParticleLibrary {
 public:
  explicit CPyroParticleLibrary(int flags) : flags_(flags) {}
  ~CPyroParticleLibrary() override { Done(); }

  IPyroFile* LoadPyroFile(IPyroFileIO* io) override;
  IPyroFile* LoadPyroFile(const char* path) override;
  void Init(IDevice* device, int value) override {
    Done();
    value_ = value;
    stride_ = (flags_ & kPyroVertexColourTexture) ? 24 : 28;
    IVertexBuffer* buffer = device->CreateVertexBuffer(kPyroBatchCapacity * 4, stride_, 0, 0);
    if (!buffer) throw PyroGraphics::CPyroGraphicsException("Can't particles vertex buffer");
    device_ = device;
    buffer_ = buffer;
    local_.assign(size_t(kPyroBatchCapacity) * 4 * size_t(stride_), 0);
  }
  void Done() override {
    delete buffer_;
    buffer_ = nullptr;
    device_ = nullptr;
    local_.clear();
  }
  int BatchCapacity() const override { return kPyroBatchCapacity; }

  IDevice* Device() const { return device_; }
  IVertexBuffer* Buffer() const { return buffer_; }
  uint8_t* Local() { return local_.data(); }
  int Stride() const { return stride_; }

 private:
  int flags_;
  int value_ = 0;
  int stride_ = 24;
  IDevice* device_ = nullptr;
  IVertexBuffer* buffer_ = nullptr;
  std::vector<uint8_t> local_;
};

// The emitter operations, shared by emitters and by prototypes (which run as emitters too).
template <class Base>
class TEmitter : public Base {
 public:
  TEmitter(CPyroParticleLibrary& library, const CPyroFile& file, const ProtoData& proto,
           const IPyroParticleEmitterPrototype* prototype, uint64_t seed)
      : library_(library), file_(file), proto_(proto), prototype_(prototype), random_(seed) {
    layers_.resize(proto.layers.size());
  }

  void RemoveParticles() override {
    for (LayerState& l : layers_) l.particles.clear();
  }

  int Render(IDevice* device, int flags) override;

  int Render() override {
    if (drawColour_[3] == 0.0f || !library_.Device()) return 0;
    return Render(library_.Device(), 0);
  }

  void Move(float /*time*/, float dt, float x, float y, float z, bool emit) override {
    prev_[0] = pos_[0];
    prev_[1] = pos_[1];
    pos_[0] = x + offset_[0];
    pos_[1] = y + offset_[1];
    pos_[2] = z + offset_[2];
    if (!moved_) {
      prev_[0] = pos_[0];
      prev_[1] = pos_[1];
      moved_ = true;
    }
    if (!emit || !(dt >= 0.0f) || !std::isfinite(dt)) return;
    const EmitterDesc& e = *proto_.desc;
    for (size_t i = 0; i < layers_.size(); ++i) {
      LayerState& ls = layers_[i];
      if (!ls.emitting) continue;
      const LayerDesc& d = *proto_.layers[i].desc;
      int count = 0;
      if (!ls.burstDone) {
        // A thinned burst joins what the rate owes, so its fraction is not lost.
        if (density_ == 1.0f) {
          count += int(d.burst);
        } else {
          ls.carry += float(d.burst) * density_;
        }
        ls.burstDone = true;
      }
      const float active = e.looping ? dt : std::max(0.0f, std::min(dt, e.duration - ls.cycle));
      ls.carry += d.rate.At(ls.cycle / e.duration) * active * density_;
      const int owed = int(std::min(ls.carry, float(d.maxParticles)));
      ls.carry -= float(owed);
      count += owed;
      ls.cycle += dt;
      if (ls.cycle >= e.duration) {
        if (e.looping) {
          ls.cycle = std::fmod(ls.cycle, e.duration);
          ls.burstDone = false;
        } else {
          ls.emitting = false;
        }
      }
      Spawn(i, count, dt);
    }
  }

  void MoveToStored(float time, float dt) override {
    Move(time, dt, pos_[0] - offset_[0], pos_[1] - offset_[1], pos_[2] - offset_[2], true);
  }

  void Prepare(float /*time*/, float dt) override {
    if (!(dt > 0.0f) || !std::isfinite(dt)) return;
    for (size_t i = 0; i < layers_.size(); ++i) Advance(i, dt);
  }

  bool IsLooping() const override { return proto_.desc->looping; }
  const IPyroParticleEmitterPrototype* Prototype() const override { return prototype_; }

  void SetTransformRows(const float rows[3][4]) override {
    float m[12];
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) m[r * 4 + c] = rows[r][c];
    SetLocalTransform(m);
  }
  void SetLocalTransform(const float matrix[12]) override {
    static constexpr float kIdentity[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    std::memcpy(transform_, matrix, sizeof transform_);
    identity_ = std::memcmp(transform_, kIdentity, sizeof transform_) == 0;
  }
  void SetOffset(const float v[3]) override { std::copy(v, v + 3, offset_); }
  void GetOffset(float v[3]) const override { std::copy(offset_, offset_ + 3, v); }
  void SetColour(const float c[4]) override { std::copy(c, c + 4, colour_); }
  void GetColour(float c[4]) const override { std::copy(colour_, colour_ + 4, c); }
  void SetDrawColour(const float c[4]) override { std::copy(c, c + 4, drawColour_); }
  void GetDrawColour(float c[4]) const override { std::copy(drawColour_, drawColour_ + 4, c); }
  bool HasParticles() const override {
    for (const LayerState& l : layers_)
      if (!l.particles.empty()) return true;
    return false;
  }
  int ParticleCount() const override {
    size_t n = 0;
    for (const LayerState& l : layers_) n += l.particles.size();
    return int(n);
  }
  void Emit(int count) override {
    if (count <= 0) return;
    for (size_t i = 0; i < layers_.size(); ++i)
      if (layers_[i].emitting) Spawn(i, count, 0.0f);
  }
  void SetWind(const float v[3]) override { std::copy(v, v + 3, wind_); }
  void GetWind(float v[3]) const override { std::copy(wind_, wind_ + 3, v); }
  void SetFactor(float factor) override {
    if (std::isfinite(factor) && factor >= 0.0f) factor_ = factor;
  }
  float GetFactor() const override { return factor_; }
  void SetDensity(float density) override {
    if (std::isfinite(density)) density_ = std::clamp(density, 0.0f, 1.0f);
  }
  void SetSeed(int a, int b) override { random_.Seed(uint64_t(uint32_t(a)) << 32 | uint32_t(b)); }
  void SetTag(int tag) override { tag_ = tag; }
  int GetTag() const override { return tag_; }
  float CycleLength() const override { return proto_.desc->duration; }
  bool IsEmitting() const override {
    for (const LayerState& l : layers_)
      if (l.emitting) return true;
    return false;
  }
  void SetEmitting(bool on) override {
    for (LayerState& l : layers_) {
      if (on && !l.emitting) {  // a new cycle
        l.cycle = 0.0f;
        l.carry = 0.0f;
        l.burstDone = false;
      }
      l.emitting = on;
    }
  }
  void GetWindVector(float v[3]) const override { GetWind(v); }
  int TimeScale() const override { return kTimeScale; }

 protected:
  void Spawn(size_t layer, int count, float dt);
  void Advance(size_t layer, float dt);
  void Integrate(Particle& p, const LayerDesc& d, float dt) const {
    const float ax = d.gravityX * factor_ + wind_[0];
    const float ay = d.gravityY * factor_ + wind_[1];
    p.vx += ax * dt;
    p.vy += ay * dt;
    if (d.drag > 0.0f) {
      const float keep = 1.0f / (1.0f + d.drag * dt);
      p.vx *= keep;
      p.vy *= keep;
    }
    p.x += p.vx * dt;
    p.y += p.vy * dt;
    p.angle += p.spin * dt;
  }

  CPyroParticleLibrary& library_;
  const CPyroFile& file_;
  const ProtoData& proto_;
  const IPyroParticleEmitterPrototype* prototype_;
  CPyroRandom random_;
  std::vector<LayerState> layers_;
  float pos_[3] = {0, 0, 0};
  float prev_[2] = {0, 0};
  bool moved_ = false;
  float offset_[3] = {0, 0, 0};
  float colour_[4] = {1, 1, 1, 1};
  float drawColour_[4] = {1, 1, 1, 1};
  float wind_[3] = {0, 0, 0};
  float factor_ = 1.0f;
  float density_ = 1.0f;
  int tag_ = 0;
  float transform_[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  bool identity_ = true;
};

class CPyroParticleEmitter final : public TEmitter<IPyroParticleEmitter> {
 public:
  using TEmitter::TEmitter;
  int LayerCount() const { return int(layers_.size()); }
  int LayerParticleCount(int layer) const {
    return layer >= 0 && layer < LayerCount() ? int(layers_[size_t(layer)].particles.size()) : 0;
  }
};

namespace {
struct ProtoHolder {
  ProtoData data;
};
}  // namespace

class CPyroParticleEmitterPrototype final : private ProtoHolder,
                                            public TEmitter<IPyroParticleEmitterPrototype> {
 public:
  CPyroParticleEmitterPrototype(CPyroParticleLibrary& library, const CPyroFile& file,
                                ProtoData proto, uint64_t seed)
      : ProtoHolder{std::move(proto)}, TEmitter(library, file, ProtoHolder::data, this, seed) {}
  const std::string& Name() const override { return ProtoHolder::data.desc->name; }
  int LayerCount() const override { return int(ProtoHolder::data.layers.size()); }
  const ProtoData& Data() const { return ProtoHolder::data; }
};

class CPyroFile final : public IPyroFile {
 public:
  CPyroFile(CPyroParticleLibrary& library, FileDesc desc)
      : library_(library), desc_(std::move(desc)) {
    textures_.assign(desc_.bitmaps.size(), nullptr);
    for (size_t e = 0; e < desc_.emitters.size(); ++e) {
      const EmitterDesc& ed = desc_.emitters[e];
      ProtoData proto;
      proto.desc = &ed;
      for (const LayerDesc& ld : ed.layers) proto.layers.push_back(Bake(ld));
      prototypes_.push_back(std::make_unique<CPyroParticleEmitterPrototype>(
          library_, *this, std::move(proto), HashName(ed.name)));
    }
  }
  ~CPyroFile() override { DestroyTextures(); }

  void CreateTextures() override {
    IDevice* device = library_.Device();
    if (!device) return;
    std::vector<bool> used(desc_.bitmaps.size(), false);
    std::vector<bool> mesh(desc_.bitmaps.size(), false);
    for (const EmitterDesc& e : desc_.emitters)
      for (const LayerDesc& l : e.layers) used[desc_.shapes[l.shape].bitmap] = true;
    for (const MeshDesc& m : desc_.meshes)
      if (m.bitmap < desc_.bitmaps.size()) used[m.bitmap] = mesh[m.bitmap] = true;
    for (size_t i = 0; i < desc_.bitmaps.size(); ++i) {
      if (!used[i] || textures_[i]) continue;
      const BitmapDesc& b = desc_.bitmaps[i];
      std::unique_ptr<PyroGraphics::IBitmap> bitmap(
          device->CreateBitmap(b.width, b.height, 0, b.rgba.data()));
      if (!bitmap) throw CPyroException("Unable to load bitmap");
      textures_[i] = device->CreateTexture(*bitmap);
      if (!textures_[i])
        throw CPyroException(mesh[i] ? "Can't create mesh bitmap" : "Can't create shape texture");
    }
  }
  void DestroyTextures() override {
    for (ITexture*& t : textures_) {
      delete t;
      t = nullptr;
    }
  }
  IPyroParticleEmitter* CreateEmitter(const char* name) override {
    const CPyroParticleEmitterPrototype* proto = Find(name);
    if (!proto) throw CPyroException(Engine::Format("Unable to find Pyro emitter '%s'", name));
    const uint64_t seed = HashName(proto->Name()) ^ (++created_ * 0x9E3779B97F4A7C15ull);
    return new CPyroParticleEmitter(library_, *this, proto->Data(), proto, seed);
  }
  int EmitterCount() const override { return int(prototypes_.size()); }
  IPyroParticleEmitterPrototype* FindEmitter(const char* name) const override { return Find(name); }
  IPyroParticleEmitterPrototype* Emitter(int index) const override {
    return index >= 0 && index < EmitterCount() ? prototypes_[size_t(index)].get() : nullptr;
  }
  int ShapeCount() const override { return int(desc_.shapes.size()); }
  int BitmapCount() const override { return int(desc_.bitmaps.size()); }
  uint32_t Version() const override { return desc_.version; }
  int TextureCount() const override {
    return int(std::count_if(textures_.begin(), textures_.end(), [](auto* t) { return t; }));
  }
  int MeshCount() const override { return int(desc_.meshes.size()); }

  ITexture* TextureOf(const ShapeDesc& shape) const { return textures_[shape.bitmap]; }

 private:
  CPyroParticleEmitterPrototype* Find(const char* name) const {
    if (!name) return nullptr;
    for (const auto& p : prototypes_)
      if (p->Name() == name) return p.get();
    return nullptr;
  }

  BakedLayer Bake(const LayerDesc& d) const {
    BakedLayer b;
    b.desc = &d;
    b.shape = &desc_.shapes[d.shape];
    for (int i = 0; i < kLutSize; ++i) {
      const float t = float(i) / float(kLutSize - 1);
      b.sizeLut[i] = d.size.At(t);
      b.colourLut[i] = uint32_t(ToByte(d.alpha.At(t))) << 24 | uint32_t(ToByte(d.red.At(t))) << 16 |
                       uint32_t(ToByte(d.green.At(t))) << 8 | uint32_t(ToByte(d.blue.At(t)));
    }
    b.upright = !(d.flags & kLayerAlignToMotion) && d.spinMin == 0.0f && d.spinMax == 0.0f &&
                d.angleMin == 0.0f && d.angleMax == 0.0f;
    return b;
  }

  CPyroParticleLibrary& library_;
  FileDesc desc_;
  std::vector<ITexture*> textures_;  // per bitmap
  std::vector<std::unique_ptr<CPyroParticleEmitterPrototype>> prototypes_;
  uint64_t created_ = 0;
};

template <class Base>
void TEmitter<Base>::Spawn(size_t layer, int count, float dt) {
  LayerState& ls = layers_[layer];
  const LayerDesc& d = *proto_.layers[layer].desc;
  const uint32_t frames = proto_.layers[layer].shape->frames;
  count = std::min<int>(count, int(d.maxParticles) - int(ls.particles.size()));
  for (int k = 0; k < count; ++k) {
    // Spread over the step: a particle born earlier in the step has lived longer, and is
    // born nearer to where the emitter was.
    const float along = (float(k) + 0.5f) / float(count);
    Particle p;
    p.x = prev_[0] + (pos_[0] - prev_[0]) * along;
    p.y = prev_[1] + (pos_[1] - prev_[1]) * along;
    const float hw = d.areaWidth * 0.5f;
    const float hh = d.areaHeight * 0.5f;
    switch (d.area) {
      case AreaKind::Point:
        break;
      case AreaKind::Rectangle:
        p.x += random_.Range(-hw, hw);
        p.y += random_.Range(-hh, hh);
        break;
      case AreaKind::Ellipse: {
        const float a = random_.Range(0.0f, 6.2831853f);
        const float r = std::sqrt(random_.Unit());
        p.x += std::cos(a) * r * hw;
        p.y += std::sin(a) * r * hh;
        break;
      }
      case AreaKind::EllipseEdge: {
        const float a = random_.Range(0.0f, 6.2831853f);
        p.x += std::cos(a) * hw;
        p.y += std::sin(a) * hh;
        break;
      }
    }
    const float direction = (d.direction + random_.Range(-0.5f, 0.5f) * d.spread) * kDegrees;
    const float speed = random_.Range(d.speedMin, d.speedMax) * factor_;
    p.vx = std::sin(direction) * speed;
    p.vy = -std::cos(direction) * speed;
    const float life = random_.Range(d.lifeMin, d.lifeMax);
    p.invLife = 1.0f / std::max(life, 1.0e-4f);
    p.angle = random_.Range(d.angleMin, d.angleMax) * kDegrees;
    p.spin = random_.Range(d.spinMin, d.spinMax) * kDegrees;
    p.scale = 1.0f + random_.Range(-d.sizeVariation, d.sizeVariation);
    p.frame = (d.flags & kLayerRandomFrame) ? uint32_t(random_.Unit() * float(frames)) % frames : 0;
    p.age = 0.0f;
    const float lived = dt * (1.0f - along);
    if (lived > 0.0f) {
      p.age = lived * p.invLife;
      if (p.age >= 1.0f) continue;
      Integrate(p, d, lived);
    }
    ls.particles.push_back(p);
  }
}

template <class Base>
void TEmitter<Base>::Advance(size_t layer, float dt) {
  std::vector<Particle>& ps = layers_[layer].particles;
  const LayerDesc& d = *proto_.layers[layer].desc;
  for (size_t i = 0; i < ps.size();) {
    Particle& p = ps[i];
    p.age += dt * p.invLife;
    if (p.age >= 1.0f) {
      p = ps.back();
      ps.pop_back();
      continue;
    }
    Integrate(p, d, dt);
    ++i;
  }
}

template <class Base>
int TEmitter<Base>::Render(IDevice* device, int /*flags*/) {
  IVertexBuffer* buffer = library_.Buffer();
  if (!device || !buffer) return 0;
  const int stride = library_.Stride();
  const int batch = kPyroBatchCapacity - 1;  // a full batch of 512 is never drawn
  float tint[4];
  for (int c = 0; c < 4; ++c) tint[c] = std::clamp(colour_[c] * drawColour_[c], 0.0f, 1.0f);
  const bool tinted = tint[0] < 1.0f || tint[1] < 1.0f || tint[2] < 1.0f || tint[3] < 1.0f;
  const float* m = transform_;
  int drawn = 0;

  for (size_t li = 0; li < layers_.size(); ++li) {
    const std::vector<Particle>& ps = layers_[li].particles;
    if (ps.empty()) continue;
    const BakedLayer& bl = proto_.layers[li];
    const LayerDesc& d = *bl.desc;
    const ShapeDesc& s = *bl.shape;
    device->SetTexture(file_.TextureOf(s));
    device->SetBlending(d.sourceBlend, d.destBlend);
    const float frameWidth = (s.u1 - s.u0) / float(s.frames);
    const bool animate = (d.flags & kLayerAnimateFrames) != 0;
    const bool align = (d.flags & kLayerAlignToMotion) != 0;

    size_t next = 0;
    while (next < ps.size()) {
      const int n = int(std::min<size_t>(size_t(batch), ps.size() - next));
      uint8_t* locked = static_cast<uint8_t*>(buffer->Lock());
      uint8_t* base = locked ? locked : library_.Local();
      for (int q = 0; q < n; ++q) {
        const Particle& p = ps[next + size_t(q)];
        const int idx = std::min(int(p.age * float(kLutSize - 1)), kLutSize - 1);
        const float half = bl.sizeLut[idx] * p.scale * 0.5f;
        const float hw = half;
        const float hh = half * d.stretch;
        uint32_t colour = bl.colourLut[idx];
        if (tinted) {
          const float a = float(colour >> 24) * tint[3];
          const float r = float((colour >> 16) & 0xFF) * tint[0];
          const float g = float((colour >> 8) & 0xFF) * tint[1];
          const float b = float(colour & 0xFF) * tint[2];
          colour = uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        }
        // The quad's right (rx, ry) and up (ux, uy) half-axes in the library's frame.
        float rx = hw, ry = 0.0f, ux = 0.0f, uy = -hh;
        if (!bl.upright) {
          float angle = p.angle;
          if (align && (p.vx != 0.0f || p.vy != 0.0f)) angle = std::atan2(p.vx, -p.vy);
          const float c = std::cos(angle);
          const float sn = std::sin(angle);
          rx = c * hw;
          ry = sn * hw;
          ux = sn * hh;
          uy = -c * hh;
        }
        const uint32_t frame =
            animate ? std::min(uint32_t(p.age * float(s.frames)), s.frames - 1) : p.frame;
        const float u0 = s.u0 + frameWidth * float(frame);
        const float u1 = u0 + frameWidth;
        const float cx[4] = {p.x - rx + ux, p.x + rx + ux, p.x + rx - ux, p.x - rx - ux};
        const float cy[4] = {p.y - ry + uy, p.y + ry + uy, p.y + ry - uy, p.y - ry - uy};
        const float cu[4] = {u0, u1, u1, u0};
        const float cv[4] = {s.v0, s.v0, s.v1, s.v1};
        for (int k = 0; k < 4; ++k) {
          auto* v = reinterpret_cast<PyroVertex*>(base + size_t(q * 4 + k) * size_t(stride));
          if (identity_) {
            v->x = cx[k];
            v->y = cy[k];
            v->z = pos_[2];
          } else {
            v->x = m[0] * cx[k] + m[1] * cy[k] + m[2] * pos_[2] + m[3];
            v->y = m[4] * cx[k] + m[5] * cy[k] + m[6] * pos_[2] + m[7];
            v->z = m[8] * cx[k] + m[9] * cy[k] + m[10] * pos_[2] + m[11];
          }
          v->colour = colour;
          v->u = cu[k];
          v->v = cv[k];
        }
      }
      if (locked) {
        buffer->Unlock();
      } else if (!buffer->Update(base, size_t(n) * 4 * size_t(stride), 0)) {
        throw PyroGraphics::CPyroGraphicsException("Can't copy data to particles vertex buffer");
      }
      device->Draw(*buffer, 0, n);
      drawn += n;
      next += size_t(n);
    }
  }
  return drawn;
}

IPyroFile* CPyroParticleLibrary::LoadPyroFile(IPyroFileIO* io) {
  if (!io) throw CPyroException("Invalid or corrupted .pyro file ");
  CPyroFileIO stream(*io);
  return new CPyroFile(*this, ReadPyro(stream, "Invalid or corrupted .pyro file "));
}

IPyroFile* CPyroParticleLibrary::LoadPyroFile(const char* path) {
  const std::string name = path ? path : "";
  Engine::CFile file(name, false);
  const std::string corrupt = Engine::Format("Invalid or corrupted .pyro file '%s'", name.c_str());
  return new CPyroFile(*this, ReadPyro(file, corrupt));
}

IPyroParticleLibrary* CreateParticleLibrary(uint32_t version, int flags) {
  if (version != kPyroInterfaceVersion)
    throw CPyroException(Engine::Format(
        "Incompatible Pyro.dll and SDK version (DLL = %d.%d.%d, SDK = %d.%d.%d)",
        int((version >> 16) & 0xFF), int((version >> 8) & 0xFF), int(version & 0xFF), 1, 1, 15));
  return new CPyroParticleLibrary(flags);
}

}  // namespace PyroParticles
