#pragma once
#include "support/TempDir.h"
// Shared pieces of the particle tests: a fake texture provider, small effect files built in
// memory, a temporary content folder, and a Renderer on the recording device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "particles/ParticleManager.h"
#include "particles/PyroFormat.h"

class FakeTextures final : public ParticleTextureProvider {
 public:
  Texture* CreateTexture(std::string_view name, int width, int height,
                         const uint8_t* rgba) override {
    if (fail) return nullptr;
    auto texture = std::make_unique<Texture>();
    texture->name = std::string(name);
    texture->width = texture->imageWidth = width;
    texture->height = texture->imageHeight = height;
    texture->pixels.assign(rgba, rgba + size_t(width) * height * 4);
    created.push_back(texture->name);
    live.push_back(std::move(texture));
    return live.back().get();
  }
  void ReleaseTexture(Texture* texture) override {
    for (auto it = live.begin(); it != live.end(); ++it)
      if (it->get() == texture) {
        released.push_back(texture->name);
        live.erase(it);
        return;
      }
    ADD_FAILURE() << "released a texture that was never made";
  }

  bool fail = false;
  std::vector<std::string> created;
  std::vector<std::string> released;
  std::vector<std::unique_ptr<Texture>> live;
};

// One white 4 × 4 bitmap and its shape.
inline void AddWhiteShape(PyroParticles::FileDesc& desc) {
  PyroParticles::BitmapDesc b;
  b.name = "white";
  b.width = b.height = 4;
  b.rgba.assign(64, 255);
  desc.bitmaps.push_back(b);
  PyroParticles::ShapeDesc s;
  s.name = "white";
  s.bitmap = uint32_t(desc.bitmaps.size() - 1);
  desc.shapes.push_back(s);
}

// One emitter with one layer: particles that stay where they are born unless told otherwise.
inline PyroParticles::FileDesc SimpleEffect(bool looping = true, float rate = 20.0f,
                                            float life = 0.5f) {
  PyroParticles::FileDesc desc;
  AddWhiteShape(desc);
  PyroParticles::EmitterDesc e;
  e.name = "main";
  e.looping = looping;
  e.duration = 0.5f;
  PyroParticles::LayerDesc l;
  l.name = "dots";
  l.rate = PyroParticles::Curve(rate);
  l.lifeMin = l.lifeMax = life;
  l.size = PyroParticles::Curve(10.0f);
  l.maxParticles = 2000;
  e.layers.push_back(l);
  desc.emitters.push_back(e);
  return desc;
}

// A temporary folder with a helper to write files below it.
class EffectFolder : public ::TempDir {
 public:
  std::filesystem::path path() const { return Path(); }
  std::string Write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    const auto full = path() / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return full.string();
  }
};

// A Renderer on the recording device, a file system over a temporary folder and a particle
// manager with fake textures.
class ParticleManagerFixture : public ::testing::Test {
 protected:
  ParticleManagerFixture() {
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(AspectMode::Screen4x3);
    EXPECT_TRUE(renderer->Init(false, false));
    manager = std::make_unique<ParticleManager>(files, *renderer, textures);
  }
  ~ParticleManagerFixture() override { manager.reset(); }

  void WriteEffect(const std::string& relative, const PyroParticles::FileDesc& desc) {
    folder.Write(relative, PyroParticles::WritePyro(desc));
  }
  void Load(const std::string& mount = "content") {
    files.Mount((folder.path() / mount).string());
    manager->LoadEffects();
  }
  // The vertices of every particle draw call since the log was cleared.
  int DrawnQuads() const {
    int quads = 0;
    for (const auto& call : device->CallsOf(RecordingDevice::Op::DrawQuads)) quads += call.a / 4;
    return quads;
  }

  RecordingDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  EffectFolder folder;
  FileSystem files;
  FakeTextures textures;
  std::unique_ptr<ParticleManager> manager;
};
