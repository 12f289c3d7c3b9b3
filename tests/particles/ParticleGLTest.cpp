// Effects drawn on the real OpenGL device (headless under SDL_VIDEODRIVER=offscreen) with
// textures made by the texture manager, read back pixel by pixel: the particles are where
// the effect was placed, not mirrored.
#include <SDL.h>

#include <array>
#include <cstdlib>

#include "ParticleFixtures.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/PngWriter.h"
#include "graphics/TextureManager.h"
#include "platform/Window.h"

using namespace PyroParticles;

namespace {

class ParticleGLTest : public ::testing::Test {
 protected:
  // Video stays up with the GL library loaded until the process ends (the software driver
  // leaves blocks behind when unloaded).
  static void SetUpTestSuite() {
    if (!videoReady_)
      videoReady_ = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
  }

  void SetUp() override {
    ASSERT_TRUE(videoReady_) << SDL_GetError();
    auto owned = std::make_unique<GLRenderDevice>(window);
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(window.Create(1024, 768, false)) << SDL_GetError();
    ASSERT_TRUE(renderer->Init(false, false));
    textures = std::make_unique<TextureManager>(files, *renderer);
    manager = std::make_unique<ParticleManager>(files, *renderer, *textures);
  }

  void TearDown() override {
    manager.reset();
    textures.reset();
    renderer.reset();
    window.Destroy();
  }

  // The frame read back (RGBA rows top to bottom), also written as a PNG when
  // KALODRUS_TEST_FRAMES names a folder.
  std::vector<uint8_t> Capture(const std::string& name, int& width, int& height) {
    renderer->EndFrame();
    std::vector<uint8_t> rgba;
    EXPECT_TRUE(device->ReadBackBuffer(rgba, width, height));
    if (const char* dir = std::getenv("KALODRUS_TEST_FRAMES"))
      WritePng(std::string(dir) + "/" + name + ".png", width, height, 4, rgba.data());
    renderer->Present();
    return rgba;
  }

  platform::Window window;
  GLRenderDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  EffectFolder folder;
  FileSystem files;
  std::unique_ptr<TextureManager> textures;
  std::unique_ptr<ParticleManager> manager;

 private:
  static inline bool videoReady_ = false;
};

TEST_F(ParticleGLTest, AnEffectDrawsWhereItWasPlaced) {
  // One red particle, 60 units wide and 20 high, standing still for its whole life, over
  // a texture whose top half is opaque and bottom half transparent.
  FileDesc desc = SimpleEffect(true, 0.0f, 10.0f);
  BitmapDesc& b = desc.bitmaps[0];
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) b.rgba[size_t(y * 4 + x) * 4 + 3] = y < 2 ? 255 : 0;
  LayerDesc& l = desc.emitters[0].layers[0];
  l.burst = 1;
  l.maxParticles = 1;
  l.size = Curve(60.0f);
  l.stretch = 1.0f / 3.0f;
  l.green = l.blue = Curve(0.0f);
  folder.Write("content/effects/marker.pyro", WritePyro(desc));
  files.Mount((folder.path() / "content").string());
  manager->LoadEffects();
  ASSERT_TRUE(manager->LoadErrors().empty());

  auto effect = manager->CreateEffect("marker");
  ASSERT_NE(effect, nullptr);
  const float cx = 200.0f, cy = 150.0f;  // upper right quarter of the screen
  effect->SetPosition(-cx, -cy);
  effect->Advance(16);

  renderer->BeginFrame();
  renderer->Clear(0xFF000000);
  effect->Draw();
  renderer->SetBlendMode(BlendMode::Alpha);
  int w = 0, h = 0;
  const std::vector<uint8_t> frame = Capture("particle_placed", w, h);
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  // The virtual screen (1024 × 768, y up) is stretched over the whole back buffer.
  auto red = [&](float x, float y) {
    const int px = int((x / 1024.0f + 0.5f) * float(w));
    const int py = int((0.5f - y / 768.0f) * float(h));
    return int(frame[(size_t(py) * size_t(w) + size_t(px)) * 4]);
  };
  // The texture's top half shows above the centre line, its bottom half does not.
  EXPECT_GT(red(cx, cy + 5), 200);
  EXPECT_GT(red(cx - 25, cy + 8), 200);
  EXPECT_LT(red(cx, cy - 5), 30);
  // Nothing at the mirrored places.
  EXPECT_LT(red(cx, -cy + 5), 30);
  EXPECT_LT(red(-cx, cy + 5), 30);
  EXPECT_LT(red(cx + 40, cy + 5), 30);
}

}  // namespace
