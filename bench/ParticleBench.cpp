// What one live particle costs per frame: an effect holding about 20,000 live particles is
// advanced by one 60 Hz frame step and drawn into the Renderer's shared vertex array (the
// recording render device stands in for the GPU, so only the processor's work is measured).
//
// Two cases: upright particles (the fast path) and particles that turn (rotation and the
// sine and cosine per quad). Reported: processor time per frame and nanoseconds per live
// particle per frame; the aim is 20,000 particles within 2 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "particles/CGraphics.h"
#include "particles/ParticleManager.h"
#include "particles/PyroFormat.h"

namespace {

using namespace PyroParticles;

constexpr int kLive = 20000;

class BenchTextures final : public ParticleTextureProvider {
 public:
  Texture* CreateTexture(std::string_view name, int width, int height, const uint8_t*) override {
    auto t = std::make_unique<Texture>();
    t->name = std::string(name);
    t->width = t->imageWidth = width;
    t->height = t->imageHeight = height;
    live_.push_back(std::move(t));
    return live_.back().get();
  }
  void ReleaseTexture(Texture*) override {}

 private:
  std::vector<std::unique_ptr<Texture>> live_;
};

FileDesc Swarm(bool turning) {
  FileDesc desc;
  BitmapDesc b;
  b.name = "dot";
  b.width = b.height = 8;
  b.rgba.assign(8 * 8 * 4, 255);
  desc.bitmaps.push_back(b);
  desc.shapes.push_back(ShapeDesc{"dot", 0, 0, 0, 1, 1, 1});
  EmitterDesc e;
  e.name = "swarm";
  e.duration = 1.0f;
  LayerDesc l;
  l.maxParticles = kLive;
  l.rate = Curve(float(kLive) / 2.0f);  // life 2 s: about kLive alive
  l.lifeMin = l.lifeMax = 2.0f;
  l.speedMin = 20.0f;
  l.speedMax = 80.0f;
  l.gravityY = 30.0f;
  l.drag = 0.3f;
  l.area = AreaKind::Rectangle;
  l.areaWidth = 800.0f;
  l.areaHeight = 500.0f;
  l.size.keys = {{0.0f, 4.0f}, {0.5f, 12.0f}, {1.0f, 2.0f}};
  l.alpha.keys = {{0.0f, 0.0f}, {0.2f, 1.0f}, {1.0f, 0.0f}};
  l.red.keys = {{0.0f, 1.0f}, {1.0f, 0.3f}};
  if (turning) {
    l.spinMin = -90.0f;
    l.spinMax = 90.0f;
    l.angleMax = 360.0f;
  }
  e.layers.push_back(l);
  desc.emitters.push_back(e);
  return desc;
}

void RunSwarm(benchmark::State& state, bool turning) {
  auto owned = std::make_unique<RecordingDevice>();
  RecordingDevice* device = owned.get();
  Renderer renderer(std::move(owned));
  renderer.SetAspectMode(AspectMode::Screen4x3);
  renderer.Init(false, false);
  BenchTextures textures;
  int counter = 0;
  auto graphics = std::make_unique<CGraphics>(renderer, textures, counter);
  std::unique_ptr<IPyroParticleLibrary> library(
      CreateParticleLibrary(kPyroInterfaceVersion, kPyroVertexColourTexture));
  library->Init(graphics.get(), 0);
  CBytesFileIO io(WritePyro(Swarm(turning)));
  std::unique_ptr<IPyroFile> file(library->LoadPyroFile(&io));
  file->CreateTextures();
  std::unique_ptr<IPyroParticleEmitter> emitter(file->CreateEmitter("swarm"));
  const float flip[12] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0};
  emitter->SetLocalTransform(flip);

  float time = 0.0f;
  auto frame = [&](float dt) {
    time += dt;
    emitter->Prepare(time, dt);
    emitter->Move(time, dt, 0.0f, 0.0f, 0.0f, true);
  };
  for (int i = 0; i < 180; ++i) frame(1.0f / 60.0f);  // three seconds: in full flow

  int64_t particles = 0;
  for (auto _ : state) {
    frame(1.0f / 60.0f);
    emitter->Render();
    particles += emitter->ParticleCount();
    device->ClearLog();
  }
  state.counters["live"] = double(emitter->ParticleCount());
  // Seconds of processor time per live particle per frame (printed with an SI prefix).
  state.counters["per_particle"] = benchmark::Counter(
      double(particles), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  emitter.reset();
  file.reset();
  library->Done();
}

}  // namespace

BENCHMARK_CAPTURE(RunSwarm, upright, false)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(RunSwarm, turning, true)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime();
BENCHMARK_MAIN();
