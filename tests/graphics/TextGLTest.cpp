// Shaders and text through the real OpenGL device (headless under SDL_VIDEODRIVER=offscreen):
// the content's shaders compiled and used, and text in a font baked from DejaVu drawn in its
// markup colour. Set KALODRUS_TEST_FRAMES to a folder to keep the frames as PNG files.
#include <SDL.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "graphics/FontManager.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/Renderer.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureFontResources.h"
#include "graphics/TextureManager.h"
#include "kfont/FontBaker.h"
#include "platform/Window.h"

namespace {

using Rgb = std::array<int, 3>;

class TextGLTest : public ::testing::Test {
 protected:
  // Video stays up, with the GL library loaded, until the process ends (Mesa's software
  // driver leaves blocks behind at unload that the leak checker would blame on us).
  static void SetUpTestSuite() {
    if (!videoReady_)
      videoReady_ = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
  }

  void SetUp() override {
    ASSERT_TRUE(videoReady_) << SDL_GetError();
    ASSERT_TRUE(window.Create(1024, 768, true)) << SDL_GetError();
    renderer = std::make_unique<Renderer>(std::make_unique<GLRenderDevice>(window));
    renderer->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(renderer->Init(false, true));
    renderer->BeginFrame();
    renderer->Clear(0xFF000000);
  }

  void TearDown() override {
    fonts.reset();
    shaders.reset();
    sprites.reset();
    textures.reset();
    renderer.reset();
    window.Destroy();
  }

  void MountContent() {
    files.Mount(dir.Content());
    const char* source = std::getenv("KALODRUS_SOURCE_DIR");
    files.Mount(std::string(source ? source : ".") + "/content-src/shaders");
    textures = std::make_unique<TextureManager>(files, *renderer);
    sprites = std::make_unique<SpriteManager>(files, *textures);
    resources = std::make_unique<TextureFontResources>(*textures, *sprites);
    shaders = std::make_unique<ShaderManager>(files, *renderer,
                                              [this](const std::string& m) { log.push_back(m); });
    fonts = std::make_unique<FontManager>(files, *renderer, *resources);
  }

  // The frame so far, RGB rows top to bottom (1024 × 768 back buffer).
  void Capture(const char* name) {
    renderer->Flush();
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(renderer->Device().ReadBackBuffer(rgba, w, h));
    width = w;
    height = h;
    pixels = std::move(rgba);
    if (const char* out = std::getenv("KALODRUS_TEST_FRAMES"))
      kfont::WritePngFile(std::string(out) + "/" + name + ".png", w, h, pixels.data());
  }
  Rgb At(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return {p[0], p[1], p[2]};
  }
  // Back-buffer pixel of a virtual point (one to one at 1024 × 768).
  Rgb AtVirtual(float x, float y) const { return At(int(x + 512.0f), int(384.0f - y)); }

  texttest::TempDir dir;
  platform::Window window;
  std::unique_ptr<Renderer> renderer;
  FileSystem files;
  std::unique_ptr<TextureManager> textures;
  std::unique_ptr<SpriteManager> sprites;
  std::unique_ptr<TextureFontResources> resources;
  std::unique_ptr<ShaderManager> shaders;
  std::unique_ptr<FontManager> fonts;
  std::vector<std::string> log;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

 private:
  static inline bool videoReady_ = false;
};

bool Near(Rgb got, Rgb want, int tolerance = 3) {
  for (size_t c = 0; c < 3; ++c)
    if (std::abs(got[c] - want[c]) > tolerance) return false;
  return true;
}

TEST_F(TextGLTest, ContentShadersCompileAndChangeWhatIsDrawn) {
  dir.Write("bad.zsd", "<ShaderDesc><Shader name=\"bad\" type=\"pixel\"/></ShaderDesc>");
  dir.Write("bad.psh", "#version 330 core\nvoid main() { this is not glsl }\n");
  MountContent();
  // A red texture for every quad.
  std::vector<uint8_t> red(4 * 4 * 4);
  for (size_t i = 0; i < red.size(); i += 4) red[i + 2] = 255, red[i + 3] = 255;  // B G R A
  Texture* tex =
      textures->CreateFromPixels("red", 4, 4, PixelFormat::BGRA8, kTextureAlpha, red.data());
  ASSERT_NE(tex, nullptr);

  const Shader* noTex = shaders->Get("no_tex");
  const Shader* grey = shaders->Get("grey");
  const Shader* common = shaders->Get("common");
  ASSERT_NE(noTex, nullptr);
  ASSERT_NE(grey, nullptr);
  ASSERT_NE(common, nullptr);
  EXPECT_EQ(shaders->Get("bad"), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"Shader not loaded bad"}));

  renderer->BindTexture(tex);
  renderer->SetShader(nullptr);
  renderer->AddQuad({-400, 300, -300, 200}, kFullTexRect, kWhite);
  renderer->SetShader(common);
  renderer->AddQuad({-250, 300, -150, 200}, kFullTexRect, kWhite);
  renderer->SetShader(noTex);
  renderer->AddQuad({-100, 300, 0, 200}, kFullTexRect, 0xFF20C040);
  renderer->SetShader(grey);
  renderer->AddQuad({50, 300, 150, 200}, kFullTexRect, kWhite);
  // The fade: black at half opacity through "no_tex", untextured, over a white square.
  renderer->SetShader(nullptr);
  renderer->BindTexture(nullptr);
  renderer->AddQuad({200, 300, 300, 200}, kFullTexRect, kWhite);
  renderer->SetShader(noTex);
  renderer->AddScreenQuad({0, 0, renderer->Width(), renderer->Height()}, kFullTexRect, 0x80000000);
  renderer->SetShader(nullptr);
  Capture("shaders");

  EXPECT_TRUE(Near(AtVirtual(-350, 250), {127, 0, 0}, 4));  // red, under the fade
  EXPECT_TRUE(Near(AtVirtual(-200, 250), {127, 0, 0}, 4));  // the same through "common"
  EXPECT_TRUE(Near(AtVirtual(-50, 250), {16, 96, 32}, 4));  // vertex colour only
  EXPECT_TRUE(Near(AtVirtual(100, 250), {38, 38, 38}, 4));  // red as grey (0.299)
  EXPECT_TRUE(Near(AtVirtual(250, 250), {127, 127, 127}, 4));
  EXPECT_TRUE(Near(AtVirtual(0, -300), {0, 0, 0}, 2));
}

TEST_F(TextGLTest, ColouredTextDrawsInItsMarkupColour) {
  kfont::BakeSettings bake;
  bake.name = "font1";
  bake.face = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  bake.size = 40;
  bake.page = 1024;
  std::string error;
  ASSERT_TRUE(kfont::BakeToFolder(bake, dir.Content() + "/fonts", error)) << error;
  dir.Write("font_colors.xml",
            "<FontColors><Color id=\"3\" r=\"40\" g=\"200\" b=\"255\"/>"
            "<Color id=\"5\" r=\"255\" g=\"120\" b=\"0\"/></FontColors>");
  MountContent();
  fonts->Load();
  ASSERT_EQ(fonts->FontCount(), 1u);

  fonts->SelectFont(0);
  fonts->BeginText();
  fonts->DrawText(-400.0f, 200.0f, 80.0f, u"^3HHH", kWhite);
  fonts->DrawText(-400.0f, 0.0f, 80.0f, u"\u0416\u0416^5\u0141\u0141", kWhite);
  fonts->DrawText(-75.0f, renderer->HalfHeight() - 10.0f, 18.0f, std::string_view("60 fps"),
                  kWhite);
  fonts->EndText();
  Capture("text");

  // Every lit pixel of the first line is colour 3, at some coverage.
  int lit = 0, off = 0;
  const float w3 = fonts->MeasureText(u"^3HHH", 80.0f, false);
  ASSERT_GT(w3, 100.0f);
  for (int y = int(384 - 240); y < int(384 - 160); ++y)
    for (int x = 512 - 400; x < 512 - 400 + int(w3); ++x) {
      const Rgb p = At(x, y);
      if (p[2] < 128) continue;
      ++lit;
      const float k = float(p[2]) / 255.0f;
      if (!Near(p, {int(40 * k), int(200 * k), p[2]}, 8)) ++off;
    }
  EXPECT_GT(lit, 1500);
  EXPECT_EQ(off, 0);

  // Second line: Cyrillic in white, then Polish letters in colour 5; no "?" glyphs needed.
  int white = 0, orange = 0;
  for (int y = 384 - 40; y < 384 + 40; ++y)
    for (int x = 512 - 400; x < 512 + 200; ++x) {
      const Rgb p = At(x, y);
      if (Near(p, {255, 255, 255}, 10)) ++white;
      if (Near(p, {255, 120, 0}, 10)) ++orange;
    }
  EXPECT_GT(white, 500);
  EXPECT_GT(orange, 500);
  // The frame-rate line at the top.
  int top = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 512 - 75; x < 512; ++x) top += At(x, y)[0] > 128;
  EXPECT_GT(top, 50);
}

}  // namespace
