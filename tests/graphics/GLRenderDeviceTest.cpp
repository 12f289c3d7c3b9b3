// End-to-end rendering through the OpenGL device on a real, hidden window (headless under
// SDL_VIDEODRIVER=offscreen): frames are drawn, read back and checked pixel by pixel.
#include <SDL.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/GLRenderDevice.h"
#include "graphics/Renderer.h"
#include "platform/Window.h"
#include "support/Picture.h"

namespace {

using Rgba = std::array<int, 4>;

// A read-back frame or a saved screenshot.
struct Image : Picture {
  Rgba Pixel(int x, int y) const {
    const uint8_t* p = At(x, y);
    return {p[0], p[1], p[2], p[3]};
  }
};

// Colour of a pixel, within a tolerance per channel (alpha is not compared: the back
// buffer may have none).
::testing::AssertionResult ColourNear(const Image& image, int x, int y, Rgba expected,
                                      int tolerance = 2) {
  const Rgba got = image.Pixel(x, y);
  for (int c = 0; c < 3; ++c)
    if (std::abs(got[size_t(c)] - expected[size_t(c)]) > tolerance)
      return ::testing::AssertionFailure()
             << "pixel (" << x << ", " << y << ") is " << got[0] << "," << got[1] << "," << got[2]
             << ", expected " << expected[0] << "," << expected[1] << "," << expected[2];
  return ::testing::AssertionSuccess();
}

std::vector<uint8_t> Bgra(std::initializer_list<uint32_t> argb) {
  std::vector<uint8_t> bytes(argb.size() * 4);
  std::memcpy(bytes.data(), argb.begin(), bytes.size());  // ARGB words are B, G, R, A bytes
  return bytes;
}

class GLRendererTest : public ::testing::Test {
 protected:
  // Video stays up, with the GL library loaded, until the process ends. Mesa's software
  // driver leaves a few blocks behind when it is unloaded; once unloaded, the leak checker
  // can no longer tell they belong to the driver and would report them as ours.
  static void SetUpTestSuite() {
    if (!videoReady_)
      videoReady_ = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
  }

  void SetUp() override {
    ASSERT_TRUE(videoReady_) << SDL_GetError();
    ASSERT_TRUE(window.Create(1024, 768, true)) << SDL_GetError();
    auto owned = std::make_unique<GLRenderDevice>(window);
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(renderer->Init(false, true));
    size = renderer->BackBufferSize();
    ASSERT_GT(size.width, 0);
    renderer->BeginFrame();
    renderer->Clear(0xFF000000);
  }

  void TearDown() override {
    renderer.reset();
    window.Destroy();
  }

  // Pixel-exact checks need the virtual screen one to one on the back buffer.
  bool OneToOne() const { return size.width == 1024 && size.height == 768; }

  // A rectangle given in back-buffer pixels (left, top, width, height), as a virtual rect.
  Rect PixelRect(float left, float top, float width, float height) const {
    const float sx = renderer->Width() / float(size.width);
    const float sy = renderer->Height() / float(size.height);
    const float x0 = left * sx - renderer->HalfWidth();
    const float y0 = renderer->Height() / 2 - top * sy;
    return {x0, y0, x0 + width * sx, y0 - height * sy};
  }

  Image Capture() {
    renderer->Flush();
    Image image;
    EXPECT_TRUE(device->ReadBackBuffer(image.rgba, image.width, image.height));
    return image;
  }

  std::unique_ptr<Texture> MakeTexture(int w, int h, PixelFormat format, int flags,
                                       const std::vector<uint8_t>& pixels) {
    auto t = std::make_unique<Texture>();
    t->width = t->imageWidth = w;
    t->height = t->imageHeight = h;
    t->format = format;
    t->flags = flags;
    renderer->CreateDeviceTexture(*t, pixels.data());
    EXPECT_NE(t->deviceTexture, 0u);
    return t;
  }

  platform::Window window;
  GLRenderDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  ScreenSize size;

 private:
  static inline bool videoReady_ = false;
};

TEST_F(GLRendererTest, UntexturedQuadsDrawInTheirVertexColour) {
  renderer->AddQuad(PixelRect(10, 10, 20, 20), kFullTexRect, 0xFFFF0000);
  renderer->AddQuad(PixelRect(40, 10, 20, 20), kFullTexRect, 0xFF00FF00);
  renderer->AddQuad(PixelRect(70, 10, 20, 20), kFullTexRect, 0xFF0000FF);
  renderer->AddQuad(PixelRect(100, 10, 20, 20), kFullTexRect, 0xFF102030);
  renderer->AddGradientQuad(PixelRect(10, 100, 20, 101), 0xFFFFFFFF, 0xFF000000);
  const Image image = Capture();
  EXPECT_TRUE(ColourNear(image, 20, 20, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 50, 20, {0, 255, 0}));
  EXPECT_TRUE(ColourNear(image, 80, 20, {0, 0, 255}));
  EXPECT_TRUE(ColourNear(image, 110, 20, {0x10, 0x20, 0x30}));
  EXPECT_TRUE(ColourNear(image, 20, 150, {128, 128, 128}, 4));
  EXPECT_TRUE(ColourNear(image, 20, 5, {0, 0, 0}));
  if (OneToOne()) {
    // Quads cover exactly their pixels: the half-pixel offset lines them up.
    EXPECT_TRUE(ColourNear(image, 10, 10, {255, 0, 0}));
    EXPECT_TRUE(ColourNear(image, 29, 29, {255, 0, 0}));
    EXPECT_TRUE(ColourNear(image, 9, 10, {0, 0, 0}));
    EXPECT_TRUE(ColourNear(image, 30, 29, {0, 0, 0}));
    EXPECT_TRUE(ColourNear(image, 20, 30, {0, 0, 0}));
  }
}

TEST_F(GLRendererTest, EveryBatchOfAFrameDrawsItsOwnVertices) {
  // Far more quads than the streaming vertex buffer holds, so its storage is replaced
  // several times within the frame, with indexed draws in between: each quad lands in its
  // own 4 × 4 cell in a colour made from its number, and must be found there.
  const int columns = size.width / 4;
  const int quads = 10000;
  auto colourOf = [](int i) -> Rgba { return {i & 0xFF, (i >> 8) * 6, 0x80, 0xFF}; };
  auto cellRect = [&](int i) {
    return PixelRect(float(i % columns * 4), float(i / columns * 4), 3, 3);
  };
  const int rows = (quads + columns - 1) / columns;
  const float indexedTop = float(rows * 4 + 8);
  int indexedDraws = 0;
  for (int i = 0; i < quads; ++i) {
    const Rgba c = colourOf(i);
    renderer->AddQuad(cellRect(i), kFullTexRect,
                      0xFF000000u | uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | uint32_t(c[2]));
    if (i % 1500 == 1499) {
      // A triangle pair through the caller's own indices, in a row below the cells.
      Vertex* v = renderer->VertexArray();
      const Rect r = PixelRect(float(indexedDraws * 8), indexedTop, 6, 6);
      const float xs[4] = {r.x0, r.x1, r.x1, r.x0};
      const float ys[4] = {r.y0, r.y0, r.y1, r.y1};
      for (int k = 0; k < 4; ++k) v[k] = {xs[k], ys[k], 0, 0xFFFFFF00u, 0, 0};
      const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
      renderer->DrawIndexed(indices, 4, 6);
      ++indexedDraws;
    }
  }
  const Image image = Capture();
  int wrong = 0;
  for (int i = 0; i < quads && wrong < 5; ++i)
    if (!ColourNear(image, i % columns * 4 + 1, i / columns * 4 + 1, colourOf(i), 1)) {
      ADD_FAILURE()
          << "quad " << i << ": "
          << ColourNear(image, i % columns * 4 + 1, i / columns * 4 + 1, colourOf(i), 1).message();
      ++wrong;
    }
  for (int k = 0; k < indexedDraws; ++k)
    EXPECT_TRUE(ColourNear(image, k * 8 + 3, int(indexedTop) + 3, {255, 255, 0}))
        << "indexed " << k;
  EXPECT_TRUE(ColourNear(image, 3, 1, {0, 0, 0}));  // the gaps between cells stay clear
}

TEST_F(GLRendererTest, BlendModesCombineWithTheBackBuffer) {
  renderer->Clear(0xFF808080);
  const uint32_t colour = 0x80FF4000;  // half-transparent orange
  for (int mode = 0; mode <= 5; ++mode) {
    renderer->SetBlendMode(BlendMode(mode));
    renderer->AddQuad(PixelRect(10 + 30 * float(mode), 10, 20, 20), kFullTexRect, colour);
  }
  renderer->SetBlendMode(BlendMode::Alpha);
  const Image image = Capture();
  const Rgba expected[6] = {
      {192, 96, 64},    // source alpha, inverse source alpha
      {255, 160, 128},  // source alpha, one
      {128, 32, 0},     // destination colour, zero
      {128, 32, 0},     // the same
      {255, 192, 128},  // one, one
      {255, 128, 64},   // one, inverse source alpha
  };
  for (int mode = 0; mode <= 5; ++mode)
    EXPECT_TRUE(ColourNear(image, 20 + 30 * mode, 20, expected[mode])) << "mode " << mode;
}

TEST_F(GLRendererTest, TexturesAreModulatedFilteredAndWrapped) {
  // 2 × 2: red, green / blue, white.
  auto checker = MakeTexture(2, 2, PixelFormat::BGRA8, kTextureAlpha,
                             Bgra({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}));
  renderer->BindTexture(checker.get());
  // Large, unfiltered: four solid quadrants.
  renderer->ClearSamplerBits(kSamplerLinear);
  renderer->AddQuad(PixelRect(10, 10, 64, 64));
  // Modulated by the vertex colour.
  renderer->AddQuad(PixelRect(90, 10, 64, 64), kFullTexRect, 0xFF808080);
  // Wrapped twice in each direction.
  renderer->SetSamplerBits(kSamplerWrapU | kSamplerWrapV);
  renderer->AddQuad(PixelRect(170, 10, 64, 64), {0, 0, 2, 2});
  renderer->ClearSamplerBits(kSamplerWrapU | kSamplerWrapV);
  renderer->SetSamplerBits(kSamplerLinear);
  // One to one with linear filtering: every texel lands on one pixel unblurred.
  renderer->AddQuad(PixelRect(300, 10, 2, 2));
  Image image = Capture();

  EXPECT_TRUE(ColourNear(image, 20, 20, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 60, 20, {0, 255, 0}));
  EXPECT_TRUE(ColourNear(image, 20, 60, {0, 0, 255}));
  EXPECT_TRUE(ColourNear(image, 60, 60, {255, 255, 255}));
  EXPECT_TRUE(ColourNear(image, 100, 20, {128, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 140, 60, {128, 128, 128}));
  EXPECT_TRUE(ColourNear(image, 175, 15, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 175 + 32, 15, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 175 + 16, 15 + 32, {0, 255, 0}));
  if (OneToOne()) {
    EXPECT_TRUE(ColourNear(image, 300, 10, {255, 0, 0}));
    EXPECT_TRUE(ColourNear(image, 301, 10, {0, 255, 0}));
    EXPECT_TRUE(ColourNear(image, 300, 11, {0, 0, 255}));
    EXPECT_TRUE(ColourNear(image, 301, 11, {255, 255, 255}));
  }

  // Unbinding falls back to the vertex colour.
  renderer->BindTexture(nullptr);
  renderer->AddQuad(PixelRect(10, 10, 10, 10), kFullTexRect, 0xFF00FFFF);
  image = Capture();
  EXPECT_TRUE(ColourNear(image, 15, 15, {0, 255, 255}));
}

TEST_F(GLRendererTest, PixelFormatsAndTheAlphaFlag) {
  renderer->Clear(0xFF000000);
  // A 32-bit texel with alpha 0: ignored without the alpha flag, transparent with it.
  auto opaque = MakeTexture(1, 1, PixelFormat::BGRA8, 0, Bgra({0x00FF0000}));
  auto clear = MakeTexture(1, 1, PixelFormat::BGRA8, kTextureAlpha, Bgra({0x00FF0000}));
  // 32-bit data is B, G, R, A whatever the recorded order.
  auto zif32 = MakeTexture(1, 1, PixelFormat::RGBA8, kTextureAlpha, Bgra({0xFF00FF00}));
  auto rgb565 = MakeTexture(1, 1, PixelFormat::RGB565, 0, {0x1F, 0x00});      // blue
  auto argb1555 = MakeTexture(1, 1, PixelFormat::ARGB1555, 0, {0x00, 0xFC});  // red
  auto hidden1555 = MakeTexture(1, 1, PixelFormat::ARGB1555, 0, {0x00, 0x7C});
  auto argb4444 = MakeTexture(1, 1, PixelFormat::ARGB4444, 0, {0xF0, 0xF0});  // green
  auto bgr = MakeTexture(1, 1, PixelFormat::BGR8, 0, {0xFF, 0x80, 0x00});     // azure
  Texture* textures[] = {opaque.get(),   clear.get(),      zif32.get(),    rgb565.get(),
                         argb1555.get(), hidden1555.get(), argb4444.get(), bgr.get()};
  for (int i = 0; i < 8; ++i) {
    renderer->BindTexture(textures[i]);
    renderer->AddQuad(PixelRect(10 + 20 * float(i), 10, 10, 10));
  }
  const Image image = Capture();
  const Rgba expected[8] = {{255, 0, 0}, {0, 0, 0}, {0, 255, 0}, {0, 0, 255},
                            {255, 0, 0}, {0, 0, 0}, {0, 255, 0}, {0, 128, 255}};
  for (int i = 0; i < 8; ++i)
    EXPECT_TRUE(ColourNear(image, 15 + 20 * i, 15, expected[i])) << "texture " << i;
}

TEST_F(GLRendererTest, MinifiedMipmappedTexturesUseFilledLevels) {
  // A thin 1024 × 2 texture drawn 4 pixels wide reads its small levels.
  std::vector<uint8_t> green(1024 * 2 * 4);
  for (size_t i = 0; i < 1024 * 2; ++i) std::memcpy(&green[i * 4], "\x00\xFF\x00\xFF", 4);
  auto thin = MakeTexture(1024, 2, PixelFormat::BGRA8, kTextureMipmaps | kTextureAlpha, green);
  renderer->BindTexture(thin.get());
  renderer->AddQuad(PixelRect(10, 10, 4, 1));
  const Image image = Capture();
  EXPECT_TRUE(ColourNear(image, 11, 10, {0, 255, 0}));
}

TEST_F(GLRendererTest, ScissorRectanglesCountFromTheTop) {
  if (!OneToOne()) GTEST_SKIP() << "back buffer is not one to one";
  renderer->Enable(RenderSwitch::ScissorTest);
  renderer->SetScissor(100, 50, 40, 30);
  renderer->AddQuad(PixelRect(0, 0, 1024, 768), kFullTexRect, 0xFFFFFF00);
  renderer->Disable(RenderSwitch::ScissorTest);
  const Image image = Capture();
  EXPECT_TRUE(ColourNear(image, 100, 50, {255, 255, 0}));
  EXPECT_TRUE(ColourNear(image, 139, 79, {255, 255, 0}));
  EXPECT_TRUE(ColourNear(image, 99, 60, {0, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 120, 49, {0, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 120, 80, {0, 0, 0}));
  EXPECT_TRUE(ColourNear(image, 120, 768 - 60, {0, 0, 0}));
}

TEST_F(GLRendererTest, ShaderProgramsReplaceTheBuiltInOne) {
  const std::string magenta =
      "#version 330 core\nin vec4 v_colour;\nout vec4 o_colour;\n"
      "void main() { o_colour = vec4(1.0, 0.0, 1.0, 1.0) * v_colour.a; }\n";
  auto shader = renderer->CreateShaderProgram(magenta, "");
  ASSERT_NE(shader, nullptr);
  const std::string flip =
      "#version 330 core\nin vec3 a_position;\nin vec4 a_colour;\nin vec2 a_texcoord;\n"
      "uniform mat4 u_matrix;\nout vec4 v_colour;\nout vec2 v_texcoord;\n"
      "void main() { gl_Position = u_matrix * vec4(a_position, 1.0);\n"
      "  v_colour = vec4(a_colour.b, a_colour.g, a_colour.r, 1.0); v_texcoord = a_texcoord; }\n";
  auto swapped = renderer->CreateShaderProgram("", flip);
  ASSERT_NE(swapped, nullptr);
  EXPECT_EQ(renderer->CreateShaderProgram("this is not a program", ""), nullptr);
  EXPECT_EQ(renderer->CreateShaderProgram("", ""), nullptr);

  renderer->SetShader(shader.get());
  renderer->AddQuad(PixelRect(10, 10, 10, 10), kFullTexRect, 0xFF00FF00);
  renderer->SetShader(swapped.get());
  renderer->AddQuad(PixelRect(30, 10, 10, 10), kFullTexRect, 0xFFFF0000);
  renderer->SetShader(nullptr);
  renderer->AddQuad(PixelRect(50, 10, 10, 10), kFullTexRect, 0xFFFF0000);
  const Image image = Capture();
  EXPECT_TRUE(ColourNear(image, 15, 15, {255, 0, 255}));
  EXPECT_TRUE(ColourNear(image, 35, 15, {0, 0, 255}));
  EXPECT_TRUE(ColourNear(image, 55, 15, {255, 0, 0}));
  renderer->ReleaseShaderProgram(*shader);
  renderer->ReleaseShaderProgram(*swapped);
}

TEST_F(GLRendererTest, ScreenshotsWriteTheFinishedFrame) {
  // A small scene to look at: sky gradient, ground, a checker board, blended overlays.
  renderer->AddGradientQuad({-512, 384, 512, -100}, 0xFF2050A0, 0xFFA0D0F0);
  renderer->AddGradientQuad({-512, -100, 512, -384}, 0xFF307020, 0xFF103008);
  std::vector<uint32_t> cells(8 * 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) cells[size_t(y * 8 + x)] = (x + y) % 2 ? 0xFFE0C040 : 0xFF603010;
  std::vector<uint8_t> board(cells.size() * 4);
  std::memcpy(board.data(), cells.data(), board.size());
  auto texture = MakeTexture(8, 8, PixelFormat::BGRA8, 0, board);
  renderer->BindTexture(texture.get());
  renderer->ClearSamplerBits(kSamplerLinear);
  renderer->AddQuad({-400, 200, -144, -56});
  renderer->SetSamplerBits(kSamplerLinear);
  renderer->AddQuad({-100, 200, 156, -56});
  renderer->BindTexture(nullptr);
  renderer->SetBlendMode(BlendMode::Add);
  renderer->AddQuad({200, 250, 400, 50}, kFullTexRect, 0x80FF0000);
  renderer->AddQuad({280, 170, 480, -30}, kFullTexRect, 0x8000FF00);
  renderer->SetBlendMode(BlendMode::Alpha);
  renderer->AddQuad({-480, -200, 480, -260}, kFullTexRect, 0xC0000000);
  renderer->EndFrame();
  const Image frame = Capture();

  const std::string path = "graphics_frame.png";
  ASSERT_TRUE(renderer->SaveScreenshot(path));
  Image saved;
  ASSERT_TRUE(ReadPng(path, saved));
  ASSERT_EQ(saved.width, frame.width);
  ASSERT_EQ(saved.height, frame.height);
  for (auto [x, y] : {std::pair{0, 0}, {frame.width / 2, frame.height / 2}, {50, frame.height - 1}})
    EXPECT_TRUE(ColourNear(saved, x, y, frame.Pixel(x, y), 0));

  // After presenting, the back buffer no longer holds the frame.
  renderer->Present();
  EXPECT_FALSE(renderer->SaveScreenshot("graphics_presented.png"));
  EXPECT_EQ(std::fopen("graphics_presented.png", "rb"), nullptr);
}

TEST_F(GLRendererTest, SwitchingToWindowedKeepsDrawingOverTheWholeBackBuffer) {
  renderer->EndFrame();
  renderer->SetFullscreen(false);
  renderer->Present();
  EXPECT_FALSE(renderer->IsFullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(window.Handle()) & SDL_WINDOW_FULLSCREEN, 0u);
  size = renderer->BackBufferSize();

  renderer->BeginFrame();
  renderer->Clear(0xFF000000);
  renderer->AddQuad({-512, 384, 0, 0}, kFullTexRect, 0xFFFF0000);
  renderer->AddQuad({0, 0, 512, -384}, kFullTexRect, 0xFF0000FF);
  const Image image = Capture();
  ASSERT_EQ(image.width, size.width);
  EXPECT_TRUE(ColourNear(image, 0, 0, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, size.width / 2 - 1, size.height / 2 - 1, {255, 0, 0}));
  EXPECT_TRUE(ColourNear(image, size.width - 1, size.height - 1, {0, 0, 255}));
  EXPECT_TRUE(ColourNear(image, size.width - 1, 0, {0, 0, 0}));
}

TEST_F(GLRendererTest, ADestroyedWindowLeavesNothingToDrawOn) {
  auto texture = MakeTexture(1, 1, PixelFormat::BGRA8, 0, Bgra({0xFFFFFFFF}));
  renderer->EndFrame();
  window.Destroy();
  EXPECT_FALSE(device->IsCreated());
  // Shutting down in the order the game does it (window first) touches no dead context.
  renderer->AddQuad({0, 0, 10, 10});
  renderer->Flush();
  renderer->Present();
  renderer->ReleaseDeviceTexture(*texture);
  EXPECT_EQ(texture->deviceTexture, 0u);
  renderer->Shutdown();
}

}  // namespace
