#pragma once
// The particle library: effect files hold emitter prototypes; emitters made from them are
// moved, advanced and rendered through a host's PyroGraphics::IDevice.
//
// Interfaces list their operations in a fixed order that hosts rely on; operations a host
// does not need are still there.
#include <cstdint>
#include <string>

#include "particles/PyroErrors.h"
#include "particles/PyroGraphics.h"
#include "particles/PyroStreams.h"

namespace PyroParticles {

class IPyroParticleEmitterPrototype;

class IPyroParticleEmitter {
 public:
  virtual void RemoveParticles() = 0;
  // Renders through device; returns the number of particles drawn.
  virtual int Render(PyroGraphics::IDevice* device, int flags) = 0;
  // Renders through the library's device when the draw colour's alpha is not 0.
  virtual int Render() = 0;
  // Moves the emitter to (x, y, z) over dt seconds, emitting along the way when emit.
  virtual void Move(float time, float dt, float x, float y, float z, bool emit) = 0;
  virtual void MoveToStored(float time, float dt) = 0;
  // Advances the live particles by dt seconds.
  virtual void Prepare(float time, float dt) = 0;
  virtual bool IsLooping() const = 0;
  virtual const IPyroParticleEmitterPrototype* Prototype() const = 0;
  // Three rows of four: x' = row0 · (x, y, z, 1), and so on.
  virtual void SetTransformRows(const float rows[3][4]) = 0;
  virtual void SetLocalTransform(const float matrix[12]) = 0;
  // An offset added to every position the emitter is moved to.
  virtual void SetOffset(const float v[3]) = 0;
  virtual void GetOffset(float v[3]) const = 0;
  // Tint of the particles (R, G, B, A, 0..1).
  virtual void SetColour(const float c[4]) = 0;
  virtual void GetColour(float c[4]) const = 0;
  // Tint applied when drawing; alpha 0 skips drawing altogether.
  virtual void SetDrawColour(const float c[4]) = 0;
  virtual void GetDrawColour(float c[4]) const = 0;
  virtual bool HasParticles() const = 0;
  virtual int ParticleCount() const = 0;
  // Emits count particles at once at the current position (every emitting layer).
  virtual void Emit(int count) = 0;
  // A wind: extra acceleration in units per second squared.
  virtual void SetWind(const float v[3]) = 0;
  virtual void GetWind(float v[3]) const = 0;
  // Scales the speed of new particles and the pull of gravity.
  virtual void SetFactor(float factor) = 0;
  virtual float GetFactor() const = 0;
  // Scales how many particles are born (bursts and the rate), 0..1; fractions carry over.
  virtual void SetDensity(float density) = 0;
  // Seeds the emitter's random generator.
  virtual void SetSeed(int a, int b) = 0;
  virtual void SetTag(int tag) = 0;
  virtual int GetTag() const = 0;
  // The length of the prototype's emission cycle, seconds.
  virtual float CycleLength() const = 0;
  virtual bool IsEmitting() const = 0;
  virtual void SetEmitting(bool on) = 0;
  virtual ~IPyroParticleEmitter() = default;
  virtual void GetWindVector(float v[3]) const = 0;
  virtual int TimeScale() const = 0;  // 50
};

class IPyroParticleEmitterPrototype : public IPyroParticleEmitter {
 public:
  virtual const std::string& Name() const = 0;
  virtual int LayerCount() const = 0;
};

class IPyroFile {
 public:
  // Creates the textures of the bitmaps used by emitters, through the library's device.
  virtual void CreateTextures() = 0;
  virtual void DestroyTextures() = 0;
  // Throws CPyroException "Unable to find Pyro emitter '%s'" for an unknown name.
  virtual IPyroParticleEmitter* CreateEmitter(const char* name) = 0;
  virtual int EmitterCount() const = 0;
  virtual IPyroParticleEmitterPrototype* FindEmitter(const char* name) const = 0;
  virtual IPyroParticleEmitterPrototype* Emitter(int index) const = 0;
  virtual int ShapeCount() const = 0;
  virtual int BitmapCount() const = 0;
  virtual ~IPyroFile() = default;
  virtual uint32_t Version() const = 0;
  virtual int TextureCount() const = 0;
  virtual int MeshCount() const = 0;
};

class IPyroParticleLibrary {
 public:
  virtual ~IPyroParticleLibrary() = default;
  // Throws CPyroException "Invalid or corrupted .pyro file " and the header messages.
  virtual IPyroFile* LoadPyroFile(IPyroFileIO* io) = 0;
  // Throws CPyroException "Invalid or corrupted .pyro file '%s'", the header messages and
  // Engine::CException for a file that cannot be opened.
  virtual IPyroFile* LoadPyroFile(const char* path) = 0;
  // Throws CPyroGraphicsException "Can't particles vertex buffer".
  virtual void Init(PyroGraphics::IDevice* device, int value) = 0;
  virtual void Done() = 0;
  virtual int BatchCapacity() const = 0;  // particles per draw, 512
};

// The interface version hosts ask for.
inline constexpr uint32_t kPyroInterfaceVersion = 0x1010F;
inline constexpr int kPyroBatchCapacity = 512;
inline constexpr int kPyroVertexColourTexture = 2;  // creation flag: 24-byte vertices

// Makes a library; any version but kPyroInterfaceVersion fails with "Incompatible Pyro.dll
// and SDK version (...)". The caller deletes it.
IPyroParticleLibrary* CreateParticleLibrary(uint32_t version, int flags);

}  // namespace PyroParticles
