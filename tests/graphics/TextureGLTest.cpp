// Textures loaded by the texture manager and drawn through the real OpenGL device on a
// hidden window (headless under SDL_VIDEODRIVER=offscreen), read back and checked pixel by
// pixel: the packed wide background against the picture it came from, and a texture
// created after another was deleted.
#include <SDL.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "data/FileSystem.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/PngWriter.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "platform/Window.h"

namespace {

// A 1280 × 768 picture of 40 × 24 blocks, 32 pixels square, each of its own colour.
constexpr int kBlock = 32;
std::array<int, 3> BlockColour(int bx, int by) {
  return {20 + bx * 5, 20 + by * 9, (bx * 7 + by * 13) % 256};
}

RgbaPicture BlockBackground() {
  RgbaPicture picture(1280, 768);
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1280; ++x) {
      const auto c = BlockColour(x / kBlock, y / kBlock);
      picture.Set(x, y, uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]));
    }
  return picture;
}

class TextureGLTest : public ::testing::Test {
 protected:
  // Video stays up with the GL library loaded until the process ends (see the renderer's
  // GL tests: the software driver leaves blocks behind when unloaded).
  static void SetUpTestSuite() {
    if (!videoReady_)
      videoReady_ = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
  }

  void Start(AspectMode aspectMode) {
    ASSERT_TRUE(videoReady_) << SDL_GetError();
    auto owned = std::make_unique<GLRenderDevice>(window);
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(aspectMode);
    ASSERT_TRUE(window.Create(int(renderer->Width()), int(renderer->Height()), true))
        << SDL_GetError();
    ASSERT_TRUE(renderer->Init(false, true));
    textures = std::make_unique<TextureManager>(files, *renderer);
  }

  void TearDown() override {
    textures.reset();
    renderer.reset();
    window.Destroy();
  }

  struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    std::array<int, 3> At(int x, int y) const {
      const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
      return {p[0], p[1], p[2]};
    }
  };

  // Finishes the frame and reads it back; kept as a PNG when KALODRUS_TEST_FRAMES names a
  // folder, for looking at.
  Frame Capture(const std::string& name) {
    renderer->EndFrame();
    Frame frame;
    EXPECT_TRUE(device->ReadBackBuffer(frame.rgba, frame.width, frame.height));
    if (const char* dir = std::getenv("KALODRUS_TEST_FRAMES"))
      WritePng(std::string(dir) + "/" + name + ".png", frame.width, frame.height, 4,
               frame.rgba.data());
    return frame;
  }

  // The back-buffer pixel under the virtual point (x right, y up, origin at the centre).
  std::array<int, 3> Under(const Frame& frame, float x, float y) const {
    const int px = int((x / renderer->Width() + 0.5f) * float(frame.width));
    const int py = int((0.5f - y / renderer->Height()) * float(frame.height));
    return frame.At(px, py);
  }

  platform::Window window;
  GLRenderDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  TempFolder folder;
  FileSystem files;
  std::unique_ptr<TextureManager> textures;

 private:
  static inline bool videoReady_ = false;
};

::testing::AssertionResult Near(std::array<int, 3> got, std::array<int, 3> want, int tolerance) {
  for (int c = 0; c < 3; ++c)
    if (std::abs(got[c] - want[c]) > tolerance)
      return ::testing::AssertionFailure()
             << got[0] << "," << got[1] << "," << got[2] << " instead of " << want[0] << ","
             << want[1] << "," << want[2];
  return ::testing::AssertionSuccess();
}

TEST_F(TextureGLTest, TheWideBackgroundShowsThePictureItWasPackedFrom) {
  folder.Write("content/wide.png", EncodePng(BlockBackground(), 3));
  files.Mount((folder.path() / "content").string());
  Start(AspectMode::Screen15x9);  // 1280 × 768: the whole picture
  Texture* wide = textures->Get("wide");
  ASSERT_NE(wide, nullptr);
  ASSERT_TRUE(wide->Has(kTexturePackedWide));
  ASSERT_EQ(wide->width, 1024);

  renderer->BeginFrame();
  renderer->Clear(0xFF000000);
  renderer->BindTexture(wide);
  renderer->DrawWideBackground(kWhite, false);
  const Frame frame = Capture("wide_background");
  // Every block, the turned side strips included, where the picture has it.
  for (int by = 0; by < 24; ++by)
    for (int bx = 0; bx < 40; ++bx) {
      const float x = float(bx * kBlock + kBlock / 2) - 640.0f;
      const float y = 384.0f - float(by * kBlock + kBlock / 2);
      ASSERT_TRUE(Near(Under(frame, x, y), BlockColour(bx, by), 3)) << "block " << bx << ", " << by;
    }
  renderer->Present();

  // In the 1024-wide menu mode only the centre is shown, over the whole screen.
  renderer->SetAspectMode(AspectMode::Screen4x3);
  renderer->BeginFrame();
  renderer->Clear(0xFF000000);
  renderer->DrawWideBackground(kWhite, false);
  const Frame menu = Capture("wide_background_menu");
  for (int by = 0; by < 24; by += 5)
    for (int bx = 4; bx < 36; bx += 3) {
      const float x = float(bx * kBlock + kBlock / 2) - 128.0f - 512.0f;
      const float y = 384.0f - float(by * kBlock + kBlock / 2);
      ASSERT_TRUE(Near(Under(menu, x, y), BlockColour(bx, by), 3)) << "block " << bx << ", " << by;
    }
}

TEST_F(TextureGLTest, ATextureMadeAfterADeletedOneIsReallyBound) {
  RgbaPicture red(8, 8), green(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) red.Set(x, y, 255, 0, 0), green.Set(x, y, 0, 255, 0);
  folder.Write("content/red.png", EncodePng(red, 3));
  folder.Write("content/green.png", EncodePng(green, 3));
  files.Mount((folder.path() / "content").string());
  Start(AspectMode::Screen4x3);
  renderer->BeginFrame();
  renderer->Clear(0xFF000000);
  for (int round = 0; round < 4; ++round) {
    // Deleted while bound; the next record may well land at the same address.
    Texture* first = textures->Get("red");
    ASSERT_NE(first, nullptr);
    renderer->BindTexture(first);
    renderer->AddQuad({-100, 100, 0, 0});
    textures->Delete(first);
    Texture* second = textures->Get("green");
    ASSERT_NE(second, nullptr);
    renderer->BindTexture(second);
    renderer->AddQuad({0, 100, 100, 0});
    const Frame frame = Capture("deleted_then_created");
    EXPECT_TRUE(Near(Under(frame, -50, 50), {255, 0, 0}, 3));
    EXPECT_TRUE(Near(Under(frame, 50, 50), {0, 255, 0}, 3)) << "round " << round;
    textures->Delete(second);
    renderer->BeginFrame();
  }
}

}  // namespace
